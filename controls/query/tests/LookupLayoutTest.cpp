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
  EXPECT_EQ(m.dialogHeightAtStart, 514);
  EXPECT_EQ(m.listBottomDistance, 155);
  EXPECT_EQ(m.leastDialogHeight, 514 + 94 - 319 - 20);
}

TEST(LookupLayout, ParameterCountShrinksTheDialogDownToItsLeastHeight) {
  const LookupMetrics m = LookupMetrics::from(lookupTemplate());
  struct Case { int count, shrink, group, height, listTop; } cases[] = {
      {10, 0, 279, 494, 339},
      {2, 192, 87, 302, 147},
      {1, 216, 63, 278, 123},
      {0, 240, 39, 269, 114},  // 514 - 240 - 20 = 254 is below the least height
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
