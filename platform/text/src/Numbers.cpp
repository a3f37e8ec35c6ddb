#include "text/Numbers.h"

#include <climits>
#include <cstdint>

namespace kesto::text {
namespace {

bool isBlank(char32_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

template <typename Char>
int parseInt(std::basic_string_view<Char> text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(static_cast<char32_t>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-'))) {
    negative = text[i] == Char('-');
    ++i;
  }
  // Accumulate in 64 bits and stop growing once past the int range.
  const std::int64_t limit = negative ? -std::int64_t{INT_MIN} : std::int64_t{INT_MAX};
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
    if (value <= limit) value = value * 10 + (text[i] - Char('0'));
  }
  if (value > limit) value = limit;
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

int atoi(std::string_view text) { return parseInt(text); }
int wtoi(std::u16string_view text) { return parseInt(text); }

}  // namespace kesto::text
