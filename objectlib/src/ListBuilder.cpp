#include <kestoobject/ListBuilder.h>

#include <kestoobject/ListReaders.h>

#include <automation/Bstr.h>

#include <algorithm>
#include <cstdio>

namespace kesto::object {

Bytes bstrBytes(const char16_t* bstr) {
  if (!bstr) return {};
  return {reinterpret_cast<const std::uint8_t*>(bstr),
          SysStringByteLen(const_cast<BSTR>(bstr))};
}

ListBuilder::ListBuilder(std::size_t capacity) : capacity_(capacity) {}

void ListBuilder::clear() {
  data_.clear();
  overflowed_ = false;
}

ListBuilder& ListBuilder::element(const void* data, std::size_t n, std::uint8_t type) {
  if (overflowed_) return *this;
  const std::size_t used = data_.size();
  if (used >= capacity_) {
    overflowed_ = true;
    return *this;
  }
  data_.resize(std::min(capacity_, used + n + 4));
  const std::size_t written = ListEncodeItem(data_.data() + used, data_.size() - used, data, n, type);
  data_.resize(used + written);
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
  if (elements.size() > capacity_ - data_.size()) {
    overflowed_ = true;
    return *this;
  }
  data_.insert(data_.end(), elements.begin(), elements.end());
  return *this;
}

}  // namespace kesto::object
