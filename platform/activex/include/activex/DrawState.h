#pragma once

#include "activex/Colour.h"
#include "activex/Length.h"

#include <string>

namespace kesto::activex {

// Style codes as the layout code passes them.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, None = 5, InsideSolid = 6 };
enum class BrushStyle {
    Solid = 0, None = 1, Horizontal = 2, Vertical = 3,
    ForwardDiagonal = 4, BackwardDiagonal = 5, Cross = 6, DiagonalCross = 7
};
enum class HAlign { Left, Centre, Right };
// Where the lines sit in a box of a given height; one-line boxes are as high as a line.
enum class VAlign { Top, Middle, Bottom, Baseline };

struct Pen {
    Colour colour = 0;
    PenStyle style = PenStyle::Solid;
    Length width;  // 0 draws a hairline of one device pixel
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Colour colour = 0xFFFFFF;
    BrushStyle style = BrushStyle::None;
    bool operator==(const Brush&) const = default;
};

struct FontSpec {
    std::string name = "Arial";  // as requested; resolved to an installed family when used
    double size = 10;             // points
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

struct TextStyle {
    FontSpec font;
    Colour colour = 0;
    int align = 0;  // alignment code: horizontal part code mod 3, vertical part code div 3
    int angle = 0;  // tenths of a degree, counter-clockwise
    bool operator==(const TextStyle&) const = default;

    HAlign horizontal() const { return static_cast<HAlign>(((align % 3) + 3) % 3); }
    // Codes beyond the four rows, and negative ones, sit at the top.
    VAlign vertical() const { return align >= 0 && align < 12 ? static_cast<VAlign>(align / 3) : VAlign::Top; }
    double degrees() const { return angle / 10.0; }
};

} // namespace kesto::activex
