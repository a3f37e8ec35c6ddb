// Server list values: a run of elements without count or terminator.
//
//   short form   [n + 2][type][n data bytes]          n = 0 .. 253
//   long form    [0][u16 LE n + 1][type][n bytes]      n = 254 .. 65534
//   undefined    [1]
//
// Everything here is pure and bounded: writers take a capacity and write nothing when the
// element does not fit, readers take the end of the bytes they may look at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kesto::object {

enum ListType : std::uint8_t {
  kListNarrow = 1,       // 8-bit text in the ANSI code page, or raw bytes
  kListWide = 2,         // UTF-16LE text
  kListPositive = 4,     // non-negative integer
  kListNegative = 5,     // negative integer
  kListPositiveDec = 6,  // exponent byte + non-negative mantissa
  kListNegativeDec = 7,  // exponent byte + negative mantissa
};

inline constexpr std::uint8_t kListUndefinedByte = 0x01;
inline constexpr std::size_t kListShortMax = 253;    // longest data of the short form
inline constexpr std::size_t kListDataMax = 65534;   // longest data an element can carry
inline constexpr std::size_t kListElementMax = kListDataMax + 4;

// One element as it lies in the bytes; data points into them.
struct ListElement {
  const std::uint8_t* data = nullptr;  // null for the undefined element
  std::size_t length = 0;              // data bytes
  std::uint8_t type = 0;               // as written; 0 for the undefined element
  const std::uint8_t* next = nullptr;  // just past the element
  bool undefined = false;
};

// Size of the element at p by the stepping rule (first byte, or the u16 after a zero plus
// 3), or 0 when fewer bytes than that remain before end.
std::size_t ListElementSize(const std::uint8_t* p, const std::uint8_t* end);

// The element at p, or nothing when it is malformed: it runs past end, or its header leaves
// no room for a type byte (long form with u16 = 0).
std::optional<ListElement> ListPeekItem(const std::uint8_t* p, const std::uint8_t* end);

// Writes one element and returns its size. Null data with n = 0 writes the undefined byte;
// n = 0 with data writes the empty 8-bit text 02 01 whatever the type. Returns 0 and writes
// nothing when n exceeds kListDataMax or the element does not fit in capacity.
[[nodiscard]] std::size_t ListEncodeItem(std::uint8_t* dst, std::size_t capacity,
                                         const void* data, std::size_t n, std::uint8_t type);

// Writes a 32-bit integer as type 4 or 5 with the fewest bytes (at most 4; -1 is FF, -256
// is 00 of type 5). Returns 0 and writes nothing when it does not fit.
[[nodiscard]] std::size_t ListEncodeInteger(std::uint8_t* dst, std::size_t capacity,
                                            std::int32_t value);

// Result of ListDecodeNumber: kind 0 = integer, kind 1 = double.
struct ListNumber {
  int kind = 0;
  std::int32_t integer = 0;
  double real = 0.0;
};

inline constexpr int kListNumberInteger = 4;
inline constexpr int kListNumberReal = 8;
inline constexpr int kListNumberNotNumber = 0;
inline constexpr int kListNumberTooLarge = -101;
inline constexpr int kListNumberOverflow = -109;

// Decodes the data of a number element of the given type: 4 (integer), 8 (double), 0 (not
// a number type), -101 (more than 8 bytes, a sign that disagrees with the type, or a
// decimal without its exponent byte), -109 (the decimal does not fit a double).
int ListDecodeNumber(const std::uint8_t* data, ListNumber& result, int type,
                     std::size_t length);

// 10^e for the exponent byte read as signed (-128 .. 127).
double ListPowerOfTen(std::int8_t exponent);

// Decimal text of a decoded number: "%d" for integers, "%f" (six places) for doubles,
// always with a '.' whatever the locale. Returns the length, 0 when it does not fit.
std::size_t ListFormatNumber(const ListNumber& number, char* dst, std::size_t capacity);

// The length without a trailing NUL, when the elements read from the start end exactly
// one byte before it; otherwise the length unchanged.
std::size_t ListTrimTerminator(const std::uint8_t* bytes, std::size_t length);

}  // namespace kesto::object
