// The tile-sign records: the main record of the tile article, the sub-article table and the
// values that steer them. The editor fills them, the layout reads them; they live as long
// as the program and survive closing the editor.
#pragma once

#include <QString>

#include <array>

namespace vovida {

inline constexpr int kHauptfelder = 18;    // main record fields 1..18
inline constexpr int kUnterzeilen = 11;    // sub-article rows 1..11
inline constexpr int kUnterfelder = 16;    // fields 1..16 of a row

// Tile-sign types (the sign type menu sets them together with Plakatart "FVK"/"A7").
inline const QString kWandfliese = QStringLiteral("Wandfliese");
inline const QString kBodenfliese = QStringLiteral("Bodenfliese");
inline const QString kKuechenfliese = QStringLiteral("Küchenfliese");
inline const QString kBestellung = QStringLiteral("Bestellung");
inline const QString kBeschriftung = QStringLiteral("Beschriftung");

struct Fliesendaten {
  // One of the five type texts; "Bestellung" makes an order sign.
  QString Fliesentyp = kWandfliese;
  // True exactly when the type is not "Bestellung"; set together with the type.
  bool Lagerschild = true;
  // Tile data and sub-articles come from the server (parameter PLAKAT/FLIESEN = "A").
  bool Automatik = false;
  // The row the editor's sub-article fields edit; see aktuelleZeile().
  int AktuelleZeile = 1;

  // Main record field 1..18; out of range throws std::out_of_range.
  QString& haupt(int feld);
  const QString& haupt(int feld) const;
  // Sub-article table, row 1..11, field 1..16; out of range throws std::out_of_range.
  QString& unter(int zeile, int feld);
  const QString& unter(int zeile, int feld) const;
  // The raw column-major block: element (zeile - 1) + 11 * (feld - 1).
  const std::array<QString, kUnterzeilen * kUnterfelder>& unterBlock() const { return unter_; }

  // Brings the current row into 1..11 (outside gives 1) and returns it.
  int aktuelleZeile();
  // A row is empty when its sub-article number (field 1) is empty.
  bool zeileLeer(int zeile) const { return unter(zeile, 1).isEmpty(); }

  // Sets the type and the stock flag with it.
  void typSetzen(const QString& typ);
  bool istBestellung() const { return Fliesentyp == kBestellung; }

  // The editor's clear-all: main fields empty and field 11 "0"; every row cleared.
  void allesLeeren();
  // Clears a row: fields 1 to 15 empty and the price (field 6) "0"; the explanation flag
  // (field 16) stays.
  void zeileLeeren(int zeile);
  // Exchanges two rows with all their fields.
  void zeilenTauschen(int a, int b);

 private:
  std::array<QString, kHauptfelder> haupt_;
  std::array<QString, kUnterzeilen * kUnterfelder> unter_;
};

// The editor's line for a row: "ArtNr : " field 1, " Art : " field 2, ... " Info : " field 16.
QString DetailZeile(const Fliesendaten& d, int zeile);

// The program-wide records.
Fliesendaten& fliesendaten();
// Back to the start state (type "Wandfliese", everything empty); for tests.
void fliesendatenZuruecksetzen();

}  // namespace vovida
