// What the application does, through IDispatch only, with the library loaded by ProgID.
#include "ServerFixture.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>

#include <automation/Activation.h>
#include <automation/Dispatch.h>
#include <services/MessageBox.h>
#include <services/Timers.h>

#include <gmock/gmock.h>

#include <cstdlib>

using namespace kesto::automation;
using kesto::server::objproto::ServerOptions;

namespace {

class FactoryTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    const std::string command = std::string(KESTOREGSVR) + " " + KESTOOBJECT + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    boxes_ = std::make_shared<kesto::services::ScriptedMessageBox>();
    kesto::services::setMessageBoxPort(boxes_);
    clock_ = std::make_shared<kesto::services::FakeClock>();
    kesto::services::setTimerService(std::make_shared<kesto::services::TimerService>(clock_));
  }
  void TearDown() override {
    kesto::services::setTimerService(nullptr);
    kesto::services::setMessageBoxPort(nullptr);
    TempRootTest::TearDown();
  }
  // Through the registry and the shared library, as the application makes it.
  static Dispatch created() { return Dispatch::create("KestoObject.Factory"); }
  // Made in this process, so that it shares the test's message boxes and timers (the
  // shared library holds its own copies of those services).
  static Dispatch inProcess() { return Dispatch(kesto::object::Factory::create()); }
  Dispatch connected(const DemoServer& server, bool shared = false) {
    Dispatch factory = shared ? created() : inProcess();
    EXPECT_TRUE(factory.call("Connect", server.address() + ":Ferrix").toBool());
    return factory;
  }
  std::shared_ptr<kesto::services::ScriptedMessageBox> boxes_;
  std::shared_ptr<kesto::services::FakeClock> clock_;
};

TEST_F(FactoryTest, TheApplicationsRoundTrip) {
  DemoServer server;
  Dispatch factory = connected(server, true);
  EXPECT_FALSE(factory.call("IsMultibyte").toBool());
  {
    Dispatch article(factory.call("OpenId", "FRX.ArtHaupt1", "1||100030").dispatch());
    EXPECT_FALSE(article.get("Bez1").toString().empty());
    EXPECT_FALSE(article.call("Bez1LogicalToODBC", article.get("Bez1")).toString().empty());
    article.call("SYS_Close");
  }
  {
    Dispatch windows(factory.call("Static", "FRX.Windows").dispatch());
    EXPECT_THAT(windows.call("Xecute", "d UGRP^FRXCLSU(1)").toUtf8(),
                ::testing::StartsWith("11`Zement & M\xC3\xB6rtel"));
  }
  {
    Dispatch param(factory.call("OpenId", "FRX.ParAnwPar", "1||PLAKAT||GRUNDPREIS").dispatch());
    param.put("Parameter", "0");
    EXPECT_EQ(param.call("sys_save").toInt32(), 1);
    param.call("SYS_Close");
  }
  EXPECT_TRUE(factory.call("Disconnect").toBool());
}

TEST_F(FactoryTest, DeferredWritesGoAfterTwoSecondsOrBeforeTheNextRequest) {
  DemoServer server;
  Dispatch factory = connected(server);
  Dispatch param(factory.call("OpenId", "FRX.ParAnwPar", "1||PLAKAT||DOPPEL").dispatch());
  param.put("Parameter", "7");
  param.put("Beschreibung", "neu");
  Dispatch other(factory.call("OpenId", "FRX.ParAnwPar", "1||PLAKAT||DOPPEL").dispatch());
  EXPECT_EQ(other.get("Parameter").toUtf8(), "7");  // sent before the read
  param.put("Parameter", "8");
  clock_->advance(std::chrono::milliseconds(1999));
  kesto::services::timers().runDue();
  EXPECT_EQ(kesto::services::timers().activeCount(), 1u);  // not yet sent
  clock_->advance(std::chrono::milliseconds(1));
  kesto::services::timers().runDue();
  EXPECT_EQ(kesto::services::timers().activeCount(), 0u);  // sent by the timer
  EXPECT_EQ(other.get("Parameter").toUtf8(), "8");
  param.call("SYS_Close");
  other.call("SYS_Close");
}

TEST_F(FactoryTest, DisconnectWithALiveProxyShowsTheBoxAndKeepsTheConnection) {
  DemoServer server;
  Dispatch factory = connected(server);
  Dispatch article(factory.call("OpenId", "FRX.ArtHaupt1", "1||100030").dispatch());
  Dispatch again(factory.call("OpenId", "FRX.ArtHaupt1", "1||100030").dispatch());
  EXPECT_EQ(article.object(), again.object());
  EXPECT_FALSE(factory.call("Disconnect").toBool());
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_THAT(boxes_->shown()[0].text, ::testing::HasSubstr("FRX.ArtHaupt1"));
  EXPECT_FALSE(factory.call("Connect", server.address() + ":Ferrix").toBool());
  EXPECT_TRUE(factory.call("IsConnected").toBool());
}

TEST_F(FactoryTest, NotConnectedAndServerErrorsRaiseTheirTexts) {
  DemoServer server;
  Dispatch factory = inProcess();
  EXPECT_FALSE(factory.call("IsMultibyte").toBool());
  try {
    factory.call("New", "FRX.ArtHaupt1");
    ADD_FAILURE();
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 9991);
    EXPECT_EQ(e.description, "Factory.New FRX.ArtHaupt1  Factory not connected to server");
  }
  factory = connected(server);
  try {
    factory.call("OpenId", "FRX.ArtHaupt1", "1||999999");
    ADD_FAILURE();
  } catch (const DispatchException& e) {
    EXPECT_THAT(e.description, ::testing::StartsWith("Failure to create FRX.ArtHaupt1. "));
  }
  EXPECT_EQ(factory.call("GetLastErrorCount").toInt32(), 1);
  EXPECT_GT(factory.call("GetLastErrorNumber").toInt32(), 0);
  ASSERT_EQ(factory.call("GetLastErrorParamCount").toInt32(), 2);
  EXPECT_THAT((std::vector<std::string>{factory.call("GetLastErrorParam", 1, 1).toUtf8(),
                                        factory.call("GetLastErrorParam", 1, 2).toUtf8()}),
              ::testing::Contains("1||999999"));
  EXPECT_EQ(factory.call("GetLastErrorNumber", 5).toInt32(), 0);
  EXPECT_EQ(factory.call("GetErrorText", 5001, "X", Arg::missing(), "Z").toUtf8(),
            "Klasse 'X' ist nicht bekannt");
}

TEST_F(FactoryTest, ServerDownShowsOneBoxAndSendsNothing) {
  Dispatch factory = inProcess();
  EXPECT_FALSE(factory.call("Connect", "cn_iptcp:127.0.0.1[1]:Ferrix").toBool());
  EXPECT_TRUE(boxes_->shown().empty());  // a failed connect is no request
  try {
    factory.call("Static", "FRX.Windows");
    ADD_FAILURE();
  } catch (const DispatchException& e) {
    EXPECT_THAT(e.description, ::testing::HasSubstr("Failure to create FRX.Windows."));
  }
  ASSERT_EQ(boxes_->shown().size(), 1u);
  EXPECT_EQ(boxes_->shown()[0].text, "Send to Server failed");
}

}  // namespace
