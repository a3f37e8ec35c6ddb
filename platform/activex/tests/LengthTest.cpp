#include "activex/Colour.h"
#include "activex/Length.h"
#include "activex/Page.h"
#include "activex/PreviewError.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace kesto::activex;

TEST(Length, MillimetresArePageUnitsTimes57)
{
    EXPECT_DOUBLE_EQ(mm(10).units(), 570);
    EXPECT_DOUBLE_EQ(units(1140).mm(), 20);
    EXPECT_DOUBLE_EQ(mm(210).units(), 11970);
    EXPECT_DOUBLE_EQ(mm(297).units(), 16929);
}

TEST(Length, PointsAreAn72thOfAnInch)
{
    EXPECT_NEAR(points(1).units(), 20.108, 0.001);
    EXPECT_DOUBLE_EQ(points(72).mm(), 25.4);
    EXPECT_DOUBLE_EQ(units(570).points(), 570 / (57 * 25.4 / 72));
}

TEST(Length, ArithmeticStaysInOneUnit)
{
    EXPECT_DOUBLE_EQ((mm(1) + units(3)).units(), 60);
    EXPECT_DOUBLE_EQ((mm(4) * 0.5).mm(), 2);
    EXPECT_DOUBLE_EQ(mm(30) / mm(10), 3);
    EXPECT_LT(mm(1), units(58));
    // A bare number is no length.
    static_assert(!std::is_convertible_v<double, Length>);
    static_assert(!std::is_convertible_v<Length, double>);
}

TEST(Colour, RedIsInTheLowByte)
{
    EXPECT_EQ(resolveColour(255), (Rgb{255, 0, 0}));
    EXPECT_EQ(resolveColour(65280), (Rgb{0, 255, 0}));
    EXPECT_EQ(resolveColour(0xFF0000), (Rgb{0, 0, 255}));
    EXPECT_EQ(resolveColour(16711935), (Rgb{255, 0, 255}));  // plain magenta here
}

TEST(Colour, SystemColoursComeFromAFixedTable)
{
    EXPECT_EQ(resolveColour(0x8000000F), (Rgb{240, 240, 240}));
    EXPECT_EQ(resolveColour(0x80000016), (Rgb{227, 227, 227}));
    EXPECT_EQ(resolveColour(0x800000FF), (Rgb{0, 0, 0}));  // unknown index
    EXPECT_EQ(resolveColour(0x8001000F), (Rgb{0, 0, 0}));  // not a system index
}

TEST(Paper, KnownCodes)
{
    struct Case { int code; double w, h; };
    for (const Case c : {Case{9, 210, 297}, Case{8, 297, 420}, Case{11, 148, 210}}) {
        const auto d = paperDimensions(c.code);
        EXPECT_EQ(d.widthMm, c.w) << c.code;
        EXPECT_EQ(d.heightMm, c.h) << c.code;
    }
    for (int bad : {0, 1, 7, 10, -9})
        EXPECT_THROW(paperDimensions(bad), PreviewError) << bad;
}
