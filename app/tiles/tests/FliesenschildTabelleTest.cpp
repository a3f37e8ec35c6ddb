// The sub-article table of a tile sale sign on the recorded page: which cell prints what,
// in which row and column, and what an empty row leaves out.
#include "Fliesenschildseite.h"

#include "PreisDrucken.h"
#include "Unterartikeltabelle.h"

#include <algorithm>

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

}  // namespace
}  // namespace vovida::test
