// List values as the server reads and writes them: a run of elements with no count and
// no terminator. Short form [n+2][type][data] for n <= 253, long form
// [0][u16 n+1][type][data] for n <= 65534, and the single byte 01 for an undefined value.
//
// Bytes are held in std::string (binary safe). Every read is bounded by the end of the
// input and throws FormatError on a malformed element; every write is bounded by the
// writer's capacity and throws CapacityError before anything is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kesto::server::wire {

// Element types that travel.
enum ElementType : std::uint8_t {
  Text8 = 1,     // 8-bit text or raw bytes (nested lists, identifiers)
  Text16 = 2,    // UTF-16LE text
  PosInt = 4,    // non-negative integer, little-endian, high zero bytes dropped
  NegInt = 5,    // negative integer, high 0xFF bytes dropped
  PosDec = 6,    // exponent byte + mantissa as PosInt
  NegDec = 7,    // exponent byte + mantissa as NegInt
};

inline constexpr std::size_t kMaxShortData = 253;
inline constexpr std::size_t kMaxElementData = 65534;

struct FormatError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct CapacityError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One element as read; data and raw point into the reader's input.
struct Element {
  bool undefined = false;
  std::uint8_t type = 0;    // 0 for the undefined element
  std::string_view data;    // data bytes (empty for undefined)
  std::string_view raw;     // the whole element as it stood in the input

  bool isText() const { return !undefined && (type == Text8 || type == Text16); }
  bool isNumber() const { return !undefined && type >= PosInt && type <= NegDec; }
};

// Size of the element that starts at `bytes`, or nullopt when it is malformed or does not
// fit into `bytes`.
std::optional<std::size_t> elementSize(std::string_view bytes);

class ListReader {
 public:
  explicit ListReader(std::string_view bytes) : bytes_(bytes) {}

  bool atEnd() const { return pos_ >= bytes_.size(); }
  std::size_t offset() const { return pos_; }
  std::string_view rest() const { return bytes_.substr(pos_); }

  // Next element; throws FormatError when the element is malformed or the list ended.
  Element next();
  // Next element, or nullopt at the end of the list; malformed still throws.
  std::optional<Element> tryNext();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Numbers of elements of types 4 and 5 (up to 8 bytes); nullopt for other types and for
// values that do not fit a signed 64-bit integer.
std::optional<std::int64_t> integerValue(const Element& e);
// Numbers of types 4 to 7 as double; nullopt for other types or malformed data.
std::optional<double> decimalValue(const Element& e);
// Type 2 data as UTF-16 code units; throws FormatError on an odd byte count.
std::u16string utf16Value(const Element& e);
// Every element of a list; throws FormatError when any is malformed.
std::size_t countElements(std::string_view bytes);

class ListWriter {
 public:
  explicit ListWriter(std::size_t capacity = 65535) : capacity_(capacity) {}

  void text8(std::string_view bytes) { element(Text8, bytes); }
  void text16(std::u16string_view text);
  void integer(std::int64_t value);
  void decimal(std::int64_t mantissa, std::int8_t exponent);
  void undefined();
  void element(std::uint8_t type, std::string_view data);
  // Appends bytes that already are encoded elements (after checking that they are).
  void encoded(std::string_view elements);

  const std::string& bytes() const { return out_; }
  std::string take() { return std::move(out_); }
  std::size_t size() const { return out_.size(); }
  std::size_t capacity() const { return capacity_; }
  std::size_t room() const { return capacity_ - out_.size(); }
  void clear() { out_.clear(); }

  // Bytes an element of `dataLength` bytes takes; throws CapacityError above 65534.
  static std::size_t encodedSize(std::size_t dataLength);

 private:
  void reserveOrThrow(std::size_t n) const;

  std::size_t capacity_;
  std::string out_;
};

// Little helpers for the common one-element case.
std::string encodeText8(std::string_view bytes);
std::string encodeText16(std::u16string_view text);
std::string encodeInteger(std::int64_t value);

}  // namespace kesto::server::wire
