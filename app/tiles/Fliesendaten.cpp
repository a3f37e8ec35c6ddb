#include "Fliesendaten.h"

#include <stdexcept>
#include <string>

namespace vovida {

namespace {

void pruefen(int wert, int bis, const char* was) {
  if (wert < 1 || wert > bis)
    throw std::out_of_range(std::string(was) + " " + std::to_string(wert) + " nicht in 1.." + std::to_string(bis));
}

std::size_t unterIndex(int zeile, int feld) {
  pruefen(zeile, kUnterzeilen, "Fliesenzeile");
  pruefen(feld, kUnterfelder, "Fliesenfeld");
  return static_cast<std::size_t>((zeile - 1) + kUnterzeilen * (feld - 1));
}

}  // namespace

QString& Fliesendaten::haupt(int feld) {
  pruefen(feld, kHauptfelder, "Hauptfeld");
  return haupt_[static_cast<std::size_t>(feld - 1)];
}

const QString& Fliesendaten::haupt(int feld) const {
  pruefen(feld, kHauptfelder, "Hauptfeld");
  return haupt_[static_cast<std::size_t>(feld - 1)];
}

QString& Fliesendaten::unter(int zeile, int feld) { return unter_[unterIndex(zeile, feld)]; }

const QString& Fliesendaten::unter(int zeile, int feld) const { return unter_[unterIndex(zeile, feld)]; }

int Fliesendaten::aktuelleZeile() {
  if (AktuelleZeile < 1 || AktuelleZeile > kUnterzeilen) AktuelleZeile = 1;
  return AktuelleZeile;
}

void Fliesendaten::typSetzen(const QString& typ) {
  Fliesentyp = typ;
  Lagerschild = typ != kBestellung;
}

void Fliesendaten::allesLeeren() {
  for (QString& feld : haupt_) feld.clear();
  haupt(11) = QStringLiteral("0");
  for (int zeile = 1; zeile <= kUnterzeilen; ++zeile) zeileLeeren(zeile);
}

void Fliesendaten::zeileLeeren(int zeile) {
  for (int f = 1; f < kUnterfelder; ++f) unter(zeile, f).clear();
  unter(zeile, 6) = QStringLiteral("0");
}

Fliesendaten& fliesendaten() {
  static Fliesendaten daten;
  return daten;
}

void fliesendatenZuruecksetzen() { fliesendaten() = Fliesendaten{}; }

}  // namespace vovida
