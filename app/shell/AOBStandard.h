// Input and price-text rules that every editor window shares.
#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class QLineEdit;

namespace vovida {

// Keeps the digits, the first ",", a "%" only as the last character and a "-" only as
// the first. An empty text gives "0".
QString ZahlFiltern(const QString& text);

// "" for an empty value; whole amounts as "##,###,##0.-", others as "##,###,##0.00".
// A text that is no number comes back as it is.
QString PreisFormatieren(const QVariant& wert);

// Writes the value as a price into the field, or, when its text ends in "%", as a
// percentage ("##0\%" or "##0.00\%"); the caller's value then loses the "%".
void PreisFeldFormatieren(QLineEdit& feld, QVariant& wert);

// Filters the field's text and checks it; an empty field is left as it is. With
// wertGrenzen the limits are the largest and the smallest value allowed, otherwise the
// digits allowed before and after the decimal comma. Each violation is reported in a
// message box, hands the field back to the user with its text selected and sets fehler;
// nothing here resets fehler.
void ZahlPruefen(double grenze1, double grenze2, QLineEdit& feld, bool wertGrenzen,
                 bool& fehler);

// Asks the server for the article number of a foreign EAN; "" when it has none. The
// server-access module installs it; its errors count as "not found".
using EanSuche = std::function<QString(const QString& ean)>;
void setEanSuche(EanSuche suche);

// Turns an article number or EAN typed into the field into the article number
// (std::logic_error when a look-up is needed and none is installed). False when the
// entry was reported as no article number: reading it would only report it again.
bool ArtikelNrErmitteln(QLineEdit& feld);
bool ArtikelNrErmitteln(QLineEdit& feld, const EanSuche& suche);

}  // namespace vovida
