#pragma once

#include "activex/DrawState.h"
#include "activex/Length.h"

#include <string>
#include <string_view>
#include <vector>

namespace kesto::activex {

struct TextBoxOp;

// One line of a text box as it is drawn, placed in the box's own (unturned) frame.
struct FittedLine {
    std::string text;  // UTF-8
    Length left, top;  // of the line's cell, from the box's top-left corner
    Length width;      // advance of the text
};

struct FittedText {
    FontSpec font;      // the size the text is set at
    Length ascent;      // baseline below a line's top
    Length inkHeight;   // ascent + descent: how far a line's glyphs reach down
    Length lineSpacing;
    std::vector<FittedLine> lines;
    bool shrunk = false;  // set smaller than asked
    bool cut = false;     // text left off and marked with an ellipsis
};

// How a plain text box sets its text: it keeps the text inside the box. A box with a height
// wraps its lines at word boundaries within the width; what still does not fit is set smaller,
// down to a floor (half the size, never below 6 points unless asked for less), and what does
// not fit at the floor is cut with an ellipsis. A box of height 0 holds one line per text line
// and only shrinks and cuts. A box of width 0 takes its text as it is, and so does every box
// without `shrink` apart from wrapping.
FittedText fitText(std::string_view text, const TextStyle& style, Length width, Length height, bool shrink = true);
FittedText fitText(const TextBoxOp& op);

// The smallest size a box sets its text at when it was asked for `size` points.
double floorSize(double size);

} // namespace kesto::activex
