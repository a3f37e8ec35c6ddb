#include <kestoobject/ListBuilder.h>

#include <kestoobject/ListReaders.h>

#include <automation/Bstr.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kesto::object {

Bytes bstrBytes(const char16_t* bstr) {
  if (!bstr) return {};
  return {reinterpret_cast<const std::uint8_t*>(bstr),
          SysStringByteLen(const_cast<BSTR>(bstr))};
}

ListBuilder::ListBuilder(std::size_t capacity) : capacity_(capacity) {}

ListBuilder::ListBuilder(std::span<std::uint8_t> storage)
    : capacity_(std::min(storage.size(), kListDataMax)), external_(storage.data()) {}

void ListBuilder::clear() {
  size_ = 0;
  owned_.clear();
  overflowed_ = false;
}

std::uint8_t* ListBuilder::reserve(std::size_t n) {
  if (n > capacity_ - size_) return nullptr;
  if (external_) return external_ + size_;
  owned_.resize(size_ + n);
  return owned_.data() + size_;
}

ListBuilder& ListBuilder::element(const void* data, std::size_t n, std::uint8_t type) {
  if (overflowed_) return *this;
  if (size_ >= capacity_) {
    overflowed_ = true;
    return *this;
  }
  const std::size_t room = std::min(capacity_ - size_, n + 4);
  std::uint8_t* at = reserve(room);
  const std::size_t written = at ? ListEncodeItem(at, room, data, n, type) : 0;
  size_ += written;
  if (!external_) owned_.resize(size_);
  if (written == 0) overflowed_ = true;
  return *this;
}

ListBuilder& ListBuilder::narrow(std::string_view bytes) {
  // A null pointer would write the undefined element; the empty text is wanted here.
  return element(bytes.data() ? bytes.data() : "", bytes.size(), kListNarrow);
}

ListBuilder& ListBuilder::narrow(Bytes bytes) {
  return narrow(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

ListBuilder& ListBuilder::number(long value) {
  char text[24];
  const int n = std::snprintf(text, sizeof text, "%ld", value);
  return narrow(std::string_view(text, static_cast<std::size_t>(n)));
}

ListBuilder& ListBuilder::wide(std::u16string_view text) {
  return element(text.data() ? static_cast<const void*>(text.data()) : "", text.size() * 2,
                 kListWide);
}

ListBuilder& ListBuilder::value(Bytes utf16le, bool unicodeServer) {
  if (unicodeServer) {
    // An odd byte count is rounded up: the byte after a BSTR's data is its terminator.
    std::vector<std::uint8_t> even(utf16le.begin(), utf16le.end());
    if (even.size() % 2) even.push_back(0);
    return element(even.empty() ? static_cast<const void*>("") : even.data(), even.size(),
                   kListWide);
  }
  std::vector<std::uint8_t> ansi(utf16le.begin(), utf16le.end());
  ansi.resize(WideToAnsiInPlace(ansi.data(), ansi.size()));
  return narrow(Bytes(ansi));
}

ListBuilder& ListBuilder::value(std::u16string_view text, bool unicodeServer) {
  return value(Bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size() * 2),
               unicodeServer);
}

ListBuilder& ListBuilder::raw(Bytes bytes) {
  return narrow(bytes.first(ListTrimTerminator(bytes.data(), bytes.size())));
}

ListBuilder& ListBuilder::list(const ListBuilder& inner) {
  if (!inner.ok()) {
    overflowed_ = true;
    return *this;
  }
  return narrow(inner.bytes());
}

ListBuilder& ListBuilder::undefined() { return element(nullptr, 0, kListNarrow); }

ListBuilder& ListBuilder::append(Bytes elements) {
  if (overflowed_) return *this;
  std::uint8_t* at = reserve(elements.size());
  if (!at) {
    overflowed_ = true;
    return *this;
  }
  if (!elements.empty()) std::memcpy(at, elements.data(), elements.size());
  size_ += elements.size();
  return *this;
}

}  // namespace kesto::object
