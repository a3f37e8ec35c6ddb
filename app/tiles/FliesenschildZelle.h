// One text cell of a tile sign: the text in a font slot in a box, with the alignment,
// pen width, brush style and pen style the sign's step gives.
#pragma once

#include "TextaufDruckformular.h"

namespace vovida {

inline void Fliesenzelle(const QString& text, double x, double y, double breite, double hoehe, int slot,
                         const char* schrift, VSPrinter& vp, TextboxStil stil) {
  SchriftTextDrucken(text, x, y, breite, hoehe, static_cast<std::int16_t>(slot), QString::fromUtf8(schrift), vp,
                     stil);
}

// The same with the routine's own defaults for the options.
inline void Fliesenzelle(const QString& text, double x, double y, double breite, double hoehe, int slot,
                         const char* schrift, VSPrinter& vp) {
  Fliesenzelle(text, x, y, breite, hoehe, slot, schrift, vp, TextboxStil{});
}

}  // namespace vovida
