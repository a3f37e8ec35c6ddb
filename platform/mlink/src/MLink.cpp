#include "mlink/MLink.h"

#include "mlink/Frame.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

using namespace kesto::mlink;

namespace {

std::atomic<long> g_mask{0};

void trace(const char* direction, const char* buffer, long length) {
  if (g_mask.load() == 0)
    return;
  std::fprintf(stderr, "mlink %s %ld bytes code %u type %u kind %u\n", direction, length,
               static_cast<unsigned>(static_cast<unsigned char>(buffer[kPosCode])),
               static_cast<unsigned>(static_cast<unsigned char>(buffer[kPosType])),
               static_cast<unsigned>(static_cast<unsigned char>(buffer[kPosKind])));
}

}  // namespace

void qntlog::SetMask(long mask) {
  g_mask = mask;
}

long qntlog::Mask() {
  return g_mask;
}

MMsg::MMsg(long capacity)
    : Buffer(nullptr), Scratch(nullptr), Capacity(capacity < static_cast<long>(kHeaderSize)
                                                      ? static_cast<long>(kHeaderSize)
                                                      : capacity),
      Used(0), ReadPos(0) {
  Buffer = new char[static_cast<std::size_t>(Capacity)]();
  Scratch = new char[static_cast<std::size_t>(Capacity)]();
  InitMessage();
}

MMsg::~MMsg() {
  delete[] Buffer;
  delete[] Scratch;
}

void MMsg::InitMessage() {
  std::memset(Buffer, 0, kHeaderSize);
  Used = kHeaderSize;
  ReadPos = kHeaderSize;
}

int MMsg::AppendDataToMessage(const char* data, short length) {
  const auto n = static_cast<std::uint16_t>(length);
  if (n != 0 && data == nullptr)
    return 0;
  std::size_t used = static_cast<std::size_t>(Used);
  if (!appendItem(std::span<char>(Buffer, static_cast<std::size_t>(Capacity)), used,
                  std::string_view(data ? data : "", n)))
    return 0;
  Used = static_cast<long>(used);
  return 1;
}

int MMsg::RetrieveDataFromMessage(short* length, char* buffer, short max) {
  ItemReader reader(std::string_view(Buffer, static_cast<std::size_t>(Used)),
                    static_cast<std::size_t>(ReadPos));
  const auto item = reader.next();
  if (!item) {
    if (length)
      *length = 0;
    return 0;
  }
  const std::size_t limit = static_cast<std::uint16_t>(max);
  const std::size_t n = item->size() < limit ? item->size() : limit;
  if (n != 0 && buffer != nullptr)
    std::memcpy(buffer, item->data(), n);
  if (length)
    *length = static_cast<short>(buffer ? n : 0);
  ReadPos = static_cast<long>(reader.offset());
  return 1;
}

MLink::MLink(CCmdTarget* owner, MMsg* message)
    : Connected(0), Owner(owner), message_(message), fd_(-1),
      rx_(new char[kReceiveCapacity]) {}

MLink::~MLink() {
  Disconnect();
}

void MLink::SetThreading(int) {}

void MLink::SetErrorTrap(short) {}

bool MLink::fail(const std::string& text) {
  ErrorText = text;
  Disconnect();
  return false;
}

int MLink::Connect(const char* connect, const char* second) {
  Disconnect();
  ErrorText.clear();
  const std::string text = connect ? connect : "";
  static constexpr std::string_view scheme = "cn_iptcp:";
  const auto open = text.find('[');
  const auto close = text.find(']');
  if (text.compare(0, scheme.size(), scheme) != 0 || open == std::string::npos ||
      close == std::string::npos || close < open || close + 1 != text.size()) {
    ErrorText = "Unknown connect text: " + text;
    return 0;
  }
  const std::string host = text.substr(scheme.size(), open - scheme.size());
  const std::string port = text.substr(open + 1, close - open - 1);
  if (host.empty() || port.empty() || port.find_first_not_of("0123456789") != std::string::npos ||
      port.size() > 5) {
    ErrorText = "Unknown connect text: " + text;
    return 0;
  }

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); rc != 0) {
    ErrorText = "Cannot resolve " + host + ": " + ::gai_strerror(rc);
    return 0;
  }
  std::string why = "no address";
  for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
      why = std::strerror(errno);
      continue;
    }
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      const int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      fd_ = fd;
      break;
    }
    why = std::strerror(errno);
    ::close(fd);
  }
  ::freeaddrinfo(found);
  if (fd_ < 0) {
    ErrorText = "Cannot connect to " + host + "[" + port + "]: " + why;
    return 0;
  }
  Connected = 1;
  return 1;
}

namespace {

// Sends the length prefix and the message with one system call where the socket takes
// it all (a second segment per message would cost a round of the peer's wake-ups).
bool sendFrame(int fd, const char* prefix, const char* data, std::size_t n) {
  iovec parts[2] = {{const_cast<char*>(prefix), 4}, {const_cast<char*>(data), n}};
  iovec* part = parts;
  int count = 2;
  while (count > 0) {
    msghdr header{};
    header.msg_iov = part;
    header.msg_iovlen = static_cast<std::size_t>(count);
    const ssize_t sent = ::sendmsg(fd, &header, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    auto left = static_cast<std::size_t>(sent);
    while (count > 0 && left >= part->iov_len) {
      left -= part->iov_len;
      ++part;
      --count;
    }
    if (count > 0) {
      part->iov_base = static_cast<char*>(part->iov_base) + left;
      part->iov_len -= left;
    }
  }
  return true;
}

// Waits until fd is readable: 1 ready, 0 failed, -1 timed out. A timeout of 0xFFFFFFFF
// or more waits without limit.
int waitReadable(int fd, unsigned long timeout) {
  if (timeout >= 0xFFFFFFFFul) return 1;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(timeout > 0x7FFFFFFF ? 0x7FFFFFFF : timeout));
    if (ready > 0) return 1;
    if (ready == 0) return -1;
    if (errno != EINTR) return 0;
  }
}

bool sendMessage(int fd, const MMsg& m) {
  char prefix[4];
  putU32(prefix, static_cast<std::uint32_t>(m.Used));
  trace("send", m.Buffer, m.Used);
  return sendFrame(fd, prefix, m.Buffer, static_cast<std::size_t>(m.Used));
}

}  // namespace

// Reads until the receive buffer holds at least `wanted` bytes; whatever else the socket
// has ready comes along, so that a message usually takes one system call.
int MLink::fill(std::size_t wanted, unsigned long timeout) {
  if (rxStart_ > 0 && rxStart_ + wanted > kReceiveCapacity) {
    std::memmove(rx_.get(), rx_.get() + rxStart_, rxEnd_ - rxStart_);
    rxEnd_ -= rxStart_;
    rxStart_ = 0;
  }
  while (rxEnd_ - rxStart_ < wanted) {
    const int ready = waitReadable(fd_, timeout);
    if (ready <= 0) return ready;
    const ssize_t got = ::recv(fd_, rx_.get() + rxEnd_, kReceiveCapacity - rxEnd_, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return 0;
    rxEnd_ += static_cast<std::size_t>(got);
  }
  return 1;
}

bool MLink::receive(MMsg* message, unsigned long timeout) {
  int rc = fill(4, timeout);
  if (rc <= 0)
    return fail(rc < 0 ? "Timeout waiting for the server" : "Connection closed by the server");
  const std::uint32_t n = getU32(rx_.get() + rxStart_);
  if (!validMessageLength(n) || n > static_cast<std::uint32_t>(message->Capacity))
    return fail("Message of " + std::to_string(n) + " bytes from the server rejected");
  rc = fill(4 + std::size_t{n}, timeout);
  if (rc <= 0)
    return fail(rc < 0 ? "Timeout waiting for the server" : "Connection closed by the server");
  std::memcpy(message->Buffer, rx_.get() + rxStart_ + 4, n);
  rxStart_ += 4 + std::size_t{n};
  if (rxStart_ == rxEnd_) rxStart_ = rxEnd_ = 0;
  message->Used = static_cast<long>(n);
  message->ReadPos = kHeaderSize;
  trace("recv", message->Buffer, message->Used);
  return true;
}

long MLink::Send(MMsg* message, unsigned long timeout) {
  if (message == nullptr)
    message = message_;
  if (!Connected || fd_ < 0) {
    ErrorText = "Not connected";
    return 0;
  }
  if (!sendMessage(fd_, *message)) {
    fail("Cannot send to the server: " + std::string(std::strerror(errno)));
    return 0;
  }
  for (;;) {
    if (!receive(message, timeout))
      return 0;
    if (static_cast<std::uint8_t>(message->Buffer[kPosType]) != Output)
      return 1;
    // Server output: the callback leaves the acknowledgement in the message.
    if (OnMessage) {
      OnMessage(this);
    } else {
      message->InitMessage();
      message->Buffer[kPosCode] = static_cast<char>(kAcknowledgeCode);
      message->Buffer[kPosType] = static_cast<char>(Acknowledge);
    }
    if (!sendMessage(fd_, *message)) {
      fail("Cannot send to the server: " + std::string(std::strerror(errno)));
      return 0;
    }
  }
}

void MLink::Disconnect() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  rxStart_ = rxEnd_ = 0;
  Connected = 0;
}

void MLink::FreeConnection(MConnect*) {
  Disconnect();
}
