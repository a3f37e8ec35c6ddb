#include "GuiApp.h"

#include "activex/Fonts.h"
#include "activex/PreviewError.h"
#include "activex/VSPrinter.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace kesto::activex;

namespace {

template <class Op>
const Op& opAt(const VSPrinter& vp, std::size_t page, std::size_t index)
{
    const auto& ops = vp.pages()[page].ops;
    EXPECT_LT(index, ops.size());
    const Op* op = std::get_if<Op>(&ops.at(index));
    EXPECT_NE(op, nullptr) << "operation " << index << " has another kind";
    static const Op none{};
    return op ? *op : none;
}

} // namespace

class Document : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }
    VSPrinter vp;
};

TEST_F(Document, TestPageRecordsOperationsWithTheirState)
{
    vp.StartDoc();
    // A polygon as the fill primitive builds it: 10, 20, 30 x 5 mm.
    vp.setPenColor(0);
    vp.setPenStyle(0);
    vp.setBrushColor(255);
    vp.setBrushStyle(0);
    vp.setPenWidth(units(1));
    vp.Polygon("570 1140, 2280 1140, 2280 1425, 570 1425, 570 1140");
    // A heading in one font, a price in another.
    vp.setFontName("Helvetica");
    vp.setFontSize(24);
    vp.setFontBold(true);
    vp.setTextColor(0xFF0000);
    vp.setCurrentX(mm(20));
    vp.setCurrentY(mm(40));
    vp.Text("Angebot");
    vp.setFontName("Times New Roman");
    vp.setFontSize(12);
    vp.setFontBold(false);
    vp.setTextAlign(7);
    vp.setTextAngle(80);
    vp.TextBox("12,50", mm(20), mm(60), mm(50), units(0), false, false, true);
    // A dotted line and a rectangle.
    vp.setPenStyle(2);
    vp.setPenColor(65280);
    vp.DrawLine(mm(0), mm(100), mm(210), mm(100));
    vp.setPenStyle(5);
    vp.DrawRectangle(mm(50), mm(120), mm(10), mm(110));
    vp.EndDoc();

    ASSERT_EQ(vp.PageCount(), 1);
    const Page& page = vp.pages()[0];
    EXPECT_EQ(page.width, units(11970));
    EXPECT_EQ(page.height, units(16929));
    ASSERT_EQ(page.ops.size(), 5u);

    const auto& polygon = opAt<PolygonOp>(vp, 0, 0);
    ASSERT_EQ(polygon.points.size(), 5u);
    EXPECT_EQ(polygon.points[2], (Point{mm(40), mm(25)}));
    EXPECT_EQ(polygon.pen, (Pen{0, PenStyle::Solid, units(1)}));
    EXPECT_EQ(polygon.brush, (Brush{255, BrushStyle::Solid}));

    const auto& text = opAt<TextOp>(vp, 0, 1);
    EXPECT_EQ(text.text, "Angebot");
    EXPECT_EQ(text.at, (Point{units(1140), units(2280)}));
    EXPECT_EQ(text.style.font, (FontSpec{"Helvetica", 24, true}));
    EXPECT_EQ(text.style.colour, 0xFF0000u);

    const auto& box = opAt<TextBoxOp>(vp, 0, 2);
    EXPECT_EQ(box.box, (Box{mm(20), mm(60), mm(50), units(0)}));
    EXPECT_TRUE(box.frame);
    EXPECT_EQ(box.style.font.name, "Times New Roman");
    EXPECT_EQ(box.style.angle, 80);
    EXPECT_EQ(box.style.horizontal(), HAlign::Centre);
    EXPECT_EQ(box.pen.colour, 0u);  // the pen of the moment, not a later one

    const auto& line = opAt<LineOp>(vp, 0, 3);
    EXPECT_EQ(line.from, (Point{units(0), units(5700)}));
    EXPECT_EQ(line.pen.style, PenStyle::Dot);
    EXPECT_EQ(line.pen.colour, 65280u);

    // Corners given in any order make the same box.
    EXPECT_EQ(opAt<RectangleOp>(vp, 0, 4).box, (Box{mm(10), mm(110), mm(40), mm(10)}));
    EXPECT_EQ(opAt<RectangleOp>(vp, 0, 4).pen.style, PenStyle::None);
}

TEST_F(Document, TextMovesThePositionBehindIt)
{
    vp.StartDoc();
    vp.setFontSize(20);
    vp.setCurrentX(units(100));
    vp.setCurrentY(units(50));
    const Length width = vp.TextWidth("AB");
    vp.Text("AB");
    EXPECT_NEAR(vp.CurrentX().units(), 100 + width.units(), 1e-9);
    EXPECT_DOUBLE_EQ(vp.CurrentY().units(), 50);

    // Turned by 90 degrees the text runs upwards.
    vp.setTextAngle(900);
    vp.setCurrentX(units(100));
    vp.Text("AB");
    EXPECT_NEAR(vp.CurrentX().units(), 100, 1e-6);
    EXPECT_NEAR(vp.CurrentY().units(), 50 - width.units(), 1e-6);

    // An empty text prints nothing and stays put.
    const auto count = vp.pages()[0].ops.size();
    vp.Text("");
    EXPECT_EQ(vp.pages()[0].ops.size(), count);
}

TEST_F(Document, MeasureSetsTextWidAndTextHei)
{
    vp.setFontName("Arial");
    vp.setFontSize(36);
    vp.Measure("12,50\r\n€");
    EXPECT_EQ(vp.TextWid(), vp.TextWidth("12,50\r\n€"));
    EXPECT_EQ(vp.TextHei(), vp.TextHeight("12,50\r\n€"));
    EXPECT_EQ(vp.TextHei(), vp.TextHeight("x") * 2);
    vp.CalcText("1");
    EXPECT_LT(vp.TextWid(), vp.TextWidth("12,50"));
    EXPECT_EQ(vp.PageCount(), 0);  // measuring needs no document
}

TEST_F(Document, DrawingNeedsAnOpenDocument)
{
    EXPECT_THROW(vp.DrawLine(units(0), units(0), units(1), units(1)), PreviewError);
    EXPECT_THROW(vp.NewPage(), PreviewError);
    vp.StartDoc();
    vp.EndDoc();
    try {
        vp.Text("x");
        FAIL() << "no error";
    } catch (const PreviewError& e) {
        EXPECT_EQ(e.number(), PreviewError::invalidCall);
        EXPECT_STREQ(e.what(), "Kein Dokument geöffnet");
    }
    EXPECT_EQ(vp.PageCount(), 1);  // the ended document stays
}

TEST_F(Document, StartDocClearsPagesAndPositionButKeepsPenAndFont)
{
    vp.StartDoc();
    vp.NewPage();
    vp.setCurrentX(units(500));
    vp.setCurrentY(units(700));
    vp.setPenColor(255);
    vp.setFontName("Courier");
    vp.StartDoc();
    EXPECT_EQ(vp.PageCount(), 1);
    EXPECT_TRUE(vp.pages()[0].ops.empty());
    EXPECT_EQ(vp.CurrentX(), units(0));
    EXPECT_EQ(vp.CurrentY(), units(0));
    EXPECT_EQ(vp.PenColor(), 255u);
    EXPECT_EQ(vp.FontName(), "Courier");
}

TEST_F(Document, EachPageKeepsThePaperItStartedWith)
{
    vp.setPaperSize(8);
    vp.StartDoc();
    vp.setOrientation(1);
    vp.NewPage();
    vp.setPaperSize(9);
    vp.NewPage();
    ASSERT_EQ(vp.PageCount(), 3);
    EXPECT_EQ(vp.pages()[0].width, mm(297));
    EXPECT_EQ(vp.pages()[0].height, mm(420));
    EXPECT_EQ(vp.pages()[1].width, mm(420));  // A3 landscape
    EXPECT_EQ(vp.pages()[1].orientation, PageOrientation::Landscape);
    EXPECT_EQ(vp.pages()[2].width, mm(297));  // A4 landscape
    EXPECT_EQ(vp.pages()[2].height, mm(210));
    vp.setOrientation(7);
    EXPECT_EQ(vp.Orientation(), 1);  // any value but 0 is landscape
}

TEST_F(Document, InvalidValuesAreRefusedAndChangeNothing)
{
    EXPECT_THROW(vp.setFontSize(0), PreviewError);
    EXPECT_THROW(vp.setFontSize(-3), PreviewError);
    EXPECT_THROW(vp.setPenStyle(7), PreviewError);
    EXPECT_THROW(vp.setBrushStyle(-1), PreviewError);
    EXPECT_THROW(vp.setBrushStyle(8), PreviewError);
    EXPECT_THROW(vp.setPenWidth(units(-1)), PreviewError);
    EXPECT_THROW(vp.setPaperSize(1), PreviewError);
    EXPECT_THROW(vp.setZoom(0), PreviewError);
    EXPECT_THROW(vp.setZoomMode(5), PreviewError);
    EXPECT_THROW(vp.setCurrentX(units(std::numeric_limits<double>::quiet_NaN())), PreviewError);
    EXPECT_EQ(vp.FontSize(), 10);
    EXPECT_EQ(vp.PaperSize(), 9);
    EXPECT_EQ(vp.ZoomMode(), 3);
    try {
        vp.setPenStyle(9);
    } catch (const PreviewError& e) {
        EXPECT_EQ(e.number(), PreviewError::invalidValue);
    }
}

TEST(PointList, Parses)
{
    struct Case { const char* text; std::vector<Point> points; };
    const Case cases[] = {
        {"570 1140, 2280 1140", {{units(570), units(1140)}, {units(2280), units(1140)}}},
        {"570.5 1140,2280   -3.25", {{units(570.5), units(1140)}, {units(2280), units(-3.25)}}},
        {"  1 2 ,3 4  ", {{units(1), units(2)}, {units(3), units(4)}}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsePointList(c.text), c.points) << c.text;
}

TEST(PointList, RefusesWhatIsNoPointList)
{
    // German decimals clash with the point separator; they are refused, not misread.
    for (const char* bad : {"570,5 1140, 1 2", "1 2,", "1 2 3, 4 5", "a b", "1, 2", "1 2; 3 4", "nan 1, 2 3"})
        EXPECT_THROW(parsePointList(bad), PreviewError) << bad;
}

TEST_F(Document, PolygonNeedsTwoPoints)
{
    vp.StartDoc();
    EXPECT_THROW(vp.Polygon("1 2"), PreviewError);
    EXPECT_THROW(vp.Polygon(""), PreviewError);
    vp.Polygon("0 0, 0 0, 0 0, 0 0, 0 0");  // a degenerate outline is still drawn
    EXPECT_EQ(vp.pages()[0].ops.size(), 1u);
}

TEST_F(Document, CirclesAndArcs)
{
    constexpr double pi = std::numbers::pi;
    vp.StartDoc();
    vp.DrawCircle(units(1000), units(2000), units(300));
    EXPECT_EQ(opAt<EllipseOp>(vp, 0, 0).box, (Box{units(700), units(1700), units(600), units(600)}));

    struct Case { double start, end, sweep; };
    const Case cases[] = {
        {3 * pi / 2, 0, pi / 2},  // lower-right quarter
        {0, pi / 2, pi / 2},
        {pi / 2, pi, pi / 2},
        {pi, 0, pi},
        {0, 2 * pi, 2 * pi},      // a full turn as given
        {1, 1, 0},
    };
    std::size_t index = 1;
    for (const Case c : cases) {
        vp.DrawCircle(units(0), units(0), units(10), c.start, c.end);
        const auto& arc = opAt<ArcOp>(vp, 0, index++);
        EXPECT_NEAR(arc.sweep, c.sweep, 1e-12) << c.start << " " << c.end;
        EXPECT_DOUBLE_EQ(arc.start, c.start);
    }
}

TEST_F(Document, PicturesAtOwnSizeOrScaled)
{
    QImage picture(192, 96, QImage::Format_RGB32);
    picture.setDotsPerMeterX(7559);  // 192 dpi: 192 px = 1 inch
    picture.setDotsPerMeterY(7559);
    vp.StartDoc();
    vp.DrawPicture(picture, mm(10), mm(20));
    const Box own = opAt<PictureOp>(vp, 0, 0).box;
    EXPECT_NEAR(own.width.mm(), 25.4, 0.01);
    EXPECT_NEAR(own.height.mm(), 12.7, 0.01);
    EXPECT_EQ(own.left, mm(10));

    vp.DrawPicture(picture, mm(10), mm(20), pictureExtent("50%"), pictureExtent("200 %"));
    const Box scaled = opAt<PictureOp>(vp, 0, 1).box;
    EXPECT_NEAR(scaled.width.mm(), 12.7, 0.01);
    EXPECT_NEAR(scaled.height.mm(), 25.4, 0.01);

    vp.DrawPicture(picture, mm(0), mm(0), units(570), pictureExtent("1140"));
    EXPECT_EQ(opAt<PictureOp>(vp, 0, 2).box, (Box{mm(0), mm(0), mm(10), mm(20)}));

    // An empty picture draws nothing, with or without extents.
    vp.DrawPicture(QImage(), mm(0), mm(0));
    vp.DrawPicture(QImage(), mm(0), mm(0), pictureExtent("100%"), pictureExtent("100%"));
    EXPECT_EQ(vp.pages()[0].ops.size(), 3u);
    for (const char* bad : {"", "%", "x%", "-5%", "12 mm"})
        EXPECT_THROW(pictureExtent(bad), PreviewError) << bad;
}

TEST_F(Document, TextBoxRecordsTheRichTextSwitch)
{
    vp.StartDoc();
    vp.setRichText(true);
    vp.TextBox("{\\rtf1 Hallo}", mm(0), mm(0), mm(50), mm(20), false, false, false);
    vp.setRichText(false);
    vp.TextBox("Hallo", mm(0), mm(0), mm(50), mm(20));
    EXPECT_TRUE(opAt<TextBoxOp>(vp, 0, 0).richText);
    EXPECT_FALSE(opAt<TextBoxOp>(vp, 0, 1).richText);
    EXPECT_FALSE(opAt<TextBoxOp>(vp, 0, 1).frame);
}
