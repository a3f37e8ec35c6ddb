// Reading a drawn preview page in the sign tests: the operations of one kind, and boxes
// in millimetres compared to a twentieth of a millimetre.
#pragma once

#include <activex/Page.h>

#include <cmath>
#include <ostream>
#include <span>
#include <variant>
#include <vector>

namespace vovida::test {

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
inline Mm inMm(const kesto::activex::Box& box) {
  return {box.left.mm(), box.top.mm(), box.width.mm(), box.height.mm()};
}

template <class Op>
std::vector<const Op*> alle(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const kesto::activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

}  // namespace vovida::test
