// The server goes away under a connected Factory: what the caller sees afterwards.
#include "ServerFixture.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>
#include <services/MessageBox.h>

#include <gmock/gmock.h>

using namespace kesto::automation;

namespace {

class LostLinkTest : public TempRootBoxesTest {
 protected:
  // The text a call raised; empty when it did not raise.
  static std::string raised(const std::function<void()>& call) {
    try {
      call();
    } catch (const DispatchException& e) {
      return e.description.empty() ? "<empty>" : e.description;
    }
    return {};
  }
};

TEST_F(LostLinkTest, NotConnectedAfterwardsOneClearTextOneBoxAndAReconnect) {
  DemoServer server;
  Dispatch factory(kesto::object::Factory::create());
  const std::string address = server.address() + ":Ferrix";
  ASSERT_TRUE(factory.call("Connect", address).toBool());
  std::vector<Dispatch> articles;
  for (const char* id : {"1||100001", "1||100002", "1||100003"})
    articles.emplace_back(factory.call("OpenId", "FRX.ArtHaupt1", id).dispatch());
  EXPECT_EQ(articles[0].get("Bez1").toUtf8(), "Zement CEM II 42,5");

  server.kill();
  // The first request meets the broken link: it says so, and so does every later one.
  const std::string first = raised([&] { articles[0].get("Bez1"); });
  EXPECT_THAT(first, ::testing::HasSubstr("Factory not connected to server"));
  EXPECT_FALSE(factory.call("IsConnected").toBool());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(raised([&] { articles[1].get("Bez2"); }), first);
    EXPECT_EQ(raised([&] { articles[2].call("sys_Save"); }), first);
  }
  EXPECT_THAT(raised([&] { factory.call("OpenId", "FRX.ArtHaupt1", "1||100004"); }),
              ::testing::HasSubstr(first));
  articles.pop_back();  // a release on the lost link raises nothing and shows nothing new
  EXPECT_LE(boxes_->shown().size(), 1u);

  // A restarted server is reached again; the proxies of the dead connection only fail.
  server.restart();
  ASSERT_TRUE(factory.call("Connect", address).toBool());
  EXPECT_TRUE(factory.call("IsConnected").toBool());
  Dispatch again(factory.call("OpenId", "FRX.ArtHaupt1", "1||100005").dispatch());
  EXPECT_EQ(again.get("Bez1").toUtf8(), "Holzlasur Eiche");
  EXPECT_EQ(raised([&] { articles[0].get("Bez1"); }), first);
  EXPECT_EQ(raised([&] { articles[1].put("Bez1", "x"); }), first);
  articles.clear();
  EXPECT_EQ(again.get("Bez1").toUtf8(), "Holzlasur Eiche");
  EXPECT_LE(boxes_->shown().size(), 1u);
  for (const auto& box : boxes_->shown()) EXPECT_EQ(box.text, "Send to Server failed");
  again.call("SYS_Close");
  again = Dispatch();
  EXPECT_TRUE(factory.call("Disconnect").toBool());
}

}  // namespace
