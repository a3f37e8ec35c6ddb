#include "activex/RTFText2.h"

#include "activex/Fonts.h"
#include "activex/RichText.h"
#include "RichTextToolbar.h"

#include <text/CodePage.h>

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QVBoxLayout>

#include <utility>

namespace kesto::activex {

namespace {

// Larger files are no texts of ours.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;
constexpr double pageWidthCm = 21;
constexpr double pixelsPerCm = 96 / 2.54;

std::string defaultFileChooser(QWidget* parent, bool save, const std::string& current)
{
    const QString filter = QStringLiteral("RTF-Dateien (*.rtf);;Textdateien (*.txt);;Alle Dateien (*)");
    const QString start = QString::fromStdString(current);
    const QString chosen = save ? QFileDialog::getSaveFileName(parent, QStringLiteral("Speichern unter"), start, filter)
                                : QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), start, filter);
    return chosen.toStdString();
}

} // namespace

RTFText2::RTFText2(QWidget* parent) : QWidget(parent), editor_(new QTextEdit)
{
    installFontSubstitutes();
    editor_->setObjectName(QStringLiteral("Text"));
    editor_->setAcceptRichText(true);
    toolbar_ = new RichTextToolbar(*this, *editor_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(editor_, 1);
    QFont font = document()->defaultFont();
    font.setPointSizeF(12);
    document()->setDefaultFont(font);
    setDefaultFontName("Arial");
    connect(editor_->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (modified && !replacing_)
            raise(contentChanged);
    });
}

RTFText2::~RTFText2() = default;

QToolBar* RTFText2::toolbar() const
{
    return toolbar_;
}

QTextDocument* RTFText2::document() const
{
    return editor_->document();
}

void RTFText2::setButtonList(std::string_view list)
{
    buttonList_ = list;
    toolbar_->setButtons(list);
}

std::string RTFText2::DefaultFontName() const
{
    return document()->defaultFont().family().toStdString();
}

void RTFText2::setDefaultFontName(std::string_view name)
{
    QFont font = document()->defaultFont();
    font.setFamily(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    document()->setDefaultFont(font);
}

void RTFText2::setLeftMargin(double cm)
{
    leftMarginCm_ = cm;
    applyMargins();
}

void RTFText2::setRightMargin(double cm)
{
    rightMarginCm_ = cm;
    applyMargins();
}

void RTFText2::applyMargins()
{
    const double left = std::clamp(leftMarginCm_, 0.0, pageWidthCm);
    const double width = pageWidthCm - left - std::clamp(rightMarginCm_, 0.0, pageWidthCm);
    QTextFrameFormat frame = document()->rootFrame()->frameFormat();
    frame.setLeftMargin(left * pixelsPerCm);
    document()->rootFrame()->setFrameFormat(frame);
    if (width >= 1) {
        editor_->setLineWrapMode(QTextEdit::FixedPixelWidth);
        editor_->setLineWrapColumnOrWidth(static_cast<int>((left + width) * pixelsPerCm));
    } else {
        editor_->setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

double RTFText2::DisplayOption(int member) const
{
    const auto it = displayOptions_.find(member);
    return it == displayOptions_.end() ? 0 : it->second;
}

void RTFText2::setRefresh(bool on)
{
    if (!on)
        return;
    applyMargins();
    document()->markContentsDirty(0, document()->characterCount());
    editor_->viewport()->update();
}

int RTFText2::Load(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly) || file.size() > maxFileSize)
        return 1;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return 1;
    QTextDocument read;
    read.setDefaultFont(document()->defaultFont());
    if (!readRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), read))
        return 1;
    setRtf(writeRtf(read));
    return 0;
}

int RTFText2::Save(int format, const std::string& path) const
{
    if (format != richTextFormat && format != plainTextFormat)
        return 1;
    std::string bytes;
    if (format == richTextFormat) {
        bytes = writeRtf(*document());
    } else {
        const QString text = document()->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
        bytes = text::toNarrow(text.toStdU16String());
    }
    QSaveFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::WriteOnly))
        return 1;
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.commit() ? 0 : 1;
}

std::string RTFText2::Rtf() const
{
    return writeRtf(*document());
}

void RTFText2::setRtf(std::string_view code)
{
    // A font table's default font becomes the document's; without one the control's stays.
    const bool wasReplacing = std::exchange(replacing_, true);
    readRtf(code, *document());
    applyMargins();
    document()->setModified(false);
    replacing_ = wasReplacing;
}

void RTFText2::newDocument()
{
    const bool wasReplacing = std::exchange(replacing_, true);
    document()->clear();
    applyMargins();
    document()->setModified(false);
    replacing_ = wasReplacing;
    raise(contentChanged);
}

void RTFText2::openDocument()
{
    const std::string path = fileChooser_ ? fileChooser_(false, fileName_) : defaultFileChooser(this, false, fileName_);
    if (path.empty() || Load(path) != 0)
        return;
    fileName_ = path;
    raise(contentChanged);
}

void RTFText2::saveDocument()
{
    const std::string path = fileChooser_ ? fileChooser_(true, fileName_) : defaultFileChooser(this, true, fileName_);
    if (path.empty())
        return;
    const bool plain = QString::fromStdString(path).endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    if (Save(plain ? plainTextFormat : richTextFormat, path) == 0)
        fileName_ = path;
}

void RTFText2::chooseColour()
{
    const QColor current = editor_->textColor();
    unsigned colour = static_cast<unsigned>(current.red()) | static_cast<unsigned>(current.green()) << 8 |
                      static_cast<unsigned>(current.blue()) << 16;
    if (colourChooser_) {
        if (!colourChooser_(colour))
            return;
    } else {
        const QColor chosen = QColorDialog::getColor(current, this, QStringLiteral("Schriftfarbe"));
        if (!chosen.isValid())
            return;
        colour = static_cast<unsigned>(chosen.red()) | static_cast<unsigned>(chosen.green()) << 8 |
                 static_cast<unsigned>(chosen.blue()) << 16;
    }
    QTextCharFormat format;
    format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    editor_->mergeCurrentCharFormat(format);
}

void RTFText2::raise(int event)
{
    if (eventHandler_)
        eventHandler_(event);
}

} // namespace kesto::activex
