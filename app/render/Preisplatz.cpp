#include "Preisplatz.h"

#include "Feldwerte.h"

#include <activex/TextFit.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vovida {

namespace {

using kesto::activex::Box;
using kesto::activex::DrawOp;

constexpr double kAbstand = 0.5;  // mm kept clear of a text

bool frei(double q, double x, double y, double breite, double steigung, const Hindernis& h) {
  const double links = x + (breite - q) / 2, rechts = links + q;
  if (rechts <= h.links - kAbstand || links >= h.rechts + kAbstand) return true;
  if (h.unten > y - kAbstand) return false;  // beside the label's body
  // The top edge is highest where the label runs under the obstacle's right end.
  const double bis = std::min(h.rechts, rechts);
  return y - (bis - links) * steigung >= h.unten + kAbstand;
}

// The corners of a box turned by zehntel tenths of a degree about its top-left corner.
void ecken(std::vector<Punkt>& punkte, const Box& b, double breite, double hoehe, int zehntel) {
  const Punkt lo{b.left.mm(), b.top.mm()};
  const double a = gradInBogen(zehntel / 10.0);
  for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {breite, 0.0}, {0.0, hoehe}, {breite, hoehe}})
    punkte.push_back(gedreht(lo, a, dx, dy));
}

double kreuz(Punkt o, Punkt a, Punkt b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Monotone chain; the corners in order round the hull.
std::vector<Punkt> huelle(std::vector<Punkt> p) {
  std::sort(p.begin(), p.end(), [](Punkt a, Punkt b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (p.size() < 3) return p;
  std::vector<Punkt> h(2 * p.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && kreuz(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (std::size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && kreuz(h[k - 2], h[k - 1], p[i - 1]) <= 0) --k;
    h[k++] = p[i - 1];
  }
  h.resize(k - 1);
  return h;
}

// One edge's axis of a convex outline and the outline's span along it.
struct Achse {
  double nx, ny, von, bis;
};

std::vector<Achse> achsen(std::span<const Punkt> p) {
  std::vector<Achse> out;
  out.reserve(p.size());
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Punkt a = p[i], b = p[(i + 1) % p.size()];
    Achse k{a.y - b.y, b.x - a.x, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
    for (const Punkt& q : p) {
      const double w = q.x * k.nx + q.y * k.ny;
      k.von = std::min(k.von, w);
      k.bis = std::max(k.bis, w);
    }
    out.push_back(k);
  }
  return out;
}

// Whether the convex outline, moved by (dx, dy), overlaps the rectangle: no separating
// axis among the outline's edges (the caller has tried the rectangle's sides).
bool ueberschneidet(std::span<const Achse> achsen, const Hindernis& r, double dx, double dy) {
  const double mx = (r.links + r.rechts) / 2, my = (r.oben + r.unten) / 2;
  const double hx = (r.rechts - r.links) / 2, hy = (r.unten - r.oben) / 2;
  for (const Achse& k : achsen) {
    const double mitte = mx * k.nx + my * k.ny, halb = hx * std::abs(k.nx) + hy * std::abs(k.ny);
    const double schub = dx * k.nx + dy * k.ny;
    if (k.bis + schub <= mitte - halb || mitte + halb <= k.von + schub) return false;
  }
  return true;
}

}  // namespace

double Preisplatz(double x, double y, double breite, double winkel, std::span<const Hindernis> hindernisse) {
  const double steigung = std::tan(winkel * std::numbers::pi / 180);
  const auto passt = [&](double q) {
    return std::all_of(hindernisse.begin(), hindernisse.end(),
                       [&](const Hindernis& h) { return frei(q, x, y, breite, steigung, h); });
  };
  if (passt(breite)) return breite;
  double lo = 0, hi = breite;
  while (hi - lo > 0.05) {
    const double mitte = (lo + hi) / 2;
    (passt(mitte) ? lo : hi) = mitte;
  }
  return std::max(1.0, lo);
}

Hindernis Textflaeche(const QString& text, double x, double y, double breite, double hoehe, std::int16_t slot,
                      const QString& schriftname, std::int32_t ausrichtung, kesto::activex::VSPrinter& vp) {
  vp.setFontName(schriftname.toStdString());
  vp.setFontSize(static_cast<float>(feldZahl(slot, 1)));
  const std::string utf8 = text.toStdString();
  const double links = x + feldZahl(slot, 5), oben = y + feldZahl(slot, 6);
  // The box as SchriftTextDrucken gives it, set as the control sets it.
  const kesto::activex::Length b = breite > 0 ? kesto::activex::mm(breite) : vp.TextWidth(utf8);
  const kesto::activex::Length h = hoehe > 0 ? kesto::activex::mm(hoehe) : vp.TextHeight(utf8);
  const kesto::activex::TextStyle stil{{vp.FontName(), vp.FontSize(), vp.FontBold()}, 0, ausrichtung, 0};
  const kesto::activex::FittedText f = kesto::activex::fitText(utf8, stil, b, h);
  if (f.lines.empty()) return {links, oben, links, oben};
  Hindernis r{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
              std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
  for (const kesto::activex::FittedLine& z : f.lines)
    r = {std::min(r.links, links + z.left.mm()), std::min(r.oben, oben + z.top.mm()),
         std::max(r.rechts, links + (z.left + z.width).mm()), std::max(r.unten, oben + (z.top + f.inkHeight).mm())};
  return r;
}

std::vector<Punkt> Zeichnungsumriss(std::span<const DrawOp> ops) {
  std::vector<Punkt> punkte;
  for (const DrawOp& op : ops) {
    if (const auto* t = std::get_if<kesto::activex::TextBoxOp>(&op)) {
      double b = t->box.width.mm(), h = t->box.height.mm();
      if (h <= 0) {
        if (t->text.find_first_not_of(' ') == std::string::npos) continue;
        const kesto::activex::FittedText f = kesto::activex::fitText(*t);
        if (f.lines.empty()) continue;
        h = (f.lineSpacing * static_cast<double>(f.lines.size() - 1) + f.inkHeight).mm();
        if (b <= 0)
          for (const auto& z : f.lines) b = std::max(b, (z.left + z.width).mm());
      }
      ecken(punkte, t->box, b, h, t->style.angle);
    } else if (const auto* l = std::get_if<kesto::activex::LineOp>(&op)) {
      punkte.push_back({l->from.x.mm(), l->from.y.mm()});
      punkte.push_back({l->to.x.mm(), l->to.y.mm()});
    } else if (const auto* a = std::get_if<kesto::activex::ArcOp>(&op)) {
      const double r = a->radius.mm();
      ecken(punkte, {a->centre.x - a->radius, a->centre.y - a->radius, {}, {}}, 2 * r, 2 * r, 0);
    } else if (const auto* r = std::get_if<kesto::activex::RectangleOp>(&op)) {
      ecken(punkte, r->box, r->box.width.mm(), r->box.height.mm(), 0);
    } else if (const auto* e = std::get_if<kesto::activex::EllipseOp>(&op)) {
      ecken(punkte, e->box, e->box.width.mm(), e->box.height.mm(), 0);
    } else if (const auto* p = std::get_if<kesto::activex::PolygonOp>(&op)) {
      for (const auto& q : p->points) punkte.push_back({q.x.mm(), q.y.mm()});
    }
  }
  return huelle(std::move(punkte));
}

namespace {

// Ausweichen; without zaehlen a place that is not clear counts as covering one text, which
// spares counting them all where only a clear place matters.
std::optional<Verschiebung> suchen(std::span<const Punkt> umriss, const Hindernis& bereich,
                                   std::span<const Hindernis> hindernisse, double schritt, bool zaehlen) {
  if (umriss.empty()) return Verschiebung{};
  Hindernis rand{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                 std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
  for (const Punkt& p : umriss)
    rand = {std::min(rand.links, p.x), std::min(rand.oben, p.y), std::max(rand.rechts, p.x),
            std::max(rand.unten, p.y)};
  const double dxVon = bereich.links - rand.links, dxBis = bereich.rechts - rand.rechts;
  const double dyVon = bereich.oben - rand.oben, dyBis = bereich.unten - rand.unten;
  if (dxVon > dxBis || dyVon > dyBis) return std::nullopt;

  std::vector<Hindernis> weit;
  weit.reserve(hindernisse.size());
  for (const Hindernis& h : hindernisse)
    weit.push_back({h.links - kAbstand, h.oben - kAbstand, h.rechts + kAbstand, h.unten + kAbstand});
  const std::vector<Achse> kanten = achsen(umriss);
  // Obstacles covered at (dx, dy), counted up to grenze.
  const auto verdeckt = [&](double dx, double dy, int grenze) {
    int n = 0;
    for (const Hindernis& h : weit) {
      if (h.rechts <= rand.links + dx || h.links >= rand.rechts + dx || h.unten <= rand.oben + dy ||
          h.oben >= rand.unten + dy)
        continue;
      if (ueberschneidet(kanten, h, dx, dy) && ++n >= grenze) break;
    }
    return n;
  };
  if (dxVon <= 0 && 0 <= dxBis && dyVon <= 0 && 0 <= dyBis && verdeckt(0, 0, 1) == 0) return Verschiebung{};

  // The steps inside [von, bis], and its ends.
  const auto stufen = [schritt](double von, double bis) {
    std::vector<double> s{von, bis};
    for (double k = std::ceil(von / schritt); k * schritt < bis; ++k) s.push_back(k * schritt);
    return s;
  };
  std::optional<Verschiebung> beste;
  double besteWeite = 0;
  for (const double dx : stufen(dxVon, dxBis))
    for (const double dy : stufen(dyVon, dyBis)) {
      const double weite = dx * dx + dy * dy;
      if (beste && beste->verdeckt == 0 && weite >= besteWeite) continue;
      const int n = verdeckt(dx, dy, !zaehlen ? 1 : beste ? beste->verdeckt + 1 : std::numeric_limits<int>::max());
      if (!beste || n < beste->verdeckt || (n == beste->verdeckt && weite < besteWeite)) {
        beste = Verschiebung{dx, dy, n};
        besteWeite = weite;
      }
    }
  return beste;
}

}  // namespace

std::optional<Verschiebung> Ausweichen(std::span<const Punkt> umriss, const Hindernis& bereich,
                                       std::span<const Hindernis> hindernisse, double schritt) {
  return suchen(umriss, bereich, hindernisse, schritt, true);
}

Preislage PreislageSuchen(const Preisdruck& drucken, const Hindernis& bereich, std::span<const Hindernis> hindernisse) {
  std::optional<Preislage> beste;
  // Whether the label finds room with these options; the best place so far is kept.
  const auto versuchen = [&](const PreisOptionen& optionen, bool zaehlen, double* quer = nullptr) {
    VSPrinter probe;
    probe.StartDoc();
    const PreisAusmass ausmass = drucken(probe, 0, 0, optionen);
    probe.EndDoc();
    if (quer) *quer = ausmass.quer;
    const std::vector<Punkt> umriss = Zeichnungsumriss(probe.pages()[0].ops);
    const std::optional<Verschiebung> v = suchen(umriss, bereich, hindernisse, kSuchschritt, zaehlen);
    if (v && (!beste || v->verdeckt < beste->verdeckt)) beste = Preislage{v->dx, v->dy, optionen, v->verdeckt};
    return v && v->verdeckt == 0;
  };
  // Where no size finds a place inside the area, the label stays at the anchor.
  const auto ergebnis = [&beste] {
    Preislage keinPlatz;
    keinPlatz.verdeckt = kKeinPlatz;
    return beste.value_or(keinPlatz);
  };
  double quer = 0;
  if (versuchen({}, true, &quer) || quer <= 0) return ergebnis();
  const auto kleiner = [&](double teil) {
    PreisOptionen o;
    o.hoechstquer = teil * quer;
    return o;
  };
  if (!versuchen(kleiner(kKleinsterPreis), true)) return ergebnis();
  // The largest part that still finds room, to a hundredth.
  double lo = kKleinsterPreis, hi = 1;
  Preislage passend = *beste;
  while (hi - lo > 0.01) {
    const double mitte = (lo + hi) / 2;
    beste.reset();
    if (versuchen(kleiner(mitte), false)) {
      lo = mitte;
      passend = *beste;
    } else {
      hi = mitte;
    }
  }
  return passend;
}

}  // namespace vovida
