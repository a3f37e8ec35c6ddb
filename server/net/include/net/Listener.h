// One TCP listener for both server protocols: binds to loopback unless told otherwise,
// runs one thread per accepted connection and hands it a Connection.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace kesto::server::net {

struct NetError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A connected socket with bounded, blocking reads and writes. All calls return false
// (never throw) when the peer went away, stalled or the connection was shut down.
class Connection {
 public:
  // stallTimeout: longest wait for the rest of a message once it has begun, and for the
  // peer to take written bytes; 0 = no limit. loginTimeout: how long the peer has to log
  // in (see loggedIn()); until then no wait for a message lasts beyond it; 0 = no limit.
  explicit Connection(int fd, std::chrono::milliseconds stallTimeout = std::chrono::milliseconds(0),
                      std::chrono::milliseconds loginTimeout = std::chrono::milliseconds(0));
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // The protocol has accepted the peer: from now on it may stay idle between messages.
  void loggedIn();

  // Reads exactly out.size() bytes. The first byte may take any time once the peer has
  // logged in (an idle client), else only until the login time is up; the others must
  // follow within the stall timeout.
  bool readExact(std::span<char> out);
  // Reads exactly n bytes into `out` when n <= limit; false (nothing read) when n > limit.
  // The body of a message: every byte within the stall timeout, and `out` grows with the
  // bytes that arrive, never ahead of them to what a header announced.
  bool readExact(std::string& out, std::size_t n, std::size_t limit);
  // Reads what comes, at most out.size() bytes; 0 at end, on error or timeout. Within a
  // message (`begun`) the wait is bounded by the stall timeout, before one as readExact's
  // first byte.
  std::size_t readSome(std::span<char> out, bool begun);
  bool writeAll(std::string_view bytes);

  // Wakes a blocked read or write on another thread; later calls fail.
  void shutdown();
  bool isOpen() const { return open_.load(); }
  int nativeHandle() const { return fd_; }
  // True when the peer has closed its side or the link failed; never blocks.
  bool peerGone() const;

 private:
  // Waits until the socket is readable (or writable); false on timeout or failure.
  bool waitFor(short events, std::chrono::milliseconds timeout) const;
  // Waits for the first byte of a message: without limit once logged in.
  bool waitForMessage() const;

  int fd_;
  std::chrono::milliseconds stallTimeout_;
  std::optional<std::chrono::steady_clock::time_point> loginDeadline_;
  std::atomic<bool> open_{true};
};

struct ListenOptions {
  std::string bindAddress = "127.0.0.1";
  std::uint16_t port = 0;  // 0 = an ephemeral port; port() tells which
  // Connections served at once; further ones get the refusal (see Listener) or are closed.
  std::size_t maxConnections = 64;
  // A client that stops in the middle of a message is dropped after this long.
  std::chrono::milliseconds stallTimeout = std::chrono::seconds(10);
  // A client that has not logged in after this long is dropped: silent peers must not
  // hold the places of real clients.
  std::chrono::milliseconds loginTimeout = std::chrono::seconds(10);
};

// A blocking socket connected to 127.0.0.1:port, or -1 (for clients and tests).
int dialLoopback(std::uint16_t port);

// The text a client refused for lack of places gets, in its protocol's form.
std::string tooManyConnectionsText(std::size_t maxConnections);

class Listener {
 public:
  using Handler = std::function<void(Connection&)>;

  // `refusal` answers a client beyond the connection cap (reads its first request and
  // says why, within the login timeout); without one such a client is just closed.
  explicit Listener(Handler handler, Handler refusal = {});
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  // Binds, listens and starts accepting; throws NetError when the address is not usable.
  void start(const ListenOptions& options = {});
  std::uint16_t port() const { return port_; }
  bool running() const { return running_.load(); }
  // Closes the listening socket and every connection, and joins all threads.
  void stop();
  // Connections whose handler has not returned yet.
  std::size_t activeConnections() const;

 private:
  struct Session {
    std::unique_ptr<Connection> connection;
    std::thread thread;
    std::atomic<bool> done{false};
    bool refusal = false;
  };

  void acceptLoop();
  void reapFinished();
  std::size_t count(bool refusals) const;
  void startSession(int fd, bool refusal);

  Handler handler_;
  Handler refusal_;
  int listenFd_ = -1;
  int wakeFd_ = -1;
  std::uint16_t port_ = 0;
  std::size_t maxConnections_ = 0;
  std::chrono::milliseconds stallTimeout_{0};
  std::chrono::milliseconds loginTimeout_{0};
  std::atomic<bool> running_{false};
  std::thread acceptThread_;
  mutable std::mutex mutex_;
  std::list<Session> sessions_;
};

}  // namespace kesto::server::net
