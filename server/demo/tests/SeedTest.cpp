#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "../src/SlipFiles.h"
#include "TempFolder.h"
#include "demo/Ean.h"
#include "demo/Seed.h"
#include "model/Classes.h"
#include "model/ServerText.h"

using namespace kesto::server;
using model::Value;

namespace {

// Files are not written: the folder only names what the parameters point to.
const demo::SeedOptions kOptions{"2024-03-15", "/opt/vovida/demo", false};

// Every row of every table of both schemas, in a fixed order.
std::string dump(model::Database& db) {
  std::string out;
  for (const char* schema : {"main", "FRX"}) {
    model::Statement tables = db.prepare(std::string("SELECT name, sql FROM ") + schema +
                                         ".sqlite_master ORDER BY name");
    while (tables.step()) {
      out += tables.column(0).toText() + ": " + tables.column(1).toText() + "\n";
      if (tables.column(1).toText().rfind("CREATE TABLE", 0) != 0) continue;
      model::Statement rows =
          db.prepare(std::string("SELECT * FROM ") + schema + ".\"" + tables.column(0).toText() + "\" ORDER BY 1");
      while (rows.step()) {
        for (int c = 0; c < rows.columnCount(); ++c) out += rows.column(c).toText() + "\t";
        out += "\n";
      }
    }
  }
  return out;
}

std::string parameter(model::Database& db, const std::string& firma, const char* group, const std::string& key,
                      const char* column = "Parameter") {
  auto v = db.scalar(std::string("SELECT ") + column +
                         " FROM FRX.ParAnwPar WHERE Firma = ?1 AND Gruppe = ?2 AND Schluessel = ?3",
                     std::vector<Value>{Value::text(firma), Value::text(group), Value::text(key)});
  return v ? v->toText() : "<fehlt>";
}

class SeededTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TempFolder;
    demo::prepareDataFolder(folder->path(), false, kOptions);
  }
  static void TearDownTestSuite() { delete folder; }
  static TempFolder* folder;
  model::Database db{folder->path()};
};

TempFolder* SeededTest::folder = nullptr;

}  // namespace

TEST(Seed, TwoFreshFoldersAreIdenticalAndRestartKeepsThem) {
  TempFolder a, b;
  demo::prepareDataFolder(a.path(), false, kOptions);
  demo::prepareDataFolder(b.path(), false, kOptions);
  model::Database da(a.path()), dbb(b.path());
  const std::string first = dump(da);
  EXPECT_EQ(first, dump(dbb));
  EXPECT_GT(first.size(), 100000u);

  // A restart leaves a changed row alone; --reset seeds again.
  da.exec("UPDATE FRX.ParEinh SET Name = 'geändert' WHERE Code = 'SA'");
  demo::prepareDataFolder(a.path(), false, kOptions);
  EXPECT_NE(dump(da), first);
  demo::prepareDataFolder(a.path(), true, kOptions);
  model::Database fresh(a.path());
  EXPECT_EQ(dump(fresh), first);
}

TEST_F(SeededTest, EveryParameterTheApplicationReadsExists) {
  const char* plakat[] = {"GRUNDPREIS", "DOPPEL", "WKZ", "FONT_HW", "FONT_NW", "FONT_PKZHW", "FONT_PER",
                          "FONT_INFO", "FIRMENLOGO", "STYLE", "MENUE", "PRTPLA4N", "PRTPLA3N", "PRTPLA4F",
                          "PRTPLA3F", "PRTREGAL", "PRTPERSON", "PRTFLSCH", "PRTFLBESCH", "PRTGARTENS",
                          "PLAKAT-H", "RBESCH-BH", "PSCHILD-BH", "FRSCH-BH", "FBESCH-BH", "FSCHILD-BH",
                          "FSCHILD-B1", "FSCHILD-B2", "FSCHILD-B3", "F-LOGO-QZM", "AUSFOLGE", "FLIESEN", "RTF"};
  const char* euro[] = {"ENDDAT", "ETHW", "ETNW", "KASSAHW", "WWSHW", "EURFWC", "EURFAKT"};
  for (const char* firma : {"1", "2"}) {
    for (const char* key : plakat) EXPECT_NE(parameter(db, firma, "PLAKAT", key), "<fehlt>") << firma << key;
    for (const char* key : euro) EXPECT_NE(parameter(db, firma, "EURO", key), "<fehlt>") << firma << key;
  }
  EXPECT_EQ(model::toSevenBit(parameter(db, "1", "PLAKAT", "WKZ")), "|S@X");
  EXPECT_EQ(parameter(db, "1", "PLAKAT", "FIRMENLOGO"), "@opt@vovida@demo@bilder");
  EXPECT_EQ(parameter(db, "1", "EURO", "ENDDAT"), "1301231");
  EXPECT_EQ(parameter(db, "2", "EURO", "WWSHW"), "ATS");
}

TEST_F(SeededTest, FontSlotsAndTheirPriceExtras) {
  int prices = 0;
  for (int slot = 1; slot <= 72; ++slot) {
    char key[16];
    std::snprintf(key, sizeof key, "FONT%03d", slot);
    const std::string description = parameter(db, "1", "PLAKAT", key, "Beschreibung");
    ASSERT_NE(description, "<fehlt>") << key;
    const char kind = description[0];
    EXPECT_TRUE(kind == 'E' || kind == 'B' || kind == 'P') << key;
    const std::string value = parameter(db, "1", "PLAKAT", key);
    EXPECT_EQ(std::count(value.begin(), value.end(), '@'), 8) << key;
    const std::string extras = parameter(db, "1", "PLAKAT", std::string(key) + "_PZ");
    if (kind == 'P') {
      ++prices;
      EXPECT_EQ(std::count(extras.begin(), extras.end(), '@'), 9) << key;
    } else {
      EXPECT_EQ(extras, "<fehlt>") << key;
    }
  }
  EXPECT_EQ(prices, 11);
}

TEST_F(SeededTest, EansCarryValidCheckDigits) {
  EXPECT_EQ(demo::withCheckDigit("400638133393"), "4006381333931");
  EXPECT_FALSE(demo::isValidEan("4006381333932"));
  int count = 0;
  for (const char* sql : {"SELECT TamselEAN FROM FRX.ArtHaupt1", "SELECT EAN FROM FRX.ArtMaEan"}) {
    model::Statement st = db.prepare(sql);
    while (st.step()) {
      EXPECT_TRUE(demo::isValidEan(st.column(0).toText())) << st.column(0).toText();
      ++count;
    }
  }
  EXPECT_GT(count, 500);
}

TEST_F(SeededTest, DemoLoginAndItsLookups) {
  const model::Catalog catalog = model::applicationClasses();
  auto user = db.load(*catalog.find("FRX.ParPersEdv"), std::string("1||") + demo::kDemoUser);
  ASSERT_TRUE(user);
  EXPECT_EQ(user->find("Passwort")->toText(), demo::kDemoPassword);
  EXPECT_EQ(user->find("AKTIV")->toText(), "J");
  EXPECT_TRUE(db.load(*catalog.find("FRX.ParPersAbt"), "1||" + user->find("ABTNR")->toText()));
  EXPECT_TRUE(db.load(*catalog.find("FRX.PersBasis"), "1||" + user->find("PNR")->toText()));
  // Every active login of company 1 has its department and staff record.
  model::Statement st = db.prepare(
      "SELECT e.Login FROM FRX.ParPersEdv e LEFT JOIN FRX.ParPersAbt a ON a.Firma = e.Firma AND a.AbtNr = e.ABTNR"
      " LEFT JOIN FRX.PersBasis b ON b.Firma = e.Firma AND b.PNR = e.PNR WHERE a.ID IS NULL OR b.ID IS NULL");
  EXPECT_FALSE(st.step());
}

TEST_F(SeededTest, RowCountsOfTheAssortment) {
  struct Case {
    const char* sql;
    int rows;
  } cases[] = {
      {"SELECT count(*) FROM FRX.ArtHaupt1 WHERE Firma = '1'", 511},
      {"SELECT count(*) FROM FRX.Konto WHERE Art = 'K'", 620},
      {"SELECT count(*) FROM FRX.Konto WHERE Art = 'L'", 40},
      {"SELECT count(*) FROM FRX.ArtFliesZuord WHERE ArtNr = '200002'", 11},
      {"SELECT count(*) FROM FRX.ArtFlies WHERE ArtNr = '200016'", 0},
      {"SELECT count(*) FROM FRX.ArtFliesZuord WHERE ArtNr = '200017'", 12},
      {"SELECT count(*) FROM FRX.ParFlies p JOIN FRX.ArtFliesTyp t ON t.Firma = p.Firma AND t.ParFlies = p.Typ"
       " WHERE t.ArtNr = '200018'", 0},
      {"SELECT count(*) FROM FRX.ArtHaupt1 WHERE ArtNr = '200023' AND VRM = ''", 1},
      {"SELECT count(*) FROM FRX.AktionArt WHERE Code = 'LE'", 0},
      {"SELECT count(*) FROM FRX.ArtFliesZuord z LEFT JOIN FRX.ArtFlies f"
       " ON f.Firma = z.Firma AND f.ArtNr = z.ZusatzArtNr WHERE f.ID IS NULL", 1},  // 200141 of 200019
  };
  for (const auto& c : cases) EXPECT_EQ(db.scalar(c.sql)->asInteger(), c.rows) << c.sql;
}

TEST(Seed, WritesTheLogoFolderPicturesAndKeepsOnesThereAlready) {
  TempFolder daten, demoOrdner;
  const std::filesystem::path bilder = demoOrdner.path() / "bilder";
  std::filesystem::create_directories(bilder);
  { std::ofstream(bilder / "Logo.bmp") << "eigenes Logo"; }
  demo::prepareDataFolder(daten.path(), false, {"2024-03-15", demoOrdner.path().string()});
  const auto lesen = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  for (const char* name : {"brisal.bmp", "tamsel40x.bmp", "tamselbrisal.bmp", "tamsel40xn.bmp"}) {
    const std::string inhalt = lesen(bilder / name);
    ASSERT_GT(inhalt.size(), 1000u) << name;
    EXPECT_EQ(inhalt.substr(0, 2), "BM") << name;
    // The size the file header gives is the file's size.
    const auto groesse = static_cast<unsigned char>(inhalt[2]) | static_cast<unsigned char>(inhalt[3]) << 8 |
                         static_cast<unsigned char>(inhalt[4]) << 16 | static_cast<unsigned char>(inhalt[5]) << 24;
    EXPECT_EQ(groesse, inhalt.size()) << name;
  }
  EXPECT_EQ(lesen(bilder / "Logo.bmp"), "eigenes Logo");
  model::Database db(daten.path());
  std::string ordner = bilder.string();
  for (char& c : ordner)
    if (c == '/') c = '@';
  EXPECT_EQ(parameter(db, "1", "PLAKAT", "FIRMENLOGO"), ordner);  // where the pictures are
}

// A fresh install can save free designs: the folder of parameter "RTF" is there.
TEST(Seed, MakesTheFreeDesignFolderOfItsParameter) {
  TempFolder daten, demoOrdner;
  demo::prepareDataFolder(daten.path(), false, {"2024-03-15", demoOrdner.path().string()});
  model::Database db(daten.path());
  std::string ordner = parameter(db, "1", "PLAKAT", "RTF");
  for (char& c : ordner)
    if (c == '@') c = '/';
  EXPECT_EQ(ordner, (demoOrdner.path() / "eigenbau").string());
  EXPECT_TRUE(std::filesystem::is_directory(ordner)) << ordner;
}

namespace {

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_F(SeededTest, SlipPicturesLieInTheFolderOfTheParameterWithItsDollarAsUnderscore) {
  EXPECT_EQ(parameter(db, "1", "PLAKAT", "AUSFOLGE"), "@opt@vovida@demo@bilder$ausfolge");
  EXPECT_EQ(parameter(db, "1", "PLAKAT", "AUSFOLGE"), parameter(db, "2", "PLAKAT", "AUSFOLGE"));
  // A short article number for the slip's padded bar code.
  auto shortNumber = db.scalar("SELECT Bez1 FROM FRX.ArtHaupt1 WHERE Firma = '1' AND ArtNr = '4711'");
  ASSERT_TRUE(shortNumber);
  EXPECT_EQ(shortNumber->toText(), "Dübel-Sortiment");

  TempFolder folder;
  demo::writeSlipFiles(folder.path() / "bilder", folder.path() / "bilder_ausfolge");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "bilder" / "rt20_de.lan"));
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "bilder" / "rt20_de.lan"), 0u);
  const std::string slip = fileText(folder.path() / "bilder" / "Ausfolgeschein.rtf");
  EXPECT_EQ(slip.rfind("{\\rtf1", 0), 0u);
  for (const char* piece : {"\\'fc", "\\b ", "\\pnlvlblt"}) EXPECT_NE(slip.find(piece), std::string::npos) << piece;
  const std::string design = fileText(folder.path() / "bilder" / "eigenbau.rtf");
  const auto first = design.find("Bezeichnung 1\\b0\\par");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, design.find("Bezeichnung 2\\par"));
  EXPECT_LT(design.find("Bezeichnung 2\\par"), design.find("Bezeichnung 3\\par"));
  for (const char* nr : {"100001", "100003", "100006"}) {
    const std::string jpeg = fileText(folder.path() / "bilder_ausfolge" / "ausfolgeschein" / (std::string(nr) + ".jpg"));
    EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF") << nr;
    EXPECT_GT(jpeg.size(), 1000u) << nr;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "bilder_ausfolge" / "ausfolgeschein" / "100002.jpg"));
  EXPECT_THROW(demo::writeSlipFiles("/proc/nicht-schreibbar", folder.path()), std::exception);
}
