// The outdoor-area signs (sign kind "FRSCHILD"): signs of one size stacked from the top
// of A4 pages, each with its price and, in the new style, the arrow of the editor's
// direction beside the price.
#pragma once

#include <QString>

namespace vovida {

// The page geometry of one size: the left edge of every sign (mm, halves to the even
// neighbour) and how many signs a page holds. A height below FrSchildMindesthoehe gives
// signs of that height. Raises SchildhoeheUngueltig for a height
// that is no number or rounds to 0 or less, and std::runtime_error for a width that is
// no number.
struct FrSchildSeite {
  double breite = 0;
  double hoehe = 0;
  double x0 = 0;
  int jeSeite = 1;
};
FrSchildSeite FrSchildSeiteBerechnen(const QString& breite, const QString& hoehe);

// The lowest sign that holds its lines (creator, three descriptions, base price, footer) in
// the fonts of the font table, mm, whole.
double FrSchildMindesthoehe();

class frmFrSchild;
struct Schildtexte;

// What sign i prints: with fewer than two listed articles the editor's boxes as they
// stand, else the queue entry of list item i.
Schildtexte FrSchildTexte(const frmFrSchild& editor, int i);

// The layout entry: draws the whole preview document on the main window's preview.
void FrSchildZeichnen();

// Registers the editor and the layout for the sign kind "FRSCHILD".
void FrSchildEinrichten();

}  // namespace vovida
