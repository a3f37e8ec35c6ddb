// A query that would run for ever stops when its client goes or the server stops, and a
// value that would take the server's memory is refused, in a real kestoserver process.
#include "Harness.h"
#include "KestoServerProcess.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "net/Listener.h"

using namespace kesto::server;
using namespace kesto::server::objproto::testing;
using kesto::testing::KestoServerProcess;

namespace {

const std::string kEndless =
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT count(*) FROM n";

// A class method of "%DynamicQuery" as a raw frame on a plain socket.
bool send(int fd, const std::string& method, std::initializer_list<std::string> args) {
  const std::string message = framed(17, 7, {"Ferrix", t2("%DynamicQuery") + t2(method) + t1("1") + list(args)});
  return ::send(fd, message.data(), message.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(message.size());
}

bool readReply(int fd) {
  return readFramed(fd).has_value();
}

// Starts the endless query on a new connection (handle "D1" of its session) and returns
// the socket while the server works on it.
int startEndless(std::uint16_t port) {
  const int fd = net::dialLoopback(port);
  EXPECT_TRUE(send(fd, "SQLPrepare", {t1(""), t2(kEndless)}) && readReply(fd));
  EXPECT_TRUE(send(fd, "SQLExecute", {t1("D1")}) && readReply(fd));
  EXPECT_TRUE(send(fd, "SQLFetchRows", {t1("D1"), t1("0"), t1(""), t1(""), t1("")}));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return fd;
}

TEST(RunawayQuery, StopsWhenItsClientGoes) {
  KestoServerProcess server({"--max-connections", "1"});
  ::close(startEndless(server.objectPort()));
  // The one place is free again once the statement has stopped.
  bool served = false;
  for (int i = 0; i < 250 && !served; ++i) {
    Client c(server.objectPort());
    served = c.command("=$ZBITGET($ZVERSION(0),1)").ok();
    if (!served) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(served);
  EXPECT_EQ(server.terminate(), 0);
}

TEST(RunawayQuery, ServerStopsOnSigtermWhileItRuns) {
  KestoServerProcess server;
  const int fd = startEndless(server.objectPort());
  EXPECT_EQ(server.terminate(10000), 0) << "the server did not stop";
  ::close(fd);
}

TEST(RunawayQuery, ValuesStayBelowTheCap) {
  KestoServerProcess server({"--max-value-mb", "1"});
  Client c(server.objectPort());
  // The first cell of the first batch, or the failure text after "!".
  const auto first = [&](const std::string& sql) -> std::string {
    const Answer prepared = c.request(17, t2("%DynamicQuery") + t2("SQLPrepare") + t1("1") + list({t1(""), t2(sql)}));
    const std::string handle(elementsOf(elementsOf(prepared.payload).at(1).data).at(0).data);
    c.request(17, t2("%DynamicQuery") + t2("SQLExecute") + t1("1") + list({t1(handle)}));
    const Answer fetched = c.request(17, t2("%DynamicQuery") + t2("SQLFetchRows") + t1("1") +
                                             list({t1(handle), t1("0"), t1(""), t1(""), t1("")}));
    const auto reply = elementsOf(fetched.payload);
    const std::string status(reply.at(0).data);
    if (status.substr(0, 2) == "0 ") {
      wire::ListReader errors(std::string_view(status).substr(2));
      wire::ListReader item(errors.next().data);
      item.next();  // the code
      return "!" + textOf(item.next());
    }
    const auto cell = elementsOf(elementsOf(reply.at(1).data).at(2).data).at(0);
    return cell.raw == std::string("\x02\x01", 2) ? "<null>" : std::to_string(textOf(cell).size());
  };
  // SQLite's printf answers null past the cap instead of building a gigabyte.
  EXPECT_EQ(first("SELECT printf('%.*c', 1000000000, 'x')"), "<null>");
  EXPECT_EQ(first("SELECT length(replace(printf('%.*c', 1000, 'x'), 'x', 'yy'))"), "4");
  EXPECT_EQ(first("SELECT replace(printf('%.*c', 1000000, 'x'), 'x', 'yy')"), "!string or blob too big");
}

}  // namespace
