// Reading a recorded preview page in the sign tests: boxes in millimetres and the
// operations of one kind.
#pragma once

#include <activex/Length.h>
#include <activex/Page.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <span>
#include <variant>
#include <vector>

namespace vovida::test {

// A box in millimetres, equal to another within half a tenth of a millimetre.
struct Mm {
  double x, y, b, h;
  bool operator==(const Mm& o) const {
    auto gleich = [](double a, double b) { return std::abs(a - b) < 0.05; };
    return gleich(x, o.x) && gleich(y, o.y) && gleich(b, o.b) && gleich(h, o.h);
  }
};
inline std::ostream& operator<<(std::ostream& out, const Mm& m) {
  return out << "(" << m.x << ", " << m.y << ", " << m.b << ", " << m.h << ")";
}
inline Mm inMm(const kesto::activex::Box& box) { return {box.left.mm(), box.top.mm(), box.width.mm(), box.height.mm()}; }

// The box around a polygon's points.
inline Mm umrissMm(const kesto::activex::PolygonOp& p) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const auto& pt : p.points) {
    x0 = std::min(x0, pt.x.mm());
    y0 = std::min(y0, pt.y.mm());
    x1 = std::max(x1, pt.x.mm());
    y1 = std::max(y1, pt.y.mm());
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

template <class Op>
std::vector<const Op*> alle(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const kesto::activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

}  // namespace vovida::test
