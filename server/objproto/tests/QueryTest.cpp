#include "Harness.h"
#include "SqlMarkers.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kesto::server;
using namespace kesto::server::objproto;
using namespace kesto::server::objproto::testing;

namespace {

struct Call {
  Answer answer;
  std::vector<wire::Element> byRef;
  std::string status;  // the return value's data
};

Call classCall(Client& c, const std::string& cls, const std::string& method,
               std::initializer_list<std::string> args) {
  Call out;
  out.answer = c.request(17, t2(cls) + t2(method) + t1("1") + list(args));
  if (out.answer.ok()) {
    const auto e = elementsOf(out.answer.payload);
    out.status = std::string(e.at(0).data);
    out.byRef = elementsOf(e.at(1).data);
  }
  return out;
}

// Every row of a cursor, fetched batch by batch; cells as text, null as "<null>" and the
// empty string as "<empty>".
std::vector<std::vector<std::string>> fetchAll(Client& c, const std::string& cls,
                                               const std::string& method, const std::string& handle,
                                               std::size_t columns, int* batches) {
  std::vector<std::vector<std::string>> rows;
  for (*batches = 0; *batches < 100;) {
    const Call f = classCall(c, cls, method, {t1(handle), t1("0"), t1(""), t1(""), t1("")});
    ++*batches;
    EXPECT_EQ(f.status, "1");
    if (f.byRef.size() != 5)
      break;
    const auto cells = elementsOf(f.byRef[2].data);
    for (std::size_t i = 0; i + columns <= cells.size(); i += columns) {
      std::vector<std::string> row;
      for (std::size_t j = i; j < i + columns; ++j)
        row.push_back(cells[j].raw == std::string("\x03\x01\x00", 3) ? "<empty>"
                      : cells[j].raw == std::string("\x02\x01", 2)   ? "<null>"
                                                                      : textOf(cells[j]));
      rows.push_back(row);
    }
    if (*wire::integerValue(f.byRef[4]) != 0)
      break;
  }
  return rows;
}

}  // namespace

TEST(SqlMarkers, RewritesOnlyMarkersOutsideQuotes) {
  struct Case {
    const char* in;
    const char* out;
    int count;
  } cases[] = {
      {"SELECT 1", "SELECT 1", 0},
      {"a = :q(0) AND b = :q(1)", "a = ?1 AND b = ?2", 2},
      {"a = ':q(0)' OR b = :q(0)", "a = ':q(0)' OR b = ?1", 1},
      {"a = \"it's\" OR b = :q(0)", "a = \"it's\" OR b = ?1", 1},
      {"a = :q(x) OR b = :q(", "a = :q(x) OR b = :q(", 0},
  };
  for (const auto& k : cases) {
    int count = -1;
    EXPECT_EQ(rewriteMarkers(k.in, count), k.out) << k.in;
    EXPECT_EQ(count, k.count) << k.in;
  }
}

TEST(ClassQueries, InfoExecuteFetchInBatchesAndClose) {
  ServerOptions o;
  o.fetchBatchRows = 1;
  ServerFixture server(o);
  Client c(server.port());
  const Call info = classCall(c, "FRX.TestArt", "NachFirmaGetInfo", {t1(""), t1(""), t1("")});
  ASSERT_EQ(info.byRef.size(), 3u);
  const auto columns = elementsOf(info.byRef[0].data);
  ASSERT_EQ(columns.size(), 4u);
  const auto second = elementsOf(columns[1].data);
  EXPECT_EQ(textOf(second.at(0)), "ArtNr");
  EXPECT_EQ(*wire::integerValue(second.at(1)), 10);
  EXPECT_EQ(textOf(second.at(2)), "Nummer");
  EXPECT_EQ(elementsOf(info.byRef[1].data).size(), 1u);
  EXPECT_EQ(*wire::integerValue(info.byRef[2]), 1);

  const Call exec = classCall(c, "FRX.TestArt", "nachfirmaexecute", {t1(""), t2("1")});
  ASSERT_EQ(exec.status, "1");
  const std::string handle = textOf(exec.byRef.at(0));
  int batches = 0;
  const auto rows = fetchAll(c, "FRX.TestArt", "NachFirmaFetchRows", handle, 4, &batches);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1||100", "100", "Zement gr}n", "6.99"}));
  EXPECT_EQ(rows[1][2], "M|rtel");
  EXPECT_EQ(batches, 2);  // one row per batch; the last one says it is the end

  EXPECT_EQ(classCall(c, "FRX.TestArt", "NachFirmaClose", {t1(handle)}).status, "1");
  const Call gone = classCall(c, "FRX.TestArt", "NachFirmaFetchRows",
                              {t1(handle), t1("0"), t1(""), t1(""), t1("")});
  EXPECT_EQ(gone.status.substr(0, 2), "0 ");
  EXPECT_EQ(classCall(c, "FRX.TestArt", "NachFirmaPrepare", {t1(""), t2("1")}).status, "1");
}

TEST(ClassQueries, ByteLimitKeepsWholeRowsAndEmptyResultEndsAtOnce) {
  ServerOptions o;
  o.fetchBatchBytes = 40;
  ServerFixture server(o);
  Client c(server.port());
  const std::string h1 = textOf(classCall(c, "FRX.TestArt", "NachFirmaExecute", {t1(""), t2("1")}).byRef.at(0));
  int batches = 0;
  EXPECT_EQ(fetchAll(c, "FRX.TestArt", "NachFirmaFetchRows", h1, 4, &batches).size(), 2u);
  EXPECT_EQ(batches, 2);

  const std::string h2 = textOf(classCall(c, "FRX.TestArt", "NachFirmaExecute", {t1(""), t2("9")}).byRef.at(0));
  EXPECT_TRUE(fetchAll(c, "FRX.TestArt", "NachFirmaFetchRows", h2, 4, &batches).empty());
  EXPECT_EQ(batches, 1);
}

TEST(DynamicQueries, PrepareExecuteFetchAndCellForms) {
  ServerFixture server;
  Client c(server.port());
  const std::string dq = "%DynamicQuery";
  const Call prep = classCall(c, dq, "SQLPrepare",
                              {t1(""), t2("SELECT ArtNr, Notiz, Haupt, Menge FROM FRX.TestArt "
                                          "WHERE Firma = :q(0) ORDER BY ArtNr")});
  ASSERT_EQ(prep.status, "1");
  const std::string handle = textOf(prep.byRef.at(0));

  const Call info = classCall(c, dq, "SQLGetInfo", {t1(""), t1(""), t1(""), t1(handle)});
  ASSERT_EQ(info.byRef.size(), 4u);
  const auto columns = elementsOf(info.byRef[0].data);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(*wire::integerValue(elementsOf(columns[3].data).at(1)), 5);
  const auto params = elementsOf(info.byRef[1].data);
  ASSERT_EQ(params.size(), 1u);
  EXPECT_EQ(textOf(elementsOf(params[0].data).at(0)), "q0");

  for (int round = 0; round < 2; ++round) {  // the statement outlives SQLClose
    EXPECT_EQ(classCall(c, dq, "SQLExecute", {t1(handle), t2("1")}).status, "1");
    int batches = 0;
    const auto rows = fetchAll(c, dq, "SQLFetchRows", handle, 4, &batches);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"100", "Größe", "<null>", "25"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"200", "<empty>", "1||100", "0"}));
    EXPECT_EQ(classCall(c, dq, "SQLClose", {t1(handle)}).status, "1");
  }

  EXPECT_EQ(classCall(c, dq, "SQLClose", {t1("D999")}).status.substr(0, 2), "0 ");
  const Call bad = classCall(c, dq, "SQLPrepare", {t1(""), t2("SELEKT nix")});
  ASSERT_EQ(bad.status.substr(0, 2), "0 ");
}

TEST(DynamicQueries, ClientStatementsMayOnlyRead) {
  ServerFixture server;
  Client c(server.port());
  const auto prepare = [&](const std::string& sql) {
    return classCall(c, "%DynamicQuery", "SQLPrepare", {t1(""), t2(sql)});
  };
  const std::string attached = (server.folder() / "fremd.db").string();
  for (const std::string sql :
       {"ATTACH DATABASE '" + attached + "' AS X", std::string("DETACH DATABASE FRX"),
        std::string("DROP TABLE FRX.TestArt"), std::string("DELETE FROM FRX.TestArt"),
        std::string("UPDATE FRX.TestArt SET Bez1 = 'x'"),
        std::string("INSERT INTO FRX.TestArt (ID) VALUES ('9')"),
        std::string("CREATE TABLE Neu (a)"), std::string("ALTER TABLE FRX.TestArt ADD b"),
        std::string("PRAGMA journal_mode = OFF"), std::string("PRAGMA FRX.user_version = 7"),
        std::string("BEGIN"), std::string("CREATE TEMP VIEW v AS SELECT 1")}) {
    const Call refused = prepare(sql);
    ASSERT_TRUE(refused.answer.ok()) << sql;
    EXPECT_EQ(refused.status.substr(0, 2), "0 ") << sql;
  }
  EXPECT_FALSE(std::filesystem::exists(attached));
  // What queries need still works: reading, functions, subqueries, reporting pragmas.
  for (const std::string sql :
       {std::string("SELECT COUNT(*) FROM FRX.TestArt WHERE ArtNr IN (SELECT ArtNr FROM FRX.TestArt)"),
        std::string("WITH n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3) SELECT UPPER('a'), x FROM n"),
        std::string("PRAGMA FRX.table_info(TestArt)")})
    EXPECT_EQ(prepare(sql).status, "1") << sql;
  // The table is untouched, and the session's own writes still go through.
  const Answer opened = c.request(13, t2("FRX.TestArt") + list({t2("1||100")}));
  ASSERT_TRUE(opened.ok());
}

TEST(CompiledQueries, QueryInfoListsTheQueriesOfAClass) {
  ServerFixture server;
  Client c(server.port());
  const Call exec = classCall(c, "%CompiledQuery", "QueryInfoExecute", {t1(""), t2("FRX.TestArt")});
  ASSERT_EQ(exec.status, "1");
  int batches = 0;
  const auto rows = fetchAll(c, "%CompiledQuery", "QueryInfoFetchRows", textOf(exec.byRef.at(0)), 3,
                             &batches);
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"NachFirma", "1", "1"}}));
  const Call unknown = classCall(c, "%CompiledQuery", "QueryInfoExecute", {t1(""), t2("FRX.Nix")});
  EXPECT_EQ(unknown.status.substr(0, 2), "0 ");
}

TEST(TestClasses, OnlyBehindTheirSwitch) {
  ServerFixture plain;
  Client p(plain.port());
  EXPECT_EQ(classCall(p, "%CompiledQuery", "QueryInfoExecute", {t1(""), t2("FRX.TestVieleParameter")})
                .status.substr(0, 2),
            "0 ");

  ServerOptions o;
  o.testClasses = true;
  ServerFixture server(o);
  Client c(server.port());
  const Call many = classCall(c, "%CompiledQuery", "QueryInfoExecute", {t1(""), t2("FRX.TestVieleParameter")});
  ASSERT_EQ(many.status, "1");
  int batches = 0;
  EXPECT_EQ(fetchAll(c, "%CompiledQuery", "QueryInfoFetchRows", textOf(many.byRef.at(0)), 3, &batches),
            (std::vector<std::vector<std::string>>{{"Zwoelf", "12", "1"}}));
  const Call none = classCall(c, "%CompiledQuery", "QueryInfoExecute", {t1(""), t2("FRX.TestOhneAbfrage")});
  ASSERT_EQ(none.status, "1");
  EXPECT_TRUE(fetchAll(c, "%CompiledQuery", "QueryInfoFetchRows", textOf(none.byRef.at(0)), 3, &batches)
                  .empty());
}
