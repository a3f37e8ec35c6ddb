#include "Zeichenflaeche.h"

#include "RuntimeError.h"
#include "Schriftdefinitionen.h"
#include "TextaufDruckformular.h"
#include "LesbareFarbe.h"

#include <stdexcept>

using namespace vovida;
using kesto::activex::BrushStyle;
using kesto::activex::mm;
using kesto::activex::PenStyle;
using kesto::activex::TextBoxOp;
using kesto::activex::TextOp;
using kesto::activex::units;

namespace {

constexpr double kGenau = 1e-6;  // mm

}  // namespace

class TextTest : public Zeichenflaeche {
 protected:
  // kind, size, colour, contour, spacing, margin, top, shadow/pen, hor/brush, ver
  void SetUp() override {
    Zeichenflaeche::SetUp();
    slotSetzen(5, {"E", "12", "255", "False", "0", "1,5", "2", "16711935", "0", "0"});
  }
};

TEST_F(TextTest, SchriftTextDruckenMeasuresABoxLeftAtZero) {
  SchriftTextDrucken(QStringLiteral("Agfa 12"), 10, 20, 0, 0, 5, QStringLiteral("Arial"), vp);
  const auto boxen = alle<TextBoxOp>();
  ASSERT_EQ(boxen.size(), 1u);
  const Mass m = textMass(QStringLiteral("Agfa 12"), 12);
  EXPECT_NEAR(boxen[0].box.width.mm(), m.breite, kGenau);
  EXPECT_NEAR(boxen[0].box.height.mm(), m.hoehe, kGenau);
  EXPECT_NEAR(boxen[0].box.left.mm(), 11.5, kGenau);
  EXPECT_NEAR(boxen[0].box.top.mm(), 22, kGenau);
  EXPECT_EQ(boxen[0].style.font.size, 12);
  EXPECT_EQ(boxen[0].style.colour, 255u);
  EXPECT_EQ(boxen[0].style.align, 11);
  EXPECT_FALSE(boxen[0].frame);

  SchriftTextDrucken(QStringLiteral("x"), 10, 20, 30, 8, 5, QStringLiteral("Arial"), vp);
  EXPECT_NEAR(alle<TextBoxOp>()[1].box.width.mm(), 30, kGenau);
  EXPECT_NEAR(alle<TextBoxOp>()[1].box.height.mm(), 8, kGenau);
}

TEST_F(TextTest, SchriftTextDruckenWritesBackTheStylesItUsed) {
  const struct {
    const char *stift, *pinsel;  // fields 7 and 8
    TextboxStil gegeben, soll;
  } faelle[] = {
      {"16711935", "16711935", {7, 0, 0, 0}, {7, 1, 1, 5}},
      {"16711935", "16711935", {11, 3, 0, 2}, {11, 3, 1, 5}},
      {"255", "65280", {11, 3, 0, 2}, {11, 3, 0, 2}},
      {"255", "16711935", {11, 0, 4, 0}, {11, 1, 1, 5}},
  };
  for (const auto& f : faelle) {
    Schriftdefinitionen()(5, 7) = QString::fromUtf8(f.stift);
    Schriftdefinitionen()(5, 8) = QString::fromUtf8(f.pinsel);
    TextboxStil stil = f.gegeben;
    vp.StartDoc();
    SchriftTextDrucken(QStringLiteral("Box"), 0, 0, 20, 5, 5, QStringLiteral("Arial"), vp, stil);
    EXPECT_EQ(stil.ausrichtung, f.soll.ausrichtung);
    EXPECT_EQ(stil.stiftbreite, f.soll.stiftbreite);
    EXPECT_EQ(stil.pinselstil, f.soll.pinselstil) << f.stift << " " << f.pinsel;
    EXPECT_EQ(stil.stiftstil, f.soll.stiftstil) << f.stift << " " << f.pinsel;
    const TextBoxOp box = alle<TextBoxOp>().at(0);
    EXPECT_EQ(box.pen.style, static_cast<PenStyle>(f.soll.stiftstil));
    EXPECT_EQ(box.brush.style, static_cast<BrushStyle>(f.soll.pinselstil));
    EXPECT_EQ(box.pen.width, units(f.soll.stiftbreite));
  }
  Schriftdefinitionen()(5, 3) = QStringLiteral("True");
  SchriftTextDrucken(QStringLiteral("Box"), 0, 0, 20, 5, 5, QStringLiteral("Arial"), vp);
  EXPECT_TRUE(alle<TextBoxOp>().back().frame);
}

TEST_F(TextTest, TextGemessenDruckenPrintsTheShadowPassFirst) {
  Schriftdefinitionen()(5, 7) = QStringLiteral("0");
  Schriftdefinitionen()(5, 8) = QStringLiteral("1");
  Schriftdefinitionen()(5, 9) = QStringLiteral("0,5");
  double hoehe = -1, summe = 99;
  TextGemessenDrucken(QStringLiteral("AW"), 5, QStringLiteral("Arial"), vp, 10, 20, std::nullopt, hoehe, summe);
  const auto texte = alle<TextOp>();
  ASSERT_EQ(texte.size(), 4u);
  const Mass a = textMass(QStringLiteral("A"), 12), w = textMass(QStringLiteral("W"), 12);
  // Shadow: moved by (field 8, field 9), in the shadow colour.
  EXPECT_EQ(texte[0].text, "A");
  EXPECT_NEAR(texte[0].at.x.mm(), 10 + 1.5 + 1, kGenau);
  EXPECT_NEAR(texte[0].at.y.mm(), 22 + 0.5, kGenau);
  EXPECT_EQ(texte[0].style.colour, 0u);
  EXPECT_NEAR(texte[1].at.x.mm(), 12.5 + a.breite, 1e-3);
  // Text in place, in the text colour.
  EXPECT_NEAR(texte[2].at.x.mm(), 11.5, kGenau);
  EXPECT_NEAR(texte[2].at.y.mm(), 22, kGenau);
  EXPECT_EQ(texte[2].style.colour, 255u);
  EXPECT_EQ(texte[2].style.align, 9);
  EXPECT_NEAR(summe, 2 * (a.breite + w.breite), 1e-3);
  EXPECT_NEAR(hoehe, w.hoehe, kGenau);
}

TEST_F(TextTest, TextGemessenDruckenSpacesOnlyBetweenCharactersAndCentres) {
  Schriftdefinitionen()(5, 4) = QStringLiteral("2");
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(QStringLiteral("AB"), 5, QStringLiteral("Arial"), vp, 10, 20, std::nullopt, hoehe, summe);
  TextGemessenDrucken(QStringLiteral("A"), 5, QStringLiteral("Arial"), vp, 10, 40, 50.0, hoehe, summe);
  const auto texte = alle<TextOp>();
  ASSERT_EQ(texte.size(), 3u);
  const Mass a = textMass(QStringLiteral("A"), 12);
  EXPECT_NEAR(texte[0].at.x.mm(), 11.5, kGenau);
  EXPECT_NEAR(texte[1].at.x.mm(), 11.5 + a.breite + 2, 1e-3);
  // One character: the spacing never moves it; centred in 50 mm.
  EXPECT_NEAR(texte[2].at.x.mm(), 10 + (50 - a.breite) / 2 + 1.5, 1e-3);

  vp.StartDoc();
  TextGemessenDrucken(QStringLiteral("AB"), 5, QStringLiteral("Arial"), vp, 10, 20, 50.0, hoehe, summe);
  const Mass ab = textMass(QStringLiteral("AB"), 12);
  EXPECT_NEAR(alle<TextOp>()[0].at.x.mm(), 10 + (50 - ab.breite - 2) / 2 + 1.5, 1e-3);
}

TEST_F(TextTest, TextGemessenDruckenSetsAHeadlineWiderThanItsBandSmaller) {
  Schriftdefinitionen()(5, 1) = QStringLiteral("60");
  Schriftdefinitionen()(5, 5) = QStringLiteral("0");
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(QStringLiteral("FÜR SEHENSWERTE PREISE. AKTION"), 5, QStringLiteral("Arial"), vp, 10, 20, 100.0,
                      hoehe, summe);
  const auto texte = alle<TextOp>();
  ASSERT_FALSE(texte.empty());
  EXPECT_LT(texte[0].style.font.size, 60);
  EXPECT_GE(texte[0].at.x.mm(), 10);
  EXPECT_LE(summe, 100);
  EXPECT_LE(texte.back().at.x.mm() + textMass(QString::fromStdString(texte.back().text), texte.back().style.font.size).breite,
            110 + 1e-3);
}

TEST(LesbareFarbe, TextGivesWayToWhiteOrBlackOnlyWhereItWouldNotStandOut) {
  const struct {
    kesto::activex::Colour text, grund, erwartet;
  } faelle[] = {
      {0xFF0000, 0xFF0000, 0xFFFFFF},  // blue on the blue oval
      {0xFF0000, 0xFFFFFF, 0xFF0000},  // blue on white stays
      {0x00FFFF, 0xFFFFFF, 0x000000},  // yellow on white
      {0x000000, 0x00FF00, 0x000000},  // black on green stays
      {0x00FF00, 0x00FF00, 0x000000},  // green on green
      {0xFFFFFF, 0x0000FF, 0xFFFFFF},  // white on red stays
  };
  for (const auto& f : faelle) EXPECT_EQ(LesbareFarbe(f.text, f.grund), f.erwartet) << std::hex << f.text << " " << f.grund;
}

TEST_F(TextTest, TextGemessenDruckenMeasureOnlyStillPrintsTheContour) {
  Schriftdefinitionen()(5, 3) = QStringLiteral("True");
  Schriftdefinitionen()(5, 1) = QStringLiteral("25");
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(QStringLiteral("Hi"), 5, QStringLiteral("Arial"), vp, 10, 20, std::nullopt, hoehe, summe, true);
  const auto texte = alle<TextOp>();
  ASSERT_EQ(texte.size(), 2u);
  for (const auto& t : texte) {
    EXPECT_EQ(t.style.font.size, 25 + 2);  // size + size / 10, halves to even
    EXPECT_EQ(t.style.colour, 16711935u);
  }
  EXPECT_NEAR(texte[0].at.x.units(), mm(11.5).units() - 20, 1e-6);
  EXPECT_NEAR(texte[0].at.y.units(), mm(22).units() - 25, 1e-6);
  EXPECT_GT(summe, 0);
  EXPECT_EQ(vp.FontSize(), 25);
}

TEST_F(TextTest, TextGemessenDruckenWithEmptyTextKeepsTheHeight) {
  double hoehe = 7, summe = 3;
  TextGemessenDrucken(QString(), 5, QStringLiteral("Arial"), vp, 10, 20, 40.0, hoehe, summe);
  EXPECT_EQ(anzahl(), 0u);
  EXPECT_EQ(summe, 0);
  EXPECT_EQ(hoehe, 7);
}

TEST_F(TextTest, FieldsThatDoNotConvertReachTheCaller) {
  double hoehe = 0, summe = 0;
  EXPECT_THROW(SchriftTextDrucken(QStringLiteral("x"), 0, 0, 0, 0, 0, QStringLiteral("Arial"), vp), std::out_of_range);
  EXPECT_THROW(SchriftTextDrucken(QStringLiteral("x"), 0, 0, 0, 0, 73, QStringLiteral("Arial"), vp), std::out_of_range);
  Schriftdefinitionen()(5, 6) = QStringLiteral("zwei");
  EXPECT_THROW(SchriftTextDrucken(QStringLiteral("x"), 0, 0, 0, 0, 5, QStringLiteral("Arial"), vp), RuntimeError);
  Schriftdefinitionen()(5, 6) = QStringLiteral("2");
  Schriftdefinitionen()(5, 3) = QStringLiteral("vielleicht");
  EXPECT_THROW(TextGemessenDrucken(QStringLiteral("x"), 5, QStringLiteral("Arial"), vp, 0, 0, std::nullopt, hoehe, summe),
               RuntimeError);
  // Sizes of three digits are fine; the 16-bit range is not.
  Schriftdefinitionen()(5, 3) = QStringLiteral("False");
  Schriftdefinitionen()(5, 1) = QStringLiteral("300");
  EXPECT_NO_THROW(TextGemessenDrucken(QStringLiteral("x"), 5, QStringLiteral("Arial"), vp, 0, 0, std::nullopt, hoehe, summe));
  Schriftdefinitionen()(5, 1) = QStringLiteral("40000");
  EXPECT_THROW(TextGemessenDrucken(QStringLiteral("x"), 5, QStringLiteral("Arial"), vp, 0, 0, std::nullopt, hoehe, summe),
               RuntimeError);
}
