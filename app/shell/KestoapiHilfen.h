// Helpers of the server-access module that work without the server itself: unit names,
// server dates, the EAN check digit, selecting a field's text and the busy wait.
#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace vovida {

// Looks a unit code up on the server and reports its own errors; gives "" when the code
// has no name. The server-access module installs it.
using EinheitSuche = std::function<QString(const QString& code)>;
void setEinheitSuche(EinheitSuche suche);

// The display text of a unit: the fixed codes directly, any other through the look-up
// (std::logic_error when none is installed).
QString EinheitText(const QString& code);
QString EinheitText(const QString& code, const EinheitSuche& suche);

// A server date number (year - 1900, month and day as yyymmdd). No date for a text that
// is not a number or names no real day.
std::optional<QDate> ServerDatumWandeln(const QString& zahl);

// The digits with their EAN check digit appended, or the check digit alone. A character
// other than a digit raises the conversion error.
QString EANPruefziffer(const QString& ziffern, bool nurPruefziffer);

// Selects the whole text of the field and gives it the focus unless told not to.
void TextMarkieren(QLineEdit& feld, bool ohneFokus = false);

// Waits hundertstel hundredths of a second on the timer service's clock, letting window
// events run meanwhile; gives the whole seconds that passed.
long Warten(long hundertstel);

}  // namespace vovida
