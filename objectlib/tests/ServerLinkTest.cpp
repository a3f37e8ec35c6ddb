#include "ServerFixture.h"
#include "TempRoot.h"

#include <kestoobject/ListReaders.h>
#include <kestoobject/ServerLink.h>

#include <mlink/Frame.h>
#include <services/MessageBox.h>

#include <gmock/gmock.h>

using namespace kesto::object;
using kesto::server::objproto::ServerOptions;

namespace {

class ServerLinkTest : public TempRootBoxesTest {
 protected:
  void connect(ServerLink& link, const DemoServer& server) {
    link.SetNamespace("Ferrix");
    ASSERT_EQ(link.Connect(server.address()), 1);
  }
};

std::string lastError() { return moduleState().LastErrorText; }

struct RecordingSink : OutputSink {
  void OutputCallback(std::u16string_view text) override { texts.emplace_back(text); }
  std::vector<std::u16string> texts;
};

TEST_F(ServerLinkTest, ARequestWhileTheLinkIsDownShowsOneBoxAndSendsNothing) {
  ServerLink link;
  ListBuilder body;
  body.number(1).wide(u"Bez1");
  EXPECT_EQ(link.Request(ServerLink::kGetProperty, body), 0);
  const auto shown = boxes_->shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Send to Server failed");
  EXPECT_EQ(shown[0].flags, MB_ICONSTOP | MB_TASKMODAL);
  EXPECT_EQ(link.Message().Buffer[5], 0);  // no request was even written
}

TEST_F(ServerLinkTest, AServerErrorBecomesTheLastErrorWithItsText) {
  DemoServer server;
  ServerLink link;
  connect(link, server);
  ListBuilder inner;
  inner.wide(u"1||999999");
  long ref = 0;
  std::u16string cls;
  EXPECT_EQ(link.OpenObject(u"FRX.ArtHaupt1", inner, ServerLink::kOpenById, ref, cls), -1);
  EXPECT_EQ(moduleState().LastErrorCode, kErrorServer);
  EXPECT_THAT(lastError(), ::testing::HasSubstr("1||999999"));
  EXPECT_FALSE(moduleState().ServerErrors.empty());
}

TEST_F(ServerLinkTest, AnErrorListOfThreeItemsFetchesThreeTextsAndJoinsThem) {
  DemoServer server;
  ServerLink link;
  connect(link, server);
  ListBuilder errors;
  for (const char16_t* name : {u"A", u"B", u"C"}) {
    ListBuilder item;
    item.narrow(std::string_view("5001")).wide(name);
    errors.list(item);
  }
  std::string status = "0 ";
  status.append(reinterpret_cast<const char*>(errors.bytes().data()), errors.size());
  ListBuilder payload;
  payload.narrow(status);
  EXPECT_EQ(link.CheckMethodStatus(payload.bytes()), 0);
  EXPECT_EQ(lastError(),
            "Klasse 'A' ist nicht bekannt\nKlasse 'B' ist nicht bekannt\n"
            "Klasse 'C' ist nicht bekannt");
  EXPECT_EQ(moduleState().LastErrorCode, kErrorServer);
  const auto stored = moduleState().ServerErrors;
  EXPECT_EQ(std::vector<std::uint8_t>(errors.bytes().begin(), errors.bytes().end()), stored);

  ListBuilder good;
  good.narrow(std::string_view("1"));
  EXPECT_EQ(link.CheckMethodStatus(good.bytes()), 1);
}

TEST_F(ServerLinkTest, AnOversizedBodyFailsWithAClearTextAndIsNotSent) {
  DemoServer server;
  ServerLink link;
  connect(link, server);
  ListBuilder small(8);
  small.narrow(std::string_view("0123456789"));  // does not fit 8 bytes
  EXPECT_FALSE(small.ok());
  EXPECT_FALSE(link.Exchange(ServerLink::kGetProperty, small));
  EXPECT_EQ(lastError(), "Request too large");
  EXPECT_EQ(moduleState().LastErrorCode, kErrorClient);

  ListBuilder huge(70000);
  huge.narrow(std::string(65534, 'x'));
  ASSERT_TRUE(huge.ok());
  EXPECT_EQ(link.Request(ServerLink::kGetProperty, huge), 0);
  EXPECT_EQ(lastError(), "Request too large");
  std::int16_t level = -1;
  EXPECT_EQ(link.TransactionLevel(level), 1);  // the session goes on
  EXPECT_EQ(level, 0);
}

TEST_F(ServerLinkTest, ADroppedConnectionFailsTheRequestWithoutAHang) {
  ServerOptions options;
  options.dropAtRequest = 2;
  DemoServer server(options);
  ServerLink link;
  connect(link, server);
  std::uint32_t unicode = 0;
  ASSERT_EQ(link.QueryMultibyte(unicode), 1);
  EXPECT_EQ(unicode, 1u);
  EXPECT_FALSE(link.GetPropertyValue(1, u"Bez1"));
  EXPECT_THAT(lastError(), ::testing::StartsWith("\nFactory not connected to server\n"));
  EXPECT_FALSE(link.IsConnected());
  EXPECT_TRUE(boxes_->shown().empty());
}

TEST_F(ServerLinkTest, CommandTextsAnswerAndOnlyTransactionStartFailsWithoutABox) {
  DemoServer server;
  ServerLink link;
  connect(link, server);
  EXPECT_EQ(link.TransactionStart(), 1);
  std::int16_t level = 0;
  EXPECT_EQ(link.TransactionLevel(level), 1);
  EXPECT_EQ(level, 1);
  EXPECT_EQ(link.TransactionRollBack(), 1);
  EXPECT_EQ(link.PurgeQueries(), 1);

  link.Link().Disconnect();  // the link stays "connected" to the caller only through Send
  link.Link().Connected = 1;
  EXPECT_EQ(link.TransactionStart(), 0);
  EXPECT_TRUE(boxes_->shown().empty());
  EXPECT_EQ(link.TransactionCommit(), 0);
  EXPECT_EQ(boxes_->shown().size(), 1u);
  EXPECT_FALSE(lastError().empty());
}

TEST_F(ServerLinkTest, AnEightBitServerSaysSo) {
  ServerOptions options;
  options.unicode = false;
  DemoServer server(options);
  ServerLink link;
  connect(link, server);
  std::uint32_t unicode = 1;
  ASSERT_EQ(link.QueryMultibyte(unicode), 1);
  EXPECT_EQ(unicode, 0u);
}

TEST_F(ServerLinkTest, ServerOutputReachesTheSinkAndEveryMessageIsAcknowledged) {
  ServerOptions options;
  options.diagnostics = true;
  DemoServer server(options);
  ServerLink link;
  connect(link, server);
  auto call = [&] {
    ListBuilder args;
    args.wide(u"Hallo").narrow(std::string_view("2"));
    ListBuilder body;
    body.wide(u"FRX.Diag").wide(u"Ausgabe").narrow(std::string_view("1")).list(args);
    return link.Exchange(ServerLink::kClassMethod, body).has_value();
  };
  EXPECT_TRUE(call());  // no target: acknowledged, not delivered
  RecordingSink sink;
  link.SetOutputSink(&sink);
  EXPECT_TRUE(call());
  EXPECT_EQ(sink.texts, (std::vector<std::u16string>{u"Hallo", u"Hallo"}));
  link.SetOutputSink(nullptr);
}

TEST_F(ServerLinkTest, AnOutputHandlerThatCallsBackIsRefusedInsteadOfOverwritingTheRequest) {
  ServerOptions options;
  options.diagnostics = true;
  DemoServer server(options);
  ServerLink link;
  connect(link, server);
  struct Reentrant : OutputSink {
    ServerLink* link = nullptr;
    int result = -2;
    std::string error;
    void OutputCallback(std::u16string_view) override {
      std::int16_t level = 0;
      result = link->TransactionLevel(level);
      error = moduleState().LastErrorText;
    }
  } sink;
  sink.link = &link;
  link.SetOutputSink(&sink);
  ListBuilder args;
  args.wide(u"x").narrow(std::string_view("1"));
  ListBuilder body;
  body.wide(u"FRX.Diag").wide(u"Ausgabe").narrow(std::string_view("1")).list(args);
  EXPECT_TRUE(link.Exchange(ServerLink::kClassMethod, body).has_value());
  EXPECT_EQ(sink.result, 0);
  EXPECT_EQ(sink.error, "Request already in progress");
  link.SetOutputSink(nullptr);
}

}  // namespace
