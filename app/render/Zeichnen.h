// Drawing primitives of the sign layouts: filled rectangles, corner marks, rounded
// corners, the two-line price frame, the millimetre help grid, and setting font, pen
// and brush in one call. Positions and sizes are millimetres; every property set stays
// set on the control for what is drawn next.
#pragma once

#include "Drehung.h"

#include <QString>

#include <activex/VSPrinter.h>

#include <cstdint>
#include <vector>

namespace vovida {

using kesto::activex::Colour;
using kesto::activex::VSPrinter;

inline constexpr Colour kSchwarz = 0;
inline constexpr Colour kRot = 255;
inline constexpr Colour kGruen = 65280;
inline constexpr Colour kGelb = 65535;
inline constexpr Colour kWeiss = 16777215;

// "x y, x y, ..." in page units (millimetres x 57), fractions with "." so that the
// decimal mark never mixes with the comma between points.
QString PunktListe(const std::vector<Punkt>& punkteMm);

// A rectangle as a closed five-point polygon with the given pen and brush.
void PolygonZeichnen(double x, double y, double breite, double hoehe, VSPrinter& vp,
                     Colour stiftfarbe = kSchwarz, std::int32_t stiftstil = 0,
                     std::uint8_t stiftbreite = 1, Colour pinselfarbe = kWeiss,
                     std::int32_t pinselstil = 1);

// An open corner mark: two arms of the length, each starting abstand away from (x, y).
// Corner codes "LO", "RO", "LU", "RU" (arms run left/right, up/down); any other code
// draws nothing after the pen is set.
void RahmenZeichnen(double x, double y, double laenge, double abstand, const QString& ecke,
                    VSPrinter& vp, Colour stiftfarbe = kSchwarz, std::int32_t stiftstil = 2,
                    std::uint8_t stiftbreite = 0);

// A quarter arc at the named corner of a rectangle, its centre pulled radius / teiler
// into the rectangle and the whole turned by winkel (radians).
void EckeZeichnen(double x, double y, double winkel, double radius, const QString& ecke,
                  VSPrinter& vp, double teiler, double stiftbreite, Colour stiftfarbe = kSchwarz,
                  std::int32_t stiftstil = 0);

// The two-line rounded frame of a new-style price: red outside, inside green above the
// split point and red below, with the small green label at the split point.
struct PreisRahmen {
  Punkt lo, split, ro, lu, ru;
  double winkel = 0;              // radians
  double mass = 0;                // frame measure r, mm
  double beschriftungsbreite = 0;  // mm
};
void PreisRahmenZeichnen(const PreisRahmen& rahmen, VSPrinter& vp);

// Lines every schritt mm across width x height, only when schalter is 1. Stops quietly
// at the first error of the control, keeping the lines drawn so far.
void RasterZeichnen(std::int16_t breite, std::int16_t hoehe, VSPrinter& vp,
                    std::int16_t schritt = 10, std::int16_t schalter = 0);

// The optional values of DruckerSchriftSetzen; every one is set on every call.
struct SchriftEinstellung {
  bool fett = false;
  Colour textfarbe = kSchwarz;
  std::int32_t ausrichtung = 6;
  std::int16_t winkel = 0;  // tenths of a degree
  Colour stiftfarbe = kSchwarz;
  std::int32_t stiftstil = 5;
  std::int16_t stiftbreite = 0;
  Colour pinselfarbe = kWeiss;
  std::int32_t pinselstil = 1;
};
void DruckerSchriftSetzen(VSPrinter& vp, double groesse, const QString& name,
                          const SchriftEinstellung& e = {});
// The size as the font table holds it ("12", "10,5"); not a number: the conversion error.
void DruckerSchriftSetzen(VSPrinter& vp, const QString& groesse, const QString& name,
                          const SchriftEinstellung& e = {});

}  // namespace vovida
