#include "GuiApp.h"

#include "activex/RichText.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <random>

using namespace kesto::activex;

namespace {

QString plain(std::string_view rtf)
{
    QTextDocument document;
    readRtf(rtf, document);
    return document.toPlainText();
}

struct RunInfo {
    QString text;
    QString family;
    double points;
    bool bold, italic, underline;
    QColor colour;
    bool operator==(const RunInfo&) const = default;
};

std::vector<RunInfo> runsOf(const QTextBlock& block)
{
    std::vector<RunInfo> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        const QStringList families = f.fontFamilies().toStringList();
        runs.push_back({it.fragment().text(), families.isEmpty() ? QString() : families.front(), f.fontPointSize(),
                        f.fontWeight() >= QFont::Bold, f.fontItalic(), f.fontUnderline(),
                        f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor()});
    }
    return runs;
}

// A template as word processors write it: font and colour tables, a bullet, umlauts.
const char* const sample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}{\\f1\\froman Times New Roman;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\r\n"
    "\\pard\\qc\\f0\\fs28\\b Ausfolgeschein\\b0\\par\r\n"
    "\\pard\\li567\\ri283\\fi-283\\fs20 Bitte \\cf1\\i gegen\\i0\\cf0  Vorlage \\ul abholen\\ulnone .\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 Gr\\'f6\\'dfe\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}\\f1 zweiter Punkt\\par\r\n"
    "\\pard\\qr Ende\\line Zeile\\tab Tab\\par\r\n}";

} // namespace

class RichText : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }
};

TEST_F(RichText, PlainTextOfCode)
{
    struct Case { const char* rtf; QString text; };
    const Case cases[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Helvetica;}}\\f0\\fs24 Hallo Welt\\par}", "Hallo Welt"},
        {"{\\rtf1 Zeile 1\\par Zeile 2\\line Ende\\par\\par}", "Zeile 1\nZeile 2\nEnde\n"},
        {"{\\rtf1 Gr\\'f6\\'dfe \\'e4\\'80 5}", "Größe ä€ 5"},
        {"{\\rtf1 a\\\\b\\{c\\}}", "a\\b{c}"},
        {"{\\rtf1{\\*\\generator Riched20;}{\\colortbl;\\red255\\green0\\blue0;}\\cf1 rot}", "rot"},
        {"{\\rtf1 \\u8364?5 \\u252\\'fcber \\uc2\\u8364xy!}", "€5 über €!"},
        {"{\\rtf1 \\b fett\\b0  und\\tab weiter}", "fett und\tweiter"},
        {"{\\rtf1 {\\*\\unbekannt weg}{\\info{\\title weg}}da}", "da"},
        {"{\\rtf1 roh \xe4\xdf}", "roh äß"},               // raw Windows-1252 bytes
        {"{\\rtf1 roh \xc3\xa4}", "roh ä"},                 // raw UTF-8, as Qt strings carry it
        {"kein rtf \xc3\xa4", "kein rtf ä"},
        {"kein rtf \xe4", "kein rtf ä"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plain(c.rtf), c.text) << c.rtf;
}

TEST_F(RichText, ReadsRunsParagraphsAndBullets)
{
    QTextDocument document;
    ASSERT_TRUE(readRtf(sample, document));
    ASSERT_EQ(document.blockCount(), 5);
    EXPECT_EQ(document.defaultFont().family(), "Helvetica");

    const QTextBlock title = document.begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(runsOf(title), (std::vector<RunInfo>{{"Ausfolgeschein", "", 14, true, false, false, QColor()}}));

    const QTextBlock body = title.next();
    EXPECT_DOUBLE_EQ(body.blockFormat().leftMargin(), 567 / 15.0);
    EXPECT_DOUBLE_EQ(body.blockFormat().rightMargin(), 283 / 15.0);
    EXPECT_DOUBLE_EQ(body.blockFormat().textIndent(), -283 / 15.0);
    const auto runs = runsOf(body);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[1], (RunInfo{"gegen", "", 10, false, true, false, QColor(255, 0, 0)}));
    EXPECT_EQ(runs[3], (RunInfo{"abholen", "", 10, false, false, true, QColor()}));

    const QTextBlock first = body.next();
    const QTextBlock second = first.next();
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.textList(), second.textList());
    EXPECT_EQ(first.text(), "Größe");  // the bullet's own text is no part of the paragraph
    EXPECT_EQ(runsOf(second).front().family, "Times New Roman");
    EXPECT_DOUBLE_EQ(first.blockFormat().leftMargin(), 720 / 15.0);

    const QTextBlock last = second.next();
    EXPECT_EQ(last.textList(), nullptr);
    EXPECT_EQ(last.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(last.text(), QString("Ende\u2028Zeile\tTab"));
}

TEST_F(RichText, WriteThenReadKeepsTheDocument)
{
    QTextDocument original;
    ASSERT_TRUE(readRtf(sample, original));
    const std::string code = writeRtf(original);
    QTextDocument again;
    ASSERT_TRUE(readRtf(code, again)) << code;
    ASSERT_EQ(again.blockCount(), original.blockCount()) << code;
    for (QTextBlock a = original.begin(), b = again.begin(); a.isValid(); a = a.next(), b = b.next()) {
        EXPECT_EQ(a.text(), b.text());
        EXPECT_EQ(a.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  b.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        EXPECT_DOUBLE_EQ(a.blockFormat().leftMargin(), b.blockFormat().leftMargin());
        EXPECT_DOUBLE_EQ(a.blockFormat().rightMargin(), b.blockFormat().rightMargin());
        EXPECT_DOUBLE_EQ(a.blockFormat().textIndent(), b.blockFormat().textIndent());
        EXPECT_EQ(a.textList() != nullptr, b.textList() != nullptr);
        auto runsA = runsOf(a), runsB = runsOf(b);
        // Written runs name their font; the default family is font 0.
        for (auto& r : runsB)
            if (r.family == "Helvetica")
                r.family.clear();
        EXPECT_EQ(runsA, runsB) << a.text().toStdString();
    }
    // Writing what was read gives the same code again.
    EXPECT_EQ(writeRtf(again), code);
}

TEST_F(RichText, EscapesAsTheRichTextConversion)
{
    struct Case { QString text; std::string code; };
    const Case cases[] = {
        {"äöüß ÄÖÜ", "\\'e4\\'f6\\'fc\\'df \\'C4\\'d6\\'dc"},
        {"a\\b{c}", "a\\\\b\\{c\\}"},
        {"5 € é", "5 \\'80 \\'e9"},
        {"Ω", "\\u937?"},
        {"\uFFFD", "\\u-3?"},
        {"a\tb\u2028c", "a\\tab b\\line c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(escapeRtfText(c.text), c.code) << c.text.toStdString();
}

TEST_F(RichText, BrokenCodeIsReportedAndReadAsFarAsItGoes)
{
    struct Case { std::string rtf; bool wellFormed; QString text; };
    const Case cases[] = {
        {"{\\rtf1 ganz}", true, "ganz"},
        {"{\\rtf1 offen \\'f", false, "offen "},
        {"{\\rtf1 {\\b fett}", false, "fett"},
        {"{\\rtf1 zu}} viel}", true, "zu"},
        {"{\\rtf1 " + std::string(5000, '{') + "tief" + std::string(5000, '}') + "}", false, ""},
        {"{\\rtf1 \\bin99999 x}", false, ""},
        {"{\\rtf1 \\fs99999999999999999 \\u-99999999999 ?x}", true, "x"},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        EXPECT_EQ(readRtf(c.rtf, document), c.wellFormed) << c.rtf.substr(0, 40);
        EXPECT_TRUE(document.toPlainText().startsWith(c.text)) << document.toPlainText().toStdString();
    }
}

// Random damage to real documents: the reader must end every run without a fault (the
// sanitizers watch) and its output must always be written and read back.
TEST_F(RichText, FuzzRunEndsClean)
{
    const std::string seeds[] = {sample, "{\\rtf1\\ansi{\\fonttbl\\f0\\fnil Arial;}\\f0\\u8364?\\'e4{\\*\\pn}\\par}"};
    const char alphabet[] = "{}\\'*;0123456789-abfilnprstuqcxyz \r\n\xe4\xc3\xa4";
    std::mt19937 random(20);
    for (int round = 0; round < 3000; ++round) {
        std::string input = seeds[round % 2];
        const int edits = 1 + static_cast<int>(random() % 12);
        for (int e = 0; e < edits && !input.empty(); ++e) {
            const std::size_t at = random() % input.size();
            switch (random() % 4) {
            case 0: input[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
            case 1: input.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]); break;
            case 2: input.erase(at, 1 + random() % 8); break;
            default: input.insert(at, input.substr(random() % input.size(), random() % 40)); break;
            }
        }
        QTextDocument document;
        readRtf(input, document);
        QTextDocument again;
        ASSERT_TRUE(readRtf(writeRtf(document), again)) << input;
        ASSERT_EQ(again.toPlainText(), document.toPlainText()) << input;
    }
}
