#include "Zeichenflaeche.h"

#include "Anordnung.h"
#include "PreisDrucken.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"

#include <activex/Renderer.h>

#include <QColor>

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace vovida;
using kesto::activex::ArcOp;
using kesto::activex::LineOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;

namespace {

constexpr double kGenau = 1e-6;  // mm

}  // namespace

class PreisTest : public Zeichenflaeche {
 protected:
  void SetUp() override {
    Zeichenflaeche::SetUp();
    slotSetzen(1, {"E", "8"});
    slotSetzen(12, {"P", "40", "0", "False", "0", "0", "0", "16711935", "0", "0",
                    "10@0@20@0@14@0@12@0@10@0"});
    auto& g = startglobale();
    g.FontHW = g.FontNW = g.FontPKZHW = g.FontPER = g.FontINFO = QStringLiteral("Arial");
  }

  // The frameless text boxes in the order printed.
  std::vector<TextBoxOp> texte() const {
    std::vector<TextBoxOp> t;
    for (const auto& b : alle<TextBoxOp>())
      if (!b.frame) t.push_back(b);
    return t;
  }
  std::vector<TextBoxOp> baender() const {
    std::vector<TextBoxOp> t;
    for (const auto& b : alle<TextBoxOp>())
      if (b.frame && b.text == " ") t.push_back(b);
    return t;
  }

  PreisAusmass neu(QString preis, const PreisOptionen& opt, const QString& info = QStringLiteral("statt 19,99"),
                   double x = 100, double breite = 0) {
    PreisAusmass aus;
    PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 kg"), info, 12, vp, x, 50, breite, opt, aus);
    return aus;
  }
};

TEST_F(PreisTest, EmptyPriceDrawsAndWritesNothing) {
  vp.setFontName("Kipp");
  QString preis, neben = QStringLiteral("1,23"), mark = QStringLiteral("ATS");
  PreisAusmass aus{1, 2, 3, 4};
  PreisDrucken(preis, QStringLiteral("EUR"), {}, {}, 12, vp, 0, 0, 0, {}, aus);
  PreisPolygonDrucken(preis, QStringLiteral("EUR"), neben, mark, {}, {}, 12, vp, 0, 0, 0, {}, aus);
  EXPECT_EQ(anzahl(), 0u);
  EXPECT_EQ(aus.quer, 1);
  EXPECT_EQ(aus.rechtsObenY, 4);
  EXPECT_EQ(neben, QStringLiteral("1,23"));
  EXPECT_EQ(vp.FontName(), "Kipp");
}

TEST_F(PreisTest, ShortPriceIsFormattedFirst) {
  QString preis = QStringLiteral("5");
  PreisAusmass aus;
  PreisDrucken(preis, QStringLiteral("EUR"), {}, {}, 12, vp, 0, 0, 0, {}, aus);
  EXPECT_EQ(preis, QStringLiteral("5,-"));
  EXPECT_EQ(texte().at(0).text, "5,-");
}

TEST_F(PreisTest, PlacementCodeDecidesWhereTheLabelStarts) {
  Schriftdefinitionen()(12, 5) = QStringLiteral("1");
  const struct {
    double code;
    double anteil;  // of the extent across left of x
  } faelle[] = {{1, 0}, {3, 1}, {0, 0.5}, {2, 0.5}, {7, 0.5}};
  for (const auto& f : faelle) {
    vp.StartDoc();
    const PreisAusmass aus = neu(QStringLiteral("12,99"), {.platzierung = f.code});
    const TextBoxOp infoband = baender().at(0);
    EXPECT_NEAR(infoband.box.left.mm(), 100 - f.anteil * aus.quer + 1, kGenau) << f.code;
    EXPECT_NEAR(infoband.box.top.mm(), 50, kGenau);
    const double a = 8 * std::numbers::pi / 180;
    EXPECT_NEAR(aus.rechtsObenX, infoband.box.left.mm() + infoband.box.width.mm() * std::cos(a), 1e-6);
    EXPECT_NEAR(aus.rechtsObenY, 50 - infoband.box.width.mm() * std::sin(a), 1e-6);
  }
}

TEST_F(PreisTest, NewStyleBandsFrameAndColours) {
  const PreisAusmass aus = neu(QStringLiteral("12,99"), {});
  const auto b = baender();
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].brush.colour, 65280u);  // info band
  EXPECT_TRUE(b[0].style.font.bold);
  EXPECT_EQ(b[1].brush.colour, 255u);    // price band
  EXPECT_EQ(b[0].style.angle, 80);
  const Mass p = textMass(QStringLiteral("12,99"), 40), i = textMass(QStringLiteral("statt 19,99"), 10, "Arial", true);
  EXPECT_NEAR(b[0].box.height.mm(), i.hoehe, kGenau);
  EXPECT_NEAR(b[1].box.height.mm(), p.hoehe, kGenau);
  EXPECT_EQ(alle<ArcOp>().size(), 8u);
  EXPECT_NEAR(aus.runter, p.hoehe * std::cos(8 * std::numbers::pi / 180) + i.hoehe * std::cos(8 * std::numbers::pi / 180) +
                              aus.quer * std::sin(8 * std::numbers::pi / 180),
              1e-6);

  const auto t = texte();
  ASSERT_EQ(t.size(), 4u);  // price, currency mark, unit, info
  EXPECT_EQ(t[0].text, "12,99");
  EXPECT_NEAR(t[0].box.width.mm(), 1.1 * p.breite, kGenau);
  EXPECT_EQ(t[1].style.colour, 0u);      // the slot's text colour
  EXPECT_EQ(t[3].style.colour, 65535u);  // info in yellow
  EXPECT_EQ(t[3].style.align, 7);
  // Reset at the end.
  EXPECT_EQ(vp.FontName(), "Arial");
  EXPECT_EQ(vp.FontSize(), 1);
  EXPECT_EQ(vp.TextAngle(), 0);
}

TEST_F(PreisTest, WithoutFrameOrWithBlackTheExtrasAreBlack) {
  Schriftdefinitionen()(12, 2) = QStringLiteral("16711680");
  const struct {
    bool rahmen, schwarz;
    std::size_t baender;
    kesto::activex::Colour extras, info;
  } faelle[] = {
      {true, false, 2, 16711680, 65535}, {false, false, 0, 0, 0}, {true, true, 2, 0, 0}};
  for (const auto& f : faelle) {
    vp.StartDoc();
    neu(QStringLiteral("12,99"), {.rahmen = f.rahmen, .schwarz = f.schwarz});
    EXPECT_EQ(baender().size(), f.baender);
    EXPECT_EQ(alle<ArcOp>().empty(), !f.rahmen);
    const auto t = texte();
    EXPECT_EQ(t[0].style.colour, 16711680u);  // the price keeps its colour
    EXPECT_EQ(t[1].style.colour, f.extras);
    EXPECT_EQ(t[2].style.colour, f.extras);
    EXPECT_EQ(t[3].style.colour, f.info);
  }
}

TEST_F(PreisTest, WideOrEmptyInfoSetsTheLabelWidth) {
  const QString lang = QStringLiteral("Sonderangebot nur solange der Vorrat reicht");
  neu(QStringLiteral("1,99"), {.winkel = 0}, lang);
  EXPECT_NEAR(baender().at(0).box.width.mm(), 1.1 * textMass(lang, 10, "Arial", true).breite, kGenau);

  vp.StartDoc();
  neu(QStringLiteral("1,99"), {.winkel = 0}, QString());
  EXPECT_NEAR(baender().at(0).box.height.mm(), textMass(QStringLiteral("Ag12X"), 10, "Arial", true).hoehe, kGenau);
  EXPECT_EQ(texte().back().text, "");
}

TEST_F(PreisTest, ShadowIsPrintedFirstMovedRightAndUp) {
  Schriftdefinitionen()(12, 7) = QStringLiteral("255");
  Schriftdefinitionen()(12, 8) = QStringLiteral("1");
  Schriftdefinitionen()(12, 9) = QStringLiteral("2");
  neu(QStringLiteral("12,99"), {.winkel = 0});
  const auto t = texte();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].text, "12,99");
  EXPECT_EQ(t[0].style.colour, 255u);
  EXPECT_EQ(t[1].style.colour, 0u);
  EXPECT_NEAR(t[0].box.left.mm() - t[1].box.left.mm(), 1, kGenau);
  EXPECT_NEAR(t[0].box.top.mm() - t[1].box.top.mm(), -2, kGenau);
}

TEST_F(PreisTest, AnglesBeyondAByteOfTenthsAreKept) {
  neu(QStringLiteral("12,99"), {.winkel = 30});
  EXPECT_EQ(texte().at(0).style.angle, 300);
  vp.StartDoc();
  neu(QStringLiteral("12,99"), {.winkel = -8});
  EXPECT_EQ(texte().at(0).style.angle, -80);
}

// Where it fits, the label with its frame is as wide as without a limit.
TEST_F(PreisTest, LabelThatFitsIsAsWideAsWithoutALimit) {
  const PreisAusmass frei = neu(QStringLiteral("12,99"), {}, QStringLiteral("statt 19,99"), 10, 0);
  vp.StartDoc();
  const PreisAusmass eng = neu(QStringLiteral("12,99"), {}, QStringLiteral("statt 19,99"), 10, frei.quer + 12);
  EXPECT_NEAR(eng.quer, frei.quer, kGenau);
  EXPECT_EQ(texte().at(0).style.font.size, 40);
}

class PreisPolygonTest : public PreisTest {
 protected:
  // Wide enough for every label drawn here: the label keeps the slot's sizes.
  static constexpr double kBreite = 100;
  PreisAusmass alt(QString preis, QString& neben, QString& mark, const PreisOptionen& opt = {.winkel = 0}) {
    PreisAusmass aus;
    PreisPolygonDrucken(preis, QStringLiteral("ATS"), neben, mark, QStringLiteral("1 kg"), QStringLiteral("statt"), 12,
                        vp, 100, 50, kBreite, opt, aus);
    return aus;
  }
};

TEST_F(PreisPolygonTest, BandsWedgeAndSecondaryLine) {
  QString neben = QStringLiteral("12,34"), mark = QStringLiteral("EUR");
  const PreisAusmass aus = alt(QStringLiteral("169,80"), neben, mark);
  const auto b = baender();
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[0].brush.colour, 65280u);
  EXPECT_EQ(b[1].brush.colour, 65280u);
  EXPECT_EQ(b[2].brush.colour, 255u);
  const Mass hs = textMass(QStringLiteral("12,"), 14), hp = textMass(QStringLiteral("169,80"), 40),
             hi = textMass(QStringLiteral("statt"), 10, "Arial", true);
  EXPECT_NEAR(aus.runter, hs.hoehe + hp.hoehe + hi.hoehe, kGenau);
  EXPECT_NEAR(b[0].box.left.mm(), 100 + (kBreite - aus.quer) / 2, kGenau);
  // The top-right corner is that of the top band.
  EXPECT_NEAR(aus.rechtsObenX, b[0].box.left.mm() + b[0].box.width.mm(), kGenau);
  EXPECT_NEAR(aus.rechtsObenY, 50, kGenau);

  const auto keil = alle<PolygonOp>();
  ASSERT_EQ(keil.size(), 1u);
  ASSERT_EQ(keil[0].points.size(), 5u);
  EXPECT_EQ(keil[0].brush.colour, 0u);
  EXPECT_NEAR(keil[0].points[0].x.mm(), b[0].box.left.mm() + aus.quer, 1e-3);  // along the right edge

  const auto t = texte();
  ASSERT_EQ(t.size(), 5u);  // price, mark, unit, secondary line, info
  EXPECT_NEAR(t[0].box.width.mm(), 1.1 * hp.breite, kGenau);
  EXPECT_EQ(t[1].style.colour, 0u);         // currency mark always black
  EXPECT_EQ(t[2].style.colour, 16777215u);  // unit white on the red band
  EXPECT_EQ(t[3].text, "EUR  12,34");
  EXPECT_EQ(t[3].style.colour, 16777215u);
  EXPECT_FALSE(t[4].style.font.bold);
}

TEST_F(PreisPolygonTest, PercentPriceBlanksTheSecondaryPrice) {
  QString neben = QStringLiteral("12,34"), mark = QStringLiteral("EUR");
  alt(QStringLiteral("20%"), neben, mark);
  EXPECT_EQ(neben, QStringLiteral("   "));
  EXPECT_EQ(mark, QString());
  EXPECT_EQ(texte().at(3).text, "     ");
}

TEST_F(PreisPolygonTest, ShortOrEmptySecondaryPriceHasNoWholePart) {
  const struct {
    const char *neben, *zeile;
  } faelle[] = {{"", "EUR  "}, {"5", "EUR  5"}, {"12,-", "EUR  12,- "}};
  for (const auto& f : faelle) {
    vp.StartDoc();
    QString neben = QString::fromUtf8(f.neben), mark = QStringLiteral("EUR");
    alt(QStringLiteral("169,80"), neben, mark);
    EXPECT_EQ(texte().at(3).text, f.zeile) << f.neben;
  }
}

TEST_F(PreisPolygonTest, WithoutFrameOnlyBlackTexts) {
  QString neben = QStringLiteral("12,34"), mark = QStringLiteral("EUR");
  alt(QStringLiteral("169,80"), neben, mark, {.rahmen = false, .winkel = 0});
  EXPECT_TRUE(baender().empty());
  EXPECT_TRUE(alle<PolygonOp>().empty());
  for (const auto& t : texte()) EXPECT_EQ(t.style.colour, 0u) << t.text;
}

// Looks: both styles rendered; the bands show red and green where the layout put them.
TEST_F(PreisTest, BothStylesRenderTheirBands) {
  PreisAusmass aus;
  QString preis = QStringLiteral("12,99");
  PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 kg"), QStringLiteral("statt 19,99"), 12, vp, 20, 40, 80,
               {}, aus);
  QString alt = QStringLiteral("169,80"), neben = QStringLiteral("12,34"), mark = QStringLiteral("EUR");
  PreisAusmass aus2;
  PreisPolygonDrucken(alt, QStringLiteral("ATS"), neben, mark, QStringLiteral("1 kg"), QStringLiteral("statt 199,-"), 12,
                      vp, 20, 120, 80, {}, aus2);
  const QImage bild = kesto::activex::renderPageImage(vp.pages().back(), 100);
  // Kept for a look in the test's own root folder when it has one.
  if (const QString wurzel = qEnvironmentVariable("KESTO_ROOT"); !wurzel.isEmpty())
    bild.save(wurzel + QStringLiteral("/preise.png"));

  const auto farbeBei = [&bild](double xMm, double yMm) {
    return bild.pixelColor(static_cast<int>(xMm / 25.4 * 100), static_cast<int>(yMm / 25.4 * 100));
  };
  const auto b = baender();
  ASSERT_EQ(b.size(), 5u);
  // A point just inside each band's left end, below its top edge (the band is tilted up).
  const struct {
    std::size_t band;
    QColor farbe;
  } proben[] = {{1, Qt::red}, {2, Qt::green}, {4, Qt::red}};
  for (const auto& p : proben) {
    const double x = b[p.band].box.left.mm() + 1.5;
    const double y = b[p.band].box.top.mm() + b[p.band].box.height.mm() * 0.5;
    EXPECT_EQ(farbeBei(x, y), p.farbe) << p.band;
  }
}

// Level labels: every band is its colour at both ends and its top edge runs straight
// along the line its box says.
TEST_F(PreisTest, LevelStylesRenderFlatBands) {
  PreisAusmass aus;
  QString preis = QStringLiteral("12,99");
  PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 kg"), QStringLiteral("statt 19,99"), 12, vp, 20, 40, 80,
               {.winkel = 0}, aus);
  QString alt = QStringLiteral("169,80"), neben = QStringLiteral("12,34"), mark = QStringLiteral("EUR");
  PreisPolygonDrucken(alt, QStringLiteral("ATS"), neben, mark, QStringLiteral("1 kg"), QStringLiteral("statt 199,-"), 12,
                      vp, 20, 120, 80, {.winkel = 0}, aus);
  const QImage bild = kesto::activex::renderPageImage(vp.pages().back(), 100);
  if (const QString wurzel = qEnvironmentVariable("KESTO_ROOT"); !wurzel.isEmpty())
    bild.save(wurzel + QStringLiteral("/preise-waagrecht.png"));

  const auto farbeBei = [&bild](double xMm, double yMm) {
    return bild.pixelColor(static_cast<int>(xMm / 25.4 * 100), static_cast<int>(yMm / 25.4 * 100));
  };
  const auto b = baender();
  ASSERT_EQ(b.size(), 5u);
  const QColor farben[] = {Qt::green, Qt::red, Qt::green, Qt::green, Qt::red};
  for (std::size_t i = 0; i < b.size(); ++i) {
    // Clear of the frame's small split label, which sits on the split at the very left
    // of the band above the price band.
    const double links = b[i].box.left.mm() + b[i].box.width.mm() * 0.1;
    const double rechts = b[i].box.left.mm() + b[i].box.width.mm() - 1.5;
    const double oben = b[i].box.top.mm(), mitte = oben + b[i].box.height.mm() * 0.5;
    EXPECT_EQ(farbeBei(links, mitte), farben[i]) << i;
    EXPECT_EQ(farbeBei(rechts, mitte), farben[i]) << i;
    // The same height near both ends.
    for (const double x : {b[i].box.left.mm() + b[i].box.width.mm() * 0.2, rechts}) {
      EXPECT_EQ(farbeBei(x, oben + 0.5), farben[i]) << i;
      EXPECT_NE(farbeBei(x, oben - 0.5), farben[i]) << i;
    }
  }
}

TEST_F(PreisTest, DemoA4PriceInTheHeadlineFaceFitsThePage) {
  // The demo data's A4 price slot and price fonts, and the editor's sample price.
  slotSetzen(27, {"P", "160", "255", "False", "0", "0", "0", "0", "1", "1", "80@0@48@0@28@0@20@0@20@0"});
  auto& g = startglobale();
  g.FontHW = g.FontPKZHW = QStringLiteral("Kipp");
  g.FontNW = g.FontPER = QStringLiteral("Helvetica");
  QString preis = QStringLiteral("1.987.65");
  PreisAusmass aus;
  PreisDrucken(preis, QStringLiteral("€"), QStringLiteral("Stk"), QStringLiteral("TEST"), 27, vp, 0, 20, 210,
               {.rahmen = true, .winkel = 8}, aus);
  const std::vector<TextBoxOp> alleTexte = texte();
  const auto preisText = std::find_if(alleTexte.begin(), alleTexte.end(),
                                      [](const TextBoxOp& t) { return t.text == "1.987.65"; });
  ASSERT_NE(preisText, alleTexte.end());
  // The box is the measured width with a tenth added; it must stay inside the 210 mm page.
  EXPECT_LT(preisText->box.width.mm(), 210.0);
  EXPECT_TRUE(kesto::activex::makeFont(preisText->style.font).bold());
}

// A price or info text too wide for the label's width sets the label smaller instead of
// pushing it past its slot; a price that fits keeps the slot's size. The frame, its outer
// arcs and lines included, keeps to the width and limit too.
TEST_F(PreisTest, LabelKeepsToItsWidthAndLimit) {
  struct Fall {
    const char* preis;
    const char* info;
    double breite;
    PreisOptionen opt;
    bool kleiner;
  } faelle[] = {
      {"12,99", "statt 19,99", 120, {}, false},
      {"1.234.567,89", "statt 19,99", 120, {}, true},
      {"12,99", "Statt 14.999,99 EUR im Frühjahrskatalog", 90, {}, false},
      {"12.345,67", "statt 19,99", 200, {.hoechstquer = 90}, true},
      {"12,99", "Statt 14.999,99 EUR im Frühjahrskatalog, nur solange der Vorrat reicht", 90, {}, false},
      {"12,99", "statt 19,99", 90, {.winkel = 0}, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.preis);
    vp.StartDoc();
    PreisAusmass aus;
    QString preis = QString::fromUtf8(f.preis);
    PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 kg"), QString::fromUtf8(f.info), 12, vp, 10, 50,
                 f.breite, f.opt, aus);
    const double grenze = f.opt.hoechstquer > 0 ? std::min(f.breite, f.opt.hoechstquer) : f.breite;
    EXPECT_LE(aus.quer, grenze + 0.01);
    const auto t = texte();
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t[0].style.font.size < 40, f.kleiner);
    for (const auto& b : baender()) {
      EXPECT_GE(b.box.left.mm(), 10 - 0.01);
      EXPECT_LE(b.box.left.mm() + b.box.width.mm() * std::cos(8 * std::numbers::pi / 180), 10 + f.breite + 0.01);
    }
    const double links = 10 + (f.breite - grenze) / 2, rechts = links + grenze;
    ASSERT_FALSE(alle<ArcOp>().empty());
    for (const ArcOp& b : alle<ArcOp>()) {
      const double r = b.radius.mm() + b.pen.width.mm() / 2;
      EXPECT_GE(b.centre.x.mm() - r, links - 0.01);
      EXPECT_LE(b.centre.x.mm() + r, rechts + 0.01);
    }
    for (const LineOp& l : alle<LineOp>())
      for (const auto& p : {l.from, l.to}) {
        EXPECT_GE(p.x.mm() - l.pen.width.mm() / 2, links - 0.01);
        EXPECT_LE(p.x.mm() + l.pen.width.mm() / 2, rechts + 0.01);
      }
  }
}

// The old style keeps to its width and limit as the new one does: its bands, wedge and the
// ink of its texts stay within them, a price that fits keeps the slot's size, and a line too
// wide for the label is set in the label's width.
TEST_F(PreisPolygonTest, OldLabelKeepsToItsWidthAndLimit) {
  const char* lang = "Statt 14.999,99 EUR im Frühjahrskatalog, nur solange der Vorrat reicht";
  struct Fall {
    const char* preis;
    const char* neben;
    const char* info;
    double breite;
    PreisOptionen opt;
    bool kleiner;     // price set below the slot's size
    bool infoImBand;  // the info box as wide as the label, not a tenth wider
  } faelle[] = {
      {"12,99", "178,75", "statt 19,99", 120, {}, false, false},
      {"1.234.567,89", "178,75", "statt 19,99", 120, {}, true, false},
      {"12,99", "178,75", lang, 90, {}, false, true},
      {"12,99", "123.456.789.012.345,67", "statt 19,99", 70, {}, false, false},
      {"12.345,67", "178,75", "statt 19,99", 200, {.hoechstquer = 90}, true, false},
      {"1.234.567,89", "178,75", lang, 120, {.rahmen = false}, true, true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.preis) + " / " + f.neben + " / " + f.info);
    vp.StartDoc();
    PreisAusmass aus;
    QString preis = QString::fromUtf8(f.preis), neben = QString::fromUtf8(f.neben), mark = QStringLiteral("EUR");
    PreisPolygonDrucken(preis, QStringLiteral("ATS"), neben, mark, QStringLiteral("1 kg"), QString::fromUtf8(f.info),
                        12, vp, 10, 50, f.breite, f.opt, aus);
    const double grenze = f.opt.hoechstquer > 0 ? std::min(f.breite, f.opt.hoechstquer) : f.breite;
    EXPECT_LE(aus.quer, grenze + 0.01);
    const kesto::test::Umriss streifen{10 + (f.breite - grenze) / 2, 0, grenze, 297};
    const auto& ops = vp.pages().back().ops;
    EXPECT_THAT(kesto::test::anordnungPruefen(ops, {&streifen, 1}), ::testing::IsEmpty());
    EXPECT_THAT(kesto::test::formenPruefen(ops, {&streifen, 1}), ::testing::IsEmpty());
    const auto t = texte();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].style.font.size < 40, f.kleiner);
    // The label's width, from its top-left corner to its top-right one.
    const double gesamt = (aus.rechtsObenX - (10 + (f.breite - aus.quer) / 2)) / std::cos(8 * std::numbers::pi / 180);
    EXPECT_NEAR(t[4].box.width.mm(), (f.infoImBand ? 1 : 1.1) * gesamt, 0.01);
  }
}

// Between a highest and a lowest line both styles keep their place and sizes where they
// fit, and are set smaller as a whole, secondary line and info included, where they do not.
TEST_F(PreisTest, BothStylesKeepBetweenTheirHighestAndLowestLine) {
  const auto zeichnen = [&](bool neuerStil, const PreisOptionen& opt) {
    vp.StartDoc();
    PreisAusmass aus;
    QString preis = QStringLiteral("12.345,67"), neben = QStringLiteral("169.880,12"), mark = QStringLiteral("ATS");
    const QString info = QStringLiteral("Statt 14.999,99 EUR im Frühjahrskatalog");
    if (neuerStil)
      PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 kg"), info, 12, vp, 10, 50, 150, opt, aus);
    else
      PreisPolygonDrucken(preis, QStringLiteral("EUR"), neben, mark, QStringLiteral("1 kg"), info, 12, vp, 10, 50, 150,
                          opt, aus);
    return texte();
  };
  struct Fall {
    bool neuerStil;
    double oben, unten;
    bool kleiner;
  } faelle[] = {
      {true, 10, 150, false}, {false, 10, 150, false}, {true, 40, 62, true},
      {false, 40, 62, true},  {true, 0, 58, true},     {false, 45, 0, true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.neuerStil << " " << f.oben << ".." << f.unten);
    const std::vector<TextBoxOp> frei = zeichnen(f.neuerStil, {});
    const std::vector<TextBoxOp> t = zeichnen(f.neuerStil, {.oben = f.oben, .unten = f.unten});
    ASSERT_EQ(t.size(), frei.size());
    if (!f.kleiner) {
      for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].box.left.units(), frei[i].box.left.units()) << i;
        EXPECT_EQ(t[i].box.top.units(), frei[i].box.top.units()) << i;
        EXPECT_EQ(t[i].style.font.size, frei[i].style.font.size) << i;
      }
      continue;
    }
    // Every text smaller: the price, its mark and unit, the secondary line and the info.
    for (std::size_t i = 0; i < t.size(); ++i) EXPECT_LT(t[i].style.font.size, frei[i].style.font.size) << i;
    const double bis = f.unten > 0 ? f.unten : 297;
    const kesto::test::Umriss streifen{0, f.oben, 210, bis - f.oben};
    const auto& ops = vp.pages().back().ops;
    EXPECT_THAT(kesto::test::anordnungPruefen(ops, {&streifen, 1}), ::testing::IsEmpty());
    EXPECT_THAT(kesto::test::formenPruefen(ops, {&streifen, 1}), ::testing::IsEmpty());
    for (const ArcOp& b : alle<ArcOp>()) {
      const double r = b.radius.mm() + b.pen.width.mm() / 2;
      EXPECT_GE(b.centre.y.mm() - r, f.oben - 0.01);
      EXPECT_LE(b.centre.y.mm() + r, bis + 0.01);
    }
  }
}
