#include "GuiApp.h"

#include "activex/RTFText2.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kesto::activex;

namespace {

// The toolbar as a button list again: names in order, a blank for each gap.
std::string shownButtons(QToolBar* toolbar)
{
    std::string out;
    for (QAction* a : toolbar->actions()) {
        if (!out.empty())
            out += '|';
        if (a->isSeparator())
            out += ' ';
        else if (QWidget* w = toolbar->widgetForAction(a); w && !w->objectName().isEmpty() &&
                                                             !qobject_cast<QToolButton*>(w))
            out += w->objectName().toStdString();
        else
            out += a->objectName().toStdString();
    }
    return out;
}

QToolButton* button(QToolBar* toolbar, const char* name)
{
    for (QAction* a : toolbar->actions())
        if (a->objectName() == QLatin1String(name))
            return qobject_cast<QToolButton*>(toolbar->widgetForAction(a));
    return nullptr;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char* const slipButtons =
    "cfont|csize| |new|open|save| |cut|copy|paste| |undo|redo| |bold|italic|uline|colour| |left|right|centre|bullet";
const char* const mainWindowButtons =
    "cfont|csize| |new|open| |cut|copy|paste| |undo|redo| |bold|italic|uline|colour| |left|centre|right|bullet";

} // namespace

// The application must exist before the control does.
struct GuiAppFirst {
    GuiAppFirst() { ensureGuiApp(); }
};

class RichTextControl : public ::testing::Test, GuiAppFirst {
protected:
    void SetUp() override
    {
        control.resize(700, 300);
        control.setEventHandler([this](int event) { events.push_back(event); });
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    }
    RTFText2 control;
    std::vector<int> events;
    QTemporaryDir dir;
};

TEST_F(RichTextControl, ToolbarFollowsTheButtonList)
{
    for (const char* list : {slipButtons, mainWindowButtons, "bold|unbekannt||italic"}) {
        control.setButtonList(list);
        EXPECT_EQ(control.ButtonList(), list);
        const std::string expected = std::string(list) == "bold|unbekannt||italic" ? "bold| |italic" : list;
        EXPECT_EQ(shownButtons(control.toolbar()), expected);
    }
    control.setButtonList(slipButtons);
    EXPECT_EQ(button(control.toolbar(), "bold")->toolTip(), "Fett");
    EXPECT_EQ(button(control.toolbar(), "centre")->toolTip(), "Zentriert");
    EXPECT_EQ(button(control.toolbar(), "open")->text(), "Öffnen");
}

TEST_F(RichTextControl, LoadAnswersZeroOnlyWhenTheFileWasRead)
{
    writeFile(dir.filePath("gut.rtf"), "{\\rtf1 Gr\\'fc\\'dfe\\par}");
    writeFile(dir.filePath("text.txt"), "Zeile \xe4\r\nzwei");
    writeFile(dir.filePath("kaputt.rtf"), "{\\rtf1 {\\b offen");
    control.setRtf("{\\rtf1 vorher}");
    struct Case { QString file; int answer; QString text; };
    const Case cases[] = {
        {"gut.rtf", 0, "Grüße"},
        {"text.txt", 0, "Zeile ä\nzwei"},
        {"kaputt.rtf", 1, "Zeile ä\nzwei"},   // content unchanged
        {"fehlt.rtf", 1, "Zeile ä\nzwei"},
        {"", 1, "Zeile ä\nzwei"},
    };
    for (const auto& c : cases) {
        const std::string path = c.file.isEmpty() ? std::string() : dir.filePath(c.file).toStdString();
        control.setFileName(path);
        EXPECT_EQ(control.Load(control.FileName()), c.answer) << c.file.toStdString();
        EXPECT_EQ(control.document()->toPlainText(), c.text) << c.file.toStdString();
    }
    EXPECT_TRUE(events.empty());  // loading is no edit
}

TEST_F(RichTextControl, SavesRichOrPlainText)
{
    control.setRtf("{\\rtf1 Gr\\'f6\\'dfe\\par\\b zwei\\par}");
    const QString rich = dir.filePath("a.rtf"), plain = dir.filePath("a.txt");
    EXPECT_EQ(control.Save(RTFText2::richTextFormat, rich.toStdString()), 0);
    EXPECT_EQ(control.Save(RTFText2::plainTextFormat, plain.toStdString()), 0);
    EXPECT_EQ(readFile(plain), QByteArray("Gr\xf6\xdf" "e\r\nzwei"));
    EXPECT_TRUE(readFile(rich).contains("Gr\\'f6\\'dfe"));
    EXPECT_NE(control.Save(3, dir.filePath("b.rtf").toStdString()), 0);
    EXPECT_NE(control.Save(1, dir.filePath("fehlt/b.rtf").toStdString()), 0);

    RTFText2 other;
    ASSERT_EQ(other.Load(rich.toStdString()), 0);
    EXPECT_EQ(other.Rtf(), control.Rtf());
}

TEST_F(RichTextControl, TypingWithTheToolbarFormatsTheTextAndRaisesElevenOnce)
{
    control.setButtonList(slipButtons);
    control.setRtf("");
    QTest::mouseClick(control.editor()->viewport(), Qt::LeftButton);
    QTest::mouseClick(button(control.toolbar(), "bold"), Qt::LeftButton);
    QTest::keyClicks(control.editor(), "fett");
    QTest::mouseClick(button(control.toolbar(), "bold"), Qt::LeftButton);
    QTest::keyClicks(control.editor(), " normal");
    QTest::mouseClick(button(control.toolbar(), "centre"), Qt::LeftButton);
    QTest::mouseClick(button(control.toolbar(), "bullet"), Qt::LeftButton);
    EXPECT_EQ(events, std::vector<int>{RTFText2::contentChanged});

    QTextDocument again;
    RTFText2 reader;
    reader.setRtf(control.Rtf());
    const QTextBlock block = reader.document()->begin();
    EXPECT_EQ(block.text(), "fett normal");
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_NE(block.textList(), nullptr);
    const auto first = block.begin().fragment();
    EXPECT_EQ(first.text(), "fett");
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(button(control.toolbar(), "bullet")->isChecked());
}

TEST_F(RichTextControl, KeepsItsSettings)
{
    control.setLanguageFile("/logo/rt20_de.lan");
    control.setDefaultFontName("Helvetica");
    control.setLeftMargin(1);
    control.setRightMargin(9);
    control.setDisplayOption(0x68030021, 1);
    control.setEditState(false);
    control.setLoaded(true);
    EXPECT_EQ(control.LanguageFile(), "/logo/rt20_de.lan");
    EXPECT_EQ(control.DefaultFontName(), "Helvetica");
    EXPECT_EQ(control.DisplayOption(0x68030021), 1);
    EXPECT_EQ(control.DisplayOption(0x68030022), 0);
    EXPECT_FALSE(control.EditState());
    EXPECT_TRUE(control.Loaded());
    // 21 cm page less 1 cm left and 9 cm right: the text wraps 11 cm after the 1 cm margin.
    EXPECT_EQ(control.editor()->lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(control.editor()->lineWrapColumnOrWidth(), static_cast<int>(12 * 96 / 2.54));

    // Text without a font of its own is written in the default font.
    control.setRtf("{\\rtf1 ohne Schrift\\par}");
    EXPECT_NE(control.Rtf().find("\\fcharset0 Helvetica;"), std::string::npos);

    if (const QByteArray folder = qgetenv("KESTO_SCREENSHOTS"); !folder.isEmpty()) {
        control.setButtonList(slipButtons);
        control.setRtf("{\\rtf1{\\fonttbl{\\f0 Helvetica;}}{\\colortbl ;\\red200\\green0\\blue0;}\\qc\\b\\fs32 "
                       "Ausfolgeschein\\par\\pard\\b0\\fs22 Bitte \\cf1 gegen Vorlage\\cf0  abholen.\\par"
                       "{\\*\\pn\\pnlvlblt}\\li720 Gr\\'f6\\'dfe pr\\'fcfen\\par}");
        QApplication::processEvents();
        control.grab().save(QString::fromUtf8(folder) + "/rtftext2.png");
    }
}
