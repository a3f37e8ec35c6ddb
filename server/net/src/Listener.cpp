#include "net/Listener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kesto::server::net {

namespace {

// Refused clients answered at once; beyond that a refused client is closed unanswered.
constexpr std::size_t kMaxRefusals = 8;

}  // namespace

int dialLoopback(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0)
    return -1;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string tooManyConnectionsText(std::size_t maxConnections) {
  return "too many connections: the server serves " + std::to_string(maxConnections) +
         " clients at once";
}

Connection::Connection(int fd, std::chrono::milliseconds stallTimeout, std::chrono::milliseconds loginTimeout)
    : fd_(fd), stallTimeout_(stallTimeout) {
  const int one = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  if (loginTimeout.count() > 0)
    loginDeadline_ = std::chrono::steady_clock::now() + loginTimeout;
}

void Connection::loggedIn() {
  loginDeadline_.reset();
}

bool Connection::waitForMessage() const {
  if (!loginDeadline_)
    return waitFor(POLLIN, std::chrono::milliseconds(0));
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*loginDeadline_ - std::chrono::steady_clock::now());
  return left.count() > 0 && waitFor(POLLIN, left);
}

Connection::~Connection() {
  ::close(fd_);
}

bool Connection::waitFor(short events, std::chrono::milliseconds timeout) const {
  const int ms = timeout.count() > 0 ? static_cast<int>(std::min<std::int64_t>(timeout.count(), 1 << 30)) : -1;
  for (;;) {
    pollfd p{fd_, events, 0};
    const int r = ::poll(&p, 1, ms);
    if (r > 0)
      return true;  // readiness, or an error the next call reports
    if (r == 0)
      return false;
    if (errno != EINTR)
      return false;
  }
}

bool Connection::peerGone() const {
  pollfd p{fd_, POLLRDHUP, 0};
  return !open_.load() || (::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)));
}

bool Connection::readExact(std::span<char> out) {
  std::size_t got = 0;
  while (got < out.size()) {
    if (got > 0 ? !waitFor(POLLIN, stallTimeout_) : !waitForMessage())
      return false;
    const ssize_t n = ::recv(fd_, out.data() + got, out.size() - got, 0);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return false;
    }
  }
  return true;
}

bool Connection::readExact(std::string& out, std::size_t n, std::size_t limit) {
  out.clear();
  if (n > limit)
    return false;
  std::size_t got = 0;
  while (got < n) {
    // Room for what may come next: doubling from 64 KiB, never beyond n.
    if (out.size() == got)
      out.resize(std::min(n, std::max<std::size_t>(got * 2, 64 * 1024)));
    if (!waitFor(POLLIN, stallTimeout_))
      break;
    const ssize_t r = ::recv(fd_, out.data() + got, out.size() - got, 0);
    if (r > 0) {
      got += static_cast<std::size_t>(r);
    } else if (r < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  if (got == n)
    return true;
  out.clear();
  out.shrink_to_fit();
  return false;
}

std::size_t Connection::readSome(std::span<char> out, bool begun) {
  if (begun ? !waitFor(POLLIN, stallTimeout_) : !waitForMessage())
    return 0;
  for (;;) {
    const ssize_t n = ::recv(fd_, out.data(), out.size(), 0);
    if (n >= 0)
      return static_cast<std::size_t>(n);
    if (errno != EINTR)
      return 0;
  }
}

bool Connection::writeAll(std::string_view bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A peer that takes nothing for the stall timeout is gone for us.
      if (!waitFor(POLLOUT, stallTimeout_))
        return false;
    } else {
      return false;
    }
  }
  return true;
}

void Connection::shutdown() {
  if (open_.exchange(false))
    ::shutdown(fd_, SHUT_RDWR);
}

Listener::Listener(Handler handler, Handler refusal)
    : handler_(std::move(handler)), refusal_(std::move(refusal)) {}

Listener::~Listener() {
  stop();
}

void Listener::start(const ListenOptions& options) {
  if (running_)
    throw NetError("listener already running on port " + std::to_string(port_));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(options.port);
  if (::inet_pton(AF_INET, options.bindAddress.c_str(), &addr.sin_addr) != 1)
    throw NetError("not an IPv4 address: " + options.bindAddress);

  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0)
    throw NetError(std::string("socket: ") + std::strerror(errno));
  const int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd, 64) != 0) {
    const std::string why = std::strerror(errno);
    ::close(fd);
    throw NetError("cannot listen on " + options.bindAddress + ":" +
                   std::to_string(options.port) + ": " + why);
  }
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  maxConnections_ = options.maxConnections;
  stallTimeout_ = options.stallTimeout;
  loginTimeout_ = options.loginTimeout;
  listenFd_ = fd;
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
  if (wakeFd_ < 0) {
    const std::string why = std::strerror(errno);
    ::close(listenFd_);
    listenFd_ = -1;
    throw NetError("eventfd: " + why);
  }
  running_ = true;
  acceptThread_ = std::thread([this] { acceptLoop(); });
}

void Listener::acceptLoop() {
  while (running_) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR)
        continue;
      std::cerr << "kestoserver: poll failed: " << std::strerror(errno) << '\n';
      break;
    }
    if (fds[1].revents != 0)
      break;
    if ((fds[0].revents & POLLIN) == 0)
      continue;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
      continue;  // the peer may have gone already
    reapFinished();
    const bool full = maxConnections_ > 0 && count(false) >= maxConnections_;
    if (full) {
      std::cerr << "kestoserver: connection refused on port " << port_ << ": " << maxConnections_
                << " connections are served already\n";
      // Closed at once when no answer can be given: the client learns it now instead of
      // waiting in the backlog.
      if (!refusal_ || count(true) >= kMaxRefusals) {
        ::close(fd);
        continue;
      }
    }
    std::lock_guard lock(mutex_);
    if (!running_) {
      ::close(fd);
      break;
    }
    startSession(fd, full);
  }
}

void Listener::startSession(int fd, bool refusal) {
  Session& s = sessions_.emplace_back();
  s.refusal = refusal;
  s.connection = std::make_unique<Connection>(fd, stallTimeout_, loginTimeout_);
  s.thread = std::thread([this, &s] {
    try {
      (s.refusal ? refusal_ : handler_)(*s.connection);
    } catch (const std::exception& e) {
      std::cerr << "kestoserver: connection ended by error: " << e.what() << '\n';
    } catch (...) {
      std::cerr << "kestoserver: connection ended by an unknown error\n";
    }
    s.connection->shutdown();
    s.done = true;
  });
}

void Listener::reapFinished() {
  std::list<Session> finished;
  {
    std::lock_guard lock(mutex_);
    for (auto it = sessions_.begin(); it != sessions_.end();) {
      auto next = std::next(it);
      if (it->done)
        finished.splice(finished.end(), sessions_, it);
      it = next;
    }
  }
  for (auto& s : finished)
    s.thread.join();
}

std::size_t Listener::count(bool refusals) const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& s : sessions_)
    n += !s.done && s.refusal == refusals ? 1 : 0;
  return n;
}

std::size_t Listener::activeConnections() const {
  return count(false);
}

void Listener::stop() {
  if (!running_.exchange(false)) {
    if (acceptThread_.joinable())
      acceptThread_.join();
    return;
  }
  const std::uint64_t one = 1;
  if (::write(wakeFd_, &one, sizeof one) < 0)
    std::cerr << "kestoserver: cannot wake the listener: " << std::strerror(errno) << '\n';
  acceptThread_.join();
  ::close(listenFd_);
  ::close(wakeFd_);
  listenFd_ = wakeFd_ = -1;

  std::list<Session> all;
  {
    std::lock_guard lock(mutex_);
    all.splice(all.end(), sessions_);
  }
  for (auto& s : all)
    s.connection->shutdown();
  for (auto& s : all)
    s.thread.join();
}

}  // namespace kesto::server::net
