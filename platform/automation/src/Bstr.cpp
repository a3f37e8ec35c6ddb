#include <automation/Bstr.h>

#include <text/CodePage.h>

#include <new>

namespace kesto::automation {

namespace {

// Allocation answers null only when memory runs out (an empty string is a real block).
BSTR checked(BSTR made) {
  if (!made) throw std::bad_alloc();
  return made;
}

}  // namespace

Bstr::Bstr(std::u16string_view text) {
  value_ = checked(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

Bstr Bstr::fromUtf8(std::string_view utf8) { return Bstr(text::utf8ToUtf16(utf8)); }

Bstr Bstr::fromBytes(std::string_view bytes) {
  return attach(checked(SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()))));
}

Bstr Bstr::copyOf(BSTR other) {
  if (!other) return Bstr();
  return attach(checked(
      SysAllocStringByteLen(reinterpret_cast<const char*>(other), SysStringByteLen(other))));
}

BSTR* Bstr::put() {
  reset();
  return &value_;
}

void Bstr::reset(BSTR owned) {
  SysFreeString(value_);
  value_ = owned;
}

std::u16string_view Bstr::view() const {
  return value_ ? std::u16string_view(value_, length()) : std::u16string_view();
}

std::string_view Bstr::bytes() const {
  return value_ ? std::string_view(reinterpret_cast<const char*>(value_), byteLength())
                : std::string_view();
}

std::string Bstr::toUtf8() const { return text::utf16ToUtf8(view()); }

}  // namespace kesto::automation
