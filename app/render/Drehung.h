// Points on the page in millimetres, and turning an offset about a point: the sign
// layouts lay prices and frames out as if upright and then tilt them.
#pragma once

#include <cmath>

namespace vovida {

// Written out to the digits the layouts have always used, so that positions stay as
// they were.
inline constexpr double kPi = 3.14159265358979;

inline double gradInBogen(double grad) { return grad * kPi / 180; }

struct Punkt {
  double x = 0;
  double y = 0;
};

// p moved by (dx, dy) in a frame turned by winkel (radians, counter-clockwise on the
// page, whose y runs downwards).
inline Punkt gedreht(Punkt p, double winkel, double dx, double dy) {
  return {p.x + dx * std::cos(winkel) + dy * std::sin(winkel),
          p.y - dx * std::sin(winkel) + dy * std::cos(winkel)};
}

}  // namespace vovida
