#include "Seite.h"

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

std::vector<const kesto::activex::TextBoxOp*> boxtexte(std::span<const kesto::activex::DrawOp> ops) {
  return alle<kesto::activex::TextBoxOp>(ops);
}

const kesto::activex::TextBoxOp* boxtext(std::span<const kesto::activex::DrawOp> ops, const std::string& anfang) {
  for (const auto* t : boxtexte(ops))
    if (t->text.starts_with(anfang)) return t;
  return nullptr;
}

}  // namespace vovida::test
