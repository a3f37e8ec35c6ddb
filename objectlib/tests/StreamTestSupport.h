// A connected Factory over the stream test server, and the stream objects of one row.
#pragma once

#include "StreamServer.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>
#include <automation/OleString.h>
#include <services/MessageBox.h>
#include <services/Timers.h>
#include <text/CodePage.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kesto::object::testing {

class StreamServerTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    services::setMessageBoxPort(std::make_shared<services::ScriptedMessageBox>());
    services::setTimerService(
        std::make_shared<services::TimerService>(std::make_shared<services::FakeClock>()));
    strings_ = automation::liveBstrCount();
  }
  void TearDown() override {
    row_ = automation::Dispatch();
    factory_.reset();
    server_.reset();
    EXPECT_EQ(automation::liveBstrCount(), strings_) << "leaked strings";
    services::setTimerService(nullptr);
    services::setMessageBoxPort(nullptr);
    TempRootTest::TearDown();
  }
  void start(server::objproto::ServerOptions options = {}) {
    server_ = std::make_unique<StreamServer>(options);
    factory_ = Factory::create();
    ASSERT_TRUE(factory_->Connect(text::utf8ToUtf16(server_->connectText())));
  }
  automation::Dispatch open(std::u16string_view id) {
    const Bytes bytes{reinterpret_cast<const std::uint8_t*>(id.data()), id.size() * 2};
    return automation::Dispatch(automation::ComPtr<IDispatch>::attach(
        factory_->Open(ServerLink::kOpenById, u"FRX.StreamArt", bytes, nullptr)));
  }
  // The stream of a property of row 1||01.
  automation::Dispatch stream(std::string_view property) {
    row_ = open(u"1||01");
    return automation::Dispatch(row_.get(property).dispatch());
  }
  std::vector<StreamCall> calls() { return streamCalls(server_->relay().requests()); }

  std::unique_ptr<StreamServer> server_;
  automation::ComPtr<Factory> factory_;
  automation::Dispatch row_;
  long strings_ = 0;
};

}  // namespace kesto::object::testing
