// Element framing: stepping, peeking and writing list elements.
#include <kestoobject/ListValue.h>

#include <cstring>

namespace kesto::object {

namespace {

std::size_t remaining(const std::uint8_t* p, const std::uint8_t* end) {
  return p < end ? static_cast<std::size_t>(end - p) : 0;
}

std::uint16_t readU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::size_t ListElementSize(const std::uint8_t* p, const std::uint8_t* end) {
  const std::size_t left = remaining(p, end);
  if (left == 0) return 0;
  std::size_t size = p[0];
  if (size == 0) {
    if (left < 3) return 0;
    size = std::size_t{readU16(p + 1)} + 3;
  }
  return size <= left ? size : 0;
}

std::optional<ListElement> ListPeekItem(const std::uint8_t* p, const std::uint8_t* end) {
  const std::size_t size = ListElementSize(p, end);
  if (size == 0) return std::nullopt;
  ListElement element;
  element.next = p + size;
  if (p[0] == kListUndefinedByte) {
    element.undefined = true;
    return element;
  }
  // Short form: length byte and type byte; long form: zero, u16 and type byte.
  const std::size_t header = p[0] != 0 ? 2 : 4;
  if (size < header) return std::nullopt;
  element.type = p[header - 1];
  element.data = p + header;
  element.length = size - header;
  return element;
}

std::size_t ListEncodeItem(std::uint8_t* dst, std::size_t capacity, const void* data,
                           std::size_t n, std::uint8_t type) {
  if (data == nullptr && n == 0) {
    if (capacity < 1) return 0;
    dst[0] = kListUndefinedByte;
    return 1;
  }
  if (data == nullptr || n > kListDataMax) return 0;
  if (n == 0) {
    if (capacity < 2) return 0;
    dst[0] = 2;
    dst[1] = kListNarrow;
    return 2;
  }
  if (n <= kListShortMax) {
    if (capacity < n + 2) return 0;
    dst[0] = static_cast<std::uint8_t>(n + 2);
    dst[1] = type;
    std::memcpy(dst + 2, data, n);
    return n + 2;
  }
  if (capacity < n + 4) return 0;
  const std::size_t stored = n + 1;
  dst[0] = 0;
  dst[1] = static_cast<std::uint8_t>(stored & 0xFF);
  dst[2] = static_cast<std::uint8_t>(stored >> 8);
  dst[3] = type;
  std::memcpy(dst + 4, data, n);
  return n + 4;
}

std::size_t ListEncodeInteger(std::uint8_t* dst, std::size_t capacity, std::int32_t value) {
  const bool negative = value < 0;
  // The byte count comes from the magnitude; for negatives from the one's complement.
  const std::uint32_t magnitude =
      negative ? ~static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  std::size_t count = magnitude == 0 ? 0 : magnitude < 0x100 ? 1 : magnitude < 0x10000 ? 2
                                         : magnitude < 0x1000000 ? 3 : 4;
  if (negative && count == 0) count = 1;
  std::uint8_t bytes[4];
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  if (count == 0) {
    // The writer turns empty data into 8-bit text, so the empty integer is written here.
    if (capacity < 2) return 0;
    dst[0] = 2;
    dst[1] = kListPositive;
    return 2;
  }
  return ListEncodeItem(dst, capacity, bytes, count, negative ? kListNegative : kListPositive);
}

std::size_t ListTrimTerminator(const std::uint8_t* bytes, std::size_t length) {
  if (length == 0 || bytes[length - 1] != 0) return length;
  const std::uint8_t* p = bytes;
  const std::uint8_t* last = bytes + length - 1;
  while (p < last) {
    const std::size_t size = ListElementSize(p, last);
    if (size == 0) return length;
    p += size;
  }
  return length - 1;
}

}  // namespace kesto::object
