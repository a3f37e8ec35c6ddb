#include "activex/Renderer.h"
#include "activex/Fonts.h"
#include "activex/TextFit.h"
#include "QtText.h"
#include "RichTextBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <numbers>

namespace kesto::activex {

namespace {

QColor toQColor(Colour c)
{
    const Rgb rgb = resolveColour(c);
    return QColor(rgb.r, rgb.g, rgb.b);
}

QPointF toQPoint(const Point& p)
{
    return {p.x.units(), p.y.units()};
}

QRectF toQRect(const Box& b)
{
    return {b.left.units(), b.top.units(), b.width.units(), b.height.units()};
}

QPen toQPen(const Pen& pen)
{
    if (pen.style == PenStyle::None)
        return QPen(Qt::NoPen);
    QPen q(toQColor(pen.colour));
    q.setWidthF(pen.width.units());  // 0 is Qt's cosmetic hairline
    q.setCapStyle(Qt::RoundCap);
    q.setJoinStyle(Qt::RoundJoin);
    switch (pen.style) {
    case PenStyle::Dash: q.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: q.setStyle(Qt::DotLine); break;
    case PenStyle::DashDot: q.setStyle(Qt::DashDotLine); break;
    case PenStyle::DashDotDot: q.setStyle(Qt::DashDotDotLine); break;
    default: q.setStyle(Qt::SolidLine); break;
    }
    return q;
}

QBrush toQBrush(const Brush& brush)
{
    const QColor colour = toQColor(brush.colour);
    switch (brush.style) {
    case BrushStyle::None: return QBrush(Qt::NoBrush);
    case BrushStyle::Horizontal: return QBrush(colour, Qt::HorPattern);
    case BrushStyle::Vertical: return QBrush(colour, Qt::VerPattern);
    case BrushStyle::ForwardDiagonal: return QBrush(colour, Qt::FDiagPattern);
    case BrushStyle::BackwardDiagonal: return QBrush(colour, Qt::BDiagPattern);
    case BrushStyle::Cross: return QBrush(colour, Qt::CrossPattern);
    case BrushStyle::DiagonalCross: return QBrush(colour, Qt::DiagCrossPattern);
    default: return QBrush(colour, Qt::SolidPattern);
    }
}

// Everything drawn in a turned frame is drawn about its anchor.
void turnAbout(QPainter& p, const Point& anchor, const TextStyle& style)
{
    p.translate(toQPoint(anchor));
    p.rotate(-style.degrees());
}

struct OpPainter {
    QPainter& p;

    void operator()(const TextOp& op) const
    {
        const QFont font = makeFont(op.style.font);
        p.save();
        turnAbout(p, op.at, op.style);
        p.setFont(font);
        p.setPen(toQColor(op.style.colour));
        p.drawText(QPointF(0, QFontMetricsF(font).ascent()), toQString(op.text));
        p.restore();
    }

    void operator()(const TextBoxOp& op) const
    {
        const QFont font = makeFont(op.style.font);
        const bool oneLine = op.box.height.units() == 0;
        const double height = oneLine ? QFontMetricsF(font).lineSpacing() : op.box.height.units();
        const QRectF box(0, 0, op.box.width.units(), height);
        p.save();
        turnAbout(p, {op.box.left, op.box.top}, op.style);
        if (op.frame) {
            p.setPen(toQPen(op.pen));
            p.setBrush(toQBrush(op.brush));
            p.drawRect(box);
        }
        if (op.richText) {
            drawRichTextBox(p, op.text, QRectF(0, 0, op.box.width.units(), op.box.height.units()), op.style);
            p.restore();
            return;
        }
        // A framed box of a given height is a band: its text stays inside it.
        if (op.frame && !oneLine)
            p.setClipRect(box, Qt::IntersectClip);
        const FittedText fitted = fitText(op);
        p.setFont(makeFont(fitted.font));
        p.setPen(toQColor(op.style.colour));
        for (const FittedLine& line : fitted.lines)
            p.drawText(QPointF(line.left.units(), (line.top + fitted.ascent).units()), toQString(line.text));
        p.restore();
    }

    void operator()(const LineOp& op) const
    {
        p.setPen(toQPen(op.pen));
        p.drawLine(toQPoint(op.from), toQPoint(op.to));
    }

    void operator()(const RectangleOp& op) const
    {
        p.setPen(toQPen(op.pen));
        p.setBrush(toQBrush(op.brush));
        p.drawRect(toQRect(op.box));
    }

    void operator()(const EllipseOp& op) const
    {
        p.setPen(toQPen(op.pen));
        p.setBrush(toQBrush(op.brush));
        p.drawEllipse(toQRect(op.box));
    }

    void operator()(const ArcOp& op) const
    {
        const double r = op.radius.units();
        const QRectF bounds(op.centre.x.units() - r, op.centre.y.units() - r, 2 * r, 2 * r);
        constexpr double toDegrees = 180 / std::numbers::pi;
        QPainterPath path;
        path.arcMoveTo(bounds, op.start * toDegrees);
        path.arcTo(bounds, op.start * toDegrees, op.sweep * toDegrees);
        p.setPen(toQPen(op.pen));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }

    void operator()(const PolygonOp& op) const
    {
        QPolygonF polygon;
        for (const Point& point : op.points)
            polygon << toQPoint(point);
        p.setPen(toQPen(op.pen));
        p.setBrush(toQBrush(op.brush));
        p.drawPolygon(polygon);
    }

    void operator()(const PictureOp& op) const
    {
        p.drawImage(toQRect(op.box), op.image);
    }
};

} // namespace

void renderPage(QPainter& painter, const Page& page)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const OpPainter opPainter{painter};
    for (const DrawOp& op : page.ops)
        std::visit(opPainter, op);
    painter.restore();
}

} // namespace kesto::activex
