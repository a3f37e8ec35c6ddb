// The message-link framing, shared by the link and the server.
//
// A message is a buffer of at most 65537 bytes: a 56-byte header (only the positions
// below carry meaning, the rest is zero), then data items, each a u16 LE length and that
// many bytes. On TCP each message travels as a u32 LE length followed by the message.
//
//   pos  5  byte   request code; 21 in an acknowledgement
//   pos  6  byte   message type (MessageType)
//   pos 12  byte   kind of request: 7 object request, 2 command text
//   pos 28  dword  caller's process (request) or thread (acknowledgement) pseudo-handle
//   pos 32  dword  identity of the acknowledging link
//   pos 52  word   nonzero: the reply's second item is a trailing message
//
// A request carries two items (namespace, body); a reply two (status text, payload or
// trailing message); a server output message six (the sixth is the text); an
// acknowledgement none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kesto::mlink {

inline constexpr std::size_t kMessageCapacity = 65537;
inline constexpr std::size_t kHeaderSize = 56;
inline constexpr std::size_t kMaxItem = 65535;

inline constexpr std::size_t kPosCode = 5;
inline constexpr std::size_t kPosType = 6;
inline constexpr std::size_t kPosKind = 12;
inline constexpr std::size_t kPosProcess = 28;
inline constexpr std::size_t kPosLinkId = 32;
inline constexpr std::size_t kPosTrailing = 52;

enum MessageType : std::uint8_t { Request = 1, Reply = 2, Output = 5, Acknowledge = 6 };
enum RequestKind : std::uint8_t { CommandText = 2, ObjectRequest = 7 };
inline constexpr std::uint8_t kAcknowledgeCode = 21;
inline constexpr std::size_t kOutputItems = 6;

inline std::uint16_t getU16(const char* p) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(p[0]) |
                                    (static_cast<std::uint8_t>(p[1]) << 8));
}
inline std::uint32_t getU32(const char* p) {
  return static_cast<std::uint32_t>(getU16(p)) | (static_cast<std::uint32_t>(getU16(p + 2)) << 16);
}
inline void putU16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}
inline void putU32(char* p, std::uint32_t v) {
  putU16(p, static_cast<std::uint16_t>(v & 0xFFFF));
  putU16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

// A message length that a peer may send (header included, capacity not exceeded).
inline bool validMessageLength(std::uint32_t n) {
  return n >= kHeaderSize && n <= kMessageCapacity;
}

// Appends one item to a message of `used` bytes in `buffer`; false (nothing written) when
// the item is longer than 65535 bytes or does not fit the buffer.
bool appendItem(std::span<char> buffer, std::size_t& used, std::string_view item);

// Walks the items of a received message; stops at the end or at an item that runs past it.
class ItemReader {
 public:
  explicit ItemReader(std::string_view message, std::size_t start = kHeaderSize)
      : message_(message), pos_(start) {}

  // The next item, or nullopt when none is left or the next one is malformed
  // (then malformed() is true).
  std::optional<std::string_view> next();
  bool malformed() const { return malformed_; }
  bool atEnd() const { return pos_ >= message_.size(); }
  std::size_t offset() const { return pos_; }

 private:
  std::string_view message_;
  std::size_t pos_;
  bool malformed_ = false;
};

// A message as it goes on TCP: u32 LE length, then the message bytes.
std::string tcpFrame(std::string_view message);

// A fresh message: zeroed header with the given fields.
std::string makeHeader(std::uint8_t code, std::uint8_t type, std::uint8_t kind = 0);
// Appends an item to a std::string message; false when it cannot be represented.
bool appendItem(std::string& message, std::string_view item);

}  // namespace kesto::mlink
