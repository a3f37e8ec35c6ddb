// Text and shapes of the preview control: each call records one operation on the
// current page with the drawing state of the moment.
#include "activex/Fonts.h"
#include "activex/PreviewError.h"
#include "activex/VSPrinter.h"
#include "Validate.h"

#include <cmath>
#include <numbers>

namespace kesto::activex {

namespace {

Box boxBetween(Length left, Length top, Length right, Length bottom)
{
    return {std::min(left, right), std::min(top, bottom), units(std::abs((right - left).units())),
            units(std::abs((bottom - top).units()))};
}

// A picture's own size: its pixels at its resolution, 96 DPI when it has none.
Length ownSize(int pixels, int dotsPerMeter)
{
    const double dpi = dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
    return mm(pixels / dpi * 25.4);
}

Length extentOf(const PictureExtent& extent, Length own)
{
    if (const auto* percent = std::get_if<Percent>(&extent))
        return own * (percent->value / 100);
    return std::get<Length>(extent);
}

} // namespace

void VSPrinter::Text(std::string_view text)
{
    Page& page = currentPage();
    if (text.empty())
        return;
    const Length advance = textAdvance(text_.font, text);
    page.ops.push_back(TextOp{{currentX_, currentY_}, std::string(text), text_});
    // The position moves to the end of the text along its direction (y grows downwards).
    const double radians = text_.degrees() * std::numbers::pi / 180;
    currentX_ += advance * std::cos(radians);
    currentY_ -= advance * std::sin(radians);
}

void VSPrinter::Measure(std::string_view text)
{
    const TextExtent extent = measureText(text_.font, text);
    textWid_ = extent.width;
    textHei_ = extent.height;
}

Length VSPrinter::TextWidth(std::string_view text) const
{
    return measureText(text_.font, text).width;
}

Length VSPrinter::TextHeight(std::string_view text) const
{
    return measureText(text_.font, text).height;
}

void VSPrinter::TextBox(std::string_view text, Length left, Length top, Length width, Length height,
                        bool flag1, bool flag2, bool frame)
{
    requireFinite({left, top, width, height}, "Koordinate");
    TextBoxOp op;
    op.text = std::string(text);
    op.box = {left, top, width, height};
    op.flag1 = flag1;
    op.flag2 = flag2;
    op.frame = frame;
    op.richText = richText_;
    op.style = text_;
    op.pen = pen_;
    op.brush = brush_;
    record(std::move(op));
}

void VSPrinter::Polygon(std::string_view pointList)
{
    const auto points = parsePointList(pointList);
    Polygon(points);
}

void VSPrinter::Polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        throw PreviewError(PreviewError::invalidValue, "Ein Polygon braucht mindestens zwei Punkte");
    for (const Point& p : points)
        requireFinite({p.x, p.y}, "Koordinate");
    record(PolygonOp{{points.begin(), points.end()}, pen_, brush_});
}

void VSPrinter::DrawLine(Length x1, Length y1, Length x2, Length y2)
{
    requireFinite({x1, y1, x2, y2}, "Koordinate");
    record(LineOp{{x1, y1}, {x2, y2}, pen_});
}

void VSPrinter::DrawCircle(Length cx, Length cy, Length radius)
{
    requireFinite({cx, cy, radius}, "Koordinate");
    const Length r = units(std::abs(radius.units()));
    record(EllipseOp{{cx - r, cy - r, r * 2, r * 2}, pen_, brush_});
}

void VSPrinter::DrawCircle(Length cx, Length cy, Length radius, double startRadians, double endRadians)
{
    requireFinite({cx, cy, radius}, "Koordinate");
    if (!std::isfinite(startRadians) || !std::isfinite(endRadians))
        invalidValue("Winkel");
    constexpr double fullTurn = 2 * std::numbers::pi;
    double sweep = std::fmod(endRadians - startRadians, fullTurn);
    if (sweep < 0)
        sweep += fullTurn;
    if (sweep == 0 && startRadians != endRadians)
        sweep = fullTurn;
    record(ArcOp{{cx, cy}, units(std::abs(radius.units())), startRadians, sweep, pen_});
}

void VSPrinter::DrawEllipse(Length left, Length top, Length right, Length bottom)
{
    requireFinite({left, top, right, bottom}, "Koordinate");
    record(EllipseOp{boxBetween(left, top, right, bottom), pen_, brush_});
}

void VSPrinter::DrawRectangle(Length left, Length top, Length right, Length bottom)
{
    requireFinite({left, top, right, bottom}, "Koordinate");
    record(RectangleOp{boxBetween(left, top, right, bottom), pen_, brush_});
}

void VSPrinter::DrawPicture(const QImage& picture, Length left, Length top)
{
    DrawPicture(picture, left, top, Percent{100}, Percent{100});
}

void VSPrinter::DrawPicture(const QImage& picture, Length left, Length top, PictureExtent width,
                            PictureExtent height)
{
    // An empty picture control holds no picture: there is nothing to draw.
    if (picture.isNull())
        return;
    const Length w = extentOf(width, ownSize(picture.width(), picture.dotsPerMeterX()));
    const Length h = extentOf(height, ownSize(picture.height(), picture.dotsPerMeterY()));
    requireFinite({left, top, w, h}, "Koordinate");
    // A box given in lengths keeps the picture's proportion; zoom percentages are the user's.
    const bool keepAspect = std::holds_alternative<Length>(width) && std::holds_alternative<Length>(height);
    record(PictureOp{picture, {left, top, w, h}, keepAspect});
}

} // namespace kesto::activex
