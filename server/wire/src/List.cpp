#include "wire/List.h"

#include <cmath>
#include <string>

namespace kesto::server::wire {

std::optional<std::size_t> elementSize(std::string_view bytes) {
  if (bytes.empty())
    return std::nullopt;
  const auto first = static_cast<std::uint8_t>(bytes[0]);
  std::size_t size;
  if (first == 0) {
    if (bytes.size() < 4)  // long form needs its u16 and a type byte
      return std::nullopt;
    const std::size_t n1 = static_cast<std::uint8_t>(bytes[1]) |
                           (static_cast<std::size_t>(static_cast<std::uint8_t>(bytes[2])) << 8);
    if (n1 == 0)  // no room for the type byte
      return std::nullopt;
    size = n1 + 3;
  } else {
    size = first;
  }
  if (size > bytes.size())
    return std::nullopt;
  return size;
}

Element ListReader::next() {
  if (atEnd())
    throw FormatError("list ended before the expected element");
  const std::string_view here = bytes_.substr(pos_);
  const auto size = elementSize(here);
  if (!size)
    throw FormatError("malformed list element at offset " + std::to_string(pos_));
  Element e;
  e.raw = here.substr(0, *size);
  if (*size == 1) {
    e.undefined = true;
  } else if (here[0] == 0) {
    e.type = static_cast<std::uint8_t>(here[3]);
    e.data = here.substr(4, *size - 4);
  } else {
    e.type = static_cast<std::uint8_t>(here[1]);
    e.data = here.substr(2, *size - 2);
  }
  pos_ += *size;
  return e;
}

std::optional<Element> ListReader::tryNext() {
  if (atEnd())
    return std::nullopt;
  return next();
}

namespace {

// Little-endian magnitude bytes; `negative` fills missing high bytes with 0xFF.
std::optional<std::int64_t> decodeInt(std::string_view data, bool negative) {
  if (data.size() > 8)
    return std::nullopt;
  std::uint64_t v = negative ? ~std::uint64_t{0} : 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    v &= ~(std::uint64_t{0xFF} << (8 * i));
    v |= std::uint64_t{static_cast<std::uint8_t>(data[i])} << (8 * i);
  }
  const auto s = static_cast<std::int64_t>(v);
  if (negative ? s >= 0 : s < 0)  // sign disagrees with the type
    return std::nullopt;
  return s;
}

}  // namespace

std::optional<std::int64_t> integerValue(const Element& e) {
  if (e.undefined || (e.type != PosInt && e.type != NegInt))
    return std::nullopt;
  return decodeInt(e.data, e.type == NegInt);
}

std::optional<double> decimalValue(const Element& e) {
  if (e.undefined)
    return std::nullopt;
  if (e.type == PosInt || e.type == NegInt) {
    const auto v = integerValue(e);
    if (!v)
      return std::nullopt;
    return static_cast<double>(*v);
  }
  if (e.type != PosDec && e.type != NegDec)
    return std::nullopt;
  if (e.data.empty())  // no exponent byte
    return std::nullopt;
  const auto exponent = static_cast<std::int8_t>(e.data[0]);
  const auto mantissa = decodeInt(e.data.substr(1), e.type == NegDec);
  if (!mantissa)
    return std::nullopt;
  return static_cast<double>(*mantissa) * std::pow(10.0, exponent);
}

std::u16string utf16Value(const Element& e) {
  if (e.data.size() % 2 != 0)
    throw FormatError("UTF-16 element with an odd byte count");
  std::u16string out(e.data.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<std::uint8_t>(e.data[2 * i]) |
                                   (static_cast<std::uint8_t>(e.data[2 * i + 1]) << 8));
  return out;
}

std::size_t countElements(std::string_view bytes) {
  ListReader r(bytes);
  std::size_t n = 0;
  while (r.tryNext())
    ++n;
  return n;
}

std::size_t ListWriter::encodedSize(std::size_t dataLength) {
  if (dataLength > kMaxElementData)
    throw CapacityError("list element of " + std::to_string(dataLength) +
                        " bytes exceeds the largest element (65534 bytes)");
  return dataLength <= kMaxShortData ? dataLength + 2 : dataLength + 4;
}

void ListWriter::reserveOrThrow(std::size_t n) const {
  if (n > room())
    throw CapacityError("list value exceeds its capacity of " + std::to_string(capacity_) +
                        " bytes");
}

void ListWriter::element(std::uint8_t type, std::string_view data) {
  const std::size_t size = encodedSize(data.size());
  reserveOrThrow(size);
  if (data.size() <= kMaxShortData) {
    out_.push_back(static_cast<char>(data.size() + 2));
  } else {
    const std::size_t n1 = data.size() + 1;
    out_.push_back('\0');
    out_.push_back(static_cast<char>(n1 & 0xFF));
    out_.push_back(static_cast<char>(n1 >> 8));
  }
  out_.push_back(static_cast<char>(type));
  out_.append(data);
}

void ListWriter::text16(std::u16string_view text) {
  std::string data;
  data.reserve(text.size() * 2);
  for (char16_t c : text) {
    data.push_back(static_cast<char>(c & 0xFF));
    data.push_back(static_cast<char>(c >> 8));
  }
  element(Text16, data);
}

namespace {

// Minimal little-endian bytes of v: for v >= 0 high zero bytes dropped, for v < 0 high
// 0xFF bytes dropped but at least one byte.
std::string intBytes(std::int64_t v) {
  std::string out;
  const auto u = static_cast<std::uint64_t>(v);
  const std::uint64_t magnitude = v < 0 ? ~u : u;
  std::size_t n = 0;
  while (n < 8 && (magnitude >> (8 * n)) != 0)
    ++n;
  if (v < 0 && n == 0)
    n = 1;
  // keep the sign bit of the last byte consistent with the type
  for (std::size_t i = 0; i < n; ++i)
    out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  return out;
}

}  // namespace

void ListWriter::integer(std::int64_t value) {
  element(value < 0 ? NegInt : PosInt, intBytes(value));
}

void ListWriter::decimal(std::int64_t mantissa, std::int8_t exponent) {
  std::string data(1, static_cast<char>(exponent));
  data += intBytes(mantissa);
  element(mantissa < 0 ? NegDec : PosDec, data);
}

void ListWriter::undefined() {
  reserveOrThrow(1);
  out_.push_back('\x01');
}

void ListWriter::encoded(std::string_view elements) {
  countElements(elements);  // throws on malformed input
  reserveOrThrow(elements.size());
  out_.append(elements);
}

std::string encodeText8(std::string_view bytes) {
  ListWriter w(ListWriter::encodedSize(bytes.size()));
  w.text8(bytes);
  return w.take();
}

std::string encodeText16(std::u16string_view text) {
  ListWriter w(ListWriter::encodedSize(text.size() * 2));
  w.text16(text);
  return w.take();
}

std::string encodeInteger(std::int64_t value) {
  ListWriter w(16);
  w.integer(value);
  return w.take();
}

}  // namespace kesto::server::wire
