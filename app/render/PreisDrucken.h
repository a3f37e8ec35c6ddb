// A complete price label: the price with its currency mark, unit and info texts in the
// sizes of a "P" font slot, laid out in bands and tilted about its top-left corner. The
// new style (PreisDrucken) has a rounded two-colour frame; the old style
// (PreisPolygonDrucken) a black wedge and a line with the price in the secondary
// currency. Positions are millimetres; the slot's corrections are added.
#pragma once

#include <QString>

#include <activex/VSPrinter.h>

#include <cstdint>

namespace vovida {

using kesto::activex::VSPrinter;

struct PreisOptionen {
  bool rahmen = true;       // draw bands and frame; without them the extras are black
  double winkel = 8;        // degrees
  bool schwarz = false;     // black extras with the bands drawn
  double platzierung = 0;   // new style only: 1 starts at x, 3 ends at x + width, else centred
  double hoechstquer = 0;   // above 0, the most the label may extend across (besides the
                            // width), its price set smaller to keep to it
  double oben = 0, unten = 0;  // above 0, the highest and lowest the label may reach on the
                               // page; the whole label is set smaller to keep between them
};

// What the routines report of the label; an empty price leaves it untouched.
struct PreisAusmass {
  double quer = 0;     // extent across, mm
  double runter = 0;   // extent down, mm
  double rechtsObenX = 0, rechtsObenY = 0;  // the label's top-right corner
};

// An empty price draws nothing; one of one or two characters is formatted as a price
// first, and the caller's text receives it. A label wider than its width (when above 0) or
// the limit sets its price, mark and unit smaller, and an info text too wide for it smaller
// in its box.
void PreisDrucken(QString& preis, const QString& waehrung, const QString& einheit,
                  const QString& info, std::int16_t slot, VSPrinter& vp, double x, double y,
                  double breite, const PreisOptionen& optionen, PreisAusmass& ausmass);

// Keeps to its width (when above 0) and to the limit as PreisDrucken does, the wedge and
// the lines printed a tenth wider included.
//
// Always centred in breite. A price ending in "%" blanks the caller's secondary price
// ("   ") and secondary mark ("").
void PreisPolygonDrucken(QString& preis, const QString& waehrung, QString& nebenpreis,
                         QString& nebenwaehrung, const QString& einheit, const QString& info,
                         std::int16_t slot, VSPrinter& vp, double x, double y, double breite,
                         const PreisOptionen& optionen, PreisAusmass& ausmass);

}  // namespace vovida
