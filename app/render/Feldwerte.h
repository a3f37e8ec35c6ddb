// The font table's texts as the layout routines use them: numbers typed with a decimal
// comma, colours as decimal text, flags as Boolean text. A text that does not convert
// raises the conversion error, as an unconverted field would in the layout itself.
#pragma once

#include <QString>

#include <activex/Colour.h>

#include <cstdint>

namespace vovida {

// A number as the editor stores it ("12", "-1,5").
double zahlWert(const QString& text);
// A colour: the number rounded to a 32-bit whole number (halves to even).
kesto::activex::Colour farbWert(const QString& text);
// "True"/"False" (also "Wahr"/"Falsch", any case) or a number, non-zero meaning true.
bool schalterWert(const QString& text);

// A whole number of the 16-bit range (halves to even), else the overflow error.
std::int16_t ganzzahl16(double wert);

// Field of a font slot; a slot outside 1..72 throws std::out_of_range.
double feldZahl(int slot, int feld);
kesto::activex::Colour feldFarbe(int slot, int feld);
bool feldSchalter(int slot, int feld);

}  // namespace vovida
