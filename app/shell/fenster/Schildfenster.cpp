#include "Schildfenster.h"

#include <map>
#include <utility>

namespace vovida {

namespace {

std::map<QString, Schildfenster>& tabelle() {
  static std::map<QString, Schildfenster> t;
  return t;
}

EigenbauDruckauswahl& druckauswahl() {
  static EigenbauDruckauswahl a;
  return a;
}

}  // namespace

void SchildfensterEintragen(const QString& code, Schildfenster fenster) { tabelle()[code] = std::move(fenster); }

const Schildfenster* SchildfensterZu(const QString& code) {
  const auto it = tabelle().find(code);
  return it == tabelle().end() ? nullptr : &it->second;
}

void setEigenbauDruckauswahl(EigenbauDruckauswahl auswahl) { druckauswahl() = std::move(auswahl); }

std::vector<bool> EigenbauDruckzeilen() { return druckauswahl() ? druckauswahl()() : std::vector<bool>{}; }

void SchildfensterLeeren() {
  tabelle().clear();
  druckauswahl() = nullptr;
}

}  // namespace vovida
