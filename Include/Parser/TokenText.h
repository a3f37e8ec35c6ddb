// Comparisons of a token's text with a keyword.
#pragma once

#include <cctype>
#include <string_view>

namespace kesto::zentrel {

struct TokenText {
  const char16_t* begin = nullptr;
  const char16_t* end = nullptr;
  std::size_t size() const { return static_cast<std::size_t>(end - begin); }
  bool empty() const { return begin == end; }
  std::u16string_view view() const { return {begin, size()}; }
};

// Keywords are written in upper case; ASCII letters of the text compare without case.
inline bool textEqualsUpper(TokenText text, std::string_view keyword) {
  if (text.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    char16_t c = text.begin[i];
    if (c < 128) c = static_cast<char16_t>(std::toupper(static_cast<int>(c)));
    if (c != static_cast<unsigned char>(keyword[i])) return false;
  }
  return true;
}

inline bool textHasChar(TokenText text, char16_t c) { return text.view().find(c) != std::u16string_view::npos; }

inline bool textEquals(TokenText text, std::u16string_view other) { return text.view() == other; }

}  // namespace kesto::zentrel
