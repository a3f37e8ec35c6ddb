// Text in the style of a font slot: in one box, or character by character with the
// slot's spacing, shadow and contour. Positions and sizes are millimetres; the slot's
// margin and top corrections are added. Every property set stays set on the control.
#pragma once

#include <QString>

#include <activex/VSPrinter.h>

#include <cstdint>
#include <optional>

namespace vovida {

using kesto::activex::VSPrinter;

// The optional values of SchriftTextDrucken. The routine writes back what it used: a
// pen width or pen style of 0 becomes 1 or 5, and a slot without pen or brush colour
// turns line or fill off.
struct TextboxStil {
  std::int32_t ausrichtung = 11;
  std::int16_t stiftbreite = 1;
  std::int32_t pinselstil = 1;
  std::int32_t stiftstil = 5;
};

// The text in a box; a width or height of 0 is measured from the text.
void SchriftTextDrucken(const QString& text, double x, double y, double breite, double hoehe,
                        std::int16_t slot, const QString& schriftname, VSPrinter& vp,
                        TextboxStil& stil);
void SchriftTextDrucken(const QString& text, double x, double y, double breite, double hoehe,
                        std::int16_t slot, const QString& schriftname, VSPrinter& vp);

// The width to give SchriftTextDrucken for a text that may take at most `hoechstens` mm:
// 0 (the box measures the text) while it fits, else the limit, in which the box sets the
// text smaller. Sets the slot's font on the control.
double Hoechstbreite(const QString& text, std::int16_t slot, const QString& schriftname, VSPrinter& vp,
                     double hoechstens);

// The text character by character, centred in breite when one is given; a text wider
// than breite is set smaller, whole points, until it fits. hoehe receives the height of
// the last character measured (unchanged for an empty text), breitenSumme the sum of the
// widths of every character printed in every pass. With nurMessen the normal print is left
// out; a contour is printed all the same. On a filled background (hintergrund) the text
// colour gives way to white or black where it would not stand out.
void TextGemessenDrucken(const QString& text, std::int16_t slot, const QString& schriftname,
                         VSPrinter& vp, double x, double y, std::optional<double> breite,
                         double& hoehe, double& breitenSumme, bool nurMessen = false,
                         std::optional<kesto::activex::Colour> hintergrund = {});
// The top of the line TextGemessenDrucken sets when given y.
double TextGemessenOben(std::int16_t slot, double y);

}  // namespace vovida
