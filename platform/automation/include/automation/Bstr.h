// Owning wrapper of a BSTR.
#pragma once

#include <automation/OleString.h>

#include <string>
#include <string_view>
#include <utility>

namespace kesto::automation {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text);
  explicit Bstr(const char16_t* text) : Bstr(text ? std::u16string_view(text) : std::u16string_view()) {}
  static Bstr fromUtf8(std::string_view utf8);
  static Bstr fromBytes(std::string_view bytes);  // exact byte length, odd lengths too
  static Bstr attach(BSTR owned) { Bstr b; b.value_ = owned; return b; }
  static Bstr copyOf(BSTR other);  // keeps the exact byte length

  Bstr(const Bstr& other) : Bstr(copyOf(other.value_)) {}
  Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  Bstr& operator=(Bstr other) noexcept { std::swap(value_, other.value_); return *this; }
  ~Bstr() { SysFreeString(value_); }

  BSTR get() const { return value_; }
  BSTR detach() { return std::exchange(value_, nullptr); }
  BSTR* put();  // frees the current string; for out parameters
  void reset(BSTR owned = nullptr);

  bool empty() const { return byteLength() == 0; }
  UINT length() const { return SysStringLen(value_); }
  UINT byteLength() const { return SysStringByteLen(value_); }
  std::u16string_view view() const;  // whole characters only
  std::string_view bytes() const;    // exact bytes
  std::string toUtf8() const;

  friend bool operator==(const Bstr& a, const Bstr& b) { return a.bytes() == b.bytes(); }

 private:
  BSTR value_ = nullptr;
};

}  // namespace kesto::automation
