// The drawn operations of a preview page, read as the sign tests compare them: boxes in
// millimetres to a tenth, ops of one kind, box texts.
#pragma once

#include <activex/Page.h>

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace vovida::test {

// A box in millimetres; equal when every figure agrees to within 0.05 mm.
struct Mm {
  double x, y, b, h;
  bool operator==(const Mm& o) const;
};
std::ostream& operator<<(std::ostream& out, const Mm& m);
Mm inMm(const kesto::activex::Box& box);
// The box around a polygon's points.
Mm umrissMm(const kesto::activex::PolygonOp& p);

template <class Op>
std::vector<const Op*> alle(std::span<const kesto::activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const kesto::activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

// The box texts of a page, in drawing order.
std::vector<const kesto::activex::TextBoxOp*> boxtexte(std::span<const kesto::activex::DrawOp> ops);
// The text box of a page whose text starts so; nullptr when none does.
const kesto::activex::TextBoxOp* boxtext(std::span<const kesto::activex::DrawOp> ops, const std::string& anfang);

}  // namespace vovida::test
