// Services the sign editors share: loading an article into the article record, the
// preview countdown after each edit, and turning points about an origin.
#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace vovida {

// Positions 0 to 13 of the article record (descriptions, prices, units, EAN, status).
inline constexpr int kArtikelDatenGroesse = 14;

// Loads the article into positions 0 to 13; "0" or "" leaves the record untouched. The
// last position reads "Ok" or "Fehler". A record with fewer than 14 positions throws
// std::out_of_range.
void ArtikelLesen(const QString& artikelNr, QVector<QVariant>& ArtikelDaten);

// Stops the main window's refresh countdown and starts it again when automatic refresh
// is ticked; until the next redraw the preview counts as not current.
void VorschauTimerNeustart();

double RotiertX(double ursprung, double winkel, double dx = 0, double dy = 0);
double RotiertY(double ursprung, double winkel, double dx = 0, double dy = 0);

}  // namespace vovida
