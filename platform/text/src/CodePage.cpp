#include "text/CodePage.h"

#include <algorithm>
#include <array>
#include <utility>

#include "CodePageTables.h"

namespace kesto::text {
namespace {

const std::array<char16_t, 128>& highHalf(CodePage cp) {
  return cp == CodePage::Oem ? detail::kOemHigh : detail::kAnsiHigh;
}

// (character, byte) pairs of the upper half, sorted by character for a binary search.
using ReverseTable = std::array<std::pair<char16_t, unsigned char>, 128>;

ReverseTable buildReverse(const std::array<char16_t, 128>& high) {
  ReverseTable table{};
  for (std::size_t i = 0; i < high.size(); ++i) {
    table[i] = {high[i], static_cast<unsigned char>(0x80 + i)};
  }
  std::sort(table.begin(), table.end());
  return table;
}

const ReverseTable& reverseTable(CodePage cp) {
  static const ReverseTable ansi = buildReverse(detail::kAnsiHigh);
  static const ReverseTable oem = buildReverse(detail::kOemHigh);
  return cp == CodePage::Oem ? oem : ansi;
}

}  // namespace

char16_t toWideChar(unsigned char byte, CodePage cp) {
  return byte < 0x80 ? char16_t{byte} : highHalf(cp)[byte - 0x80];
}

bool toNarrowChar(char16_t ch, CodePage cp, unsigned char& byte) {
  if (ch < 0x80) {
    byte = static_cast<unsigned char>(ch);
    return true;
  }
  const ReverseTable& table = reverseTable(cp);
  auto it = std::lower_bound(table.begin(), table.end(), ch,
                             [](const auto& entry, char16_t c) { return entry.first < c; });
  if (it == table.end() || it->first != ch) return false;
  byte = it->second;
  return true;
}

std::u16string toWide(std::string_view bytes, CodePage cp) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out.push_back(toWideChar(static_cast<unsigned char>(b), cp));
  return out;
}

std::string toNarrow(std::u16string_view text, CodePage cp, bool* usedDefault) {
  return toNarrow(text, cp, '?', usedDefault);
}

std::string toNarrow(std::u16string_view text, CodePage cp, char defaultChar, bool* usedDefault) {
  std::string out;
  out.reserve(text.size());
  bool replaced = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = 0;
    if (toNarrowChar(text[i], cp, byte)) {
      out.push_back(static_cast<char>(byte));
      continue;
    }
    // A surrogate pair is one character and gets one '?'.
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pair) ++i;
    out.push_back(defaultChar);
    replaced = true;
  }
  if (usedDefault) *usedDefault = replaced;
  return out;
}

}  // namespace kesto::text
