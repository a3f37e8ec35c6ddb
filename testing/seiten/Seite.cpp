#include "Seite.h"

#include <algorithm>
#include <cmath>

namespace vovida::test {

bool Mm::operator==(const Mm& o) const {
  auto gleich = [](double a, double b) { return std::abs(a - b) < 0.05; };
  return gleich(x, o.x) && gleich(y, o.y) && gleich(b, o.b) && gleich(h, o.h);
}

std::ostream& operator<<(std::ostream& out, const Mm& m) {
  return out << "(" << m.x << ", " << m.y << ", " << m.b << ", " << m.h << ")";
}

Mm inMm(const kesto::activex::Box& box) { return {box.left.mm(), box.top.mm(), box.width.mm(), box.height.mm()}; }

Mm umrissMm(const kesto::activex::PolygonOp& p) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const auto& pt : p.points) {
    x0 = std::min(x0, pt.x.mm());
    y0 = std::min(y0, pt.y.mm());
    x1 = std::max(x1, pt.x.mm());
    y1 = std::max(y1, pt.y.mm());
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

std::vector<const kesto::activex::TextBoxOp*> boxtexte(std::span<const kesto::activex::DrawOp> ops) {
  return alle<kesto::activex::TextBoxOp>(ops);
}

const kesto::activex::TextBoxOp* boxtext(std::span<const kesto::activex::DrawOp> ops, const std::string& anfang) {
  for (const auto* t : boxtexte(ops))
    if (t->text.starts_with(anfang)) return t;
  return nullptr;
}

}  // namespace vovida::test
