#include "text/Compare.h"

#include "text/CodePage.h"

namespace kesto::text {

char16_t foldCase(char16_t ch) {
  if (ch >= u'A' && ch <= u'Z') return ch + 32;
  if (ch >= 0x00C0 && ch <= 0x00DE && ch != 0x00D7) return ch + 32;
  return ch;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool equalsNoCaseUtf8(std::string_view a, std::string_view b) {
  return equalsNoCase(utf8ToUtf16(a), utf8ToUtf16(b));
}

}  // namespace kesto::text
