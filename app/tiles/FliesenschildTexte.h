// The texts a tile sign computes: the packaging explanation of an article and the price
// in the second currency.
#pragma once

#include <QString>

namespace vovida {

// "15 ST entspricht 1,5 QM die Verpackung zu 10 ST entspricht 15 QM." and its short form;
// empty when VRM and VPM are equal numbers, and when one of VPI, VRM, VPM is no number
// (empty packaging fields are common and must not cost the whole sign).
QString Verpackungserklaerung(const QString& vke, const QString& vpi, const QString& vrm,
                              const QString& vpm, const QString& per);

// A price with its currency mark and its counterpart in the other currency.
struct Fliesenpreis {
  QString preis, zeichen, zweitpreis, zweitzeichen;
};

// What the price window and the program say about currencies.
struct Waehrungen {
  QString ETHW;    // currency printed as the main price
  QString Faktor;  // conversion factor, decimal comma
  QString HW, NW;  // main and second currency marks
  bool zweiPreise = false;
};

// With ETHW "EUR" the price is marked NW and converted by x Faktor into HW, otherwise it
// is marked HW and converted by / Faktor into NW; rounded to cents and formatted. Without
// two prices, or when price or factor is no number, the second price is "   " without a
// mark.
Fliesenpreis FliesenpreisBerechnen(const QString& preis, const Waehrungen& w);

}  // namespace vovida
