// Comparison of names without regard to case.
#pragma once

#include <string_view>

namespace kesto::text {

// Folds ASCII letters and the Latin-1 letters U+00C0..U+00DE (except U+00D7) onto their
// lower-case forms; every other character compares as it is.
char16_t foldCase(char16_t ch);
bool equalsNoCase(std::u16string_view a, std::u16string_view b);

// ASCII letters only; other bytes compare as they are.
bool equalsNoCase(std::string_view a, std::string_view b);

// UTF-8 names folded as the UTF-16 overload does (so "Ä" matches "ä").
bool equalsNoCaseUtf8(std::string_view a, std::string_view b);

}  // namespace kesto::text
