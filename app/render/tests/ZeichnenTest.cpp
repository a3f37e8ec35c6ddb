#include "Zeichenflaeche.h"

#include "RuntimeError.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"
#include "Zeichnen.h"

#include <cmath>
#include <numbers>

using namespace vovida;
using kesto::activex::ArcOp;
using kesto::activex::BrushStyle;
using kesto::activex::LineOp;
using kesto::activex::mm;
using kesto::activex::PenStyle;
using kesto::activex::Point;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;
using kesto::activex::units;

namespace {

Point P(double xMm, double yMm) { return {mm(xMm), mm(yMm)}; }

constexpr double kGenau = 1e-6;  // page units

void erwartePunkt(Point ist, Point soll, const char* was) {
  EXPECT_NEAR(ist.x.units(), soll.x.units(), kGenau) << was;
  EXPECT_NEAR(ist.y.units(), soll.y.units(), kGenau) << was;
}

}  // namespace

using ZeichnenTest = Zeichenflaeche;

TEST_F(ZeichnenTest, PolygonZeichnenSendsFiveClosedPointsWithPenAndBrush) {
  EXPECT_EQ(PunktListe({{10, 20}, {40, 20}, {40, 25}, {10, 25}, {10, 20}}),
            QStringLiteral("570 1140, 2280 1140, 2280 1425, 570 1425, 570 1140"));
  // Fractions keep "." whatever the locale, so the list still parses.
  EXPECT_EQ(PunktListe({{10.5, 0}, {-0.0, 0.1}}), QStringLiteral("598.5 0, 0 5.7"));

  PolygonZeichnen(10, 20, 30, 5, vp, 255, 2, 3, 65280, 0);
  PolygonZeichnen(10, 20, 0, 5, vp);  // degenerate, still five points
  const auto polygone = alle<PolygonOp>();
  ASSERT_EQ(polygone.size(), 2u);
  const std::vector<Point> soll{P(10, 20), P(40, 20), P(40, 25), P(10, 25), P(10, 20)};
  EXPECT_EQ(polygone[0].points, soll);
  EXPECT_EQ(polygone[0].pen.colour, 255u);
  EXPECT_EQ(polygone[0].pen.style, PenStyle::Dot);
  EXPECT_EQ(polygone[0].pen.width, units(3));
  EXPECT_EQ(polygone[0].brush.colour, 65280u);
  EXPECT_EQ(polygone[0].brush.style, BrushStyle::Solid);

  EXPECT_EQ(polygone[1].points.size(), 5u);
  EXPECT_EQ(polygone[1].points[1], P(10, 20));
  EXPECT_EQ(polygone[1].pen.colour, 0u);
  EXPECT_EQ(polygone[1].pen.width, units(1));
  EXPECT_EQ(polygone[1].brush.colour, 16777215u);
  EXPECT_EQ(polygone[1].brush.style, BrushStyle::None);
}

TEST_F(ZeichnenTest, RahmenZeichnenLeavesTheCornerOpenByTheGap) {
  const struct {
    const char* code;
    double abstand;
    Point h1, h2, v1, v2;
  } faelle[] = {
      {"LO", 2, P(98, 100), P(93, 100), P(100, 98), P(100, 93)},
      {"RO", 2, P(102, 100), P(107, 100), P(100, 98), P(100, 93)},
      {"LU", 2, P(98, 100), P(93, 100), P(100, 102), P(100, 107)},
      {"RU", 2, P(102, 100), P(107, 100), P(100, 102), P(100, 107)},
      {"RU", 0, P(100, 100), P(105, 100), P(100, 100), P(100, 105)},
  };
  for (const auto& f : faelle) {
    vp.StartDoc();
    RahmenZeichnen(100, 100, 5, f.abstand, QString::fromUtf8(f.code), vp);
    const auto linien = alle<LineOp>();
    ASSERT_EQ(linien.size(), 2u) << f.code;
    erwartePunkt(linien[0].from, f.h1, f.code);
    erwartePunkt(linien[0].to, f.h2, f.code);
    erwartePunkt(linien[1].from, f.v1, f.code);
    erwartePunkt(linien[1].to, f.v2, f.code);
    EXPECT_EQ(linien[0].pen.style, PenStyle::Dot) << f.code;
  }
}

TEST_F(ZeichnenTest, RahmenZeichnenWithAnUnknownCodeOnlySetsThePen) {
  vp.setBrushColor(123);
  vp.setBrushStyle(0);
  for (const char* code : {"ru", "XX", ""}) {
    RahmenZeichnen(100, 100, 5, 2, QString::fromUtf8(code), vp, 255, 1, 4);
    EXPECT_EQ(anzahl(), 0u) << code;
  }
  EXPECT_EQ(vp.PenColor(), 255u);
  EXPECT_EQ(vp.PenStyle(), 1);
  EXPECT_EQ(vp.PenWidth(), units(4));
  // The brush is left as it was.
  EXPECT_EQ(vp.BrushColor(), 123u);
  EXPECT_EQ(vp.BrushStyle(), 0);
}

TEST_F(ZeichnenTest, EckeZeichnenPullsTheCentreInAndSweepsAQuarter) {
  const double pi = std::numbers::pi;
  const struct {
    const char* code;
    double winkel;
    Point mitte;
    double anfang;
  } faelle[] = {
      {"LO", 0, P(52, 52), pi / 2},
      {"RO", 0, P(48, 52), 0},
      {"LU", 0, P(52, 48), pi},
      {"RU", 0, P(48, 48), 3 * pi / 2},
      // Turned by 90 degrees: the offset (-2, -2) becomes (-2, +2).
      {"RU", pi / 2, P(48, 52), 3 * pi / 2 + pi / 2},
  };
  for (const auto& f : faelle) {
    vp.StartDoc();
    EckeZeichnen(50, 50, f.winkel, 4, QString::fromUtf8(f.code), vp, 2, 7, 255, 0);
    const auto boegen = alle<ArcOp>();
    ASSERT_EQ(boegen.size(), 1u) << f.code;
    erwartePunkt(boegen[0].centre, f.mitte, f.code);
    EXPECT_NEAR(boegen[0].radius.units(), 4 * 57, kGenau);
    EXPECT_NEAR(boegen[0].start, f.anfang, 1e-9) << f.code;
    EXPECT_NEAR(boegen[0].sweep, pi / 2, 1e-9) << f.code;  // "RU" ends at 0, not 360
    EXPECT_EQ(boegen[0].pen.colour, 255u);
    EXPECT_EQ(boegen[0].pen.width, units(7));
  }
  EXPECT_EQ(vp.BrushColor(), 1u);
  EXPECT_EQ(vp.BrushStyle(), 1);
  EckeZeichnen(50, 50, 0, 4, QStringLiteral("xx"), vp, 1, 1);
  EXPECT_EQ(anzahl(), 1u);
}

TEST_F(ZeichnenTest, RasterZeichnenDrawsTheGridOnlyWhenSwitchedOn) {
  vp.setPenColor(42);
  RasterZeichnen(210, 297, vp, 10, 0);
  EXPECT_EQ(anzahl(), 0u);
  EXPECT_EQ(vp.PenColor(), 42u);

  RasterZeichnen(210, 297, vp, 10, 1);
  const auto linien = alle<LineOp>();
  ASSERT_EQ(linien.size(), 29u + 21u);
  EXPECT_EQ(linien[0].from, P(0, 10));
  EXPECT_EQ(linien[0].to, P(210, 10));
  EXPECT_EQ(linien[28].from, P(0, 290));
  EXPECT_EQ(linien[29].from, P(10, 0));
  EXPECT_EQ(linien[29].to, P(10, 297));
  EXPECT_EQ(linien.back().from, P(210, 0));
  EXPECT_EQ(linien[0].pen.colour, 0x8000000Fu);
  EXPECT_EQ(linien[0].pen.width, units(0));
}

TEST_F(ZeichnenTest, RasterZeichnenCoversWideGridsAndEndsQuietly) {
  const struct {
    std::int16_t breite, hoehe, schritt;
    std::size_t linien;
  } faelle[] = {
      {600, 10, 10, 1 + 60},  // beyond 574 mm the whole grid is still drawn
      {20, 20, 0, 0},         // a step that never advances draws nothing
      {20, 20, -5, 0},
      {25, 9, 10, 2},
  };
  for (const auto& f : faelle) {
    vp.StartDoc();
    RasterZeichnen(f.breite, f.hoehe, vp, f.schritt, 1);
    EXPECT_EQ(anzahl(), f.linien) << f.breite << "x" << f.hoehe << "/" << f.schritt;
  }
  vp.EndDoc();
  EXPECT_NO_THROW(RasterZeichnen(210, 297, vp, 10, 1));  // the control refuses: no message
}

TEST_F(ZeichnenTest, DruckerSchriftSetzenSetsEveryPropertyWithDefaults) {
  vp.setPenStyle(0);
  vp.setBrushColor(0);
  vp.setBrushStyle(0);
  vp.setTextAlign(11);
  vp.setTextAngle(80);
  vp.setFontBold(true);
  DruckerSchriftSetzen(vp, 12, QStringLiteral("Kipp"));
  EXPECT_EQ(vp.FontSize(), 12);
  EXPECT_EQ(vp.FontName(), "Kipp");
  EXPECT_FALSE(vp.FontBold());
  EXPECT_EQ(vp.TextColor(), 0u);
  EXPECT_EQ(vp.TextAlign(), 6);
  EXPECT_EQ(vp.TextAngle(), 0);
  EXPECT_EQ(vp.PenColor(), 0u);
  EXPECT_EQ(vp.PenStyle(), 5);
  EXPECT_EQ(vp.PenWidth(), units(0));
  EXPECT_EQ(vp.BrushColor(), 16777215u);
  EXPECT_EQ(vp.BrushStyle(), 1);

  DruckerSchriftSetzen(vp, QStringLiteral("10,5"), QStringLiteral("Arial"),
                       {.fett = true, .textfarbe = 255, .ausrichtung = 7, .winkel = -150});
  EXPECT_EQ(vp.FontSize(), 10.5);
  EXPECT_TRUE(vp.FontBold());
  EXPECT_EQ(vp.TextAngle(), -150);
  EXPECT_THROW(DruckerSchriftSetzen(vp, QStringLiteral("zwölf"), QStringLiteral("Arial")), RuntimeError);
}

TEST_F(ZeichnenTest, PreisRahmenZeichnenFramesTheLabelOutsideItsCorners) {
  slotSetzen(1, {"E", "12"});
  startglobale().FontNW = QStringLiteral("Arial");
  const double r = 2;
  PreisRahmenZeichnen({{10, 10}, {10, 20}, {50, 10}, {10, 30}, {50, 30}, 0, r, 30}, vp);

  const auto boegen = alle<ArcOp>();
  ASSERT_EQ(boegen.size(), 8u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(boegen[i].pen.colour, 255u) << i;
    EXPECT_NEAR(boegen[i].radius.mm(), 2 * r, 1e-9) << i;
    EXPECT_EQ(boegen[i].pen.width, units(r / 2 * 57)) << i;
  }
  const Colour innen[] = {65280, 65280, 255, 255};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(boegen[4 + i].pen.colour, innen[i]) << i;
  // The outer top-left arc sits at the corner moved out by r / 1.5, pulled in by 2r / 1.3.
  erwartePunkt(boegen[0].centre, P(10 - r / 1.5 + 2 * r / 1.3, 10 - r / 1.5 + 2 * r / 1.3), "LO aussen");

  const auto linien = alle<LineOp>();
  ASSERT_EQ(linien.size(), 10u);
  const struct {
    Point von, bis;
    Colour farbe;
  } soll[] = {
      {P(10 + r, 10 - r / 4), P(50 - r, 10 - r / 4), 65280},  // inner top
      {P(10 - r / 4, 10 + r), P(10 - r / 4, 20), 65280},      // inner left, above the split
      {P(50 + r / 4, 10 + r), P(50 + r / 4, 20), 65280},
      {P(10 - r / 4, 30 - r), P(10 - r / 4, 20), 255},        // inner left, below it
      {P(50 + r / 4, 20), P(50 + r / 4, 30 - r), 255},
      {P(10 + r, 30 + r / 4), P(50 - r, 30 + r / 4), 255},    // inner bottom
      {P(10 + r, 10 - r), P(50 - r, 10 - r), 255},            // outer lines, r outside
      {P(10 - r, 10 + r), P(10 - r, 30 - r), 255},
      {P(50 + r, 10 + r), P(50 + r, 30 - r), 255},
      {P(10 + r, 30 + r), P(50 - r, 30 + r), 255},
  };
  for (std::size_t i = 0; i < linien.size(); ++i) {
    erwartePunkt(linien[i].from, soll[i].von, "von");
    erwartePunkt(linien[i].to, soll[i].bis, "bis");
    EXPECT_EQ(linien[i].pen.colour, soll[i].farbe) << i;
  }

  // The label lands on the control drawn on.
  const auto label = alle<TextBoxOp>();
  ASSERT_EQ(label.size(), 1u);
  EXPECT_EQ(label[0].text, "123 ");
  EXPECT_TRUE(label[0].frame);
  erwartePunkt({label[0].box.left, label[0].box.top}, P(10 - 0.525 * r, 20 - r / 4), "label");
  EXPECT_NEAR(label[0].box.width.mm(), 30 + 0.95 * r, 1e-9);
  EXPECT_NEAR(label[0].box.height.mm(), r / 4, 1e-9);
  EXPECT_EQ(label[0].brush.colour, 65280u);
  EXPECT_EQ(label[0].brush.style, BrushStyle::Solid);
  EXPECT_EQ(label[0].style.font.size, 12);
  EXPECT_EQ(vp.PenColor(), 0u);
}
