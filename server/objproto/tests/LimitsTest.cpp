// Long texts and declared lengths against a real kestoserver process: the client always
// gets a readable answer that says what was wrong.
#include "Harness.h"
#include "KestoServerProcess.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/socket.h>
#include <unistd.h>

#include "net/Listener.h"

using namespace kesto::server;
using namespace kesto::server::objproto::testing;
using kesto::testing::KestoServerProcess;

namespace {

// The parameters of the first error item of a failure status.
std::vector<std::string> errorParams(const Answer& a) {
  std::vector<std::string> out;
  if (a.status.size() < 3) return out;
  wire::ListReader errors(std::string_view(a.status).substr(2));
  wire::ListReader item(errors.next().data);
  item.next();  // the code
  while (const auto p = item.tryNext()) out.push_back(textOf(*p));
  return out;
}

TEST(Limits, AnErrorAboutAVeryLongIdStaysReadable) {
  KestoServerProcess server;
  Client c(server.objectPort());
  const std::string id = "1||" + std::string(20000, '7');
  const Answer opened = c.request(13, t2("FRX.ArtHaupt1") + list({t2(id)}));
  ASSERT_TRUE(opened.sent);
  EXPECT_LT(opened.status.size(), 32767u);
  EXPECT_EQ(opened.errorCode(), 5002);
  const auto params = errorParams(opened);
  ASSERT_EQ(params.size(), 2u);
  EXPECT_EQ(params[0], "FRX.ArtHaupt1");
  EXPECT_EQ(params[1].substr(0, 10), id.substr(0, 10));
}

TEST(Limits, ATextLongerThanItsColumnIsRefusedWithTheColumnsName) {
  KestoServerProcess server;
  Client c(server.objectPort());
  const Answer opened = c.request(13, t2("FRX.ArtHaupt1") + list({t2("1||100001")}));
  ASSERT_TRUE(opened.ok());
  const std::string ref = t1(std::to_string(*wire::integerValue(elementsOf(opened.payload).at(0))));
  const Answer tooLong = c.request(3, list({t1("S"), ref, t2("AKTIV"), t2(std::string(100, 'J'))}));
  EXPECT_EQ(tooLong.errorCode(), 5017);
  EXPECT_EQ(errorParams(tooLong), (std::vector<std::string>{"AKTIV", "1"}));
  EXPECT_TRUE(c.request(3, list({t1("S"), ref, t2("AKTIV"), t2("N")})).ok());
}

TEST(Limits, ItemsThatRunPastTheMessageGetAnErrorReplyAndTheSessionGoesOn) {
  KestoServerProcess server;
  const int fd = net::dialLoopback(server.objectPort());
  const std::string lying = framed(5, 7, {"Ferrix", t1("1") + t2("Bez1")}, 60000);
  ASSERT_EQ(::send(fd, lying.data(), lying.size(), MSG_NOSIGNAL), static_cast<ssize_t>(lying.size()));
  const auto reply = readFramed(fd);
  ASSERT_TRUE(reply.has_value()) << "the connection was ended";
  EXPECT_EQ(reply->substr(58, 2), "0 ");
  const std::string fine = framed(17, 2, {"Ferrix", "=$TL"});
  ASSERT_EQ(::send(fd, fine.data(), fine.size(), MSG_NOSIGNAL), static_cast<ssize_t>(fine.size()));
  const auto next = readFramed(fd);
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->substr(58, 1), "0");  // transaction level 0
  ::close(fd);
}

}  // namespace
