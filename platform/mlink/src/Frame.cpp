#include "mlink/Frame.h"

#include <cstring>

namespace kesto::mlink {

bool appendItem(std::span<char> buffer, std::size_t& used, std::string_view item) {
  if (item.size() > kMaxItem || used > buffer.size() || buffer.size() - used < item.size() + 2)
    return false;
  putU16(buffer.data() + used, static_cast<std::uint16_t>(item.size()));
  if (!item.empty())
    std::memcpy(buffer.data() + used + 2, item.data(), item.size());
  used += item.size() + 2;
  return true;
}

std::optional<std::string_view> ItemReader::next() {
  if (malformed_ || pos_ >= message_.size())
    return std::nullopt;
  if (message_.size() - pos_ < 2) {
    malformed_ = true;
    return std::nullopt;
  }
  const std::size_t n = getU16(message_.data() + pos_);
  if (message_.size() - pos_ - 2 < n) {
    malformed_ = true;
    return std::nullopt;
  }
  const std::string_view item = message_.substr(pos_ + 2, n);
  pos_ += n + 2;
  return item;
}

std::string tcpFrame(std::string_view message) {
  std::string out(4, '\0');
  putU32(out.data(), static_cast<std::uint32_t>(message.size()));
  out.append(message);
  return out;
}

std::string makeHeader(std::uint8_t code, std::uint8_t type, std::uint8_t kind) {
  std::string m(kHeaderSize, '\0');
  m[kPosCode] = static_cast<char>(code);
  m[kPosType] = static_cast<char>(type);
  m[kPosKind] = static_cast<char>(kind);
  return m;
}

bool appendItem(std::string& message, std::string_view item) {
  if (item.size() > kMaxItem || message.size() + item.size() + 2 > kMessageCapacity)
    return false;
  char len[2];
  putU16(len, static_cast<std::uint16_t>(item.size()));
  message.append(len, 2);
  message.append(item);
  return true;
}

}  // namespace kesto::mlink
