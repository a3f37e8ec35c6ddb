#pragma once

#include "activex/DrawState.h"
#include "activex/Length.h"

#include <QImage>

#include <string>
#include <variant>
#include <vector>

namespace kesto::activex {

// One line of text, top-left at `at`, turned about `at`.
struct TextOp {
    Point at;
    std::string text;  // UTF-8
    TextStyle style;
};

// Text in a box; height 0 means one line without wrapping. With `frame` set the box
// is outlined with the pen and filled with the brush under the text.
struct TextBoxOp {
    std::string text;  // UTF-8; rich-text code while `richText` is set
    Box box;
    bool flag1 = false, flag2 = false, frame = false;
    bool richText = false;
    TextStyle style;
    Pen pen;
    Brush brush;
};

struct LineOp {
    Point from, to;
    Pen pen;
};

struct RectangleOp {
    Box box;
    Pen pen;
    Brush brush;
};

struct EllipseOp {
    Box box;
    Pen pen;
    Brush brush;
};

// Arc of a circle, pen only. Angles in radians, 0 to the right, counter-clockwise.
struct ArcOp {
    Point centre;
    Length radius;
    double start = 0;
    double sweep = 0;
    Pen pen;
};

struct PolygonOp {
    std::vector<Point> points;  // closed when drawn
    Pen pen;
    Brush brush;
};

struct PictureOp {
    QImage image;
    Box box;
    bool keepAspect = false;  // drawn as large as fits in the box, centred, in proportion
};

// Where a picture op's image lands: its whole box, or the centred part of it that keeps the
// image's proportion.
Box drawnBox(const PictureOp& op);

using DrawOp = std::variant<TextOp, TextBoxOp, LineOp, RectangleOp, EllipseOp, ArcOp, PolygonOp, PictureOp>;

enum class PageOrientation { Portrait = 0, Landscape = 1 };

struct Page {
    int paperSize = 9;
    PageOrientation orientation = PageOrientation::Portrait;
    Length width, height;  // after orientation
    std::vector<DrawOp> ops;
};

// Paper codes of the operating system: 9 A4, 8 A3, 11 A5. Unknown codes throw PreviewError.
struct PaperDimensions {
    double widthMm, heightMm;  // portrait
};
PaperDimensions paperDimensions(int paperSize);
bool isKnownPaperSize(int paperSize);

} // namespace kesto::activex
