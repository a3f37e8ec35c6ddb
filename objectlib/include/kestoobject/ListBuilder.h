// Building a request body (a list value) with a fixed capacity.
//
//   ListBuilder body;                         // up to 65534 bytes
//   body.number(ref).wide(u"Bez1");
//   ListBuilder args;  args.value(bytes, unicode);
//   body.list(args);                          // one 8-bit element holding args
//   auto reply = link.Exchange(15, body);
//
// An element that does not fit leaves the builder unchanged and marks it overflowed; the
// server link refuses an overflowed body ("Request too large", 9991) instead of sending a
// truncated one.
#pragma once

#include <kestoobject/ListValue.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kesto::object {

using Bytes = std::span<const std::uint8_t>;

// Bytes of a BSTR used as a counted byte buffer (its exact byte length; null = empty).
Bytes bstrBytes(const char16_t* bstr);

class ListBuilder {
 public:
  explicit ListBuilder(std::size_t capacity = kListDataMax);
  // Builds in storage the caller owns (a link's encode buffer): no allocation. The
  // builder (and any copy, which shares the storage) must not outlive it.
  explicit ListBuilder(std::span<std::uint8_t> storage);

  // 8-bit element of the bytes as they are (type 1).
  ListBuilder& narrow(std::string_view bytes);
  ListBuilder& narrow(Bytes bytes);
  // 8-bit element of the decimal text "%d".
  ListBuilder& number(long value);
  // UTF-16 element (type 2).
  ListBuilder& wide(std::u16string_view text);
  // A value held as UTF-16LE bytes (a BSTR's bytes): a UTF-16 element with the length
  // rounded up to even when unicodeServer, else an 8-bit element in the ANSI code page.
  ListBuilder& value(Bytes utf16le, bool unicodeServer);
  ListBuilder& value(std::u16string_view text, bool unicodeServer);
  // Raw bytes (binary values, lists, object identifiers): an 8-bit element of the bytes
  // after ListTrimTerminator.
  ListBuilder& raw(Bytes bytes);
  // One 8-bit element whose data is the other list (an overflowed inner list overflows
  // this one too).
  ListBuilder& list(const ListBuilder& inner);
  // The undefined element 01.
  ListBuilder& undefined();
  // Elements already encoded, appended unchanged.
  ListBuilder& append(Bytes elements);

  bool ok() const { return !overflowed_; }
  Bytes bytes() const { return {data(), size_}; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  // Empties the list and clears the overflow mark; the storage is kept.
  void clear();

 private:
  ListBuilder& element(const void* data, std::size_t n, std::uint8_t type);
  const std::uint8_t* data() const { return external_ ? external_ : owned_.data(); }
  // Room for n more bytes at the end (owned storage grows); null when it cannot be had.
  std::uint8_t* reserve(std::size_t n);

  std::size_t capacity_;
  std::uint8_t* external_ = nullptr;
  std::vector<std::uint8_t> owned_;
  std::size_t size_ = 0;
  bool overflowed_ = false;
};

}  // namespace kesto::object
