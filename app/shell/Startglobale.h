// Globals that the start-up of the main window fills once and that the layout routines
// and sign layouts read; texts empty and flags false until then.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace vovida {

struct Startglobale {
  QString Plakatart;
  std::uint8_t SchriftNrVon = 0;
  std::uint8_t SchriftNrBis = 0;
  QString WaehrungszeichenHW;
  QString WaehrungszeichenNW;
  QString FontHW;
  QString FontNW;
  QString FontPKZHW;
  QString FontPER;
  QString FontINFO;
  bool NeuerStil = false;
};

Startglobale& startglobale();
void startglobaleZuruecksetzen();

// Panel 1 of the start-up window's status bar; the window installs the display while it
// exists, and without one the text goes nowhere.
void StartstatusZeigen(const QString& text);
void setStartstatusAnzeige(std::function<void(const QString&)> anzeige);

}  // namespace vovida
