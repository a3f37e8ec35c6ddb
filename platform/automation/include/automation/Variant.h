// Owning wrapper of a VARIANT. Conversions go through VariantChangeType and throw ComError
// when the value does not convert.
#pragma once

#include <automation/Bstr.h>
#include <automation/Interfaces.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto::automation {

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(std::int32_t value);
  Variant(std::int16_t value);
  Variant(std::uint8_t value);
  Variant(double value);
  Variant(float value);
  Variant(bool value);
  Variant(CY value);
  Variant(std::u16string_view text);
  Variant(const char16_t* text) : Variant(std::u16string_view(text ? text : u"")) {}
  Variant(std::string_view utf8);
  Variant(const char* utf8) : Variant(std::string_view(utf8 ? utf8 : "")) {}
  Variant(Bstr text);
  Variant(IDispatch* object);  // adds a reference; null -> VT_DISPATCH holding null
  Variant(IUnknown* object);
  explicit Variant(const VARIANT& other);  // deep copy

  static Variant date(DATE value);
  static Variant null();
  static Variant error(SCODE code);
  static Variant missing() { return error(DISP_E_PARAMNOTFOUND); }  // omitted optional argument
  static Variant bytes(std::string_view bytes);  // VT_BSTR holding exact bytes
  static Variant attach(VARIANT& owned);         // takes over `owned` and leaves it empty

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() { VariantClear(&v_); }

  VARTYPE vt() const { return v_.vt; }
  bool isEmpty() const { return v_.vt == VT_EMPTY; }
  bool isNull() const { return v_.vt == VT_NULL; }
  bool isMissing() const { return v_.vt == VT_ERROR && v_.scode == DISP_E_PARAMNOTFOUND; }
  const VARIANT& raw() const { return v_; }
  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }
  VARIANT* put() { clear(); return &v_; }  // for out parameters
  VARIANT detach();
  void clear() { VariantClear(&v_); }

  // Copy converted to `type` (by-ref values are read through).
  Variant changedTo(VARTYPE type) const;
  std::int32_t toInt32() const;
  std::int16_t toInt16() const;
  double toDouble() const;
  bool toBool() const;
  DATE toDate() const;
  CY toCurrency() const;
  std::u16string toString() const;
  std::string toUtf8() const;
  std::string toBytes() const;  // exact bytes of a BSTR value
  IDispatch* dispatch() const;  // borrowed; null unless VT_DISPATCH (or by-ref to one)

 private:
  VARIANT v_;
};

}  // namespace kesto::automation
