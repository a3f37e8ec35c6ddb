// The place of a turned price label inside the inner frame, clear of the lines above it.
#include "EigenbauPreisplatz.h"

#include "Drehung.h"

#include <gtest/gtest.h>

#include <vector>

namespace vovida::test {
namespace {

using kesto::activex::Box;
using kesto::activex::DrawOp;
using kesto::activex::mm;
using kesto::activex::TextBoxOp;

constexpr double kWinkel = 8;

// A label w wide and h high, turned by kWinkel about its top-left corner (x, y).
QPolygonF etikett(double x, double y, double w, double h) {
  const double a = gradInBogen(kWinkel);
  const Punkt t{x, y};
  QPolygonF p;
  for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}, {0.0, 0.0}}) {
    const Punkt q = gedreht(t, a, dx, dy);
    p << QPointF(q.x, q.y);
  }
  return p;
}

const QRectF kRahmen{20.5, 20.5, 84, 109};  // the default design's inner frame

TEST(EigenbauPreisplatz, TheLabelMovesAsLittleAsItMustAndTheLinesRiseOnlyWhereNoPlaceIsLeft) {
  struct Fall {
    const char* name;
    QPolygonF etikett;
    std::vector<QRectF> zeilen, feste;
    double dx, dy, hub;  // dy and hub: at least this, less than a step more
  };
  const QRectF grundpreis{25, 96, 34, 4};  // "1 m² = 19,90 EUR" above the price
  // The top edge rises 8 degrees: under the line's right end (59 mm, 0.5 mm kept clear) a
  // label from 25 mm lies 4.85 mm higher than at its corner.
  const Fall faelle[] = {
      {"fits", etikett(40, 105, 40, 15), {grundpreis}, {}, 0, 0, 0},
      {"on the left cut line", etikett(15, 110, 40, 15), {}, {}, 5.5, 0, 0},
      {"past the right frame", etikett(70, 110, 40, 15), {}, {}, -7.198, 0, 0},
      {"wider than the frame", etikett(0, 110, 100, 10), {}, {}, 20.5, 0, 0},
      {"below the frame", etikett(40, 120, 40, 15), {}, {}, 0, -5.354, 0},
      {"under a long line", etikett(25, 100, 60, 12), {grundpreis}, {}, 0, 5.349, 0},
      // 0.78 mm of room below: as low as it goes, and the line 4.57 mm higher.
      {"no room below", etikett(25, 100, 60, 29), {grundpreis}, {}, 0, 0.782, 4.566},
      // The company sign stops it lower down; flush right it passes beside the sign.
      {"a picture below", etikett(25, 100, 60, 12), {grundpreis}, {QRectF(21, 116, 41, 7)}, 18.414, 2.8, 0},
      // A line and a picture across the whole frame: the picture stops it 4.1 mm lower, and
      // the line rises above its top-right corner.
      {"a wide picture below", etikett(25, 100, 60, 12), {QRectF(25, 96, 79, 4)}, {QRectF(21, 116.6, 83, 6)}, 0,
       4.117, 4.733},
      // A label on the company sign moves up off it.
      {"on a picture", etikett(25, 106, 60, 12), {}, {QRectF(21, 116, 41, 7)}, 0, -2.633, 0},
  };
  constexpr double kSchritt = 0.25;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const Preisplatzierung p = PreisPlatzieren(f.etikett, kRahmen, f.zeilen, f.feste);
    EXPECT_NEAR(p.dx, f.dx, 1e-3);
    EXPECT_GE(p.dy, f.dy - 1e-3);
    EXPECT_LT(p.dy, f.dy + kSchritt);
    EXPECT_GE(p.hub, f.hub - 1e-3);
    EXPECT_LT(p.hub, f.hub + kSchritt);
    // Wherever it ends up, the label lies in the frame and clear of the lines.
    const QPolygonF hier = f.etikett.translated(p.dx, p.dy);
    if (f.etikett.boundingRect().width() <= kRahmen.width())
      EXPECT_TRUE(kRahmen.adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(hier.boundingRect()));
    for (const QRectF& z : f.zeilen) EXPECT_FALSE(hier.intersects(QPolygonF(z.translated(0, -p.hub))));
  }
}

TEST(EigenbauPreisplatz, TheOutlineHoldsTheBandsAndTheWedgeButNotTheTextBoxes) {
  const double a = gradInBogen(kWinkel);
  const Punkt t{40, 100};
  const auto box = [](Punkt p, double w, double h, bool band, const char* text) {
    TextBoxOp op;
    op.text = text;
    op.box = Box{mm(p.x), mm(p.y), mm(w), mm(h)};
    op.frame = band;
    op.style.angle = 80;
    return DrawOp(op);
  };
  // A wedge reaching 2 mm past the bands' right edge.
  kesto::activex::PolygonOp keil;
  for (const Punkt& p : {gedreht(t, a, 50, 0), gedreht(t, a, 52, 7), gedreht(t, a, 50, 15)})
    keil.points.push_back({mm(p.x), mm(p.y)});
  // An empty text gets the whole width of the label as its box, and a price's box reaches
  // below its band: neither widens the outline.
  const std::vector<DrawOp> ops = {box(t, 50, 5, true, " "), box(gedreht(t, a, 0, 5), 50, 10, true, " "),
                                   box(gedreht(t, a, -30, 0), 200, 0, false, ""),
                                   box(gedreht(t, a, 10, 5), 20, 0, false, "12,99"), keil};
  const QPolygonF u = Etikettumriss(ops, kWinkel);
  const QPolygonF erwartet = etikett(40, 100, 52, 15);
  ASSERT_EQ(u.size(), erwartet.size());
  for (qsizetype k = 0; k < u.size(); ++k) {
    EXPECT_NEAR(u[k].x(), erwartet[k].x(), 1e-3) << k;
    EXPECT_NEAR(u[k].y(), erwartet[k].y(), 1e-3) << k;
  }
  EXPECT_TRUE(Etikettumriss({}, kWinkel).isEmpty());
}

}  // namespace
}  // namespace vovida::test
