#include "DemoFixture.h"
#include "commands/Catalog.h"
#include "demo/Ean.h"

using namespace kesto::server;

namespace {

class MethodsTest : public DemoTest {
 protected:
  std::string call(const char* cls, const char* method, std::vector<std::string> args) {
    const model::ClassDef* c = commands::serverCatalog().find(cls);
    EXPECT_NE(c, nullptr) << cls;
    auto m = model::findMethod(*c, method);
    EXPECT_TRUE(m && m->handler) << method;
    return m->handler(ctx, args);
  }
};

}  // namespace

TEST_F(MethodsTest, ArticleMethodsOnDemoData) {
  struct Case {
    const char* cls;
    const char* method;
    std::vector<std::string> args;
    std::string result;
  } cases[] = {
      {"FRX.Windows", "INKvkpreis", {"1", "100001"}, "6.99"},
      {"FRX.Windows", "INKvkpreis", {"1", "100004"}, "5"},
      {"FRX.Windows", "Grundpreis", {"1", "100021"}, "0.5"},
      {"FRX.Windows", "Grundpreis", {"1", "100006"}, "0"},
      {"GUI.Vovida", "KC", {"1", "100040"}, "NEU"},
      {"FRX.ArtFlies", "FlTypeName", {"1", "200101"}, "Bordüre"},
      {"FRX.ArtMaEan", "GetArtNr", {"1", "4000000000000"}, ""},
      {"FRX.Windows", "INKvkpreis", {"2", "100001"}, "96.2"},  // schillings
  };
  for (const auto& c : cases) EXPECT_EQ(call(c.cls, c.method, c.args), c.result) << c.method << " " << c.args[1];

  const std::string ean = call("FRX.Windows", "EANNr", {"1", "100001"});
  EXPECT_EQ(ean.substr(0, 8), "20100001");
  EXPECT_TRUE(demo::isValidEan(ean));
  const std::string maker = db.scalar("SELECT EAN FROM FRX.ArtMaEan WHERE ArtNr = '100003'")->toText();
  EXPECT_EQ(call("FRX.ArtMaEan", "GetArtNr", {"1", maker}), "100003");
}

TEST_F(MethodsTest, UnknownArticlesFail) {
  for (const char* method : {"INKvkpreis", "Grundpreis", "EANNr"})
    EXPECT_EQ(errorOf([&] { call("FRX.Windows", method, {"1", "999999"}); }), model::errc::NoSuchObject);
  EXPECT_EQ(errorOf([&] { call("GUI.Vovida", "KC", {"3", "100001"}); }), model::errc::NoSuchObject);
  EXPECT_EQ(errorOf([&] { call("FRX.ArtFlies", "FlTypeName", {"1", "200016"}); }), model::errc::NoSuchObject);
}

TEST_F(MethodsTest, Promotions) {
  EXPECT_EQ(call("GUI.Vovida", "aktionskennzeichen", {"1", ""}), "4|FJ|GA|LE|WI");
  EXPECT_EQ(call("GUI.Vovida", "aktionskennzeichen", {"1", "FJ"}), "FJ;1240308;1240405;Frühjahrsaktion");
  EXPECT_EQ(call("GUI.Vovida", "aktion", {"1", "LE", ""}), "0");
  EXPECT_EQ(call("GUI.Vovida", "aktion", {"1", "WI", ""}), "5|100008|100009|100014|100015|100099");
  EXPECT_EQ(call("GUI.Vovida", "aktion", {"1", "FJ", "100001"}), "100001`Zement CEM II 42,5`1240308`1240405`6,29");
  EXPECT_EQ(errorOf([&] { call("GUI.Vovida", "aktion", {"1", "XX", ""}); }), model::errc::NoSuchObject);
  EXPECT_EQ(errorOf([&] { call("GUI.Vovida", "aktionskennzeichen", {"1", "XX"}); }), model::errc::NoSuchObject);
}

TEST_F(MethodsTest, EveryClassQueryRunsWithItsDeclaredColumns) {
  const std::map<std::string, std::vector<std::string>> sampleArgs = {
      {"KkrSuche", {"1", "L", "BAU", ""}},       {"FliesenTypen", {"1", "200001"}},
      {"ZusatzArtikel", {"1", "200002"}},        {"SaKontoBez", {"1", "L", "", ""}},
      {"Gruppen", {"1", "", "J"}},               {"Name", {"1", "J", "", ""}},
      {"AbtNrBez", {"1", ""}},                   {"Aktive", {"1"}},
      {"NachKurzbezeichnung", {"1", "ze"}},      {"NachAbteilung", {"1", "10"}},
      {"Aktionsartikel", {"1"}},                 {"Lieferanten", {"1", "F"}},
      {"Kunden", {"1", "02", ""}},
  };
  int queries = 0;
  for (const auto& cls : commands::serverCatalog().classes()) {
    for (const auto& q : cls.queries) {
      SCOPED_TRACE(cls.name + " " + q.name);
      ++queries;
      ASSERT_TRUE(sampleArgs.count(q.name));
      std::vector<model::Value> params;
      for (const auto& a : sampleArgs.at(q.name)) params.push_back(model::Value::text(a));
      model::Statement st = db.run(q, params);
      EXPECT_EQ(st.columnCount(), static_cast<int>(q.columns.size()));
      EXPECT_TRUE(st.step());  // the demo data gives every query rows
      EXPECT_LE(q.idColumn, static_cast<int>(q.columns.size()));
    }
  }
  EXPECT_EQ(queries, static_cast<int>(sampleArgs.size()));
}

TEST_F(MethodsTest, ZusatzArtikelOfTheFullTable) {
  const auto* cls = commands::serverCatalog().find("FRX.ArtFliesZuord");
  model::Statement st = db.run(*cls->findQuery("ZusatzArtikel"),
                               std::vector<model::Value>{model::Value::text("1"), model::Value::text("200002")});
  int rows = 0;
  while (st.step()) EXPECT_EQ(st.column(0).asInteger(), ++rows);
  EXPECT_EQ(rows, 11);
}
