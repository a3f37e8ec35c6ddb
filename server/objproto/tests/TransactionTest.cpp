// Concurrent clients running write transactions against one data folder.
#include "Harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace kesto::server;
using namespace kesto::server::objproto;
using namespace kesto::server::objproto::testing;

namespace {

TEST(Transactions, EightClientsSavingInTransactionsWaitForEachOther) {
  constexpr int kClients = 8;
  constexpr int kCycles = 300;
  ServerFixture server;
  std::atomic<int> failures{0};
  std::vector<std::string> firstFailure(kClients);
  std::vector<std::thread> clients;
  for (int k = 0; k < kClients; ++k) {
    clients.emplace_back([&, k] {
      Client c(server.port());
      const std::string id = k % 2 ? "1||100" : "1||200";
      for (int i = 0; i < kCycles; ++i) {
        // As the application does it: open inside the transaction, set, save, close.
        if (!c.command("TSTART").ok()) {
          if (failures++ == 0) firstFailure[k] = "TSTART";
          continue;
        }
        const Answer opened = c.request(13, t2("FRX.TestArt") + list({t2(id)}));
        std::string why = opened.ok() ? "" : "open: " + opened.status;
        if (why.empty()) {
          const std::string ref =
              t1(std::to_string(*wire::integerValue(elementsOf(opened.payload).at(0))));
          const std::string value = std::to_string(k) + "-" + std::to_string(i);
          const Answer set = c.request(3, list({t1("S"), ref, t2("Bez1"), t2(value)}));
          const Answer save = c.request(15, ref + t2("%Save") + t1("1") + list({}));
          if (!set.ok()) why = "set: " + set.status;
          else if (!save.ok() || elementsOf(save.payload).at(0).data != "1")
            why = "save: " + save.status + " " + std::string(elementsOf(save.payload).at(0).data);
          c.request(19, ref);
        }
        const Answer commit = c.command("TCOMMIT");
        if (why.empty() && !commit.ok()) why = "commit: " + commit.status;
        if (!why.empty()) {
          if (failures++ == 0) firstFailure[k] = why;
          c.command("TROLLBACK");
        }
      }
    });
  }
  for (auto& t : clients) t.join();
  std::string why;
  for (const auto& f : firstFailure) why += f;
  EXPECT_EQ(failures.load(), 0) << why;
}

}  // namespace
