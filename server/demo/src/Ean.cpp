#include "demo/Ean.h"

namespace kesto::server::demo {

char eanCheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool isValidEan(std::string_view ean) {
  if (ean.size() != 8 && ean.size() != 13) return false;
  for (char c : ean)
    if (c < '0' || c > '9') return false;
  return eanCheckDigit(ean.substr(0, ean.size() - 1)) == ean.back();
}

}  // namespace kesto::server::demo
