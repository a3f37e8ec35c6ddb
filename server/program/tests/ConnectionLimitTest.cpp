// Clients that connect and send nothing, or half a message, must not shut real clients out
// of either port; a client that finds no free place is told why.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "KestoServerProcess.h"
#include "net/Listener.h"
#include "MultibyteQuery.h"
#include "mlink/Frame.h"

using kesto::server::net::dialLoopback;
using kesto::testing::KestoServerProcess;

namespace {

std::string ask(std::uint16_t port) {
  return Client(port).ask();
}

// The ODBC handshake on a raw socket: the reply's return code and body.
std::pair<int, std::string> handshake(int fd) {
  const std::array<char, 16> request = {2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 'H', 'S', 1, 0};
  if (::send(fd, request.data(), request.size(), 0) != 16) return {-1, ""};
  std::array<char, 14> header{};
  if (::recv(fd, header.data(), header.size(), MSG_WAITALL) != 14) return {-1, ""};
  std::uint32_t length = 0;
  std::memcpy(&length, header.data(), 4);
  std::string body(length, '\0');
  if (length && ::recv(fd, body.data(), length, MSG_WAITALL) != static_cast<ssize_t>(length)) return {-1, ""};
  return {static_cast<unsigned char>(header[12]) | static_cast<unsigned char>(header[13]) << 8, body};
}

// Retries `probe` until it gives `want`, for at most five seconds.
template <typename Probe>
bool becomes(Probe probe, const std::string& want) {
  for (int i = 0; i < 250; ++i) {
    if (probe() == want) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace

TEST(ConnectionLimit, SilentAndHalfMessagePeersAreDroppedAndRefusedClientsToldWhy) {
  KestoServerProcess server({"--max-connections", "3", "--stall-ms", "300", "--login-ms", "400"});
  // One client logs in and then idles beyond the login time: it keeps its place.
  Client idle(server.objectPort());
  ASSERT_EQ(idle.ask(), "1");

  std::vector<int> peers;
  for (std::uint16_t port : {server.objectPort(), server.odbcPort()}) {
    const int silent = dialLoopback(port);
    const int half = dialLoopback(port);
    ASSERT_GE(silent, 0);
    ASSERT_EQ(::send(half, "\x40\0\0\0\0", 5, 0), 5);  // a length of 64 and one byte
    peers.insert(peers.end(), {silent, half});
    if (port == server.odbcPort()) {
      const int halfLength = dialLoopback(port);
      ASSERT_EQ(::send(halfLength, "\x02", 1, 0), 1);  // part of a header
      peers.push_back(halfLength);
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));

  const std::string full = "too many connections: the server serves 3 clients at once";
  EXPECT_EQ(ask(server.objectPort()), "!" + full);
  const int refused = dialLoopback(server.odbcPort());
  const auto [code, body] = handshake(refused);
  ::close(refused);
  EXPECT_EQ(code, 400);
  EXPECT_NE(body.find(full), std::string::npos) << body;

  // The stall and login limits free every place again, the peers still open.
  EXPECT_TRUE(becomes([&] { return ask(server.objectPort()); }, "1"));
  EXPECT_TRUE(becomes(
      [&] {
        const int fd = dialLoopback(server.odbcPort());
        const int c = handshake(fd).first;
        ::close(fd);
        return std::to_string(c);
      },
      "0"));
  EXPECT_EQ(idle.ask(), "1");
  for (int fd : peers) ::close(fd);
  EXPECT_EQ(server.terminate(), 0);
}
