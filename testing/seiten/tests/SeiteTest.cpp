#include "Seite.h"

#include <gtest/gtest.h>

#include <vector>

namespace kesto::test {
namespace {

using activex::Box;
using activex::DrawOp;
using activex::mm;

TEST(Seite, BoxesAreEqualOnlyWithinTheirTolerance) {
  using Zehntel = MmBox<0.05>;
  using Hundertstel = MmBox<0.005>;
  const Umriss gelesen = inMm(Box{mm(10.04), mm(20), mm(30), mm(40)});
  EXPECT_EQ(gelesen, (Zehntel{10, 20, 30, 40}));
  EXPECT_NE(gelesen, (Hundertstel{10, 20, 30, 40}));
  EXPECT_EQ(gelesen, (Hundertstel{10.04, 20, 30, 40}));
  // Every figure counts, the size as much as the place.
  EXPECT_NE(gelesen, (Zehntel{10, 20, 30, 40.1}));
  EXPECT_NE(gelesen, (Zehntel{10, 20, 29.9, 40}));
}

TEST(Seite, PolygonReadsAsTheBoxAroundItsPoints) {
  activex::PolygonOp p;
  p.points = {{mm(30), mm(5)}, {mm(10), mm(25)}, {mm(20), mm(45)}};
  EXPECT_EQ(inMm(p), (MmBox<0.005>{10, 5, 20, 40}));
}

TEST(Seite, OpsOfOneKindAndTextBoxesByTheirText) {
  activex::TextBoxOp a, b, c;
  a.text = "Zement 25 kg";
  b.text = "Zement";
  c.text = "Zement";
  const std::vector<DrawOp> ops = {a, activex::LineOp{}, b, activex::LineOp{}, c};
  EXPECT_EQ(alle<activex::LineOp>(ops).size(), 2u);
  const auto gleiche = texte(ops, "Zement");
  ASSERT_EQ(gleiche.size(), 2u);
  EXPECT_EQ(gleiche[0], &std::get<activex::TextBoxOp>(ops[2]));
  EXPECT_EQ(boxtext(ops, "Zement"), &std::get<activex::TextBoxOp>(ops[0]));  // the first that starts so
  EXPECT_EQ(boxtext(ops, "Kalk"), nullptr);
  EXPECT_TRUE(texte(ops, "Zem").empty());
}

}  // namespace
}  // namespace kesto::test
