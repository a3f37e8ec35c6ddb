#include "mlink/Frame.h"
#include "mlink/MLink.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace kesto::mlink;

namespace {

// A one-connection peer on an ephemeral loopback port running a script.
class Peer {
 public:
  explicit Peer(std::function<void(int)> script) {
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listen_, 1);
    socklen_t len = sizeof addr;
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this, script] {
      const int fd = ::accept(listen_, nullptr, nullptr);
      if (fd >= 0) {
        script(fd);
        ::close(fd);
      }
    });
  }
  ~Peer() {
    thread_.join();
    ::close(listen_);
  }
  std::string connectText() const { return "cn_iptcp:127.0.0.1[" + std::to_string(port_) + "]"; }

  static std::string readMessage(int fd) {
    char prefix[4];
    if (::recv(fd, prefix, 4, MSG_WAITALL) != 4)
      return "";
    std::string m(getU32(prefix), '\0');
    if (::recv(fd, m.data(), m.size(), MSG_WAITALL) != static_cast<ssize_t>(m.size()))
      return "";
    return m;
  }
  static void writeMessage(int fd, const std::string& message) {
    const std::string frame = tcpFrame(message);
    ::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL);
  }

 private:
  int listen_;
  std::uint16_t port_ = 0;
  std::thread thread_;
};

std::string reply(const std::string& status, const std::string& payload) {
  std::string m = makeHeader(17, Reply);
  appendItem(m, status);
  appendItem(m, payload);
  return m;
}

std::string output(const std::string& text) {
  std::string m = makeHeader(0, Output);
  for (const char* item : {"Ferrix", "1", "W", "|TCP|", "0"})
    appendItem(m, item);
  appendItem(m, text);
  return m;
}

}  // namespace

TEST(MLink, ConnectTextsThatAreNotUnderstoodFail) {
  MMsg m(65537);
  MLink link(nullptr, &m);
  for (const char* text : {"", "cn_loop:x", "cn_iptcp:host", "cn_iptcp:host[12a]",
                           "cn_iptcp:[1973]", "cn_iptcp:host[1973]:Ferrix"}) {
    EXPECT_EQ(link.Connect(text, nullptr), 0) << text;
    EXPECT_FALSE(link.ErrorText.empty());
    EXPECT_EQ(link.Connected, 0);
  }
  EXPECT_EQ(link.Connect(nullptr, nullptr), 0);
}

TEST(MLink, SendAnswersServerOutputBeforeTheReply) {
  std::vector<std::string> seen;
  Peer peer([&](int fd) {
    seen.push_back(Peer::readMessage(fd));  // request
    Peer::writeMessage(fd, output("first"));
    seen.push_back(Peer::readMessage(fd));  // ack
    Peer::writeMessage(fd, output("second"));
    seen.push_back(Peer::readMessage(fd));  // ack
    Peer::writeMessage(fd, reply("1", "payload"));
  });
  MMsg m(65537);
  MLink link(nullptr, &m);
  std::vector<std::string> texts;
  link.OnMessage = [&](MLink* l) {
    short n = 0;
    char item[32768];
    for (int i = 0; i < 6; ++i)
      m.RetrieveDataFromMessage(&n, item, 32767);
    texts.emplace_back(item, static_cast<std::size_t>(n));
    m.InitMessage();
    m.Buffer[kPosCode] = 21;
    m.Buffer[kPosType] = 6;
    return 1;
  };
  ASSERT_EQ(link.Connect(peer.connectText().c_str(), nullptr), 1) << link.ErrorText;
  m.InitMessage();
  m.Buffer[kPosCode] = 17;
  m.Buffer[kPosType] = 1;
  m.Buffer[kPosKind] = 2;
  m.AppendDataToMessage("Ferrix", 6);
  m.AppendDataToMessage("TSTART", 6);
  ASSERT_GT(link.Send(&m, 0xFFFFFFFFul), 0) << link.ErrorText;

  EXPECT_EQ(texts, (std::vector<std::string>{"first", "second"}));
  short n = 0;
  char status[8];
  ASSERT_EQ(m.RetrieveDataFromMessage(&n, status, 8), 1);
  EXPECT_EQ(std::string(status, n), "1");
  link.Disconnect();

  ASSERT_EQ(seen.size(), 3u);
  ItemReader request(seen[0]);
  EXPECT_EQ(request.next(), "Ferrix");
  EXPECT_EQ(request.next(), "TSTART");
  EXPECT_EQ(seen[0][kPosKind], 2);
  for (int i : {1, 2}) {
    EXPECT_EQ(seen[i].size(), kHeaderSize);
    EXPECT_EQ(seen[i][kPosCode], 21);
    EXPECT_EQ(seen[i][kPosType], 6);
  }
}

TEST(MLink, MessagesSplitOrJoinedOnTheWireArriveWhole) {
  Peer peer([](int fd) {
    // A reply trickling in byte by byte.
    Peer::readMessage(fd);
    const std::string first = tcpFrame(reply("1", "eins"));
    for (char c : first) {
      ::send(fd, &c, 1, MSG_NOSIGNAL);
      std::this_thread::yield();
    }
    // Output and a reply in one segment: the reply waits in the link until the output's
    // acknowledgement is sent.
    Peer::readMessage(fd);
    const std::string joined = tcpFrame(output("Zeile")) + tcpFrame(reply("1", "zwei"));
    ::send(fd, joined.data(), joined.size(), MSG_NOSIGNAL);
    Peer::readMessage(fd);  // the acknowledgement
  });
  MMsg message(65537);
  MLink link(nullptr, &message);
  int outputs = 0;
  link.OnMessage = [&](MLink*) {
    ++outputs;
    message.InitMessage();
    message.Buffer[kPosType] = static_cast<char>(Acknowledge);
    return 1;
  };
  ASSERT_EQ(link.Connect(peer.connectText().c_str(), nullptr), 1);
  for (const char* expected : {"eins", "zwei"}) {
    message.InitMessage();
    message.AppendDataToMessage("Ferrix", 6);
    ASSERT_GT(link.Send(&message, 0xFFFFFFFFul), 0) << link.ErrorText;
    short length = 0;
    char item[16];
    ASSERT_EQ(message.RetrieveDataFromMessage(&length, item, sizeof item), 1);
    ASSERT_EQ(message.RetrieveDataFromMessage(&length, item, sizeof item), 1);
    EXPECT_EQ(std::string(item, static_cast<std::size_t>(length)), expected);
  }
  EXPECT_EQ(outputs, 1);
  link.Disconnect();
}

TEST(MLink, OversizedOrMissingRepliesFailTheSend) {
  struct Case {
    const char* name;
    std::function<void(int)> script;
  } cases[] = {
      {"oversized", [](int fd) {
         Peer::readMessage(fd);
         char prefix[4];
         putU32(prefix, 70000);
         ::send(fd, prefix, 4, MSG_NOSIGNAL);
       }},
      {"too short", [](int fd) {
         Peer::readMessage(fd);
         Peer::writeMessage(fd, std::string(10, '\0'));
       }},
      {"closed", [](int fd) { Peer::readMessage(fd); }},
  };
  for (auto& c : cases) {
    Peer peer(c.script);
    MMsg m(65537);
    MLink link(nullptr, &m);
    ASSERT_EQ(link.Connect(peer.connectText().c_str(), nullptr), 1);
    m.InitMessage();
    EXPECT_LE(link.Send(&m, 0xFFFFFFFFul), 0) << c.name;
    EXPECT_EQ(link.Connected, 0) << c.name;
    EXPECT_FALSE(link.ErrorText.empty()) << c.name;
  }
}

TEST(MLink, RefusedConnectionReportsItsCause) {
  int port;
  {
    Peer peer([](int) {});
    port = std::stoi(peer.connectText().substr(19));
    MMsg m(65537);
    MLink link(nullptr, &m);
    link.Connect(peer.connectText().c_str(), nullptr);  // let the peer finish
  }
  MMsg m(65537);
  MLink link(nullptr, &m);
  const std::string text = "cn_iptcp:127.0.0.1[" + std::to_string(port) + "]";
  EXPECT_EQ(link.Connect(text.c_str(), nullptr), 0);
  EXPECT_NE(link.ErrorText.find("Cannot connect"), std::string::npos);
  EXPECT_LE(link.Send(&m, 0xFFFFFFFFul), 0);
}

TEST(qntlog, KeepsTheMask) {
  qntlog::SetMask(0);
  EXPECT_EQ(qntlog::Mask(), 0);
}
