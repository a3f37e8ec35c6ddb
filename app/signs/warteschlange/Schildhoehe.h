// The height of a strip sign (shelf label, outdoor sign) as the user types it, and how
// many such signs fit on one page. The layouts and the editors' page finding use the
// same count, so that a chosen article shows the page it is drawn on.
#pragma once

#include <QStringView>

#include <stdexcept>

namespace vovida {

// Usable height of an A4 page between the top and the bottom margin of 15 mm.
inline constexpr int kNutzbareSeitenhoeheMm = 267;

// A height that is no number or rounds to 0 or less. Its text is the user's message.
class SchildhoeheUngueltig : public std::runtime_error {
 public:
  SchildhoeheUngueltig();
};

struct Schildhoehe {
  double mm;      // the height as typed, for the offsets of the signs on a page
  int jeSeite;    // signs per page, 1 to 255
};

// Signs per page for a height in mm: 267 div the height rounded to a whole number
// (halves to even), kept within 1 and 255. Throws SchildhoeheUngueltig when the rounded
// height is 0 or less.
int SchilderJeSeite(double hoeheMm);

// The height box's text (German number) with its signs per page. Throws
// SchildhoeheUngueltig when the text is no number or the height rounds to 0 or less.
Schildhoehe SchildhoeheLesen(QStringView text);

}  // namespace vovida
