// The message link: MMsg (a message buffer with data items), MLink (a connection that
// sends a request and waits for its reply, answering server output on the way) and
// qntlog (the trace mask). The framing is in <mlink/Frame.h>.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// Owner of a link; the library derives its link holder from it.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
};

// Connection handle of the original interface; not used by this link.
class MConnect;

class MMsg {
 public:
  explicit MMsg(long capacity);
  virtual ~MMsg();
  MMsg(const MMsg&) = delete;
  MMsg& operator=(const MMsg&) = delete;

  // Zeroes the header, drops all items and resets the read position.
  void InitMessage();
  // Appends one item; the length is taken as unsigned 16-bit. 1 on success, 0 (nothing
  // written) when the item does not fit the capacity.
  int AppendDataToMessage(const char* data, short length);
  // Takes the next item of the message: copies at most `max` bytes (unsigned 16-bit) to
  // `buffer` and sets *length to the count copied; the rest of a longer item is skipped.
  // 1 on success, 0 when no item is left or the message is malformed.
  int RetrieveDataFromMessage(short* length, char* buffer, short max);

  char* Buffer;    // the message: header, then items
  char* Scratch;   // a second buffer of the same capacity for the caller's own use
  long Capacity;
  long Used;       // bytes of Buffer in use
  long ReadPos;    // where RetrieveDataFromMessage takes the next item
};

class MLink {
 public:
  MLink(CCmdTarget* owner, MMsg* message);
  virtual ~MLink();
  MLink(const MLink&) = delete;
  MLink& operator=(const MLink&) = delete;

  void SetThreading(int on);
  void SetErrorTrap(short on);
  // "cn_iptcp:HOST[PORT]"; nonzero when connected, else 0 and ErrorText set.
  int Connect(const char* connect, const char* second);
  // Sends the used part of the message and waits for the reply, which then stands in
  // the message. Server output met on the way is put into the message, handed to
  // OnMessage, and what the callback left in the message (the acknowledgement) is sent.
  // > 0 on success; <= 0 on a transport error (ErrorText set, link disconnected).
  // A timeout of 0xFFFFFFFF or more waits without limit; otherwise milliseconds.
  long Send(MMsg* message, unsigned long timeout);
  void Disconnect();
  void FreeConnection(MConnect* connection = nullptr);

  int Connected;
  CCmdTarget* Owner;
  std::function<int(MLink*)> OnMessage;
  std::string ErrorText;

 private:
  // A length prefix and the largest message.
  static constexpr std::size_t kReceiveCapacity = 4 + 65537;

  bool fail(const std::string& text);
  bool receive(MMsg* message, unsigned long timeout);
  // 1 when the receive buffer holds `wanted` bytes, 0 closed or failed, -1 timed out.
  int fill(std::size_t wanted, unsigned long timeout);

  MMsg* message_;
  int fd_;
  // Bytes received and not taken yet: rx_[rxStart_, rxEnd_).
  std::unique_ptr<char[]> rx_;
  std::size_t rxStart_ = 0;
  std::size_t rxEnd_ = 0;
};

class qntlog {
 public:
  // Nonzero: the link writes a one-line trace of every message to stderr.
  static void SetMask(long mask);
  static long Mask();
};
