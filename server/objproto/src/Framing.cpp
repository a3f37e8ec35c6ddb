#include "Framing.h"

#include <cstring>
#include <iostream>

#include "mlink/Frame.h"

namespace kesto::server::objproto {

namespace ml = kesto::mlink;

namespace {

constexpr std::size_t kPrefix = 4;
constexpr std::size_t kReceiveCapacity = kPrefix + ml::kMessageCapacity;

}  // namespace

Framing::Framing(net::Connection& connection)
    : connection_(connection), rx_(new char[kReceiveCapacity]) {
  tx_.reserve(kReceiveCapacity);
}

bool Framing::fill(std::size_t wanted) {
  if (rxStart_ > 0 && rxStart_ + wanted > kReceiveCapacity) {
    std::memmove(rx_.get(), rx_.get() + rxStart_, rxEnd_ - rxStart_);
    rxEnd_ -= rxStart_;
    rxStart_ = 0;
  }
  while (rxEnd_ - rxStart_ < wanted) {
    // Once a message has begun, its rest must come within the stall timeout.
    const std::size_t got =
        connection_.readSome({rx_.get() + rxEnd_, kReceiveCapacity - rxEnd_}, rxEnd_ > rxStart_);
    if (got == 0)
      return false;
    rxEnd_ += got;
  }
  return true;
}

std::optional<std::string_view> Framing::readMessage() {
  if (rxStart_ == rxEnd_)
    rxStart_ = rxEnd_ = 0;
  if (!fill(kPrefix))
    return std::nullopt;
  const std::uint32_t n = ml::getU32(rx_.get() + rxStart_);
  if (!ml::validMessageLength(n)) {
    std::cerr << "kestoserver: message of " << n << " bytes rejected\n";
    return std::nullopt;
  }
  if (!fill(kPrefix + n))
    return std::nullopt;
  const std::string_view message(rx_.get() + rxStart_ + kPrefix, n);
  rxStart_ += kPrefix + n;
  return message;
}

std::string& Framing::startMessage(std::uint8_t code, std::uint8_t type, std::uint8_t kind) {
  tx_.assign(kPrefix + ml::kHeaderSize, '\0');
  tx_[kPrefix + ml::kPosCode] = static_cast<char>(code);
  tx_[kPrefix + ml::kPosType] = static_cast<char>(type);
  tx_[kPrefix + ml::kPosKind] = static_cast<char>(kind);
  return tx_;
}

bool Framing::appendItem(std::string_view item) {
  if (item.size() > ml::kMaxItem || tx_.size() - kPrefix + 2 + item.size() > ml::kMessageCapacity)
    return false;
  char length[2];
  ml::putU16(length, static_cast<std::uint16_t>(item.size()));
  tx_.append(length, 2);
  tx_.append(item);
  return true;
}

void Framing::dropItems() { tx_.resize(kPrefix + ml::kHeaderSize); }

bool Framing::sendMessage() {
  ml::putU32(tx_.data(), static_cast<std::uint32_t>(tx_.size() - kPrefix));
  return connection_.writeAll(tx_);
}

}  // namespace kesto::server::objproto
