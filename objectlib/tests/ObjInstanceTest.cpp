#include "ObjInstanceServer.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>
#include <kestoobject/ListValue.h>
#include <kestoobject/ObjInstance.h>

#include <automation/Dispatch.h>
#include <services/MessageBox.h>
#include <services/Timers.h>
#include <text/CodePage.h>

#include <gtest/gtest.h>

namespace kesto::object {
namespace {

using automation::ComPtr;
using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;
using testing::ProxyServer;

constexpr DATE k20240315 = 45366.0;

class ObjInstanceTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    boxes_ = std::make_shared<services::ScriptedMessageBox>();
    services::setMessageBoxPort(boxes_);
    clock_ = std::make_shared<services::FakeClock>();
    services::setTimerService(std::make_shared<services::TimerService>(clock_));
  }
  void TearDown() override {
    services::setTimerService(nullptr);
    services::setMessageBoxPort(nullptr);
    TempRootTest::TearDown();
  }

  ComPtr<Factory> connect(ProxyServer& server) {
    auto factory = Factory::create();
    EXPECT_TRUE(factory->Connect(kesto::text::utf8ToUtf16(server.connectText())));
    return factory;
  }
  static Dispatch openId(Factory& factory, std::u16string_view id) {
    const Bytes bytes{reinterpret_cast<const std::uint8_t*>(id.data()), id.size() * 2};
    return Dispatch(ComPtr<IDispatch>::attach(
        factory.Open(ServerLink::kOpenById, u"FRX.ProxyArt", bytes, nullptr)));
  }
  static Dispatch classProxy(Factory& factory, std::u16string_view name) {
    return Dispatch(ComPtr<IDispatch>::attach(factory.Static(name)));
  }
  // The error a late-bound call raised.
  template <class Call>
  static DispatchException failure(Call&& call) {
    try {
      call();
    } catch (const DispatchException& e) {
      return e;
    }
    ADD_FAILURE() << "the call did not fail";
    return DispatchException(0, "");
  }
  void runTimers(std::chrono::milliseconds by) {
    clock_->advance(by);
    services::timers().runDue();
  }

  std::shared_ptr<services::ScriptedMessageBox> boxes_;
  std::shared_ptr<services::FakeClock> clock_;
};

// The records of a request 3 body: the first element of each.
std::vector<std::string> recordKinds(const std::string& body) {
  std::vector<std::string> kinds;
  const auto* p = reinterpret_cast<const std::uint8_t*>(body.data());
  const auto* end = p + body.size();
  while (p < end) {
    const auto record = ListPeekItem(p, end);
    if (!record) break;
    const auto first = ListPeekItem(record->data, record->data + record->length);
    kinds.emplace_back(reinterpret_cast<const char*>(first->data), first->length);
    p = record->next;
  }
  return kinds;
}

TEST_F(ObjInstanceTest, PrefetchedPropertiesComeInOneRequest) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();

  EXPECT_EQ(art.get("Bez1").toString(), u"Zement");
  EXPECT_EQ(art.get("BEZ1").toString(), u"Zement");
  EXPECT_DOUBLE_EQ(art.get("VK").toDouble(), 6.99);  // the property, not the method "VK"
  EXPECT_GT(art.get("o_ref").toInt32(), 0);
  EXPECT_EQ(server.relay().codes(), std::vector<int>{3});
  const auto records = recordKinds(server.relay().requests().at(0).body);
  EXPECT_EQ(records, (std::vector<std::string>{"G", "G"}));  // the object property waits

  // The object property is prefetched but read on its own.
  EXPECT_EQ(art.get("Haupt").dispatch(), nullptr);
  EXPECT_EQ(server.relay().codes(), (std::vector<int>{3, 5}));
}

TEST_F(ObjInstanceTest, PlainPropertiesAreReadByTheirType) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();
  EXPECT_DOUBLE_EQ(art.get("Datum").toDate(), k20240315);
  const Variant amount = art.get("Menge");
  EXPECT_EQ(amount.vt(), VT_I4);
  EXPECT_EQ(amount.toInt32(), 25);
  EXPECT_TRUE(art.get("Aktiv").toBool());
  EXPECT_EQ(server.relay().codes(), (std::vector<int>{5, 5, 5}));
}

TEST_F(ObjInstanceTest, ObjectPropertiesGiveTheProxyOfTheirObject) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch mortar = openId(*factory, u"1||200");
  const Variant main = mortar.get("Haupt");
  ASSERT_NE(main.dispatch(), nullptr);
  EXPECT_EQ(Dispatch(main.dispatch()).get("Bez1").toString(), u"Zement");
  Dispatch cement = openId(*factory, u"1||100");
  EXPECT_EQ(cement.object(), main.dispatch());  // one proxy per reference
}

TEST_F(ObjInstanceTest, DeferredWritesGoTogetherBeforeTheNextRequest) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();
  art.put("Menge", std::int32_t{30});
  art.put("Menge", std::int32_t{31});
  EXPECT_TRUE(server.relay().codes().empty());
  art.get("Datum");
  EXPECT_EQ(server.relay().codes(), (std::vector<int>{3, 5}));
  EXPECT_EQ(recordKinds(server.relay().requests().at(0).body),
            (std::vector<std::string>{"S", "S"}));
  EXPECT_EQ(art.get("Menge").toInt32(), 31);
}

TEST_F(ObjInstanceTest, DeferredWritesGoAfterTwoSeconds) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();
  art.put("Menge", std::int32_t{40});
  runTimers(std::chrono::milliseconds(1999));
  EXPECT_TRUE(server.relay().codes().empty());
  runTimers(std::chrono::milliseconds(1));
  EXPECT_EQ(server.relay().codes(), std::vector<int>{3});
}

TEST_F(ObjInstanceTest, OtherWritesGoAtOnceAndReachTheServer) {
  ProxyServer server;
  {
    auto factory = connect(server);
    Dispatch art = openId(*factory, u"1||100");
    EXPECT_EQ(art.get("Bez1").toString(), u"Zement");
    server.relay().clear();
    art.put("Bez1", u"Gips");
    EXPECT_EQ(server.relay().codes(), std::vector<int>{3});
    EXPECT_EQ(art.get("Bez1").toString(), u"Gips");  // loaded again after the write
    EXPECT_EQ(art.call("sys_Save").toInt32(), 1);
    art.call("SYS_Close");
  }
  auto factory = connect(server);
  EXPECT_EQ(openId(*factory, u"1||100").get("Bez1").toString(), u"Gips");
}

TEST_F(ObjInstanceTest, DatesAreWrittenFromTextsAndEmptyTexts) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  art.put("Datum", u"16.03.2024");
  EXPECT_DOUBLE_EQ(art.get("Datum").toDate(), k20240315 + 1);

  server.relay().clear();
  art.put("Datum", u"");
  const std::string body = server.relay().requests().at(0).body;
  const std::string emptyValue("\x02\x01", 2);
  ASSERT_GE(body.size(), 2u);
  EXPECT_EQ(body.substr(body.size() - 2), emptyValue);
  EXPECT_DOUBLE_EQ(art.get("Datum").toDate(), 0.0);

  const auto e = failure([&] { art.put("Datum", u"kein Datum"); });
  EXPECT_EQ(e.description, "Wrong DATE format.");
}

TEST_F(ObjInstanceTest, FailuresReachTheCallersRecord) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  Dispatch cls = classProxy(*factory, u"FRX.ProxyArt");
  const struct {
    const char* what;
    std::function<void()> call;
    std::string description;
  } cases[] = {
      {"write on a class proxy", [&] { cls.put("Bez1", u"x"); }, "SetProperty on Static"},
      {"read on a class proxy", [&] { cls.get("Bez1"); }, "Get Property on Static Object"},
      {"write of o_ref", [&] { art.put("o_ref", std::int32_t{1}); }, "SetProperty DispID = 0"},
      {"too many arguments", [&] { art.call("Echo", u"a", u"b", u"c"); },
       "Wrong number of arguments"},
      {"a foreign object argument",
       [&] { art.call("Echo", static_cast<IDispatch*>(factory.get()), u"b"); },
       "Variant of Variant ByRef Data type 9  is not currently supported "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto e = failure(c.call);
    EXPECT_EQ(e.description, c.description);
    EXPECT_EQ(e.source, "Kesto ObjectSystem");
  }
  const auto status = failure([&] { art.call("Pruefen"); });
  EXPECT_EQ(status.code, kErrorServer);
  EXPECT_NE(status.description.find("Pruefen"), std::string::npos);
  EXPECT_EQ(moduleState().LastErrorCode, kErrorNone);
}

TEST_F(ObjInstanceTest, AByReferenceArgumentGetsTheServersValue) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch query = classProxy(*factory, u"%DynamicQuery");
  Variant handle(u"");
  const Variant result = query.call("SQLPrepare", automation::byRef(handle), u"SELECT 1");
  EXPECT_EQ(result.vt(), VT_I2);
  EXPECT_EQ(result.toInt32(), 1);
  EXPECT_FALSE(handle.toString().empty());
}

TEST_F(ObjInstanceTest, DeferredCallsWaitInTheQueue) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();
  art.call("Merken", u"x");
  EXPECT_TRUE(server.relay().codes().empty());
  art.get("Datum");
  EXPECT_EQ(server.relay().codes(), (std::vector<int>{3, 5}));
  EXPECT_EQ(recordKinds(server.relay().requests().at(0).body), std::vector<std::string>{"M"});
}

TEST_F(ObjInstanceTest, TheLastReferenceReleasesTheServerObject) {
  ProxyServer server;
  auto factory = connect(server);
  {
    Dispatch art = openId(*factory, u"1||100");
    EXPECT_FALSE(factory->Disconnect());  // a proxy is alive
    server.relay().clear();
  }
  EXPECT_EQ(server.relay().codes(), std::vector<int>{19});
  EXPECT_TRUE(factory->Disconnect());
}

TEST_F(ObjInstanceTest, NamesAndInterfacesAreChecked) {
  ProxyServer server;
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  IDispatch* d = art.object();
  const GUID other{1, 2, 3, {}};
  DISPID ids[2] = {};
  LPOLESTR ref[] = {const_cast<LPOLESTR>(u"O_REF")};
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, ref, 1, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 0);
  LPOLESTR named[] = {const_cast<LPOLESTR>(u"Echo"), const_cast<LPOLESTR>(u"Text")};
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, named, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_NE(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(u"Nichts")};
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(d->GetIDsOfNames(other, ref, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
  DISPPARAMS none{};
  EXPECT_EQ(d->Invoke(0, other, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ObjInstanceTest, ADescriptionInSeveralPiecesIsOneDescription) {
  server::objproto::ServerOptions options;
  options.describePieceBytes = 200;
  ProxyServer server(options);
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  const auto codes = server.relay().codes();
  EXPECT_GE(std::count(codes.begin(), codes.end(), 1), 2);
  EXPECT_EQ(art.get("Bez1").toString(), u"Zement");
  EXPECT_EQ(art.call("SYS_VALIDATEOBJECT").toInt32(), 1);  // an item of a later piece
}

TEST_F(ObjInstanceTest, ADroppedConnectionIsAnErrorNotAHang) {
  server::objproto::ServerOptions options;
  options.dropAtRequest = 4;  // multibyte query, description, open, then the batch
  ProxyServer server(options);
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  const auto e = failure([&] { art.get("Bez1"); });
  EXPECT_NE(e.description.find("Factory not connected to server"), std::string::npos);
  failure([&] { art.get("Datum"); });
  EXPECT_EQ(boxes_->shown().size(), 1u);  // "Send to Server failed"
}

TEST_F(ObjInstanceTest, AnEightBitServerGetsEightBitValues) {
  server::objproto::ServerOptions options;
  options.unicode = false;
  ProxyServer server(options);
  auto factory = connect(server);
  Dispatch art = openId(*factory, u"1||100");
  server.relay().clear();
  art.put("Bez1", u"Kalk");
  const std::string body = server.relay().requests().at(0).body;
  EXPECT_EQ(body.substr(body.size() - 6), std::string("\x06\x01Kalk", 6));
  EXPECT_EQ(art.get("Bez1").toString(), u"Kalk");
}

}  // namespace
}  // namespace kesto::object
