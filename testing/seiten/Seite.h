// Reading the drawn operations of a recorded preview page as the layout tests compare them:
// the ops of one kind, the text boxes by their text, and boxes in millimetres that compare
// equal to within a tolerance the test chooses.
//
//   using Mm = kesto::test::MmBox<0.05>;  // figures written to a tenth of a millimetre
//   EXPECT_EQ(inMm(alle<PictureOp>(seite.ops)[0]->box), (Mm{10, 10, 190, 60.6}));
#pragma once

#include <activex/Page.h>

#include <ostream>
#include <span>
#include <string_view>
#include <vector>

namespace kesto::test {

// A box in millimetres: left, top, width, height.
struct Umriss {
  double x, y, b, h;
};
std::ostream& operator<<(std::ostream& out, const Umriss& u);

// The box of an op in millimetres; for a polygon, the box around its points.
Umriss inMm(const activex::Box& box);
Umriss inMm(const activex::PolygonOp& polygon);

// True when every figure of a and c agrees to within toleranz millimetres.
bool gleich(const Umriss& a, const Umriss& c, double toleranz);

// A box that compares equal to another to within toleranz millimetres, for EXPECT_EQ and
// matchers; a box read with inMm converts to it.
template <double toleranz>
struct MmBox : Umriss {
  MmBox(double x, double y, double b, double h) : Umriss{x, y, b, h} {}
  MmBox(const Umriss& u) : Umriss(u) {}  // NOLINT(google-explicit-constructor)
  friend bool operator==(const MmBox& a, const MmBox& c) { return gleich(a, c, toleranz); }
};

// The ops of one kind, in drawing order.
template <class Op>
std::vector<const Op*> alle(std::span<const activex::DrawOp> ops) {
  std::vector<const Op*> out;
  for (const activex::DrawOp& op : ops)
    if (const Op* o = std::get_if<Op>(&op)) out.push_back(o);
  return out;
}

// The text boxes with exactly this text, in drawing order.
std::vector<const activex::TextBoxOp*> texte(std::span<const activex::DrawOp> ops, std::string_view text);
// The first text box whose text starts so; nullptr when none does.
const activex::TextBoxOp* boxtext(std::span<const activex::DrawOp> ops, std::string_view anfang);

}  // namespace kesto::test
