#include "Preisplatz.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vovida {

namespace {

constexpr double kAbstand = 0.5;  // mm kept clear of a text

bool frei(double q, double x, double y, double breite, double steigung, const Hindernis& h) {
  const double links = x + (breite - q) / 2, rechts = links + q;
  if (rechts <= h.links - kAbstand || links >= h.rechts + kAbstand) return true;
  if (h.unten > y - kAbstand) return false;  // beside the label's body
  // The top edge is highest where the label runs under the obstacle's right end.
  const double bis = std::min(h.rechts, rechts);
  return y - (bis - links) * steigung >= h.unten + kAbstand;
}

}  // namespace

double Preisplatz(double x, double y, double breite, double winkel, std::span<const Hindernis> hindernisse) {
  const double steigung = std::tan(winkel * std::numbers::pi / 180);
  const auto passt = [&](double q) {
    return std::all_of(hindernisse.begin(), hindernisse.end(),
                       [&](const Hindernis& h) { return frei(q, x, y, breite, steigung, h); });
  };
  if (passt(breite)) return breite;
  double lo = 0, hi = breite;
  while (hi - lo > 0.05) {
    const double mitte = (lo + hi) / 2;
    (passt(mitte) ? lo : hi) = mitte;
  }
  return std::max(1.0, lo);
}

}  // namespace vovida
