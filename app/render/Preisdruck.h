// Steps the two price routines share: the slot's price extras, measuring in a price
// font, the coloured bands, the price passes and the final reset of the font.
#pragma once

#include "Drehung.h"
#include "Zeichnen.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>

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

// The price with its currency mark and unit beside it, measured at a price size; the mark and
// the unit follow the price's scale, and every width is taken times faktor.
struct Preisblock {
  double k;  // the price size over the slot's
  double Wp, Hp, Wc, Hc, Wu;
  double abstand;  // the gap around the column of mark and unit
  double spalte;   // the price's left edge behind the block's start
  double breite;   // of the whole block
};
Preisblock preisblockMessen(VSPrinter& vp, const QString& preis, const QString& waehrung, const QString& einheit,
                            const Anfang& anfang, double groesse, double faktor);

// The most a label may extend across: its width and the caller's limit, whichever is
// smaller where both are set; 0 for no limit.
double grenzeVon(double breite, double hoechstquer);

// The widest a label's body may be so that, with its height and turned by winkel, it keeps
// to grenze across. Centred, what reaches `rand` past the body's right edge needs as much
// room on the left.
double breiteHoechstens(double grenze, double hoehe, double winkel, double rand = 0);

// How far the new style's frame, drawn with this measure round a label turned by winkel
// (radians), reaches across past the label's side.
double rahmenUeberstand(double mass, double winkel);

// The price size at which a label keeps to grenze (0: no limit), with the label's measures
// there: the size given where the label fits, else smaller. ausmessen(groesse) measures the
// label at a price size; its `reichweite` is how far across the label then reaches.
template <class Ausmessen>
auto einpassen(double groesse, double grenze, Ausmessen ausmessen) -> std::pair<double, decltype(ausmessen(groesse))> {
  auto m = ausmessen(groesse);
  for (int i = 0; i < 40 && grenze > 0 && m.reichweite > grenze; ++i) {
    groesse *= std::min(0.97, grenze / m.reichweite);
    m = ausmessen(groesse);
  }
  return {groesse, m};
}

// A box in a label's own frame: its offset from the label's top-left corner, its width and
// height, mm.
struct Kasten {
  double dx, dy, breite, hoehe;
};
// A line `breite` wide set centred in a box `feld` wide at dy: the part its ink may take.
Kasten zentriert(double dy, double feld, double breite, double hoehe);

// How far a label reaches above (auf) and below (ab) its top-left corner on the page.
struct Senkrecht {
  double auf = 0, ab = 0;
};
// Of boxes turned by winkel (radians) about the label's top-left corner.
Senkrecht senkrecht(double winkel, std::initializer_list<Kasten> kaesten);

// How many times a label at y reaches further than the room up to oben and down to unten
// allows; 1 or less where it fits. A limit of 0, or one with no room left, counts as none.
double senkrechtUeber(const Senkrecht& s, double y, double oben, double unten);

// The extras that do not follow the price's size (the secondary line's and the info's sizes
// and offsets), times f.
Anfang skaliert(Anfang a, double f);

// The scale, at most 1, at which the whole label keeps to [oben, unten] (0: no limit), with
// the label's measures there. ausmessen(f) measures the label with its price and extras times
// f; its `senkrecht` is how far it then reaches up and down from y.
template <class Ausmessen>
auto senkrechtEinpassen(double y, double oben, double unten, Ausmessen ausmessen)
    -> std::pair<double, decltype(ausmessen(1.0))> {
  using Mass = decltype(ausmessen(1.0));
  struct Stufe {
    Mass m;
    double reichweite;
  };
  const auto [f, s] = einpassen(1.0, 1.0, [&](double faktor) {
    Mass m = ausmessen(faktor);
    const double ueber = senkrechtUeber(m.senkrecht, y, oben, unten);
    return Stufe{std::move(m), ueber};
  });
  return {f, s.m};
}

// A label's measures where it keeps to grenze across and to [oben, unten] about y: first its
// price set smaller for the width, then, where it is still too high, the whole label.
// ausmessen(anfang, groesse) measures the label with those extras at a price size; what it
// gives has `groesse`, `reichweite` and `senkrecht`.
template <class Ausmessen>
auto labelEinpassen(const Anfang& anfang, double grenze, double y, double oben, double unten, Ausmessen ausmessen)
    -> decltype(ausmessen(anfang, 1.0)) {
  const auto breit = einpassen(anfang.groesse, grenze, [&](double groesse) { return ausmessen(anfang, groesse); }).second;
  return senkrechtEinpassen(y, oben, unten, [&](double f) {
           return f == 1 ? breit : ausmessen(skaliert(anfang, f), breit.groesse * f);
         }).second;
}

// How far the new style's frame reaches past the bands in any direction.
double rahmenAussen(double mass);

// Font "Arial" size 1, angle 0, everything else at the defaults.
void zuruecksetzen(VSPrinter& vp);

}  // namespace vovida::preis
