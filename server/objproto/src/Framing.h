// The message link's TCP framing on the server side: messages read through one receive
// buffer (a request usually takes one system call) and replies built in a reused buffer.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/Listener.h"

namespace kesto::server::objproto {

class Framing {
 public:
  explicit Framing(net::Connection& connection);

  // The next message (header and items, without its length prefix), valid until the
  // next call; nullopt when the peer went away or sent a length out of bounds.
  std::optional<std::string_view> readMessage();

  // A message under construction: header fields set, no items yet.
  std::string& startMessage(std::uint8_t code, std::uint8_t type, std::uint8_t kind = 0);
  // Appends an item to the message under construction; false when it does not fit.
  bool appendItem(std::string_view item);
  // Drops the items appended so far, keeping the header.
  void dropItems();
  // Sends the message under construction with its length prefix.
  bool sendMessage();

 private:
  bool fill(std::size_t wanted);

  net::Connection& connection_;
  std::unique_ptr<char[]> rx_;
  std::size_t rxStart_ = 0;
  std::size_t rxEnd_ = 0;
  std::string tx_;  // length prefix, then the message
};

}  // namespace kesto::server::objproto
