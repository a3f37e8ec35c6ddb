#include "RichTextToolbar.h"

#include "activex/RTFText2.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

#include <array>

namespace kesto::activex {

namespace {

constexpr std::array sizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Bullets hang left of the text: a bulleted paragraph keeps at least this margin (pixels).
constexpr double bulletMargin = 24;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

RichTextToolbar::RichTextToolbar(RTFText2& control, QTextEdit& editor)
    : control_(control), editor_(editor)
{
    setObjectName(QStringLiteral("Werkzeugleiste"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setIconSize(QSize(16, 16));
    connect(&editor_, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat& f) { showFormat(f); });
    connect(&editor_, &QTextEdit::cursorPositionChanged, this, [this] { showAlignment(); });
}

void RichTextToolbar::setButtons(std::string_view list)
{
    clear();
    fontBox_ = nullptr;
    sizeBox_ = nullptr;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find('|', start), list.size());
        const std::string_view name = trimmed(list.substr(start, end - start));
        if (name.empty())
            addSeparator();
        else
            addButton(name);
        start = end + 1;
    }
    showFormat(editor_.currentCharFormat());
    showAlignment();
}

QAction* RichTextToolbar::action(const char* name, const QString& text, const QString& tip)
{
    QAction* a = addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(tip);
    return a;
}

QAction* RichTextToolbar::checkable(const char* name, const QString& text, const QString& tip)
{
    QAction* a = action(name, text, tip);
    a->setCheckable(true);
    return a;
}

void RichTextToolbar::addButton(std::string_view name)
{
    if (name == "cfont") {
        fontBox_ = new QFontComboBox;
        fontBox_->setObjectName(QStringLiteral("cfont"));
        fontBox_->setToolTip(QStringLiteral("Schriftart"));
        fontBox_->setMaximumWidth(160);
        connect(fontBox_, &QFontComboBox::textActivated, this, [this](const QString& family) {
            QTextCharFormat f;
            f.setFontFamilies({family});
            mergeFormat(f);
        });
        addWidget(fontBox_);
    } else if (name == "csize") {
        sizeBox_ = new QComboBox;
        sizeBox_->setObjectName(QStringLiteral("csize"));
        sizeBox_->setToolTip(QStringLiteral("Schriftgröße"));
        sizeBox_->setEditable(true);
        for (int size : sizes)
            sizeBox_->addItem(QString::number(size));
        connect(sizeBox_, &QComboBox::textActivated, this, [this](const QString& text) {
            bool ok = false;
            const double points = QString(text).replace(u',', u'.').toDouble(&ok);
            if (!ok || points < 1 || points > 1638)
                return;
            QTextCharFormat f;
            f.setFontPointSize(points);
            mergeFormat(f);
        });
        addWidget(sizeBox_);
    } else if (name == "new") {
        connect(action("new", QStringLiteral("Neu"), QStringLiteral("Neues Dokument")), &QAction::triggered,
                &control_, [this] { control_.newDocument(); });
    } else if (name == "open") {
        connect(action("open", QStringLiteral("Öffnen"), QStringLiteral("Datei öffnen")), &QAction::triggered,
                &control_, [this] { control_.openDocument(); });
    } else if (name == "save") {
        connect(action("save", QStringLiteral("Speichern"), QStringLiteral("Datei speichern")), &QAction::triggered,
                &control_, [this] { control_.saveDocument(); });
    } else if (name == "cut") {
        connect(action("cut", QStringLiteral("Aussch."), QStringLiteral("Ausschneiden")), &QAction::triggered,
                &editor_, &QTextEdit::cut);
    } else if (name == "copy") {
        connect(action("copy", QStringLiteral("Kopie"), QStringLiteral("Kopieren")), &QAction::triggered, &editor_,
                &QTextEdit::copy);
    } else if (name == "paste") {
        connect(action("paste", QStringLiteral("Einf."), QStringLiteral("Einfügen")), &QAction::triggered,
                &editor_, &QTextEdit::paste);
    } else if (name == "undo") {
        connect(action("undo", QStringLiteral("↶"), QStringLiteral("Rückgängig")), &QAction::triggered, &editor_,
                &QTextEdit::undo);
    } else if (name == "redo") {
        connect(action("redo", QStringLiteral("↷"), QStringLiteral("Wiederherstellen")), &QAction::triggered,
                &editor_, &QTextEdit::redo);
    } else if (name == "bold") {
        styleToggle("bold", QStringLiteral("F"), QStringLiteral("Fett"), [](QFont& f, QTextCharFormat& c, bool on) {
            f.setBold(true);
            c.setFontWeight(on ? QFont::Bold : QFont::Normal);
        });
    } else if (name == "italic") {
        styleToggle("italic", QStringLiteral("K"), QStringLiteral("Kursiv"), [](QFont& f, QTextCharFormat& c, bool on) {
            f.setItalic(true);
            c.setFontItalic(on);
        });
    } else if (name == "uline") {
        styleToggle("uline", QStringLiteral("U"), QStringLiteral("Unterstrichen"),
                    [](QFont& f, QTextCharFormat& c, bool on) {
                        f.setUnderline(true);
                        c.setFontUnderline(on);
                    });
    } else if (name == "colour") {
        connect(action("colour", QStringLiteral("Farbe"), QStringLiteral("Schriftfarbe")), &QAction::triggered,
                &control_, [this] { control_.chooseColour(); });
    } else if (name == "left" || name == "right" || name == "centre") {
        const Qt::Alignment align = name == "left"    ? Qt::AlignLeft
                                    : name == "right" ? Qt::AlignRight
                                                      : Qt::AlignHCenter;
        QAction* a = name == "left"    ? checkable("left", QStringLiteral("Links"), QStringLiteral("Linksbündig"))
                     : name == "right" ? checkable("right", QStringLiteral("Rechts"), QStringLiteral("Rechtsbündig"))
                                       : checkable("centre", QStringLiteral("Mitte"), QStringLiteral("Zentriert"));
        connect(a, &QAction::triggered, this, [this, align] {
            editor_.setAlignment(align);
            showAlignment();
        });
    } else if (name == "bullet") {
        QAction* a = checkable("bullet", QStringLiteral("•"), QStringLiteral("Aufzählung"));
        connect(a, &QAction::triggered, this, [this](bool on) { toggleBullet(on); });
    }
}

void RichTextToolbar::styleToggle(const char* name, const QString& text, const QString& tip, const StyleSetter& set)
{
    QAction* a = checkable(name, text, tip);
    QFont look = font();
    QTextCharFormat unused;
    set(look, unused, true);  // the button shows its style
    a->setFont(look);
    connect(a, &QAction::toggled, this, [this, set](bool on) {
        QFont ignored;
        QTextCharFormat format;
        set(ignored, format, on);
        mergeFormat(format);
    });
}

void RichTextToolbar::mergeFormat(const QTextCharFormat& format)
{
    // The selection, or what is typed next.
    editor_.mergeCurrentCharFormat(format);
    editor_.setFocus();
}

void RichTextToolbar::toggleBullet(bool on)
{
    QTextCursor cursor = editor_.textCursor();
    cursor.beginEditBlock();
    if (on) {
        QTextBlockFormat block = cursor.blockFormat();
        block.setLeftMargin(std::max(block.leftMargin(), bulletMargin));
        block.setTextIndent(0);
        cursor.setBlockFormat(block);
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(0);
        cursor.createList(list);
    } else if (QTextList* list = cursor.currentList()) {
        list->remove(cursor.block());
        QTextBlockFormat block = cursor.blockFormat();
        block.setObjectIndex(-1);
        cursor.setBlockFormat(block);
    }
    cursor.endEditBlock();
}

void RichTextToolbar::showFormat(const QTextCharFormat& format)
{
    const QSignalBlocker guard(this);
    for (QAction* a : actions()) {
        const QSignalBlocker actionGuard(a);
        if (a->objectName() == u"bold")
            a->setChecked(format.fontWeight() >= QFont::Bold);
        else if (a->objectName() == u"italic")
            a->setChecked(format.fontItalic());
        else if (a->objectName() == u"uline")
            a->setChecked(format.fontUnderline());
    }
    if (fontBox_) {
        const QSignalBlocker boxGuard(fontBox_);
        const QStringList families = format.fontFamilies().toStringList();
        fontBox_->setCurrentFont(QFont(families.isEmpty() ? editor_.document()->defaultFont().family() : families.front()));
    }
    if (sizeBox_) {
        const QSignalBlocker boxGuard(sizeBox_);
        const double points = format.fontPointSize() > 0 ? format.fontPointSize()
                                                          : editor_.document()->defaultFont().pointSizeF();
        sizeBox_->setEditText(QString::number(points));
    }
}

void RichTextToolbar::showAlignment()
{
    const Qt::Alignment align = editor_.alignment() & Qt::AlignHorizontal_Mask;
    const bool inList = editor_.textCursor().currentList() != nullptr;
    for (QAction* a : actions()) {
        const QSignalBlocker guard(a);
        if (a->objectName() == u"left")
            a->setChecked((align & Qt::AlignLeft) != 0);
        else if (a->objectName() == u"right")
            a->setChecked((align & Qt::AlignRight) != 0);
        else if (a->objectName() == u"centre")
            a->setChecked((align & Qt::AlignHCenter) != 0);
        else if (a->objectName() == u"bullet")
            a->setChecked(inList);
    }
}

} // namespace kesto::activex
