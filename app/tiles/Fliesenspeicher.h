// The per-type memory of the tile signs in the per-user settings store: application
// "Vovida\<type>", one section per main article number as typed, and the explanation
// option of the main article.
#pragma once

#include <QString>
#include <QStringList>

namespace vovida {

struct Fliesendaten;

// "Vovida\" followed by the type.
QString FliesenAnwendung(const QString& typ);

QString FliesenLesen(const QString& typ, const QString& artNr, const QString& schluessel,
                     const QString& vorgabe = QString());
void FliesenSchreiben(const QString& typ, const QString& artNr, const QString& schluessel, const QString& wert);

// The article numbers with a memory for the type, in stored order, as typed.
QStringList FliesenArtikel(const QString& typ);
// Deletes the article's memory for the type with all its values; false when there was none.
bool FliesenArtikelLoeschen(const QString& typ, const QString& artNr);

// Row i in the stored full form: fields 1, 2, 3, 9, 4, 10, 11, 12, 13, 14, 16 joined by "|".
QString PosText(const Fliesendaten& d, int zeile);
// "Pos" and the row number.
QString PosSchluessel(int zeile);

// Writes the memory of the article from the records: the main keys and the full Pos form
// when the sign is an order sign or automatic data is off (the order keys for an order
// sign only); with automatic data on then "Default" and the sub-article numbers alone.
void FliesenSpeichern(const Fliesendaten& d, const QString& artNr);

// "Vovida"/"Einstellungen"/"Erklärung Hauptartikel Anzeigen", default "1".
bool HauptErklaerungLesen();
void HauptErklaerungSchreiben(bool anzeigen);

}  // namespace vovida
