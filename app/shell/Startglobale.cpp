#include "Startglobale.h"

#include <utility>

namespace vovida {

namespace {

std::function<void(const QString&)>& anzeige() {
  static std::function<void(const QString&)> a;
  return a;
}

}  // namespace

Startglobale& startglobale() {
  static Startglobale g;
  return g;
}

void startglobaleZuruecksetzen() { startglobale() = Startglobale{}; }

void StartstatusZeigen(const QString& text) {
  if (anzeige()) anzeige()(text);
}

void setStartstatusAnzeige(std::function<void(const QString&)> a) { anzeige() = std::move(a); }

}  // namespace vovida
