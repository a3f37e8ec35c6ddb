// The dialog's layout arithmetic, without widgets.
#include <controls/query/LookupLayout.h>

#include <gtest/gtest.h>

namespace kesto::controls {
namespace {

TEST(LookupLayout, NumbersFromTheTemplate) {
  const LookupMetrics m = LookupMetrics::from(lookupTemplate());
  EXPECT_EQ(m.rowPitch, 24);
  EXPECT_EQ(m.listMargin, 10);
  EXPECT_EQ(m.dialogWidth, 460);
  EXPECT_EQ(m.dialogHeightAtStart, 490);
  EXPECT_EQ(m.listBottomDistance, 155);
  EXPECT_EQ(m.leastDialogHeight, 490 + 94 - 295 - 20);
}

TEST(LookupLayout, ParameterCountShrinksTheDialogDownToItsLeastHeight) {
  const LookupMetrics m = LookupMetrics::from(lookupTemplate());
  struct Case { int count, shrink, group, height, listTop; } cases[] = {
      {10, 0, 255, 470, 315},
      {2, 192, 63, 278, 123},
      {1, 216, 39, 269, 114},  // 490 - 216 - 20 = 254 is below the least height
      {0, 240, 15, 269, 114},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m.shrink(c.count), c.shrink) << c.count;
    EXPECT_EQ(m.groupHeightFor(c.count), c.group) << c.count;
    EXPECT_EQ(m.dialogHeightFor(c.count), c.height) << c.count;
    EXPECT_EQ(m.listRectFor(c.count, 460), QRect(10, c.listTop, 440, 145)) << c.count;
  }
  EXPECT_EQ(m.buttonX(600, 85), 505);
  EXPECT_EQ(m.listSizeOnResize(600, 400, 300), QSize(580, 245));
}

}  // namespace
}  // namespace kesto::controls
