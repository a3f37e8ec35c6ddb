// The sign queue: one settings-store section per queued article number under the
// application "Vovida\Vovida", shared by the queue editors (poster, shelf label, outdoor
// sign) and read by their layouts. Keys that are missing read as "".
#pragma once

#include <QString>
#include <QStringList>

namespace vovida {

inline constexpr const char* kWarteschlangeAnwendung = "Vovida\\Vovida";

// The section's keys, in the order the queue editors write them.
inline constexpr const char* kBezeichnung1 = "Bezeichnung1";
inline constexpr const char* kBezeichnung2 = "Bezeichnung2";
inline constexpr const char* kBezeichnung3 = "Bezeichnung3";
inline constexpr const char* kGrundpreis = "Grundpreis";
inline constexpr const char* kPreis = "Preis";
inline constexpr const char* kUeberschrift = "Ueberschrift";
inline constexpr const char* kPer = "Per";
inline constexpr const char* kInfo = "Info";

// The section name of an article number: "\" would nest keys and "%" escapes it, so both
// are written as %5C and %25; the name reads back as typed.
QString Abschnittsname(const QString& artNr);

QString WarteschlangeLesen(const QString& artNr, const char* schluessel);
void WarteschlangeSchreiben(const QString& artNr, const char* schluessel, const QString& wert);

// Deletes, through the registry class, every section of the queue except those of the
// article numbers given (compared without regard to case), from the last to the first.
// With nothing to keep the whole queue key goes at once, as one subtree. Raises what the
// registry raises; sections not reached stay.
void WarteschlangeLeeren(const QStringList& behalten = {});

// The texts of one sign, as a queue editor's fields hold them or a queue entry stores them.
struct Schildtexte {
  QString artNr, bez1, bez2, bez3, grundpreis, preisATS, preisEUR, ueberschrift, per, info;
};

// The entry of the article number, for the layouts. Its stored price is the main
// currency's (Preisinfo's WWSHW), formatted, and the other price follows through the
// conversion factor, rounded to cents. A price that is no number (a percentage among
// them) is printed as stored with the other empty, as is the other without a usable
// factor.
Schildtexte SchildtexteLesen(const QString& artNr);

// The prices a layout prints: the one of Preisinfo's ETHW first with its mark, the other
// second. Without two prices the first gets the second currency's mark and the second
// is three blanks without a mark.
struct Schildpreise {
  QString preis, zeichen, zweiter, zweitesZeichen;
};
Schildpreise SchildpreiseWaehlen(const Schildtexte& texte, bool zweiPreise);

// The section names in the store, as the registry lists them (escaped).
QStringList WarteschlangeAbschnitte();

}  // namespace vovida
