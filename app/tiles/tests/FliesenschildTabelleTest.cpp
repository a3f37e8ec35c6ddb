// The sub-article table of a tile sale sign on the recorded page: which cell prints what,
// in which row and column, and what an empty row leaves out.
#include "Fliesenschildseite.h"

#include "Anordnung.h"
#include "PreisDrucken.h"
#include "Unterartikeltabelle.h"

#include <algorithm>
#include <functional>

#include <activex/Page.h>

namespace vovida::test {
namespace {

using kesto::activex::DrawOp;
using kesto::activex::PolygonOp;

class FliesenschildTabelleTest : public Fliesenschildseite {
 protected:
  void SetUp() override {
    Fliesenschildseite::SetUp();
    daten().typSetzen(kWandfliese);
  }
  // Row r: number, line text, alias, per, price, article result, company number, own flag.
  void zeile(int r, const char* nr, const char* text, const char* alias, const char* preis, const char* eigen = "0") {
    Fliesendaten& d = daten();
    d.unter(r, 1) = QString::fromUtf8(nr);
    d.unter(r, 2) = QString::fromUtf8(text);
    d.unter(r, 3) = QString::fromUtf8(alias);
    d.unter(r, 4) = QStringLiteral("ST");
    d.unter(r, 5) = QString::fromUtf8(preis);
    d.unter(r, 7) = QStringLiteral("Z");
    d.unter(r, 9) = QStringLiteral("EAN") + QString::fromUtf8(nr);
    d.unter(r, 10) = QString::fromUtf8(eigen);
    d.unter(r, 11) = QStringLiteral("ST");
    d.unter(r, 12) = QStringLiteral("10");
    d.unter(r, 13) = QStringLiteral("1,5");
    d.unter(r, 14) = QStringLiteral("15");
    d.unter(r, 15) = QStringLiteral("L");
  }
  Fliesenmasse masse() {
    const Fliesenparameter p = FliesenparameterLesen();
    return FliesenmasseBerechnen(170, 240, 36, 0.3 * 170 / 2, p, start().VSPrinter1);
  }
  // The message boxes shown after the first vorher.
  std::vector<std::string> boxenSeit(size_t vorher) const {
    const std::vector<std::string> alle = boxTexte();
    return {alle.begin() + static_cast<std::ptrdiff_t>(vorher), alle.end()};
  }
  // The texts printed in column j of row i (top of the cell at the row's top).
  std::vector<std::string> zelle(std::span<const DrawOp> ops, const Fliesenmasse& m, int i, int j) {
    std::vector<std::string> out;
    const double y = TabellenZeile(m, i);
    for (const auto* t : alle<kesto::activex::TextBoxOp>(ops))
      if (std::abs(t->box.left.mm() - m.Zx[j]) < 1e-6 && std::abs(t->box.top.mm() - y) < 1e-6) out.push_back(t->text);
    return out;
  }
};

TEST_F(FliesenschildTabelleTest, FrameFromTheTableTopToAGapAboveTheSignsEdge) {
  const auto ops = zeichnen(umfeld("FVK"));
  const Fliesenmasse m = masse();
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 3u);
  const Mm rahmen = inMm(*polygone[2]);
  EXPECT_EQ(rahmen, (Mm{7 + m.g, TabellenOben(m), 170 - 2 * m.g, 15 + 240 - m.g - TabellenOben(m)}));
  EXPECT_EQ(polygone[2]->brush.colour, 0xFFFFFFu);
}

TEST_F(FliesenschildTabelleTest, RepeatedLineTextOnceAndNumberZeroNotPrinted) {
  zeile(1, "200101", "Bordüre", "Capri BO", "4,40");
  zeile(2, "200102", "Bordüre", "Toscana BO", "5,90");
  zeile(3, "0", "Dekor", "Nordic DE", "7,40");
  const auto ops = zeichnen(umfeld("FVK"));
  const Fliesenmasse m = masse();
  EXPECT_EQ(zelle(ops, m, 1, 1), std::vector<std::string>{"Bordüre"});
  EXPECT_EQ(zelle(ops, m, 2, 1), std::vector<std::string>{""});
  EXPECT_EQ(zelle(ops, m, 3, 1), std::vector<std::string>{"Dekor"});
  EXPECT_EQ(zelle(ops, m, 2, 6), std::vector<std::string>{"200102"});
  EXPECT_TRUE(zelle(ops, m, 3, 6).empty());
  EXPECT_EQ(zelle(ops, m, 3, 2), std::vector<std::string>{"Nordic DE"});
  EXPECT_EQ(zelle(ops, m, 3, 7), std::vector<std::string>{"10"});
}

TEST_F(FliesenschildTabelleTest, HeadersOnceAndEmptyColumnsSuppressed) {
  struct Fall {
    const char* b2;
    size_t vpInh, zeichen;
  };
  const Fall faelle[] = {{"12@26@12@12@6@12@12@", 1, 1}, {"12@26@12@12@0@12@0@", 0, 0}, {"12@26@12@12@6@12", 0, 1}};
  zeile(1, "200101", "Bordüre", "Capri BO", "4,40");
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.b2);
    parameter("FSCHILD-B2", f.b2);
    const auto ops = zeichnen(umfeld("FVK"));
    const Fliesenmasse m = masse();
    for (const char* kopf : {"Zusatz", "Bezeichnung", "Art.Nr.", "Preis"})
      EXPECT_EQ(texte(ops, kopf).size(), 1u) << kopf;
    EXPECT_EQ(texte(ops, "VP Inh.").size(), f.vpInh);
    EXPECT_EQ(zelle(ops, m, 1, 5).size(), f.zeichen);
  }
}

TEST_F(FliesenschildTabelleTest, NotesAboveARowByOwnFiguresFlag) {
  zeile(1, "200101", "Bordüre", "Capri BO", "4,40", "0");
  zeile(2, "200102", "Dekor", "Toscana DE", "5,90", "1");
  const auto ops = zeichnen(umfeld("FVK"));
  const Fliesenmasse m = masse();
  auto notiz = [&](int i, int j) {
    std::vector<std::string> out;
    const double y = TabellenZeile(m, i) - m.R2 / 1.1;
    for (const auto* t : alle<kesto::activex::TextBoxOp>(ops))
      if (std::abs(t->box.left.mm() - m.Zx[j]) < 1e-6 && std::abs(t->box.top.mm() - y) < 1e-6) out.push_back(t->text);
    return out;
  };
  EXPECT_EQ(notiz(1, 2), std::vector<std::string>{"EAN200101"});
  EXPECT_EQ(notiz(1, 6), std::vector<std::string>{"Z"});
  EXPECT_EQ(notiz(2, 2),
            std::vector<std::string>{"15 ST entspricht 1,5 ST die Verpackung zu 10 ST entspricht 15 ST."});
  EXPECT_TRUE(notiz(2, 6).empty());
}

// Operations other than text boxes: the price blocks, lines and frames.
size_t ohneTextfelder(std::span<const DrawOp> ops) {
  return std::count_if(ops.begin(), ops.end(),
                       [](const DrawOp& op) { return !std::holds_alternative<kesto::activex::TextBoxOp>(op); });
}

// Empty rows draw no price band of blanks: a table whose only price is row 1's draws
// exactly that one price block more than a table without prices.
TEST_F(FliesenschildTabelleTest, EmptyRowsDrawNoPriceBand) {
  const FliesenschildUmfeld u = umfeld("FVK");
  const size_t ohnePreise = ohneTextfelder(zeichnen(u));
  zeile(1, "200101", "Bordüre", "Capri BO", "4,40");
  const size_t einPreis = ohneTextfelder(zeichnen(u));

  const Fliesenmasse m = masse();
  kesto::activex::VSPrinter allein;
  allein.StartDoc();
  QString preis = QStringLiteral("4,40"), zweit = QStringLiteral("   "), zweitzeichen;
  PreisOptionen optionen;
  PreisAusmass ausmass;
  if (u.NeuerStil)
    PreisDrucken(preis, u.waehrungen.NW, QStringLiteral("ST"), {}, 45, allein, m.Zx[4], TabellenZeile(m, 1), m.Zw[4],
                 optionen, ausmass);
  else
    PreisPolygonDrucken(preis, u.waehrungen.NW, zweit, zweitzeichen, QStringLiteral("ST"), {}, 45, allein, m.Zx[4],
                        TabellenZeile(m, 1), m.Zw[4], optionen, ausmass);
  const size_t block = ohneTextfelder(allein.pages()[0].ops);
  ASSERT_GT(block, 0u);
  EXPECT_EQ(einPreis - ohnePreise, block);
}

TEST_F(FliesenschildTabelleTest, RowWithoutAliasPutsNoPackagingLineInTheStrip) {
  zeile(1, "200101", "Bordüre", "Capri BO", "4,40");
  zeile(3, "200103", "Dekor", "", "7,40");
  const auto ops = zeichnen(umfeld("FVK"));
  std::vector<std::string> streifen;
  for (const auto* t : alle<kesto::activex::TextBoxOp>(ops))
    if (t->text.starts_with("VKE: ") && t->text.find(" LoB: ") != std::string::npos) streifen.push_back(t->text);
  EXPECT_EQ(streifen, std::vector<std::string>{"VKE: ST VPI: 10 VRM: 1,5 VPM: 15 LoB: L"});
}

// The editor's empty price box leaves "0,00" formatted in the price of its current row even
// when that row has no sub-article: such a row draws no price band and no currency mark.
TEST_F(FliesenschildTabelleTest, RowWithoutNumberDrawsNoPriceBand) {
  const FliesenschildUmfeld u = umfeld("FVK");
  const size_t leer = zeichnen(u).size();
  daten().unter(1, 5) = QStringLiteral("0,-");
  daten().unter(1, 6) = QStringLiteral("0");
  const auto ops = zeichnen(u);
  EXPECT_EQ(ops.size(), leer);
  EXPECT_TRUE(texte(ops, "0,-").empty());
}

// Rows whose cell would reach past the table's lower edge are not drawn; the filled ones
// among them are counted in the message. The demo's small sign (170 x 120 mm) has room
// for three rows, a sign too short for the header gets no table.
TEST_F(FliesenschildTabelleTest, RowsBelowTheTablesEdgeAreLeftOffAndCounted) {
  const struct Fall {
    const char* name;
    const QString& typ;
    const char* bh;
    std::vector<int> zeilen;  // filled rows
    int gezeichnet;           // the last row drawn
    const char* meldung;
  } faelle[] = {
      {"large, eleven rows", kWandfliese, "170@240@170@120", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 11, nullptr},
      {"small, three rows", kKuechenfliese, "170@240@170@120", {1, 2, 3}, 3, nullptr},
      {"small, four rows", kKuechenfliese, "170@240@170@120", {1, 2, 3, 4}, 3,
       "1 Zeile der Zusatzartikel passt nicht auf das Schild und wurde weggelassen."},
      {"small, eleven rows", kKuechenfliese, "170@240@170@120", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3,
       "8 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen."},
      {"small, empty rows not counted", kKuechenfliese, "170@240@170@120", {1, 6, 9}, 3,
       "2 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen."},
      {"no room for the header", kKuechenfliese, "170@240@170@86", {1, 2}, 0,
       "2 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen."},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    fliesendatenZuruecksetzen();
    WeggelasseneZeilenVergessen();
    daten().typSetzen(f.typ);
    parameter("FSCHILD-BH", f.bh);
    for (const int r : f.zeilen) {
      const std::string nr = std::to_string(200100 + r), alias = "Alias " + std::to_string(r);
      zeile(r, nr.c_str(), "Bordüre", alias.c_str(), "4,40");
    }
    const size_t vorher = boxTexte().size();
    const auto ops = zeichnen(umfeld("FVK"));
    kesto::test::bilderAblegen(start().VSPrinter1.pages(), "Fliese-Tabelle-" + std::to_string(&f - faelle));
    EXPECT_EQ(boxenSeit(vorher), f.meldung ? std::vector<std::string>{f.meldung} : std::vector<std::string>{});
    for (const int r : f.zeilen)
      EXPECT_EQ(texte(ops, "Alias " + std::to_string(r)).size(), r <= f.gezeichnet ? 1u : 0u) << r;
    EXPECT_EQ(texte(ops, "Zusatz").size(), f.gezeichnet > 0 ? 1u : 0u);
    nichtsUnterDemSchild(ops);
  }
}

// The preview redraws the sign after every change; the message comes again only when the
// sign or the number of rows left off changes, or after a sign on which all rows fit.
TEST_F(FliesenschildTabelleTest, LeftOffRowsAreToldOncePerSign) {
  daten().typSetzen(kKuechenfliese);
  for (int r = 1; r <= kUnterzeilen; ++r) zeile(r, std::to_string(200100 + r).c_str(), "Bordüre", "Capri BO", "4,40");
  FliesenschildUmfeld u = umfeld("FVK");
  u.ArtNr = QStringLiteral("200002");
  const std::string acht = "8 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen.";
  const std::string sieben = "7 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen.";
  const struct Schritt {
    const char* name;
    std::function<void(Fliesendaten&, FliesenschildUmfeld&)> aendern;
    std::vector<std::string> neu;
  } schritte[] = {
      {"first drawing", [](Fliesendaten&, FliesenschildUmfeld&) {}, {acht}},
      {"same sign again", [](Fliesendaten&, FliesenschildUmfeld&) {}, {}},
      {"another price", [](Fliesendaten& d, FliesenschildUmfeld&) { d.unter(1, 5) = QStringLiteral("5,90"); }, {}},
      {"one row less", [](Fliesendaten& d, FliesenschildUmfeld&) { d.zeileLeeren(11); }, {sieben}},
      {"another article", [](Fliesendaten&, FliesenschildUmfeld& v) { v.ArtNr = QStringLiteral("200001"); }, {sieben}},
      {"all fit", [](Fliesendaten& d, FliesenschildUmfeld&) { for (int r = 4; r <= 10; ++r) d.zeileLeeren(r); }, {}},
      {"too many again", [](Fliesendaten& d, FliesenschildUmfeld&) { d.unter(4, 1) = QStringLiteral("200104"); },
       {"1 Zeile der Zusatzartikel passt nicht auf das Schild und wurde weggelassen."}},
  };
  for (const Schritt& s : schritte) {
    SCOPED_TRACE(s.name);
    s.aendern(daten(), u);
    const size_t vorher = boxTexte().size();
    zeichnen(u);
    EXPECT_EQ(boxenSeit(vorher), s.neu);
  }
}

}  // namespace
}  // namespace vovida::test
