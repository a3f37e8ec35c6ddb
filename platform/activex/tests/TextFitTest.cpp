#include "GuiApp.h"

#include "activex/TextFit.h"

#include <gtest/gtest.h>

#include <QString>

using namespace kesto::activex;

namespace {

struct Case {
    const char* name;
    std::string text;
    double size;  // points
    int align;
    double width, height;  // mm; height 0 is one line
    bool shrunk, cut;
};

const std::string kLang = "Akku-Bohrschrauber 18 V mit Zubehörkoffer";
const std::string kSehrLang =
    "Akku-Bohrschrauber 18 V mit zwei Akkus, Schnellladegerät, Koffer, Bitsatz und Gürtelclip im Set";

// Line spacing of a size, mm, as the boxes of the layouts measure it.
double zeile(double size)
{
    TextStyle style;
    style.font = {"Helvetica", size, false};
    return fitText("X", style, mm(0), mm(0)).lineSpacing.mm();
}

std::string words(const FittedText& f)
{
    std::string out;
    for (const auto& line : f.lines)
        out += (out.empty() ? "" : " ") + line.text;
    return out;
}

} // namespace

class TextFit : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { ensureGuiApp(); }
};

TEST_P(TextFit, KeepsItsTextInsideTheBox)
{
    const Case& c = GetParam();
    TextStyle style;
    style.font = {"Helvetica", c.size, false};
    style.align = c.align;
    const double height = c.height < 0 ? zeile(c.size) : c.height;
    const FittedText f = fitText(c.text, style, mm(c.width), mm(height));

    EXPECT_EQ(f.shrunk, c.shrunk);
    EXPECT_EQ(f.cut, c.cut);
    EXPECT_GE(f.font.size, floorSize(c.size));
    EXPECT_LE(f.font.size, c.size);
    if (!c.cut)
        EXPECT_EQ(words(f), c.text);
    else
        EXPECT_TRUE(f.lines.back().text.ends_with("…")) << f.lines.back().text;
    const double cell = height > 0 ? height : zeile(c.size);
    for (const FittedLine& line : f.lines) {
        EXPECT_GE(line.left.mm(), -0.02) << line.text;
        EXPECT_LE((line.left + line.width).mm(), c.width + 0.02) << line.text;
        EXPECT_GE(line.top.mm(), -0.02) << line.text;
        EXPECT_LE((line.top + f.lineSpacing).mm(), cell + 0.02) << line.text;
    }
}

// Heights below 0 stand for one line at the size asked for, as a measured box is.
INSTANTIATE_TEST_SUITE_P(Cases, TextFit, ::testing::Values(
    Case{"ShortTextKeepsItsSize", "Zement CEM II 42,5", 36, 7, 142, -1, false, false},
    Case{"LongLineSetsSmallerInItsLine", kLang, 36, 4, 142, -1, true, false},
    Case{"BottomAlignedStaysInside", kLang, 36, 7, 142, -1, true, false},
    Case{"TopAlignedStaysInside", kLang, 24, 0, 60, -1, true, false},
    Case{"TallBoxWrapsWithoutShrinking", kLang, 20, 0, 80, 40, false, false},
    Case{"TooLongIsCutAtTheFloor", kSehrLang, 36, 7, 100, -1, true, true},
    Case{"OneLineBoxShrinks", kLang, 12, 6, 70, 0, true, false},
    Case{"OneLineBoxCutsAtTheFloor", kSehrLang, 12, 6, 40, 0, true, true},
    Case{"RightAlignedFits", "1 m² = 19,90 EUR", 10, 2, 50, 0, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFit, BoxWithoutWidthTakesItsTextAsItIs)
{
    TextStyle style;
    style.font = {"Helvetica", 36, false};
    const FittedText f = fitText(kSehrLang, style, mm(0), mm(0));
    ASSERT_EQ(f.lines.size(), 1u);
    EXPECT_FALSE(f.shrunk);
    EXPECT_EQ(f.lines[0].text, kSehrLang);
}

TEST_F(TextFit, CentredLinesShareTheirMiddle)
{
    TextStyle style;
    style.font = {"Helvetica", 36, false};
    style.align = 7;  // centre, middle
    const FittedText f = fitText(kLang, style, mm(142), mm(zeile(36)));
    for (const FittedLine& line : f.lines)
        EXPECT_NEAR((line.left + line.width / 2).mm(), 71, 0.05) << line.text;
}
