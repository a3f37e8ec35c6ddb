#include "EigenbauPreisplatz.h"

#include "Drehung.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace vovida {

namespace {

using namespace kesto::activex;

constexpr double kAbstand = 0.5;  // mm kept clear of a text
constexpr double kSchritt = 0.25;  // mm a label or a line is moved at a time

// The corners of a box turned about its top-left corner.
void ecken(const Box& b, double zehntel, std::vector<Punkt>& out) {
  const double hoehe = b.height.mm();
  const Punkt oben{b.left.mm(), b.top.mm()};
  const double w = gradInBogen(zehntel / 10);
  for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {b.width.mm(), 0.0}, {0.0, hoehe}, {b.width.mm(), hoehe}})
    out.push_back(gedreht(oben, w, dx, dy));
}

bool frei(const QPolygonF& etikett, std::span<const QRectF> flaechen, double dy = 0) {
  return std::none_of(flaechen.begin(), flaechen.end(), [&](const QRectF& f) {
    return etikett.intersects(QPolygonF(f.adjusted(-kAbstand, -kAbstand - dy, kAbstand, kAbstand - dy)));
  });
}

}  // namespace

QPolygonF Etikettumriss(std::span<const DrawOp> ops, double grad) {
  std::vector<Punkt> punkte;
  for (const DrawOp& op : ops) {
    if (const auto* t = std::get_if<TextBoxOp>(&op)) {
      // The bands hold the label's texts; a text's own box may reach far past its ink.
      if (t->frame) ecken(t->box, t->style.angle, punkte);
    } else if (const auto* r = std::get_if<RectangleOp>(&op)) {
      ecken(r->box, 0, punkte);
    } else if (const auto* e = std::get_if<EllipseOp>(&op)) {
      ecken(e->box, 0, punkte);
    } else if (const auto* p = std::get_if<PolygonOp>(&op)) {
      for (const Point& q : p->points) punkte.push_back({q.x.mm(), q.y.mm()});
    } else if (const auto* l = std::get_if<LineOp>(&op)) {
      punkte.push_back({l->from.x.mm(), l->from.y.mm()});
      punkte.push_back({l->to.x.mm(), l->to.y.mm()});
    } else if (const auto* a = std::get_if<ArcOp>(&op)) {
      constexpr int kTeile = 16;
      for (int k = 0; k <= kTeile; ++k) {
        const double t = a->start + a->sweep * k / kTeile;
        const double r = a->radius.mm();
        punkte.push_back({a->centre.x.mm() + r * std::cos(t), a->centre.y.mm() - r * std::sin(t)});
      }
    }
  }
  if (punkte.empty()) return {};
  // In the label's own frame the outline is upright: the box of the points there, turned back.
  const double w = gradInBogen(grad);
  const double c = std::cos(w), s = std::sin(w);
  double u0 = std::numeric_limits<double>::max(), v0 = u0, u1 = -u0, v1 = -u0;
  for (const Punkt& p : punkte) {
    const double u = p.x * c - p.y * s, v = p.x * s + p.y * c;
    u0 = std::min(u0, u);
    u1 = std::max(u1, u);
    v0 = std::min(v0, v);
    v1 = std::max(v1, v);
  }
  const auto zurueck = [&](double u, double v) { return QPointF(u * c + v * s, -u * s + v * c); };
  return QPolygonF({zurueck(u0, v0), zurueck(u1, v0), zurueck(u1, v1), zurueck(u0, v1), zurueck(u0, v0)});
}

Preisplatzierung PreisPlatzieren(const QPolygonF& etikett, const QRectF& rahmen, std::span<const QRectF> zeilen,
                                 std::span<const QRectF> feste) {
  const QRectF b = etikett.boundingRect();
  double dx = 0;
  if (b.left() < rahmen.left() || b.width() > rahmen.width())
    dx = rahmen.left() - b.left();
  else if (b.right() > rahmen.right())
    dx = rahmen.right() - b.right();

  // Down as far as the frame allows; up only where the label reaches below it or lies on a
  // picture.
  const double tiefstes = rahmen.bottom() - b.bottom();
  const auto hoechstes = [&](double dx) {
    double dy = std::min(0.0, tiefstes);
    while (!frei(etikett.translated(dx, dy), feste) && b.top() + dy - kSchritt >= rahmen.top()) dy -= kSchritt;
    if (b.top() + dy < rahmen.top()) dy = std::min(rahmen.top() - b.top(), tiefstes);
    return dy;
  };
  // The highest place from there on that clears the lines and the pictures.
  const auto frei_ab = [&](double dx, double oben) -> std::optional<double> {
    for (int k = 0; oben + k * kSchritt <= tiefstes + 1e-9; ++k) {
      const QPolygonF hier = etikett.translated(dx, oben + k * kSchritt);
      if (frei(hier, zeilen) && frei(hier, feste)) return oben + k * kSchritt;
    }
    return std::nullopt;
  };
  // Where it is, else flush with the frame's right or left edge, past a picture.
  for (const double x : {dx, rahmen.right() - b.right(), rahmen.left() - b.left()}) {
    if (b.width() > rahmen.width() && x != dx) continue;
    if (const std::optional<double> dy = frei_ab(x, hoechstes(x))) return {x, *dy, 0};
  }

  // No place clears the lines: the lowest one clear of the pictures, and the lines above it.
  Preisplatzierung p{dx, tiefstes, 0};
  const double oben = hoechstes(dx);
  while (p.dy - kSchritt >= oben - 1e-9 && !frei(etikett.translated(dx, p.dy), feste)) p.dy -= kSchritt;
  if (p.dy < oben) p.dy = oben;
  const QPolygonF hier = etikett.translated(dx, p.dy);
  for (int n = 1; n * kSchritt < rahmen.height(); ++n) {
    p.hub = n * kSchritt;
    if (frei(hier, zeilen, p.hub)) break;
  }
  return p;
}

}  // namespace vovida
