#pragma once

// Rich-text code (the RTF subset our texts use) read into and written from a
// QTextDocument. Lengths in the document are pixels at 96 dpi (15 twips each), font
// sizes points; font names stay as the code gives them, so that writing keeps them.
#include <QString>

#include <string>
#include <string_view>

class QTextDocument;

namespace kesto::activex {

inline constexpr double twipsPerPixel = 15;

// Whether the text is rich-text code at all (it begins with "{\rtf", blanks before allowed).
bool isRtf(std::string_view text);

// Replaces the document's content. Text that is no rich-text code is taken as plain text.
// Reading never fails: it returns false when the code is broken (unbalanced groups, nesting
// beyond any real document), having read what it could. Raw bytes above 0x7F are
// Windows-1252, unless the whole code is valid UTF-8.
bool readRtf(std::string_view rtf, QTextDocument& document);

// The document as rich-text code: a font table (font 0 is the document's default
// family), a colour table, one \pard paragraph per block, one group per run.
std::string writeRtf(const QTextDocument& document);

// Text as it stands in rich-text code: "\", "{" and "}" escaped, Windows-1252 characters
// above 0x7F as \'hh, the rest as \uN?, tabs and line breaks as control words.
std::string escapeRtfText(const QString& text);

} // namespace kesto::activex
