// The price posters ("A4N", "A3N", "A4F", "A3F"): one preview page per article of the
// poster editor's list, drawn on the main window's preview.
#pragma once

#include <QString>

#include <activex/VSPrinter.h>

namespace vovida {

// The page of a poster kind: size in mm, scale against A4, the font-slot offset, and
// whether the plain-paper frame, pictures and headline are drawn.
struct Plakatseite {
  double breite = 210;
  double hoehe = 297;
  double massstab = 1;
  int versatz = 0;
  bool normalpapier = true;
};
// The page of the code; A4 plain paper for a code that is no poster kind.
Plakatseite PlakatseiteZu(const QString& code);

// The layout entry: draws the whole poster document on the main window's preview.
void PlakatZeichnen();

// Frame, header picture, company logo and headline of the plain-paper posters.
void PlakatBildZeichnen(kesto::activex::VSPrinter& vp, double breite, int versatz, double massstab,
                        const QString& ueberschrift);

// Registers the poster editor and layout for the four poster kinds.
void PlakatEinrichten();

}  // namespace vovida
