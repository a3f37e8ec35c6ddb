// The two-line rounded frame around a new-style price.
#include "Zeichnen.h"

#include "Feldwerte.h"
#include "Preisdruck.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"

#include <cmath>

namespace vovida {

using kesto::activex::mm;

namespace {

// The outer arcs: radius 2r round centres an r/1.5 step out from the corners and then
// 2r/1.3 back in, drawn r/2 wide; they reach furthest past the bands.
constexpr double kBogenRadius = 2, kBogenAussen = 1 / 1.5, kTeiler = 1.3, kStift = 0.5;

void linie(VSPrinter& vp, Punkt von, Punkt bis) { vp.DrawLine(mm(von.x), mm(von.y), mm(bis.x), mm(bis.y)); }

}  // namespace

void PreisRahmenZeichnen(const PreisRahmen& p, VSPrinter& vp) {
  const double a = p.winkel;
  const double r = p.mass;
  const auto t = [a](Punkt q, double dx, double dy) { return gedreht(q, a, dx, dy); };
  // The split point on the right side.
  const Punkt s2{p.split.x + (p.ro.x - p.lo.x), p.split.y + (p.ro.y - p.lo.y)};
  const double stift = kStift * r * 57;

  struct Ecke {
    Punkt punkt;
    const char16_t* code;
    int sx, sy;     // outwards
    Colour innen;   // colour of the inner arc
  };
  const Ecke ecken[] = {{p.lo, u"LO", -1, -1, kGruen},
                        {p.ro, u"RO", 1, -1, kGruen},
                        {p.lu, u"LU", -1, 1, kRot},
                        {p.ru, u"RU", 1, 1, kRot}};
  // Outer arcs, red, at the corners moved outwards; then the inner arcs at the corners
  // themselves, green above and red below.
  const double aussen = kBogenAussen * r;
  for (const Ecke& e : ecken) {
    const Punkt q = t(e.punkt, e.sx * aussen, e.sy * aussen);
    EckeZeichnen(q.x, q.y, a, kBogenRadius * r, QString::fromUtf16(e.code), vp, kTeiler, stift, kRot, 0);
  }
  for (const Ecke& e : ecken)
    EckeZeichnen(e.punkt.x, e.punkt.y, a, r, QString::fromUtf16(e.code), vp, kTeiler, stift, e.innen, 0);

  // Inner lines r/4 outside the corner rectangle, green above the split.
  vp.setPenColor(kGruen);
  linie(vp, t(p.lo, r, -r / 4), t(p.ro, -r, -r / 4));
  linie(vp, t(p.lo, -r / 4, r), t(p.split, -r / 4, 0));
  linie(vp, t(p.ro, r / 4, r), t(s2, r / 4, 0));

  vp.setPenColor(kRot);
  linie(vp, t(p.lu, -r / 4, -r), t(p.split, -r / 4, 0));
  linie(vp, t(s2, r / 4, 0), t(p.ru, r / 4, -r));
  linie(vp, t(p.lu, r, r / 4), t(p.ru, -r, r / 4));

  // Outer lines r outside it.
  vp.setPenColor(kRot);
  linie(vp, t(p.lo, r, -r), t(p.ro, -r, -r));
  linie(vp, t(p.lo, -r, r), t(p.lu, -r, -r));
  linie(vp, t(p.ro, r, r), t(p.ru, r, -r));
  linie(vp, t(p.lu, r, r), t(p.ru, -r, r));

  SchriftEinstellung e;
  e.winkel = ganzzahl16(a * 180 / kPi * 10);
  e.stiftfarbe = kGruen;
  e.stiftstil = 0;
  e.stiftbreite = ganzzahl16(r / 4);
  e.pinselfarbe = kGruen;
  e.pinselstil = 0;
  DruckerSchriftSetzen(vp, Schriftdefinitionen()(1, 1), startglobale().FontNW, e);

  // The label goes on the control drawn on, so that a preview other than the main
  // window's gets its own label.
  vp.TextBox("123 ", mm(gedreht(p.split, a, -0.525 * r, 0).x), mm(gedreht(p.split, a, -r / 4, -r / 4).y),
             mm(p.beschriftungsbreite + 0.95 * r), mm(r / 4), false, false, true);
  vp.setPenColor(kSchwarz);
}

double preis::rahmenAussen(double mass) { return (kBogenRadius + kStift / 2) * mass; }

double preis::rahmenUeberstand(double mass, double winkel) {
  // Across the page, the arc of a corner reaches past the corner by its radius and half its
  // pen, less the step its centre lies in from the corner, turned.
  const double innen = (kBogenRadius / kTeiler - kBogenAussen) * mass;
  return (kBogenRadius + kStift / 2) * mass - innen * (std::cos(winkel) - std::abs(std::sin(winkel)));
}

}  // namespace vovida
