#include "RichTextBox.h"

#include "activex/Colour.h"
#include "activex/Fonts.h"
#include "activex/Length.h"
#include "activex/RichText.h"
#include "QtText.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace kesto::activex {

namespace {

// The document is laid out in pixels of this resolution and scaled to page units, so that
// line breaks do not depend on the output device.
constexpr double layoutDpi = 96;
constexpr double unitsPerLayoutPixel = unitsPerMm * 25.4 / layoutDpi;

const QImage& layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = static_cast<int>(layoutDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// Font names of the code become the families that draw them, as for every other text.
void resolveFamilies(QTextDocument& document)
{
    QFont base = document.defaultFont();
    base.setFamily(QString::fromStdString(resolveFontFamily(base.family().toStdString())));
    base.setHintingPreference(QFont::PreferNoHinting);
    document.setDefaultFont(base);
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QStringList families = fragment.charFormat().fontFamilies().toStringList();
            if (families.isEmpty())
                continue;
            QTextCharFormat change;
            change.setFontFamilies({QString::fromStdString(resolveFontFamily(families.front().toStdString()))});
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(change);
        }
    }
}

// The height down to which every line lies whole in `height`: a line the box would cut
// through its letters is left out, as are all below it.
double wholeLinesHeight(QTextDocument& document, double height)
{
    double cut = height;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines)
            continue;
        const double top = layout->blockBoundingRect(block).top();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            if (top + line.y() + line.height() > height)
                cut = std::min(cut, top + line.y());
        }
    }
    return cut;
}

} // namespace

void drawRichTextBox(QPainter& painter, std::string_view rtf, const QRectF& box, const TextStyle& style)
{
    if (!(box.height() > 0) || !(box.width() > 0))
        return;
    QTextDocument document;
    document.documentLayout()->setPaintDevice(const_cast<QImage*>(&layoutDevice()));
    document.setDocumentMargin(0);
    document.setUseDesignMetrics(true);
    QFont font(toQString(style.font.name));
    font.setPointSizeF(style.font.size > 0 ? style.font.size : 12);
    document.setDefaultFont(font);
    readRtf(rtf, document);
    resolveFamilies(document);

    const QSizeF size(box.width() / unitsPerLayoutPixel, box.height() / unitsPerLayoutPixel);
    document.setTextWidth(size.width());

    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, 0), QSizeF(size.width(), wholeLinesHeight(document, size.height())));
    const Rgb rgb = resolveColour(style.colour);
    context.palette.setColor(QPalette::Text, QColor(rgb.r, rgb.g, rgb.b));

    painter.save();
    painter.translate(box.topLeft());
    painter.scale(unitsPerLayoutPixel, unitsPerLayoutPixel);
    painter.setClipRect(context.clip, Qt::IntersectClip);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace kesto::activex
