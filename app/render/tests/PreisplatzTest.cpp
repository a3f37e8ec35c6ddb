// Finding room for a price label: the outline of what a label draws, the nearest move
// clear of texts inside an area, and setting it smaller only where no place is clear.
#include "Preisplatz.h"

#include "Anordnung.h"
#include "TextaufDruckformular.h"
#include "Zeichenflaeche.h"

#include <gmock/gmock.h>

#include <cmath>

namespace vovida {
namespace {

using kesto::activex::mm;

// Corners to a thousandth of a millimetre.
std::vector<std::pair<double, double>> gerundet(const std::vector<Punkt>& punkte) {
  std::vector<std::pair<double, double>> r;
  for (const Punkt& p : punkte) r.emplace_back(std::round(p.x * 1000) / 1000, std::round(p.y * 1000) / 1000);
  return r;
}

// A 10 x 10 mm square with its top-left corner at the anchor.
const std::vector<Punkt> kQuadrat{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST(Ausweichen, NearestClearMoveInsideTheArea) {
  struct Fall {
    const char* name;
    Hindernis bereich;
    std::vector<Hindernis> hindernisse;
    double dx, dy;
    int verdeckt;
  };
  const Fall faelle[] = {
      {"clear where it is", {-50, -50, 50, 50}, {{20, 0, 30, 10}}, 0, 0, 0},
      // Half a millimetre kept clear of the text.
      {"text over its right half", {-50, -50, 50, 50}, {{5, 2, 30, 8}}, -5.5, 0, 0},
      {"text over its top, room below only", {0, -50, 10, 50}, {{-5, -5, 15, 3}}, 0, 3.5, 0},
      {"pushed inside the area", {2, 0, 40, 40}, {}, 2, 0, 0},
      {"no clear place: the fewest texts", {0, 0, 12, 12}, {{0, 0, 1, 2}, {6, 0, 7, 12}}, 1.5, 0, 1},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::optional<Verschiebung> v = Ausweichen(kQuadrat, f.bereich, f.hindernisse);
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(v->dx, f.dx, 1e-9);
    EXPECT_NEAR(v->dy, f.dy, 1e-9);
    EXPECT_EQ(v->verdeckt, f.verdeckt);
  }
}

TEST(Ausweichen, OutlineLargerThanTheAreaFindsNoPlace) {
  EXPECT_FALSE(Ausweichen(kQuadrat, {0, 0, 9, 40}, {}).has_value());
}

// The turned outline, not its bounding box: a text under the raised right end stays clear.
TEST(Ausweichen, TurnedOutlinePassesOverATextBelowItsSlope) {
  const double a = gradInBogen(8);
  const Punkt lo{0, 0};
  const std::vector<Punkt> schraeg{lo, gedreht(lo, a, 40, 0), gedreht(lo, a, 40, 10), gedreht(lo, a, 0, 10)};
  // Right of the bottom-left corner, below the label's raised bottom edge near its end.
  const Hindernis text{30, 8, 38, 9};
  const std::optional<Verschiebung> v = Ausweichen(schraeg, {-50, -50, 50, 50}, {{text}});
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->dx, 0);
  EXPECT_EQ(v->dy, 0);
}

class Zeichnungsumriss : public Zeichenflaeche {};

TEST_F(Zeichnungsumriss, HullOfBoxesTurnedAboutTheirCornerAndOfLines) {
  EXPECT_TRUE(vovida::Zeichnungsumriss(vp.pages().back().ops).empty());
  vp.setTextAngle(900);  // a quarter turn: the box stands up from its corner
  vp.TextBox(" ", mm(10), mm(20), mm(8), mm(2), false, false, true);
  vp.setTextAngle(0);
  vp.DrawLine(mm(0), mm(0), mm(5), mm(30));
  using P = std::pair<double, double>;
  EXPECT_THAT(gerundet(vovida::Zeichnungsumriss(vp.pages().back().ops)),
              ::testing::UnorderedElementsAre(P{0, 0}, P{12, 12}, P{12, 20}, P{5, 30}));
}

class Textflaeche : public Zeichenflaeche {};

// Where the text of a box lies: around its ink as drawn, and no more than a line's
// height and a little of its width beyond it.
TEST_F(Textflaeche, HoldsTheInkOfTheBoxAsDrawn) {
  slotSetzen(5, {"B", "10", "0", "False", "0", "2", "1", "16711935", "16711935", "0", ""});  // margin 2, top 1 mm
  struct Fall {
    const char* text;
    double breite, hoehe;
    std::int32_t ausrichtung;
  };
  const Fall faelle[] = {
      {"Abriebgruppe", 50, 8, 6},  {"Abriebgruppe", 50, 8, 7},  {"Abriebgruppe", 50, 8, 8},
      {"Abriebgruppe", 50, 0, 11}, {"Abriebgruppe", 0, 0, 6},
      // Wider than its box: set smaller or wrapped inside it.
      {"Feinsteinzeug Terrazzo Anthrazit matt", 20, 8, 6},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.text) + " " + std::to_string(f.breite) + " " + std::to_string(f.ausrichtung));
    vp.StartDoc();
    const QString text = QString::fromUtf8(f.text);
    const QString arial = QStringLiteral("Arial");
    const Hindernis r = vovida::Textflaeche(text, 10, 20, f.breite, f.hoehe, 5, arial, f.ausrichtung, vp);
    TextboxStil stil{f.ausrichtung};
    SchriftTextDrucken(text, 10, 20, f.breite, f.hoehe, 5, arial, vp, stil);
    const auto tinte = kesto::test::flaechen(vp.pages().back().ops);
    ASSERT_FALSE(tinte.empty());
    QRectF alle;
    for (const auto& t : tinte) alle |= t.umriss.boundingRect();
    EXPECT_LE(r.links, alle.left() + 0.05);
    EXPECT_LE(r.oben, alle.top() + 0.05);
    EXPECT_GE(r.rechts, alle.right() - 0.05);
    EXPECT_GE(r.unten, alle.bottom() - 0.05);
    EXPECT_LT(alle.left() - r.links + r.rechts - alle.right(), 1.0);
    EXPECT_LT(r.unten - r.oben, alle.height() + 2.5);
    if (f.breite > 0) {
      EXPECT_GE(r.links, 12 - 1e-9);
      EXPECT_LE(r.rechts, 12 + f.breite + 1e-9);
    }
  }
}

// A stand-in label: a square whose side is its extent across, 20 mm at full size.
PreisAusmass quadratDrucken(VSPrinter& vp, double x, double y, const PreisOptionen& o) {
  const double seite = o.hoechstquer > 0 ? std::min(20.0, o.hoechstquer) : 20.0;
  vp.DrawRectangle(mm(x), mm(y), mm(x + seite), mm(y + seite));
  return {.quer = seite, .runter = seite};
}

TEST(PreislageSuchen, SmallerOnlyWhereNoPlaceIsClearAndNoSmallerThanNeeded) {
  struct Fall {
    const char* name;
    Hindernis bereich;
    Hindernis text;
    double hoechstquer;  // 0: full size
    int verdeckt;
  };
  const Fall faelle[] = {
      {"room at full size", {0, -10, 100, 40}, {0, 15, 100, 16}, 0, 0},
      {"room for three quarters", {0, 0, 100, 25}, {0, 15, 100, 16}, 14.5, 0},
      {"none clear at the smallest: the fewest texts", {0, 0, 100, 14}, {0, 5, 100, 6}, 12, 1},
      {"no room at all: where it was", {0, 0, 100, 10}, {0, 5, 100, 6}, 0, kKeinPlatz},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const Preislage l = PreislageSuchen(quadratDrucken, f.bereich, {{f.text}});
    EXPECT_NEAR(l.optionen.hoechstquer, f.hoechstquer, 0.2);
    EXPECT_EQ(l.verdeckt, f.verdeckt);
  }
}

}  // namespace
}  // namespace vovida
