#include <gtest/gtest.h>

#include "TempFolder.h"
#include "model/Classes.h"
#include "model/Database.h"
#include "model/ServerError.h"

using namespace kesto::server::model;

namespace {

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { createClassTables(db, catalog); }

  const ClassDef& units() { return *catalog.find("FRX.ParEinh"); }

  Row unit(const char* code, const char* name) {
    Row r;
    r.set("Firma", Value::text("1"));
    r.set("Code", Value::text(code));
    r.set("Name", Value::text(name));
    return r;
  }

  int expectError(int code, const std::function<void()>& f) {
    try {
      f();
    } catch (const ServerError& e) {
      EXPECT_EQ(e.code(), code) << e.what();
      return e.code();
    }
    ADD_FAILURE() << "no error";
    return 0;
  }

  TempFolder folder;
  Catalog catalog = applicationClasses();
  Database db{folder.path()};
};

}  // namespace

TEST_F(DatabaseTest, ObjectRowsByClassAndId) {
  EXPECT_EQ(db.insert(units(), unit("SA", "Sack")), "1||SA");
  auto row = db.load(units(), "1||SA");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->find("name")->toText(), "Sack");

  Row change;
  change.set("Name", Value::text("Säcke"));
  db.update(units(), "1||SA", change);
  EXPECT_EQ(db.load(units(), "1||SA")->find("Name")->toText(), "Säcke");

  EXPECT_FALSE(db.load(units(), "1||XX"));
  EXPECT_FALSE(db.load(units(), "1"));
  EXPECT_TRUE(db.remove(units(), "1||SA"));
  EXPECT_FALSE(db.remove(units(), "1||SA"));
}

TEST_F(DatabaseTest, WrongWritesAreRefused) {
  db.insert(units(), unit("SA", "Sack"));
  expectError(errc::DuplicateKey, [&] { db.insert(units(), unit("SA", "Sack")); });
  expectError(errc::MissingField, [&] { db.insert(units(), unit("", "Leer")); });
  Row key;
  key.set("Code", Value::text("XX"));
  expectError(errc::BadValue, [&] { db.update(units(), "1||SA", key); });
  Row name;
  name.set("Name", Value::text("x"));
  expectError(errc::NoSuchObject, [&] { db.update(units(), "1||ZZ", name); });
  expectError(errc::SqlError, [&] { db.exec("SELECT * FROM nichtda"); });
}

TEST_F(DatabaseTest, TransactionLevels) {
  db.transactionStart();
  db.transactionStart();
  EXPECT_EQ(db.transactionLevel(), 2);
  db.insert(units(), unit("SA", "Sack"));
  db.transactionCommit();
  EXPECT_EQ(db.transactionLevel(), 1);
  db.transactionRollback();  // everything since the first start
  EXPECT_EQ(db.transactionLevel(), 0);
  EXPECT_FALSE(db.load(units(), "1||SA"));

  db.transactionCommit();  // at level 0 nothing happens
  db.transactionStart();
  db.insert(units(), unit("L", "Liter"));
  db.transactionCommit();
  Database other(folder.path());
  EXPECT_TRUE(other.load(units(), "1||L"));
}

TEST_F(DatabaseTest, ClassQueriesBindTheirParameters) {
  db.insert(units(), unit("SA", "Sack"));
  QueryDef q{"Q", "SELECT Name FROM FRX.ParEinh WHERE Firma = ?1 AND Code = ?2", {}, {}, 0};
  // A quote in a value is data, never SQL.
  std::vector<Value> params{Value::text("1"), Value::text("SA' OR '1'='1")};
  Statement st = db.run(q, params);
  EXPECT_FALSE(st.step());
  params[1] = Value::text("SA");
  Statement again = db.run(q, params);
  ASSERT_TRUE(again.step());
  EXPECT_EQ(again.column(0).toText(), "Sack");
  Statement missing = db.run(q, std::vector<Value>{Value::text("1")});  // unset ones are ""
  EXPECT_FALSE(missing.step());
}

TEST(PrepareFolder, SeedsOnceAndAgainOnReset) {
  TempFolder folder;
  int seeded = 0;
  auto seed = [&](Database& db) {
    ++seeded;
    db.exec("CREATE TABLE main.T (x INTEGER)");
  };
  prepareFolder(folder.path() / "neu", seed, false);
  prepareFolder(folder.path() / "neu", seed, false);
  EXPECT_EQ(seeded, 1);
  prepareFolder(folder.path() / "neu", seed, true);
  EXPECT_EQ(seeded, 2);

  // A seed that fails leaves nothing behind; the next start seeds again.
  auto failing = [&](Database& db) {
    db.exec("CREATE TABLE main.T (x INTEGER)");
    throw ServerError(errc::SqlError, {"kaputt"});
  };
  EXPECT_THROW(prepareFolder(folder.path() / "f", failing, false), ServerError);
  prepareFolder(folder.path() / "f", seed, false);
  EXPECT_EQ(seeded, 3);
}

namespace {

TEST(DatabaseFiles, UseAWriteAheadLogWithoutAFlushPerCommit) {
  TempFolder folder;
  Database db(folder.path());
  for (const char* schema : {"main", "FRX"}) {
    EXPECT_EQ(db.scalar(std::string("PRAGMA ") + schema + ".journal_mode")->toText(), "wal") << schema;
    EXPECT_EQ(db.scalar(std::string("PRAGMA ") + schema + ".synchronous")->asInteger(), 1) << schema;  // NORMAL
  }
}

TEST(DatabaseFiles, AWriteBeyondTheSizeLimitFailsWithAClearText) {
  TempFolder folder;
  setDataFileLimit(1024 * 1024);
  Database db(folder.path());
  setDataFileLimit(0);
  db.exec("CREATE TABLE Gross (T TEXT)");
  try {
    db.exec("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) "
            "INSERT INTO Gross SELECT printf('%0100d', x) FROM n");
    ADD_FAILURE() << "the insert went beyond the limit";
  } catch (const ServerError& e) {
    EXPECT_NE(std::string(e.what()).find("full"), std::string::npos) << e.what();
  }
  Statement st = db.prepare("INSERT INTO Gross SELECT printf('%0100d', x) FROM (WITH RECURSIVE n(x) AS "
                            "(SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) SELECT x FROM n)");
  setDataFileLimit(1024 * 1024);
  try {
    st.step();
    ADD_FAILURE() << "the insert went beyond the limit";
  } catch (const ServerError& e) {
    EXPECT_NE(std::string(e.what()).find("size limit of 1 MiB"), std::string::npos) << e.what();
  }
  setDataFileLimit(0);
}

TEST(DatabaseFiles, AnInterruptCheckStopsARunningStatement) {
  TempFolder folder;
  Database db(folder.path());
  int asked = 0;
  db.setInterruptCheck([&] { return ++asked > 3; });
  Statement st = db.prepare("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT count(*) FROM n");
  try {
    st.step();
    ADD_FAILURE() << "the statement was not stopped";
  } catch (const ServerError& e) {
    EXPECT_NE(std::string(e.what()).find("stopped"), std::string::npos) << e.what();
  }
  db.setInterruptCheck({});
  EXPECT_EQ(db.scalar("SELECT 1 + 1")->asInteger(), 2);
}

}  // namespace
