#include <automation/DispatchException.h>
#include <automation/Variant.h>

#include <text/CodePage.h>

#include <new>

namespace kesto::automation {

namespace {

void check(HRESULT hr, const char* what) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) throw ComError(hr, what);
}

}  // namespace

Variant::Variant(std::int32_t value) : Variant() { v_.vt = VT_I4; v_.lVal = value; }
Variant::Variant(std::int16_t value) : Variant() { v_.vt = VT_I2; v_.iVal = value; }
Variant::Variant(std::uint8_t value) : Variant() { v_.vt = VT_UI1; v_.bVal = value; }
Variant::Variant(double value) : Variant() { v_.vt = VT_R8; v_.dblVal = value; }
Variant::Variant(float value) : Variant() { v_.vt = VT_R4; v_.fltVal = value; }
Variant::Variant(bool value) : Variant() {
  v_.vt = VT_BOOL;
  v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(CY value) : Variant() { v_.vt = VT_CY; v_.cyVal = value; }
Variant::Variant(std::u16string_view text) : Variant(Bstr(text)) {}
Variant::Variant(std::string_view utf8) : Variant(Bstr::fromUtf8(utf8)) {}
Variant::Variant(Bstr text) : Variant() {
  v_.vt = VT_BSTR;
  v_.bstrVal = text.detach();
}
Variant::Variant(IDispatch* object) : Variant() {
  v_.vt = VT_DISPATCH;
  v_.pdispVal = object;
  if (object) object->AddRef();
}
Variant::Variant(IUnknown* object) : Variant() {
  v_.vt = VT_UNKNOWN;
  v_.punkVal = object;
  if (object) object->AddRef();
}
Variant::Variant(const VARIANT& other) : Variant() { check(VariantCopy(&v_, &other), "VariantCopy"); }

Variant Variant::date(DATE value) {
  Variant v;
  v.v_.vt = VT_DATE;
  v.v_.date = value;
  return v;
}

Variant Variant::null() {
  Variant v;
  v.v_.vt = VT_NULL;
  return v;
}

Variant Variant::error(SCODE code) {
  Variant v;
  v.v_.vt = VT_ERROR;
  v.v_.scode = code;
  return v;
}

Variant Variant::bytes(std::string_view bytes) { return Variant(Bstr::fromBytes(bytes)); }

Variant Variant::attach(VARIANT& owned) {
  Variant v;
  v.v_ = owned;
  VariantInit(&owned);
  return v;
}

Variant::Variant(const Variant& other) : Variant(other.v_) {}
Variant::Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) check(VariantCopy(&v_, &other.v_), "VariantCopy");
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

VARIANT Variant::detach() {
  VARIANT out = v_;
  VariantInit(&v_);
  return out;
}

Variant Variant::changedTo(VARTYPE type) const {
  Variant out;
  const HRESULT hr = VariantChangeType(&out.v_, &v_, 0, type);
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr))
    throw ComError(hr, "value of type " + std::to_string(v_.vt) + " does not convert to type " +
                           std::to_string(type));
  return out;
}

std::int32_t Variant::toInt32() const { return changedTo(VT_I4).v_.lVal; }
std::int16_t Variant::toInt16() const { return changedTo(VT_I2).v_.iVal; }
double Variant::toDouble() const { return changedTo(VT_R8).v_.dblVal; }
bool Variant::toBool() const { return changedTo(VT_BOOL).v_.boolVal != VARIANT_FALSE; }
DATE Variant::toDate() const { return changedTo(VT_DATE).v_.date; }
CY Variant::toCurrency() const { return changedTo(VT_CY).v_.cyVal; }

std::u16string Variant::toString() const {
  const Variant text = changedTo(VT_BSTR);
  return std::u16string(text.v_.bstrVal ? text.v_.bstrVal : u"", SysStringLen(text.v_.bstrVal));
}

std::string Variant::toUtf8() const { return text::utf16ToUtf8(toString()); }

std::string Variant::toBytes() const {
  const Variant text = changedTo(VT_BSTR);
  if (!text.v_.bstrVal) return {};
  return std::string(reinterpret_cast<const char*>(text.v_.bstrVal),
                     SysStringByteLen(text.v_.bstrVal));
}

IDispatch* Variant::dispatch() const {
  const VARIANT* at = &v_;
  while (at->vt == (VT_BYREF | VT_VARIANT) && at->pvarVal) at = at->pvarVal;
  if (at->vt == VT_DISPATCH) return at->pdispVal;
  if (at->vt == (VT_BYREF | VT_DISPATCH) && at->ppdispVal) return *at->ppdispVal;
  return nullptr;
}

}  // namespace kesto::automation
