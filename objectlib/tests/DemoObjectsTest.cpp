// What a new user does with the demo data through the library: saving objects, streams
// of the article pictures, new objects with an initial value.
#include "ObjInstanceServer.h"
#include "ServerFixture.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>
#include <kestoobject/KestoObject.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ListValue.h>

#include <automation/Dispatch.h>
#include <services/MessageBox.h>

#include <gmock/gmock.h>

using namespace kesto::automation;

namespace {

class DemoObjectsTest : public TempRootBoxesTest {
 protected:
  Dispatch connected(const std::string& address) {
    Dispatch factory(kesto::object::Factory::create());
    EXPECT_TRUE(factory.call("Connect", address + ":Ferrix").toBool());
    return factory;
  }
  DemoServer server_;
};

TEST_F(DemoObjectsTest, ARefusedSaveReturnsZeroWithTheServersText) {
  d_Database db;
  const std::string address = server_.address() + ":Ferrix";
  ASSERT_EQ(db.Open(address.c_str()), 1);
  {
    d_Object fresh(&db, "FRX.ArtHaupt1", 0);  // a new object without its key fields
    EXPECT_EQ(fresh.Sys_Save(), 0);
    EXPECT_THAT(db.GetLastError(), ::testing::HasSubstr("Pflichtfeld 'Firma' fehlt"));
    EXPECT_EQ(fresh.Sys_Close(), 1);
  }
  {
    d_Object article(&db, "FRX.ArtHaupt1", "1||100004", 0);
    article.SetProperty(article.GetIdOfName("Bez2"), VT_BSTR, const_cast<char*>("80 l"));
    EXPECT_EQ(article.Sys_Save(), 1);
    EXPECT_EQ(article.Sys_Close(), 1);
  }
  EXPECT_EQ(db.Close(), 1);
}

TEST_F(DemoObjectsTest, AStreamObjectAssignedToAStreamPropertyCarriesItsContent) {
  {
    Dispatch factory = connected(server_.address());
    Dispatch cement(factory.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
    Dispatch paint(factory.call("OpenId", "FRX.ArtBild", "1||100003").dispatch());
    Dispatch picture(cement.get("Bild").dispatch());
    const std::string brick = picture.get("Data").toBytes();
    ASSERT_EQ(brick.substr(1, 3), "PNG");
    paint.putRef("Bild", picture.object());
    Dispatch note(cement.get("Notiz").dispatch());
    paint.put("Notiz", note.object());  // a put of an object value goes the same way
    EXPECT_EQ(paint.call("sys_Save").toInt32(), 1);
    paint.call("SYS_Close");
    cement.call("SYS_Close");
  }
  Dispatch factory = connected(server_.address());
  Dispatch paint(factory.call("OpenId", "FRX.ArtBild", "1||100003").dispatch());
  Dispatch cement(factory.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  EXPECT_EQ(Dispatch(paint.get("Bild").dispatch()).get("Data").toBytes(),
            Dispatch(cement.get("Bild").dispatch()).get("Data").toBytes());
  const std::string note = Dispatch(paint.get("Notiz").dispatch()).get("Data").toUtf8();
  EXPECT_EQ(note, Dispatch(cement.get("Notiz").dispatch()).get("Data").toUtf8());
  EXPECT_THAT(note, ::testing::StartsWith("Trocken lagern."));
}

TEST_F(DemoObjectsTest, DynamicSqlMayOnlyRead) {
  Dispatch factory = connected(server_.address());
  auto articles = [&] {
    Dispatch rows(factory.call("DynamicSQL", "SELECT COUNT(*) FROM FRX.ArtHaupt1 WHERE Firma = ?").dispatch());
    EXPECT_TRUE(rows.call("Execute", "1").toBool());
    EXPECT_TRUE(rows.call("Next").toBool());
    return rows.call("GetData", 1).toInt32();
  };
  const auto before = articles();
  ASSERT_GT(before, 0);
  for (const char* statement : {"DROP TABLE FRX.ArtHaupt1", "DELETE FROM FRX.ArtHaupt1",
                                "ATTACH DATABASE 'neu.db' AS N", "PRAGMA FRX.user_version = 3"}) {
    try {
      factory.call("DynamicSQL", statement);
      ADD_FAILURE() << statement;
    } catch (const DispatchException& e) {
      EXPECT_THAT(e.description, ::testing::HasSubstr("not authorized")) << statement;
    }
  }
  EXPECT_EQ(articles(), before);  // untouched
}

TEST_F(DemoObjectsTest, NewSendsItsInitialValueInServerForm) {
  kesto::object::testing::RequestRelay relay(server_.port());
  Dispatch factory = connected("cn_iptcp:127.0.0.1[" + std::to_string(relay.port()) + "]");
  struct Case {
    Arg init;
    std::u16string expected;
  };
  const Case cases[] = {
      {Arg(Variant(2.5)), u"2.500000"},
      {Arg(Variant::date(45000.5)), u"66548,43200"},
      {Arg(Variant(true)), u"1"},
      {Arg(Variant(std::int16_t{-3})), u"-3"},
      {Arg(Variant(u"Zement")), u"Zement"},
  };
  for (const Case& c : cases) {
    relay.clear();
    Dispatch made(factory.invokeNamed("New", DISPATCH_METHOD,
                                      std::vector<Arg>{Arg("FRX.ArtHaupt1"), c.init})
                      .dispatch());
    made.call("SYS_Close");
    const auto requests = relay.requests();
    const auto it = std::find_if(requests.begin(), requests.end(),
                                 [](const auto& r) { return r.code == 9; });
    ASSERT_NE(it, requests.end());
    // [class name][one element holding the initial value]
    const auto* p = reinterpret_cast<const std::uint8_t*>(it->body.data());
    const auto* end = p + it->body.size();
    const auto className = kesto::object::ListPeekItem(p, end);
    ASSERT_TRUE(className);
    const auto inner = kesto::object::ListPeekItem(className->next, end);
    ASSERT_TRUE(inner);
    std::u16string value;
    kesto::object::ListReadWide(inner->data, inner->data + inner->length, value);
    EXPECT_EQ(value, c.expected);
  }
}

}  // namespace
