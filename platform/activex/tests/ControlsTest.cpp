// The list with marks, the push toggle and the bar code, driven as a user does.
#include "GuiApp.h"

#include "activex/Barcode.h"
#include "Strichcode.h"
#include "activex/ColumnList.h"
#include "activex/PushToggle.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace kesto::activex;

namespace {

} // namespace

TEST(BarcodeControl, TwelveDigitsGetTheirCheckDigitOnlyValidEan13GivesAPicture)
{
    ensureGuiApp();
    struct Fall {
        const char* text;
        const char* ean; // "" = no picture
    };
    const Fall faelle[] = {
        {"400638133393", "4006381333931"},  // check digit appended
        {"4006381333931", "4006381333931"}, // right check digit
        {"4006381333932", ""},              // wrong check digit
        {"2205001234562", "2205001234562"},
        {"220500123456", "2205001234562"},
        {"12345678", ""},                   // other lengths
        {"40063813339311", ""},
        {"40063813339a", ""},
        {"", ""},
    };
    Barcode code;
    code.RenderSize(110, 50);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        code.setText(QString::fromLatin1(f.text));
        EXPECT_EQ(code.Text(), QString::fromLatin1(f.text)); // read back as set
        const QImage bild = code.Picture();
        EXPECT_EQ(bild.isNull(), *f.ean == 0);
        if (!bild.isNull())
            EXPECT_EQ(kesto::test::eanLesen(bild), QString::fromLatin1(f.ean));
    }
}

TEST(BarcodeControl, NaturalSizeIsTheSizeGivenInPixelsAt96Dpi)
{
    ensureGuiApp();
    Barcode code;
    code.setOption(7, true);
    EXPECT_TRUE(code.option(7));
    EXPECT_FALSE(code.option(3));
    code.setText(QStringLiteral("2205001234562"));
    code.RenderSize(138, 79);
    const QImage bild = code.Picture();
    ASSERT_FALSE(bild.isNull());
    EXPECT_NEAR(bild.width() / (bild.dotsPerMeterX() / 1000.0), 138 * 25.4 / 96, 0.1);
    EXPECT_NEAR(bild.height() / (bild.dotsPerMeterY() / 1000.0), 79 * 25.4 / 96, 0.1);
    EXPECT_EQ(kesto::test::eanLesen(bild), QStringLiteral("2205001234562"));
}

TEST(PushToggleControl, AClickFlipsTheStateThenRaisesClickSettingRaisesNothing)
{
    ensureGuiApp();
    PushToggle taste(QStringLiteral("&Links"));
    taste.resize(60, 24);
    taste.show();
    std::vector<bool> beimKlick;
    taste.Click = [&] { beimKlick.push_back(taste.State()); };
    EXPECT_TRUE(taste.State());
    EXPECT_FALSE(taste.isChecked());

    QTest::mouseClick(&taste, Qt::LeftButton);
    EXPECT_FALSE(taste.State()); // down
    EXPECT_TRUE(taste.isChecked());
    QTest::mouseClick(&taste, Qt::LeftButton);
    EXPECT_TRUE(taste.State());
    EXPECT_EQ(beimKlick, (std::vector<bool>{false, true}));

    taste.setState(false);
    EXPECT_TRUE(taste.isChecked());
    EXPECT_EQ(beimKlick.size(), 2u);
    QTest::keyClick(&taste, Qt::Key_Space); // the keyboard clicks as well
    EXPECT_TRUE(taste.State());
    EXPECT_EQ(beimKlick.size(), 3u);
}

class ColumnListControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        liste.setColumnHeaders({QString(), QStringLiteral("Artikel"), QStringLiteral("Bezeichnung")});
        liste.AddItem(QStringLiteral(";100021;Zement 25 kg"));
        liste.AddItem(QStringLiteral(";100022;Kalk"));
        liste.AddItem(QStringLiteral(";100023"));
        liste.resize(400, 200);
        liste.show();
        QApplication::processEvents();
    }
    // Inside the cell of a column counted from 1.
    QPoint zelle(int zeile, int spalte) const
    {
        return {liste.header()->sectionPosition(spalte - 1) + 20, liste.visualItemRect(liste.topLevelItem(zeile)).center().y()};
    }
    QPoint kaestchen(int zeile) const
    {
        QStyleOptionViewItem option;
        option.initFrom(&liste);
        option.rect = liste.visualItemRect(liste.topLevelItem(zeile));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        return liste.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &liste).center();
    }
    bool app_ = (ensureGuiApp(), true); // before the list
    ColumnList liste;
};

TEST_F(ColumnListControl, RowsSplitAtSemicolonsAndAreReadAndWrittenByIndex)
{
    EXPECT_EQ(liste.ListCount(), 3);
    EXPECT_EQ(liste.ColumnText(0, 2), QStringLiteral("100021"));
    EXPECT_EQ(liste.ColumnText(0, 3), QStringLiteral("Zement 25 kg"));
    EXPECT_EQ(liste.ColumnText(2, 3), QString());
    EXPECT_EQ(liste.ColumnText(3, 1), QString()); // no such row
    EXPECT_EQ(liste.ColumnText(0, 0), QString()); // columns count from 1
    EXPECT_EQ(liste.List(1), QStringLiteral(";100022;Kalk"));
    EXPECT_EQ(liste.List(2), QStringLiteral(";100023"));
    EXPECT_TRUE(liste.setList(1, QStringLiteral("x;100099;Gips")));
    EXPECT_EQ(liste.ColumnText(1, 1), QStringLiteral("x"));
    EXPECT_EQ(liste.List(1), QStringLiteral("x;100099;Gips"));
    EXPECT_FALSE(liste.setList(7, QStringLiteral("a")));
    EXPECT_EQ(liste.List(-1), QString());
    liste.Clear();
    EXPECT_EQ(liste.ListCount(), 0);
    EXPECT_EQ(liste.ListIndex(), -1);
}

TEST_F(ColumnListControl, MouseTicksTheMarkOnTheBoxAndSelectsTheRowOnItsText)
{
    int klicks = 0, bearbeitet = 0;
    liste.Click = [&] { ++klicks; };
    liste.Edit = [&] { ++bearbeitet; };
    EXPECT_EQ(liste.ListIndex(), -1);
    EXPECT_EQ(liste.ItemMark(1), 0);

    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, kaestchen(1));
    EXPECT_EQ(liste.ItemMark(1), 1);
    EXPECT_EQ(liste.ItemMark(0), 0);
    EXPECT_EQ(klicks, 1);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, kaestchen(1));
    EXPECT_EQ(liste.ItemMark(1), 0);

    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, zelle(2, 2));
    EXPECT_EQ(liste.ListIndex(), 2);
    EXPECT_EQ(liste.ItemMark(2), 0); // a click beside the box selects only
    EXPECT_EQ(klicks, 3);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, zelle(0, 2));
    QTest::mouseDClick(liste.viewport(), Qt::LeftButton, {}, zelle(0, 2));
    EXPECT_EQ(bearbeitet, 1);

    liste.setItemMark(2, 1);
    EXPECT_EQ(liste.ItemMark(2), 1);
    liste.setItemMark(9, 1); // no such row: nothing
    EXPECT_EQ(liste.ItemMark(9), 0);
}
