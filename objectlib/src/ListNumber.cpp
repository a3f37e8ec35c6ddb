// Number elements (types 4 to 7): decoding and their decimal text.
#include <kestoobject/ListValue.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kesto::object {

namespace {

// Indexed by the exponent byte: 0..127 hold 10^0..10^127, 128..255 hold 10^-128..10^-1.
// strtod rounds each power correctly, which repeated multiplication would not.
const std::array<double, 256>& powersOfTen() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    char text[8];
    for (int i = 0; i < 256; ++i) {
      const int exponent = i < 128 ? i : i - 256;
      std::snprintf(text, sizeof text, "1e%d", exponent);
      t[static_cast<std::size_t>(i)] = std::strtod(text, nullptr);
    }
    return t;
  }();
  return table;
}

// 2^63 / 10 rounded up: the magnitude of the one mantissa that has no positive twin.
constexpr double kMinMantissaTenth = 922337203685477581.0;

}  // namespace

double ListPowerOfTen(std::int8_t exponent) {
  return powersOfTen()[static_cast<std::uint8_t>(exponent)];
}

int ListDecodeNumber(const std::uint8_t* data, ListNumber& result, int type,
                     std::size_t length) {
  if (type < kListPositive || type > kListNegativeDec) return kListNumberNotNumber;
  const bool decimal = type >= kListPositiveDec;
  const bool negative = type == kListNegative || type == kListNegativeDec;
  std::int8_t exponent = 0;
  if (decimal) {
    if (length == 0) return kListNumberTooLarge;  // no exponent byte: malformed
    exponent = static_cast<std::int8_t>(data[0]);
    ++data;
    --length;
  }
  if (length > 8) return kListNumberTooLarge;

  // Missing high bytes are 0x00 for the non-negative types and 0xFF for the negative ones.
  std::uint64_t bits = negative ? ~std::uint64_t{0} : 0;
  for (std::size_t i = 0; i < length; ++i) {
    bits &= ~(std::uint64_t{0xFF} << (8 * i));
    bits |= std::uint64_t{data[i]} << (8 * i);
  }
  const bool topBit = (bits >> 63) != 0;
  if (topBit != negative) return kListNumberTooLarge;
  const auto value = static_cast<std::int64_t>(bits);

  if (!decimal && length <= 4 && value >= std::numeric_limits<std::int32_t>::min() &&
      value <= std::numeric_limits<std::int32_t>::max()) {
    result.kind = 0;
    result.integer = static_cast<std::int32_t>(value);
    return kListNumberInteger;
  }

  double real;
  if (value >= 0) {
    real = static_cast<double>(value) * ListPowerOfTen(exponent);
  } else if (value != std::numeric_limits<std::int64_t>::min()) {
    real = static_cast<double>(-value) * -ListPowerOfTen(exponent);
  } else {
    if (exponent == 127) return kListNumberOverflow;
    real = kMinMantissaTenth * -ListPowerOfTen(static_cast<std::int8_t>(exponent + 1));
  }
  if (!std::isfinite(real)) return kListNumberOverflow;
  result.kind = 1;
  result.real = real;
  return kListNumberReal;
}

std::size_t ListFormatNumber(const ListNumber& number, char* dst, std::size_t capacity) {
  const auto converted =
      number.kind == 0
          ? std::to_chars(dst, dst + capacity, number.integer)
          : std::to_chars(dst, dst + capacity, number.real, std::chars_format::fixed, 6);
  if (converted.ec != std::errc()) return 0;
  return static_cast<std::size_t>(converted.ptr - dst);
}

}  // namespace kesto::object
