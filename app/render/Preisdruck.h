// Steps the two price routines share: the slot's price extras, measuring in a price
// font, the coloured bands, the price passes and the final reset of the font.
#pragma once

#include "Drehung.h"
#include "Zeichnen.h"

#include <QString>

#include <array>
#include <optional>
#include <cstdint>

namespace vovida::preis {

// What both routines start from. nullopt for an empty price, which draws nothing; a
// price of one or two characters is formatted as a price first, in the caller's text.
struct Anfang {
  std::array<double, 10> e;  // the "@"-separated extras of field 10
  double groesse;            // field 1
  double winkel;             // radians
  std::int16_t zehntel;      // the same for the texts
};
std::optional<Anfang> anfangen(QString& preis, std::int16_t slot, double grad);

// Text angle in tenths of a degree.
std::int16_t winkelZehntel(double grad);

struct Ausdehnung {
  double breite = 0, hoehe = 0;  // mm
};
// Sets the font, then measures the text.
Ausdehnung messen(VSPrinter& vp, const QString& text, double groesse, const QString& schrift,
                  const SchriftEinstellung& e = {});

// One line at p, widthMm wide (the label's width parameter when 0, times faktor).
void drucken(VSPrinter& vp, const QString& text, Punkt p, double breiteMm, double ersatzbreite,
             double faktor = 1);

// A filled band under the texts, drawn as an empty framed text box.
void band(VSPrinter& vp, double groesse, const QString& schrift, bool fett, Colour farbe,
          std::int16_t winkel, Punkt p, double breite, double hoehe);

// The price, first as its shadow (when the slot has a shadow colour), then in the text
// colour, with its left edge spalte behind the band's start.
struct Preiszeile {
  const QString& preis;
  Punkt bandstart;
  double winkel;          // radians
  std::int16_t zehntel;   // the same angle for the text, tenths of a degree
  double spalte;
  double breite;
  double ersatzbreite;
  double faktor;
  double groesse;  // points: the slot's price size, or less where the label must keep to its width
};
void preisDurchgaenge(VSPrinter& vp, std::int16_t slot, const Preiszeile& z);

// Font "Arial" size 1, angle 0, everything else at the defaults.
void zuruecksetzen(VSPrinter& vp);

}  // namespace vovida::preis
