#include "Fliesendaten.h"

#include <stdexcept>
#include <utility>
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

void Fliesendaten::zeilenTauschen(int a, int b) {
  for (int f = 1; f <= kUnterfelder; ++f) std::swap(unter(a, f), unter(b, f));
}

QString DetailZeile(const Fliesendaten& d, int zeile) {
  static const std::pair<const char*, int> teile[] = {
      {"ArtNr : ", 1}, {" Art : ", 2}, {" Bez : ", 3},  {" Tamsel : ", 9}, {" per : ", 4},  {" Best : ", 10},
      {" VKE : ", 11}, {" VPI : ", 12}, {" VRM : ", 13}, {" VPM : ", 14},   {" Info : ", 16}};
  QString zeilentext;
  for (const auto& [beschriftung, feld] : teile) zeilentext += QString::fromLatin1(beschriftung) + d.unter(zeile, feld);
  return zeilentext;
}

Fliesendaten& fliesendaten() {
  static Fliesendaten daten;
  return daten;
}

void fliesendatenZuruecksetzen() { fliesendaten() = Fliesendaten{}; }

}  // namespace vovida
