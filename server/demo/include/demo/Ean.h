#pragma once
// EAN check digits: weights 3, 1, 3, 1 ... from the rightmost digit.

#include <string>
#include <string_view>

namespace kesto::server::demo {

char eanCheckDigit(std::string_view digits);
inline std::string withCheckDigit(std::string digits) {
  const char c = eanCheckDigit(digits);
  return digits + c;
}
// True for 8 or 13 digits whose last digit checks.
bool isValidEan(std::string_view ean);

}  // namespace kesto::server::demo
