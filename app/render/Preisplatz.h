// Room for a turned price label among texts already on the sign.
#pragma once

#include <span>

namespace vovida {

// A text's rectangle on the page, mm.
struct Hindernis {
  double links, oben, rechts, unten;
};

// The most a price label may extend across when it is centred in [x, x + breite], has its
// top-left corner at height y and is turned by winkel degrees (its top edge rising to the
// right): its top edge stays below every obstacle above y that it runs under, and it ends
// before (or starts after) every obstacle beside it. At least 1 mm, at most breite.
double Preisplatz(double x, double y, double breite, double winkel, std::span<const Hindernis> hindernisse);

}  // namespace vovida
