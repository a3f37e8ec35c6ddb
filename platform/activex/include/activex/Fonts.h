#pragma once

#include "activex/DrawState.h"
#include "activex/Length.h"

#include <QFont>

#include <string>
#include <string_view>
#include <vector>

namespace kesto::activex {

// The family that draws a requested font name: Arial and Helvetica as Liberation Sans,
// Times New Roman as Liberation Serif, Courier as Liberation Mono, the narrow headline and
// price face "Kipp" as Nimbus Sans Narrow (always bold); any other name as itself when
// installed, else DejaVu Sans. Needs a running QGuiApplication.
std::string resolveFontFamily(std::string_view requested);

// Lets Qt's own widgets (the rich-text editor) draw the requested names with the same
// families. Idempotent; needs a running QGuiApplication.
void installFontSubstitutes();

// The font in page units (pixel size = points x 57 x 25.4 / 72), unhinted outlines, so
// that measuring and every output device agree.
QFont makeFont(const FontSpec& spec);

// Lines end at CR, LF or CRLF.
std::vector<std::string> splitLines(std::string_view text);

struct TextExtent {
    Length width;   // longest line
    Length height;  // lines x line spacing
};
TextExtent measureText(const FontSpec& spec, std::string_view text);

// Advance of one line of text.
Length textAdvance(const FontSpec& spec, std::string_view text);

} // namespace kesto::activex
