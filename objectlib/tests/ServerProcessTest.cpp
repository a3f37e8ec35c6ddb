// The library against a real kestoserver process, as the application and the controls use
// it: transactions, stream-valued properties and dynamic SQL.
#include "KestoServerProcess.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>
#include <automation/DispatchException.h>

#include <gmock/gmock.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace kesto::automation;
using ::testing::HasSubstr;

namespace {

class ServerProcessTest : public TempRootBoxesTest {
 protected:
  static void SetUpTestSuite() {
    server_ = std::make_unique<kesto::testing::KestoServerProcess>(std::vector<std::string>{"--lock-wait-ms", "200"});
  }
  static void TearDownTestSuite() { server_.reset(); }

  static Dispatch connected() {
    Dispatch factory(kesto::object::Factory::create());
    EXPECT_TRUE(factory.call("Connect", server_->connectText()).toBool());
    return factory;
  }
  // The description of the error a call raises, or "no error".
  template <typename Call>
  static std::string raised(Call call) {
    try {
      call();
    } catch (const DispatchException& e) {
      return e.description;
    }
    return "no error";
  }
  static std::string notOf(Dispatch& factory, const std::string& id) {
    Dispatch article(factory.call("OpenId", "FRX.ArtBild", id).dispatch());
    const std::string note = Dispatch(article.get("Notiz").dispatch()).get("Data").toUtf8();
    article.call("SYS_Close");
    return note;
  }

  static std::unique_ptr<kesto::testing::KestoServerProcess> server_;
};

std::unique_ptr<kesto::testing::KestoServerProcess> ServerProcessTest::server_;

TEST_F(ServerProcessTest, ATransactionStartTheServerRefusedRaisesItsText) {
  Dispatch first = connected();
  Dispatch second = connected();
  first.call("TransactionStart");
  EXPECT_THAT(raised([&] { second.call("TransactionStart"); }), HasSubstr("database is locked"));
  EXPECT_EQ(second.call("TransactionLevel").toInt32(), 0);
  first.call("TransactionCommit");
  second.call("TransactionStart");
  EXPECT_EQ(second.call("TransactionLevel").toInt32(), 1);
  second.call("TransactionRollBack");
}

TEST_F(ServerProcessTest, AnAssignedStreamIsCopiedNotShared) {
  Dispatch factory = connected();
  Dispatch cement(factory.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  Dispatch paint(factory.call("OpenId", "FRX.ArtBild", "1||100003").dispatch());
  const std::string brick = Dispatch(cement.get("Bild").dispatch()).get("Data").toBytes();
  ASSERT_EQ(brick.substr(1, 3), "PNG");
  paint.putRef("Bild", cement.get("Bild").dispatch());
  Dispatch painted(paint.get("Bild").dispatch());
  EXPECT_EQ(painted.get("Data").toBytes(), brick);
  painted.call("Clear");
  EXPECT_EQ(paint.call("sys_Save").toInt32(), 1);
  // The source keeps its picture, in this session and in the next.
  EXPECT_EQ(Dispatch(cement.get("Bild").dispatch()).get("Data").toBytes(), brick);
  paint.call("SYS_Close");
  cement.call("SYS_Close");
  Dispatch again = connected();
  Dispatch reread(again.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  EXPECT_EQ(Dispatch(reread.get("Bild").dispatch()).get("Data").toBytes(), brick);
  reread.call("SYS_Close");
}

TEST_F(ServerProcessTest, AStreamOfAnotherFactoryIsRefused) {
  Dispatch mine = connected();
  Dispatch other = connected();
  Dispatch source(other.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  Dispatch target(mine.call("OpenId", "FRX.ArtBild", "1||100002").dispatch());
  const std::string before = notOf(mine, "1||100002");
  EXPECT_THAT(raised([&] { target.putRef("Notiz", source.get("Notiz").dispatch()); }),
              HasSubstr("Object belongs to another Factory"));
  EXPECT_EQ(target.call("sys_Save").toInt32(), 1);
  EXPECT_EQ(notOf(mine, "1||100002"), before);
  target.call("SYS_Close");
  source.call("SYS_Close");
}

TEST_F(ServerProcessTest, CharacterStreamsGiveOneTextThroughDataAndRead) {
  Dispatch factory = connected();
  Dispatch article(factory.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  Dispatch note(article.get("Notiz").dispatch());
  EXPECT_EQ(note.get("Data").toUtf8(), "Trocken lagern. Verarbeitung über 5 °C.");
  note.call("Rewind");
  EXPECT_EQ(note.call("Read", short(100)).toUtf8(), "Trocken lagern. Verarbeitung über 5 °C.");

  note.put("Data", u"äöüß €");
  EXPECT_EQ(article.call("sys_Save").toInt32(), 1);
  article.call("SYS_Close");
  // SQL readers see the same letters.
  Dispatch rows(factory.call("DynamicSQL", "SELECT Notiz FROM FRX.ArtBild WHERE ID = '1||100001'").dispatch());
  EXPECT_TRUE(rows.call("Execute").toBool());
  EXPECT_TRUE(rows.call("Next").toBool());
  EXPECT_EQ(rows.call("GetData", 1).toUtf8(), "äöüß €");
  Dispatch reread(factory.call("OpenId", "FRX.ArtBild", "1||100001").dispatch());
  Dispatch again(reread.get("Notiz").dispatch());
  again.call("Rewind");
  EXPECT_EQ(again.call("Read", short(100)).toUtf8(), "äöüß €");
  reread.call("SYS_Close");
}

TEST_F(ServerProcessTest, DynamicSqlRunsOnlyOneReadingStatementWithListedFunctions) {
  Dispatch factory = connected();
  const auto folder = server_->dataFolder();
  const std::string copy = (folder / "kopie.db").string();
  for (const std::string& sql : {
           std::string("VACUUM"),
           std::string("vacuum FRX"),
           "VACUUM INTO '" + copy + "'",
           "/* leer */ VaCuUm -- Kommentar\n FRX INTO 'file:" + copy + "'",
           std::string("SELECT fts3_tokenizer('simple')"),
           std::string("SELECT randomblob(16)"),
           std::string("SELECT load_extension('x')"),
           std::string("SELECT 1; DELETE FROM FRX.ArtBild"),
           std::string("SELECT 1; SELECT 2"),
       }) {
    EXPECT_NE(raised([&] { factory.call("DynamicSQL", sql); }), "no error") << sql;
  }
  EXPECT_FALSE(std::filesystem::exists(copy));
  for (const std::string& sql : {std::string("SELECT upper(Notiz), length(Notiz) FROM FRX.ArtBild; -- Ende"),
                                std::string("SELECT printf('%05d', count(*)) FROM FRX.ArtBild")})
    EXPECT_EQ(raised([&] { Dispatch(factory.call("DynamicSQL", sql).dispatch()).call("Execute"); }), "no error") << sql;
}

TEST_F(ServerProcessTest, AMisspelledQueryNamesClassAndQuery) {
  Dispatch factory = connected();
  const std::string why = raised([&] { factory.call("ResultSet", "FRX.ArtHaupt1", "NachKurzbezeichnungX"); });
  EXPECT_THAT(why, HasSubstr("FRX.ArtHaupt1"));
  EXPECT_THAT(why, HasSubstr("NachKurzbezeichnungX"));
  EXPECT_EQ(factory.call("GetLastErrorNumber").toInt32(), 5004);
  const std::string cls = factory.call("GetLastErrorParam", 1, 1).toUtf8();
  const std::string method = factory.call("GetLastErrorParam", 1, 2).toUtf8();
  EXPECT_EQ(cls, "FRX.ArtHaupt1");
  EXPECT_THAT(method, HasSubstr("NachKurzbezeichnungX"));
  EXPECT_THAT(factory.call("GetErrorText", 5004, cls, method).toUtf8(), HasSubstr("NachKurzbezeichnungX"));
}

}  // namespace
