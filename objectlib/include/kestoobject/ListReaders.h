// Reading list elements into buffers, texts, integers and VARIANTs.
//
// Every reader takes the end of the bytes it may read. Errors are dispatch exceptions:
// an undefined element gives 9991 "Undefined List element", a type other than 1, 2 and 4
// to 7 gives code 0 "Can not extract from List. Type %d.", and an element that is malformed
// or runs past the end gives 9991 "Wrong list format" (ListDecodeItem returns null then).
#pragma once

#include <kestoobject/ListValue.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct VARIANT;

namespace kesto::object {

// Decimal text of any number element fits in this many bytes, NUL included.
inline constexpr std::size_t kListNumberTextMax = 160;

// Copies the data of a text element (types 1, 2) to dst unchanged, no terminator added.
// A number element is written as NUL-terminated decimal text and outType becomes 1; a
// number that cannot be decoded gives the empty text. Returns the pointer past the element,
// or null when it is malformed. Throws 9991 "List element too large" when dst is too small.
[[nodiscard]] const std::uint8_t* ListDecodeItem(const std::uint8_t* element,
                                                 const std::uint8_t* end, std::uint8_t* dst,
                                                 std::size_t capacity, std::size_t& outLength,
                                                 int& outType);

// 8-bit text and numbers through atoi, UTF-16 text through _wtoi; both saturate at the int
// range instead of overflowing.
const std::uint8_t* ListReadInteger(const std::uint8_t* p, const std::uint8_t* end,
                                    int& value);

// 8-bit text widened with the ANSI code page; UTF-16 taken as it is (an odd last byte
// becomes one last code unit, as the platform's string would show it).
const std::uint8_t* ListReadWide(const std::uint8_t* p, const std::uint8_t* end,
                                 std::u16string& text);

// UTF-16 text narrowed to the ANSI code page; 8-bit text taken as it is. The result holds
// ANSI bytes, not UTF-8.
const std::uint8_t* ListReadNarrow(const std::uint8_t* p, const std::uint8_t* end,
                                   std::string& text);

// The undefined element gives VT_NULL; type 1 a BSTR widened with the ANSI code page; type
// 2 a BSTR of the bytes; numbers VT_I4 or VT_R8, or VT_NULL when they cannot be decoded.
// out is cleared first, so it must hold a valid (for example VariantInit'ed) value.
const std::uint8_t* ListItemToVariant(const std::uint8_t* p, const std::uint8_t* end,
                                      VARIANT* out);

// Converts UTF-16 text to the ANSI code page over the same buffer; returns the new byte
// length. An odd last byte is not part of any character and is dropped.
std::size_t WideToAnsiInPlace(std::uint8_t* buffer, std::size_t byteLength);

}  // namespace kesto::object
