#pragma once

#include "activex/DrawState.h"

#include <QRectF>

#include <string_view>

class QPainter;

namespace kesto::activex {

// Rich-text code drawn with its formatting into a box given in page units: wrapped to the
// box width, clipped to its height. Runs without a font of their own take the style's
// font name and size. A box without height draws nothing.
void drawRichTextBox(QPainter& painter, std::string_view rtf, const QRectF& box, const TextStyle& style);

} // namespace kesto::activex
