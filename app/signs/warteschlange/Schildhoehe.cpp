#include "Schildhoehe.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace vovida {

SchildhoeheUngueltig::SchildhoeheUngueltig() : std::runtime_error("Ungültige Schildhöhe") {}

int SchilderJeSeite(double hoeheMm) {
  if (!std::isfinite(hoeheMm)) throw SchildhoeheUngueltig();
  const double gerundet = rundenGerade(hoeheMm);
  if (gerundet <= 0) throw SchildhoeheUngueltig();
  // A height above the page still gets a page of its own; the byte count caps at 255.
  if (gerundet > kNutzbareSeitenhoeheMm) return 1;
  return std::clamp(kNutzbareSeitenhoeheMm / static_cast<int>(gerundet), 1, 255);
}

Schildhoehe SchildhoeheLesen(QStringView text) {
  const std::optional<double> wert = zahlAusText(text);
  if (!wert) throw SchildhoeheUngueltig();
  return {*wert, SchilderJeSeite(*wert)};
}

}  // namespace vovida
