#include "LesbareFarbe.h"

#include <algorithm>
#include <cmath>

namespace vovida {

namespace {

using kesto::activex::Colour;

constexpr Colour kWeiss = 0xFFFFFF, kSchwarz = 0;
constexpr double kMindestkontrast = 3;

double kanal(std::uint8_t c) {
  const double v = c / 255.0;
  return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double leuchtdichte(Colour c) {
  const kesto::activex::Rgb rgb = kesto::activex::resolveColour(c);
  return 0.2126 * kanal(rgb.r) + 0.7152 * kanal(rgb.g) + 0.0722 * kanal(rgb.b);
}

double kontrast(Colour a, Colour b) {
  const double la = leuchtdichte(a), lb = leuchtdichte(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

Colour LesbareFarbe(Colour text, Colour hintergrund) {
  if (kontrast(text, hintergrund) >= kMindestkontrast) return text;
  return kontrast(kWeiss, hintergrund) >= kontrast(kSchwarz, hintergrund) ? kWeiss : kSchwarz;
}

}  // namespace vovida
