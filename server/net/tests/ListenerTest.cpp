#include "net/Listener.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

using namespace kesto::server::net;

namespace {

std::string roundTrip(int fd, const std::string& text) {
  if (::send(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
    return "";
  std::string got(text.size(), '\0');
  std::size_t n = 0;
  while (n < got.size()) {
    const ssize_t r = ::recv(fd, got.data() + n, got.size() - n, 0);
    if (r <= 0)
      return "";
    n += static_cast<std::size_t>(r);
  }
  return got;
}

// Echoes lines of four bytes until the peer goes.
void echo(Connection& c) {
  char buf[4];
  while (c.readExact(buf))
    if (!c.writeAll(std::string_view(buf, 4)))
      return;
}

}  // namespace

TEST(Listener, ServesOnAnEphemeralLoopbackPort) {
  Listener listener(echo);
  listener.start();
  ASSERT_NE(listener.port(), 0);
  const int a = dialLoopback(listener.port());
  const int b = dialLoopback(listener.port());
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_EQ(roundTrip(a, "abcd"), "abcd");
  EXPECT_EQ(roundTrip(b, "wxyz"), "wxyz");
  ::close(a);
  ::close(b);
  listener.stop();
  EXPECT_FALSE(listener.running());
  EXPECT_LT(dialLoopback(listener.port()), 0);
}

TEST(Listener, AClientThatDropsMidRequestLeavesOthersServed) {
  Listener listener(echo);
  listener.start();
  const int dropper = dialLoopback(listener.port());
  ASSERT_EQ(::send(dropper, "ab", 2, 0), 2);  // half a request
  ::close(dropper);
  const int other = dialLoopback(listener.port());
  EXPECT_EQ(roundTrip(other, "1234"), "1234");
  ::close(other);
}

TEST(Listener, StopWakesBlockedHandlersAndJoinsThem) {
  std::promise<void> entered;
  std::atomic<bool> readFailed{false};
  Listener listener([&](Connection& c) {
    entered.set_value();
    char buf[1];
    readFailed = !c.readExact(buf);
  });
  listener.start();
  const int fd = dialLoopback(listener.port());
  entered.get_future().wait();
  EXPECT_EQ(listener.activeConnections(), 1u);
  listener.stop();
  EXPECT_TRUE(readFailed);
  ::close(fd);
}

TEST(Listener, AHandlerThatThrowsEndsOnlyItsConnection) {
  Listener listener([](Connection& c) {
    char buf[4];
    if (!c.readExact(buf))
      return;
    if (buf[0] == '!')
      throw std::runtime_error("boom");
    c.writeAll(std::string_view(buf, 4));
  });
  listener.start();
  const int bad = dialLoopback(listener.port());
  EXPECT_EQ(roundTrip(bad, "!bad"), "");
  ::close(bad);
  const int good = dialLoopback(listener.port());
  EXPECT_EQ(roundTrip(good, "good"), "good");
  ::close(good);
}

TEST(Connection, BoundedReadRefusesMoreThanItsLimit) {
  std::promise<std::pair<bool, bool>> result;
  Listener listener([&](Connection& c) {
    std::string out;
    const bool tooLong = c.readExact(out, 10, 4);
    const bool fits = c.readExact(out, 3, 4);
    result.set_value({tooLong, fits && out == "xyz"});
  });
  listener.start();
  const int fd = dialLoopback(listener.port());
  ASSERT_EQ(::send(fd, "xyz", 3, 0), 3);
  const auto [tooLong, fits] = result.get_future().get();
  EXPECT_FALSE(tooLong);
  EXPECT_TRUE(fits);
  ::close(fd);
}

TEST(Connection, AMessageThatStallsMidwayIsGivenUp) {
  std::promise<std::pair<bool, bool>> result;
  Listener listener([&](Connection& c) {
    char header[4];
    std::string body;
    const bool headerRead = c.readExact(header);
    // Announced 1 MiB, of which 10 bytes come.
    const bool bodyRead = c.readExact(body, 1 << 20, 1 << 26);
    result.set_value({headerRead, bodyRead});
  });
  ListenOptions options;
  options.stallTimeout = std::chrono::milliseconds(200);
  listener.start(options);
  const int fd = dialLoopback(listener.port());
  ASSERT_EQ(::send(fd, "HEAD0123456789", 14, 0), 14);
  auto done = result.get_future();
  ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the stalled read never ended";
  const auto [headerRead, bodyRead] = done.get();
  EXPECT_TRUE(headerRead);
  EXPECT_FALSE(bodyRead);
  ::close(fd);
}

TEST(Connection, AnIdleClientIsNotAStall) {
  std::promise<bool> result;
  Listener listener([&](Connection& c) {
    char line[4];
    result.set_value(c.readExact(line) && std::string_view(line, 4) == "late");
  });
  ListenOptions options;
  options.stallTimeout = std::chrono::milliseconds(50);
  listener.start(options);
  const int fd = dialLoopback(listener.port());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(::send(fd, "late", 4, 0), 4);
  EXPECT_TRUE(result.get_future().get());
  ::close(fd);
}

TEST(Listener, ConnectionsBeyondTheCapAreClosedAtOnce) {
  ListenOptions options;
  options.maxConnections = 2;
  Listener listener(echo);
  listener.start(options);
  const int first = dialLoopback(listener.port());
  const int second = dialLoopback(listener.port());
  ASSERT_EQ(roundTrip(first, "eins"), "eins");
  ASSERT_EQ(roundTrip(second, "zwei"), "zwei");
  const int third = dialLoopback(listener.port());
  char c = 0;
  EXPECT_EQ(::recv(third, &c, 1, 0), 0) << "the third connection is closed";
  ::close(third);
  ::close(first);
  // A place is free again once a served connection has ended.
  int fourth = -1;
  for (int i = 0; i < 100; ++i) {
    fourth = dialLoopback(listener.port());
    if (roundTrip(fourth, "vier") == "vier")
      break;
    ::close(fourth);
    fourth = -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_NE(fourth, -1);
  if (fourth >= 0)
    ::close(fourth);
  ::close(second);
}

TEST(Connection, APeerThatDoesNotLogInIsDroppedAndOneThatDidMayIdle) {
  std::promise<bool> silent, idle;
  std::atomic<int> served{0};
  Listener listener([&](Connection& c) {
    char buf[4];
    if (served++ == 0) {
      silent.set_value(c.readExact(buf));
      return;
    }
    c.loggedIn();
    idle.set_value(c.readExact(buf));
  });
  ListenOptions options;
  options.loginTimeout = std::chrono::milliseconds(100);
  listener.start(options);
  const int first = dialLoopback(listener.port());
  auto dropped = silent.get_future();
  ASSERT_EQ(dropped.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the silent peer was kept";
  EXPECT_FALSE(dropped.get());
  const int second = dialLoopback(listener.port());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(::send(second, "late", 4, 0), 4);
  EXPECT_TRUE(idle.get_future().get());
  ::close(first);
  ::close(second);
}

TEST(Listener, AClientBeyondTheCapGetsTheRefusal) {
  ListenOptions options;
  options.maxConnections = 1;
  Listener listener(echo, [](Connection& c) {
    char buf[4];
    if (c.readExact(buf))
      c.writeAll("full");
  });
  listener.start(options);
  const int first = dialLoopback(listener.port());
  ASSERT_EQ(roundTrip(first, "eins"), "eins");
  const int second = dialLoopback(listener.port());
  EXPECT_EQ(roundTrip(second, "zwei"), "full");
  EXPECT_EQ(listener.activeConnections(), 1u);
  ::close(second);
  ::close(first);
}

TEST(Listener, UnusableAddressesAreReported) {
  Listener listener(echo);
  EXPECT_THROW(listener.start({"not-an-address", 0}), NetError);
  listener.start();
  Listener second(echo);
  EXPECT_THROW(second.start({"127.0.0.1", listener.port()}), NetError);
}
