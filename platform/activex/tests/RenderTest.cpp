#include "GuiApp.h"
#include "ImageProbe.h"

#include "activex/PreviewError.h"
#include "activex/Renderer.h"
#include "activex/VSPrinter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdio>
#include <numbers>

using namespace kesto::activex;

namespace {

constexpr double dpi = 50;

std::string runCommand(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// The value of one "Name: value" line of pdfinfo's output.
std::string pdfField(const std::string& info, const std::string& name)
{
    const auto at = info.find(name);
    if (at == std::string::npos)
        return "(missing " + name + ")";
    const auto begin = info.find_first_not_of(' ', at + name.size());
    return info.substr(begin, info.find('\n', begin) - begin);
}

const QColor white(255, 255, 255);
const QColor black(0, 0, 0);

} // namespace

class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        vp.StartDoc();
        vp.setPenStyle(5);
        vp.setBrushStyle(0);
    }
    ImageProbe page(int index = 0) { return {renderPageImage(vp.pages()[index], dpi), dpi}; }
    VSPrinter vp;
};

TEST_F(Render, ImageHasThePageSize)
{
    const QImage image = page().image();
    EXPECT_EQ(image.width(), 414);   // 210 mm at 50 dpi, rounded up
    EXPECT_EQ(image.height(), 585);  // 297 mm
    EXPECT_EQ(image.pixelColor(10, 10), white);
}

TEST_F(Render, FilledRectangleLiesWhereItWasDrawn)
{
    vp.setBrushColor(0);
    vp.DrawRectangle(mm(20), mm(30), mm(70), mm(50));
    const ImageProbe probe = page();
    EXPECT_EQ(probe.at(mm(45), mm(40)), black);
    EXPECT_EQ(probe.at(mm(21), mm(31)), black);
    EXPECT_EQ(probe.at(mm(69), mm(49)), black);
    EXPECT_EQ(probe.at(mm(19), mm(40)), white);
    EXPECT_EQ(probe.at(mm(71), mm(40)), white);
    EXPECT_EQ(probe.at(mm(45), mm(29)), white);
    EXPECT_EQ(probe.at(mm(45), mm(51)), white);
}

TEST_F(Render, PolygonPointListIsInPageUnitsAndColoursAreBgr)
{
    vp.setBrushColor(255);  // red
    vp.Polygon("570 1140, 2280 1140, 2280 1425, 570 1425, 570 1140");
    const ImageProbe probe = page();
    EXPECT_EQ(probe.at(mm(25), mm(22.5)), QColor(255, 0, 0));
    EXPECT_EQ(probe.at(mm(25), mm(27)), white);
}

TEST_F(Render, NoPenAndNoBrushDrawNothing)
{
    vp.setBrushStyle(1);
    vp.DrawRectangle(mm(10), mm(10), mm(100), mm(100));
    vp.DrawEllipse(mm(10), mm(10), mm(100), mm(100));
    const QImage image = page().image();
    QImage blank(image.size(), image.format());
    blank.fill(Qt::white);
    EXPECT_EQ(image, blank);
}

TEST_F(Render, PenWidthAndSystemColour)
{
    vp.setPenStyle(0);
    vp.setPenWidth(mm(2));
    vp.setPenColor(0x8000000F);
    vp.DrawLine(mm(10), mm(50), mm(200), mm(50));
    const ImageProbe probe = page();
    EXPECT_EQ(probe.at(mm(100), mm(50)), QColor(240, 240, 240));
    EXPECT_EQ(probe.at(mm(100), mm(52)), white);
}

TEST_F(Render, ArcRunsCounterClockwiseFromItsStart)
{
    constexpr double pi = std::numbers::pi;
    vp.setPenStyle(0);
    vp.setPenWidth(mm(2));
    vp.setPenColor(0);
    vp.DrawCircle(mm(100), mm(100), mm(20), 3 * pi / 2, 0);  // lower-right quarter
    const ImageProbe probe = page();
    const double d = 20 / std::numbers::sqrt2;
    EXPECT_EQ(probe.at(mm(100 + d), mm(100 + d)), black);
    EXPECT_EQ(probe.at(mm(100 + d), mm(100 - d)), white);
    EXPECT_EQ(probe.at(mm(100 - d), mm(100 + d)), white);
}

TEST_F(Render, TextLiesInItsMeasuredBox)
{
    vp.setFontName("Arial");
    vp.setFontSize(36);
    vp.setTextColor(0);
    vp.setCurrentX(mm(20));
    vp.setCurrentY(mm(20));
    const Length w = vp.TextWidth("HHHH"), h = vp.TextHeight("HHHH");
    vp.Text("HHHH");
    const ImageProbe probe = page();
    EXPECT_GT(probe.darkPixels(mm(20), mm(20), mm(20) + w, mm(20) + h), 200);
    EXPECT_EQ(probe.darkPixels(mm(0), mm(0), mm(19), mm(297)), 0);
    EXPECT_EQ(probe.darkPixels(mm(20) + w + mm(1), mm(0), mm(210), mm(297)), 0);
    EXPECT_EQ(probe.darkPixels(mm(0), mm(20) + h + mm(1), mm(210), mm(297)), 0);
}

TEST_F(Render, TurnedTextBoxRisesFromItsAnchor)
{
    vp.setFontSize(36);
    vp.setTextAngle(900);
    vp.TextBox("HHHH", mm(100), mm(150), mm(80), units(0));
    const ImageProbe probe = page();
    EXPECT_GT(probe.darkPixels(mm(100), mm(70), mm(120), mm(150)), 200);
    EXPECT_EQ(probe.darkPixels(mm(0), mm(151), mm(210), mm(297)), 0);
    EXPECT_EQ(probe.darkPixels(mm(0), mm(0), mm(99), mm(297)), 0);
}

TEST_F(Render, TextBoxFrameAndAlignment)
{
    vp.setFontSize(20);
    vp.setBrushColor(65535);  // yellow: light enough to tell from the text
    vp.setTextAlign(2);  // right, top
    vp.TextBox("III", mm(20), mm(20), mm(100), mm(30), false, false, true);
    vp.setTextAlign(0);  // left, top, no frame
    vp.TextBox("III", mm(20), mm(100), mm(100), mm(30));
    const ImageProbe probe = page();
    EXPECT_EQ(probe.at(mm(50), mm(45)), QColor(255, 255, 0));
    EXPECT_EQ(probe.at(mm(50), mm(125)), white);
    // Right-aligned text ends at the box's right edge, left-aligned starts at its left.
    EXPECT_GT(probe.darkPixels(mm(110), mm(20), mm(120), mm(30)), 0);
    EXPECT_EQ(probe.darkPixels(mm(20), mm(20), mm(100), mm(30)), 0);
    EXPECT_GT(probe.darkPixels(mm(20), mm(100), mm(30), mm(110)), 0);
    EXPECT_EQ(probe.darkPixels(mm(40), mm(100), mm(120), mm(110)), 0);
}

TEST_F(Render, TextBoxPlacesItsLineByTheVerticalPartOfTheCode)
{
    // Code div 3: 0 top, 1 middle, 2 bottom, 3 baseline (first line at the top).
    const struct {
        int code;
        double inkFrom, inkTo;  // mm below the box's top where the line lies
    } cases[] = {{0, 0, 9}, {4, 10, 20}, {5, 10, 20}, {3, 10, 20}, {7, 21, 30}, {6, 21, 30}, {10, 0, 9}};
    vp.setFontSize(20);  // a line of about 8 mm in a box of 30 mm
    double top = 10;
    for (const auto& c : cases) {
        vp.setTextAlign(c.code);
        vp.TextBox("III", mm(20), mm(top), mm(100), mm(30));
        top += 40;
    }
    const ImageProbe probe = page();
    top = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_GT(probe.darkPixels(mm(20), mm(top + c.inkFrom), mm(120), mm(top + c.inkTo)), 0);
        EXPECT_EQ(probe.darkPixels(mm(20), mm(top), mm(120), mm(top + c.inkFrom)), 0);
        EXPECT_EQ(probe.darkPixels(mm(20), mm(top + c.inkTo), mm(120), mm(top + 30)), 0);
        top += 40;
    }
}

TEST_F(Render, FramedBandKeepsItsTextInside)
{
    // The price frame's green label band: a large font in a band a few mm high.
    vp.setFontSize(40);
    vp.setBrushColor(65280);
    vp.TextBox("123 ", mm(20), mm(20), mm(60), mm(3), false, false, true);
    const ImageProbe probe = page();
    EXPECT_EQ(probe.at(mm(50), mm(21)), QColor(0, 255, 0));
    EXPECT_EQ(probe.darkPixels(mm(0), mm(24), mm(210), mm(297)), 0);
}

TEST_F(Render, TallTextBoxWrapsWordsInsideItsWidth)
{
    vp.setFontSize(20);
    vp.TextBox("Wort Wort Wort Wort Wort Wort Wort Wort", mm(20), mm(20), mm(40), mm(100));
    const ImageProbe probe = page();
    EXPECT_EQ(probe.darkPixels(mm(61), mm(0), mm(210), mm(297)), 0);
    EXPECT_GT(probe.darkPixels(mm(20), mm(40), mm(60), mm(120)), 0);  // later lines
}

TEST_F(Render, PngFilesPerPage)
{
    vp.NewPage();
    QTemporaryDir dir;
    exportPng(vp.pages(), dir.path().toStdString(), 20);
    EXPECT_FALSE(QImage(dir.filePath("page-1.png")).isNull());
    EXPECT_EQ(QImage(dir.filePath("page-2.png")).width(), 166);
    EXPECT_THROW(exportPng(vp.pages(), "/nonexistent/folder", 20), PreviewError);
    EXPECT_THROW(renderPageImage(vp.pages()[0], 0), PreviewError);
}

TEST_F(Render, PdfHasOnePageEachWithItsPaper)
{
    vp.setFontName("Arial");
    vp.setFontSize(40);
    vp.setCurrentX(mm(20));
    vp.setCurrentY(mm(20));
    vp.Text("12,50");
    vp.setOrientation(1);
    vp.NewPage();
    vp.setPaperSize(8);
    vp.NewPage();
    vp.EndDoc();

    QTemporaryDir dir;
    const std::string file = dir.filePath("out.pdf").toStdString();
    exportPdf(vp.pages(), file);
    const std::string info = runCommand("pdfinfo -f 1 -l 3 '" + file + "'");
    EXPECT_EQ(pdfField(info, "Pages:"), "3");
    EXPECT_EQ(pdfField(info, "Page    1 size:"), "595 x 842 pts (A4)");
    EXPECT_EQ(pdfField(info, "Page    2 size:"), "842 x 595 pts (A4)");
    EXPECT_EQ(pdfField(info, "Page    3 size:"), "1191 x 842 pts (A3)");
    EXPECT_NE(runCommand("pdftotext -f 1 -l 1 '" + file + "' -").find("12,50"), std::string::npos);

    EXPECT_THROW(exportPdf(vp.pages(), "/nonexistent/folder/out.pdf"), PreviewError);
    EXPECT_THROW(exportPdf({}, dir.filePath("empty.pdf").toStdString()), PreviewError);
}

// The delivery slip's text box: 95 x 90 mm at (110, 34) mm, the text far too long for it.
TEST_F(Render, RichTextBoxWrapsAtItsWidthAndStopsAtItsHeight)
{
    std::string words;
    for (int i = 0; i < 400; ++i)
        words += " Wort" + std::to_string(i);
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Helvetica;}}\\f0\\fs24 {\\b\\fs40 Titel}\\par" + words + "\\par}";
    vp.setRichText(true);
    vp.TextBox(rtf, mm(110), mm(34), mm(95), mm(90));
    vp.setRichText(false);
    const ImageProbe probe = page();
    if (const QByteArray folder = qgetenv("KESTO_SCREENSHOTS"); !folder.isEmpty())
        renderPageImage(vp.pages()[0], 150).save(QString::fromUtf8(folder) + "/richbox.png");
    EXPECT_EQ(probe.darkPixels(mm(205.5), mm(0), mm(210), mm(297)), 0);     // nothing past 110 + 95 mm
    EXPECT_EQ(probe.darkPixels(mm(0), mm(124.5), mm(210), mm(297)), 0);     // nothing below 34 + 90 mm
    EXPECT_EQ(probe.darkPixels(mm(0), mm(0), mm(109.5), mm(297)), 0);
    EXPECT_GT(probe.darkPixels(mm(195), mm(34), mm(205.5), mm(124.5)), 0);   // lines run out to the width
    EXPECT_GT(probe.darkPixels(mm(110), mm(118), mm(205.5), mm(124.5)), 0);  // and down to the height
}

// A box lower than its text shows whole lines only: the line its edge would cut through
// the letters is left out.
TEST_F(Render, RichTextBoxShowsNoHalfLine)
{
    vp.setRichText(true);
    // 36 pt lines are about 15 mm apart; the box ends halfway down the second.
    vp.TextBox("{\\rtf1\\fs72 Erste Zeile\\par Zweite Zeile\\par}", mm(20), mm(20), mm(150), mm(22));
    vp.setRichText(false);
    const ImageProbe probe = page();
    EXPECT_GT(probe.darkPixels(mm(20), mm(20), mm(170), mm(33)), 0);
    EXPECT_EQ(probe.darkPixels(mm(20), mm(34.5), mm(170), mm(297)), 0);
}

TEST_F(Render, RichTextBoxKeepsFormattingAndScalesToPageUnits)
{
    const std::string rtf = "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\fs144\\cf1\\b MMMM\\par"
                            "\\pard\\qr\\cf0\\b0 M\\par}";
    vp.setRichText(true);
    vp.TextBox(rtf, mm(20), mm(20), mm(150), mm(100));
    const ImageProbe probe = page();
    int red = 0;
    for (int y = 0; y < probe.image().height(); ++y)
        for (int x = 0; x < probe.image().width(); ++x)
            if (const QColor c = probe.image().pixelColor(x, y); c.red() > 200 && c.green() < 60)
                ++red;
    EXPECT_GT(red, 100);
    // 72 pt is 25.4 mm of font size: the first line's capitals lie within its first 30 mm.
    EXPECT_GT(probe.darkPixels(mm(20), mm(20), mm(170), mm(45)), 0);
    EXPECT_EQ(probe.darkPixels(mm(20), mm(20), mm(170), mm(23)), 0);
    // The right-aligned line ends at the box's right edge, not at its left.
    EXPECT_GT(probe.darkPixels(mm(150), mm(45), mm(170), mm(75)), 0);
    EXPECT_EQ(probe.darkPixels(mm(20), mm(45), mm(140), mm(75)), 0);
}

TEST_F(Render, RichTextBoxReachesThePdf)
{
    vp.setRichText(true);
    vp.TextBox("{\\rtf1 Gr\\'f6\\'dfe \\b Fett\\par}", mm(20), mm(20), mm(100), mm(30));
    vp.EndDoc();
    QTemporaryDir dir;
    const std::string file = dir.filePath("rich.pdf").toStdString();
    exportPdf(vp.pages(), file);
    const std::string text = runCommand("pdftotext '" + file + "' -");
    EXPECT_NE(text.find("Größe Fett"), std::string::npos) << text;
}

TEST_F(Render, LongTextStaysInsideItsBoxWhateverItsAlignment)
{
    const std::string lang = "Akku-Bohrschrauber 18 V im Zubehörkoffer mit zwei Akkus und Ladegerät";
    struct Fall {
        int align;
        double height;  // mm; 0 is one line
    } faelle[] = {{0, 14.6}, {4, 14.6}, {7, 14.6}, {6, 0}, {11, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.align);
        vp.StartDoc();
        vp.setFontSize(36);
        vp.setTextAlign(f.align);
        vp.TextBox(lang, mm(34), mm(100), mm(142), mm(f.height));
        const double unten = 100 + (f.height > 0 ? f.height : 14.6);
        const ImageProbe probe = page();
        EXPECT_GT(probe.darkPixels(mm(34), mm(100), mm(176), mm(unten)), 0);
        EXPECT_EQ(probe.darkPixels(mm(0), mm(0), mm(210), mm(99.4)), 0);
        EXPECT_EQ(probe.darkPixels(mm(0), mm(unten + 0.6), mm(210), mm(297)), 0);
        EXPECT_EQ(probe.darkPixels(mm(176.6), mm(0), mm(210), mm(297)), 0);
        EXPECT_EQ(probe.darkPixels(mm(0), mm(0), mm(33.4), mm(297)), 0);
    }
}

TEST_F(Render, PictureInABoxKeepsItsProportionAndZoomsKeepTheUsers)
{
    QImage logo(200, 100, QImage::Format_RGB32);  // 2 : 1
    logo.fill(Qt::black);
    vp.DrawPicture(logo, mm(20), mm(20), mm(60), mm(18));
    vp.DrawPicture(logo, mm(20), mm(100), Percent{200}, Percent{50});
    const auto& ops = vp.pages()[0].ops;
    const auto& imBox = std::get<PictureOp>(ops[0]);
    const Box b = drawnBox(imBox);
    EXPECT_NEAR(b.left.mm(), 32, 1e-6);
    EXPECT_NEAR(b.top.mm(), 20, 1e-6);
    EXPECT_NEAR(b.width.mm(), 36, 1e-6);
    EXPECT_NEAR(b.height.mm(), 18, 1e-6);
    const auto& gezoomt = std::get<PictureOp>(ops[1]);
    EXPECT_EQ(drawnBox(gezoomt), gezoomt.box);

    const ImageProbe probe = page();
    EXPECT_EQ(probe.darkPixels(mm(20), mm(20), mm(31.5), mm(38)), 0);
    EXPECT_EQ(probe.darkPixels(mm(68.5), mm(20), mm(80), mm(38)), 0);
    EXPECT_GT(probe.darkPixels(mm(33), mm(21), mm(67), mm(37)), 0);
}
