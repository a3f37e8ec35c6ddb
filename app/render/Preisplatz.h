// Room for a turned price label among texts already on the sign.
#pragma once

#include "Drehung.h"
#include "PreisDrucken.h"

#include <QString>

#include <activex/Page.h>
#include <activex/VSPrinter.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace vovida {

// A text's rectangle on the page, mm.
struct Hindernis {
  double links, oben, rechts, unten;
  bool operator==(const Hindernis&) const = default;
};

// The most a price label may extend across when it is centred in [x, x + breite], has its
// top-left corner at height y and is turned by winkel degrees (its top edge rising to the
// right): its top edge stays below every obstacle above y that it runs under, and it ends
// before (or starts after) every obstacle beside it. At least 1 mm, at most breite.
double Preisplatz(double x, double y, double breite, double winkel, std::span<const Hindernis> hindernisse);

// Where SchriftTextDrucken sets the text with these values: its lines as the control fits
// them into the box. Sets the slot's font on the control.
Hindernis Textflaeche(const QString& text, double x, double y, double breite, double hoehe, std::int16_t slot,
                      const QString& schriftname, std::int32_t ausrichtung, kesto::activex::VSPrinter& vp);

// The corners of the convex hull around what the ops draw (text boxes, lines, arcs,
// rectangles, ellipses, polygons), mm; empty when they draw nothing.
std::vector<Punkt> Zeichnungsumriss(std::span<const kesto::activex::DrawOp> ops);

struct Verschiebung {
  double dx = 0, dy = 0;  // mm
  int verdeckt = 0;       // obstacles the outline still covers there
};

// The shortest move, in steps of schritt mm, that brings the outline inside `bereich`
// clear of every obstacle (by half a millimetre); no move where it is clear already. Where
// no place is clear, the nearest of those covering the fewest obstacles. Nothing when the
// outline is larger than `bereich`.
inline constexpr double kSuchschritt = 0.5;  // mm
std::optional<Verschiebung> Ausweichen(std::span<const Punkt> umriss, const Hindernis& bereich,
                                       std::span<const Hindernis> hindernisse, double schritt = kSuchschritt);

// Draws a price label with its anchor (the x and y the price routines take) at (x, y).
using Preisdruck = std::function<PreisAusmass(VSPrinter& vp, double x, double y, const PreisOptionen& optionen)>;

// Texts covered by a label that finds no place inside its area at any size.
inline constexpr int kKeinPlatz = std::numeric_limits<int>::max();

struct Preislage {
  double dx = 0, dy = 0;   // the anchor's move
  PreisOptionen optionen;  // hoechstquer set where the label is set smaller
  int verdeckt = 0;        // texts it still covers; kKeinPlatz: it stays at the anchor
};

// The smallest part of its extent across a label is set down to where it finds no room.
inline constexpr double kKleinsterPreis = 0.6;

// Where a price label covers none of the obstacles, inside `bereich` (both relative to the
// anchor): no move where that is clear, else the nearest clear place at its full size. Only
// where none is clear is it set smaller, as little as finds room, down to kKleinsterPreis;
// where none is clear even then, it goes where it covers the fewest. The label is drawn on
// a control of its own to learn its outline.
Preislage PreislageSuchen(const Preisdruck& drucken, const Hindernis& bereich, std::span<const Hindernis> hindernisse);

}  // namespace vovida
