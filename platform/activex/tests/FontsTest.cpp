#include "GuiApp.h"

#include "activex/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

using namespace kesto::activex;

class Fonts : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }
};

TEST_F(Fonts, ServerNamesResolveToMetricCompatibleFamilies)
{
    struct Case { const char* requested; const char* family; };
    for (const Case c : {Case{"Arial", "Liberation Sans"}, Case{"ARIAL", "Liberation Sans"},
                         Case{"Helvetica", "Liberation Sans"}, Case{"Times New Roman", "Liberation Serif"},
                         Case{"Courier", "Liberation Mono"}, Case{"Kipp", "Nimbus Sans Narrow"},
                         Case{"Unbekannt", "DejaVu Sans"},
                         Case{"", "DejaVu Sans"}, Case{"dejavu serif", "DejaVu Serif"}})
        EXPECT_EQ(resolveFontFamily(c.requested), c.family) << c.requested;
}

TEST_F(Fonts, TheResolvedFamilyIsTheOneDrawn)
{
    // fontconfig must not swap the family behind our back.
    for (const char* name : {"Arial", "Times New Roman", "Courier", "Kipp"}) {
        const QFont font = makeFont({name, 12, false});
        // A family installed by more than one foundry is reported as "Family [foundry]".
        const std::string drawn = QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0).toStdString();
        EXPECT_EQ(drawn, resolveFontFamily(name)) << name;
    }
}

TEST_F(Fonts, SizeIsInPageUnits)
{
    EXPECT_EQ(makeFont({"Arial", 10, false}).pixelSize(), 201);
    EXPECT_EQ(makeFont({"Arial", 0.01, false}).pixelSize(), 1);
    EXPECT_TRUE(makeFont({"Arial", 10, true}).bold());
    EXPECT_FALSE(makeFont({"Arial", 10, false}).bold());
    EXPECT_TRUE(makeFont({"Kipp", 10, false}).bold());
}

TEST_F(Fonts, SplitLinesAtCrLfAndCrLf)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines(""), Lines{""});
    EXPECT_EQ(splitLines("a"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\nb\n"), (Lines{"a", "", "b", ""}));
}

TEST_F(Fonts, MeasureTakesTheLongestLineAndCountsLines)
{
    const FontSpec arial{"Arial", 20, false};
    const auto one = measureText(arial, "Preis");
    const auto two = measureText(arial, "Preis\r\nPreis 12,50");
    EXPECT_GT(one.width.units(), 0);
    EXPECT_DOUBLE_EQ(two.width.units(), textAdvance(arial, "Preis 12,50").units());
    EXPECT_NEAR(two.height.units(), 2 * one.height.units(), 1e-9);
    // 20 pt Liberation Sans: a line is about 23 pt high.
    EXPECT_NEAR(one.height.points(), 23, 1.5);
}

TEST_F(Fonts, WidthGrowsWithSizeAndBold)
{
    const double w10 = textAdvance({"Arial", 10, false}, "Sonderangebot").units();
    const double w20 = textAdvance({"Arial", 20, false}, "Sonderangebot").units();
    EXPECT_NEAR(w20 / w10, 2.0, 0.02);
    EXPECT_GT(textAdvance({"Arial", 10, true}, "Sonderangebot").units(), w10);
}
