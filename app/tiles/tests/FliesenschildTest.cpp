// The tile-sign layout on the recorded preview document, against the demo server's
// parameters and font slots: sizes and slots by kind, frames, logo, label, main rows,
// and the document left ended.
#include "Fliesenschildseite.h"

#include "Feldwerte.h"
#include "LesbareFarbe.h"
#include "Schriftdefinitionen.h"

#include <activex/Page.h>

#include <stdexcept>

namespace vovida::test {
namespace {

using kesto::activex::EllipseOp;
using kesto::activex::LineOp;
using kesto::activex::PenStyle;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::units;

class FliesenschildTest : public Fliesenschildseite {};

TEST_F(FliesenschildTest, DemoSaleSignFrameStripAndLogo) {
  daten().typSetzen(kBodenfliese);
  const auto ops = zeichnen(umfeld("FVK"));
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 2u);
  EXPECT_EQ(inMm(*polygone[0]), (Mm{7, 15, 170, 240}));
  EXPECT_EQ(polygone[0]->pen.width, units(10));
  EXPECT_EQ(polygone[0]->pen.style, PenStyle::Solid);
  // Strip: X0 + W + g / 2 with g = 1 % of 170 mm, S = 210 - 170 - 14.
  EXPECT_EQ(inMm(*polygone[1]), (Mm{177.85, 15, 26, 240}));
  EXPECT_EQ(polygone[1]->pen.style, PenStyle::Dash);
  const auto bilder = alle<PictureOp>(ops);
  ASSERT_EQ(bilder.size(), 1u);
  EXPECT_EQ(inMm(bilder[0]->box), (Mm{49.5, 18.4, 85, 25.5}));
  EXPECT_TRUE(alle<EllipseOp>(ops).empty());
}

TEST_F(FliesenschildTest, LabelFrameFieldCornersOvalInTheChosenColour) {
  daten().typSetzen(kBeschriftung);
  FliesenschildUmfeld u = umfeld("A7");
  u.textmarkeFarbe = 0x00C0FF;
  const auto ops = zeichnen(u);
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 2u);
  EXPECT_EQ(inMm(*polygone[0]), (Mm{7, 15, 100, 70}));
  EXPECT_EQ(polygone[0]->pen.style, PenStyle::Dot);
  EXPECT_EQ(inMm(*polygone[1]), (Mm{9, 17, 96, 66}));
  EXPECT_EQ(polygone[1]->brush.colour, 0xFFFFFFu);
  EXPECT_EQ(polygone[1]->brush.style, kesto::activex::BrushStyle::Solid);

  // Four corner marks of two arms each, 5 mm long, 5 mm away from the corner: the first
  // lines drawn (the price draws lines of its own later).
  const auto linien = alle<LineOp>(ops);
  ASSERT_GE(linien.size(), 8u);
  std::vector<Mm> arme;  // from x, from y, to x, to y
  for (size_t i = 0; i < 8; ++i) {
    const LineOp* l = linien[i];
    arme.push_back({l->from.x.mm(), l->from.y.mm(), l->to.x.mm(), l->to.y.mm()});
  }
  const std::vector<Mm> erwartet = {{2, 15, -3, 15},   {7, 10, 7, 5},    {112, 15, 117, 15}, {107, 10, 107, 5},
                                    {2, 85, -3, 85},   {7, 90, 7, 95},   {112, 85, 117, 85}, {107, 90, 107, 95}};
  EXPECT_EQ(arme, erwartet);

  const auto ovale = alle<EllipseOp>(ops);
  ASSERT_EQ(ovale.size(), 1u);
  EXPECT_EQ(inMm(ovale[0]->box), (Mm{13, 21, 88, 11.5}));
  EXPECT_EQ(ovale[0]->brush.colour, 0x00C0FFu);
  EXPECT_EQ(ovale[0]->brush.style, kesto::activex::BrushStyle::Solid);
  EXPECT_EQ(ovale[0]->pen.width, units(12));
  EXPECT_TRUE(alle<PictureOp>(ops).empty());
}

// The headline lies on the oval: in the default blue, a blue headline would vanish.
TEST_F(FliesenschildTest, LabelHeadlineStandsOutAgainstItsOvalAndFitsIt) {
  daten().typSetzen(kBeschriftung);
  FliesenschildUmfeld u = umfeld("A7");
  u.Ueberschrift = QStringLiteral("SONDERANGEBOT SOLANGE DER VORRAT REICHT");
  const auto ops = zeichnen(u);
  const auto ovale = alle<EllipseOp>(ops);
  ASSERT_EQ(ovale.size(), 1u);
  const auto texte = alle<kesto::activex::TextOp>(ops);
  ASSERT_FALSE(texte.empty());
  for (const auto* t : texte) {
    if (t->at.y.mm() > inMm(ovale[0]->box).y + inMm(ovale[0]->box).h) continue;
    EXPECT_EQ(LesbareFarbe(t->style.colour, ovale[0]->brush.colour), t->style.colour) << t->text;
    EXPECT_GE(t->at.x.mm(), 7);
    EXPECT_LE(t->at.x.mm(), 107);
  }
}

// Which size and which font slots each kind and type draws with.
TEST_F(FliesenschildTest, SizeAndSlotsByKindAndType) {
  struct Fall {
    const char* plakatart;
    QString typ;
    Mm rahmen;
    int aliasSlot;
  };
  const Fall faelle[] = {
      {"FVK", kWandfliese, {7, 15, 170, 240}, 36},
      {"FVK", kBestellung, {7, 15, 170, 240}, 36},
      {"FVK", kKuechenfliese, {7, 15, 170, 120}, 48},
      {"A7", kBeschriftung, {7, 15, 100, 70}, 48},
      {"A7", kWandfliese, {7, 15, 100, 70}, 48},  // the boxes, whatever the type
  };
  daten().haupt(1) = QStringLiteral("Nordic");
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.plakatart) + " " + f.typ.toStdString());
    daten().typSetzen(f.typ);
    const auto ops = zeichnen(umfeld(f.plakatart));
    EXPECT_EQ(inMm(*alle<PolygonOp>(ops).at(0)), f.rahmen);
    const auto alias = texte(ops, "Nordic");
    ASSERT_EQ(alias.size(), 1u);
    EXPECT_DOUBLE_EQ(alias[0]->style.font.size, static_cast<float>(feldZahl(f.aliasSlot, 1)));
  }
}

TEST_F(FliesenschildTest, SaleSignOfTypeLabellingLeavesAnEmptyEndedDocument) {
  daten().typSetzen(kWandfliese);
  zeichnen(umfeld("FVK"));  // a sign first: it must not stay
  daten().typSetzen(kBeschriftung);
  const auto ops = zeichnen(umfeld("FVK"));
  EXPECT_TRUE(ops.empty());
}

TEST_F(FliesenschildTest, SizeThatIsNoNumberGivesOneMessageAndAnEmptyDocument) {
  struct Fall {
    const char* plakatart;
    const char *b, *h, *bh;
    const char* text;
  };
  const char* beschriftung = "Fliesenbeschriftung: Breite und Höhe müssen Zahlen größer 0 sein.";
  const char* schild = "Fliesenschild: Der Parameter FSCHILD-BH (Gruppe PLAKAT) fehlt oder enthält keine gültige Größe.";
  const Fall faelle[] = {
      {"A7", "", "70", "170@240@170@120", beschriftung},
      {"A7", "100", "abc", "170@240@170@120", beschriftung},
      {"A7", "0", "70", "170@240@170@120", beschriftung},
      {"FVK", "100", "70", "", schild},
      {"FVK", "100", "70", "170", schild},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.plakatart) + " " + f.b + "/" + f.h + " " + f.bh);
    daten().typSetzen(f.plakatart == std::string("A7") ? kBeschriftung : kWandfliese);
    parameter("FSCHILD-BH", f.bh);
    FliesenschildUmfeld u = umfeld(f.plakatart);
    u.B = QString::fromUtf8(f.b);
    u.H = QString::fromUtf8(f.h);
    try {
      FliesenschilderDrucken(daten(), u);
      ADD_FAILURE() << "no message";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), f.text);
    }
    const auto& vp = start().VSPrinter1;
    EXPECT_FALSE(vp.documentOpen());
    for (const auto& seite : vp.pages()) EXPECT_TRUE(seite.ops.empty());
  }
}

// A logo ratio that is empty or no number draws no logo, and the block starts higher.
TEST_F(FliesenschildTest, LogoRatioThatIsNoNumberDrawsNoLogo) {
  struct Fall {
    const char* wert;
    size_t bilder;
    double aliasOben;  // Y0 + 4u + T
  };
  const Fall faelle[] = {{"0,3", 1, 15 + 6.8 + 25.5}, {"", 0, 15 + 6.8}, {"viel", 0, 15 + 6.8}, {"-1", 0, 15 + 6.8}};
  daten().typSetzen(kWandfliese);
  daten().haupt(1) = QStringLiteral("Nordic");
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.wert);
    parameter("F-LOGO-QZM", f.wert);
    const auto ops = zeichnen(umfeld("FVK"));
    EXPECT_EQ(alle<PictureOp>(ops).size(), f.bilder);
    const auto alias = texte(ops, "Nordic");
    ASSERT_EQ(alias.size(), 1u);
    EXPECT_NEAR(alias[0]->box.top.mm(), f.aliasOben + feldZahl(36, 6), 1e-6);
  }
}

TEST_F(FliesenschildTest, MainRowsInTheColumnGrid) {
  parameter("FSCHILD-B1", "20@30@20@30");
  parameter("FSCHILD-B3", "0");
  parameter("FSCHILD-BH", "100@200@70@150");
  daten().typSetzen(kWandfliese);
  daten().haupt(7) = QStringLiteral("30x60 cm");
  FliesenschildUmfeld u = umfeld("FVK");
  u.Fliesentype = QStringLiteral("Wandfliese glasiert");
  const auto ops = zeichnen(u);
  const struct {
    const char* text;
    double x, b;
  } zellen[] = {{"Art.Nr.:", 7, 20},  {"Größe:", 57, 20}, {"30x60 cm", 77, 30},
                {"Fliesentype:", 7, 20}, {"Wandfliese glasiert", 27, 80}};
  for (const auto& z : zellen) {
    SCOPED_TRACE(z.text);
    const auto t = texte(ops, z.text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0]->box.left.mm(), z.x, 1e-6);
    EXPECT_NEAR(t[0]->box.width.mm(), z.b, 1e-6);
  }
}

TEST_F(FliesenschildTest, MainExplanationOnlyWhenTicked) {
  daten().typSetzen(kWandfliese);
  daten().haupt(12) = QStringLiteral("m²");
  daten().haupt(14) = QStringLiteral("ST");
  daten().haupt(15) = QStringLiteral("10");
  daten().haupt(16) = QStringLiteral("1,5");
  daten().haupt(17) = QStringLiteral("15");
  const QString satz = QStringLiteral("15 ST entspricht 1,5 m² die Verpackung zu 10 ST entspricht 15 m².");
  FliesenschildUmfeld u = umfeld("FVK");
  EXPECT_EQ(texte(zeichnen(u), satz.toStdString()).size(), 1u);
  u.hauptErklaerung = false;
  EXPECT_TRUE(texte(zeichnen(u), satz.toStdString()).empty());
}

// Equal heights of the label and the value slot: the value slot's spacing is taken.
TEST_F(FliesenschildTest, RowPitchTieGoesToTheValueSlot) {
  auto& schriften = Schriftdefinitionen();
  schriften(37, 1) = schriften(38, 1) = QStringLiteral("10");
  schriften(37, 4) = QStringLiteral("1");
  schriften(38, 4) = QStringLiteral("3");
  const Fliesenparameter p = FliesenparameterLesen();
  Fliesenmasse m = FliesenmasseBerechnen(170, 240, 36, 0, p, start().VSPrinter1);
  EXPECT_DOUBLE_EQ(m.Ht[2], m.Ht[3]);
  EXPECT_EQ(m.Sp1, 3);
  schriften(37, 1) = QStringLiteral("14");
  m = FliesenmasseBerechnen(170, 240, 36, 0, p, start().VSPrinter1);
  EXPECT_GT(m.Ht[2], m.Ht[3]);
  EXPECT_EQ(m.Sp1, 1);
  EXPECT_EQ(m.R1, m.Ht[2]);
}

}  // namespace
}  // namespace vovida::test
