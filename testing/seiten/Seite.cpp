#include "Seite.h"

#include <algorithm>
#include <cmath>

namespace kesto::test {

std::ostream& operator<<(std::ostream& out, const Umriss& u) {
  return out << "(" << u.x << ", " << u.y << ", " << u.b << ", " << u.h << ")";
}

Umriss inMm(const activex::Box& box) { return {box.left.mm(), box.top.mm(), box.width.mm(), box.height.mm()}; }

Umriss inMm(const activex::PolygonOp& polygon) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const activex::Point& p : polygon.points) {
    x0 = std::min(x0, p.x.mm());
    y0 = std::min(y0, p.y.mm());
    x1 = std::max(x1, p.x.mm());
    y1 = std::max(y1, p.y.mm());
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

bool gleich(const Umriss& a, const Umriss& c, double toleranz) {
  auto nah = [toleranz](double u, double v) { return std::abs(u - v) < toleranz; };
  return nah(a.x, c.x) && nah(a.y, c.y) && nah(a.b, c.b) && nah(a.h, c.h);
}

std::vector<const activex::TextBoxOp*> texte(std::span<const activex::DrawOp> ops, std::string_view text) {
  std::vector<const activex::TextBoxOp*> out;
  for (const auto* t : alle<activex::TextBoxOp>(ops))
    if (t->text == text) out.push_back(t);
  return out;
}

const activex::TextBoxOp* boxtext(std::span<const activex::DrawOp> ops, std::string_view anfang) {
  for (const auto* t : alle<activex::TextBoxOp>(ops))
    if (t->text.starts_with(anfang)) return t;
  return nullptr;
}

}  // namespace kesto::test
