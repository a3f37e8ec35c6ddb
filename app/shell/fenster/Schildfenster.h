// What the sign editor windows offer the page navigation and printing of the main
// window: their article list, one entry per page in page order, and the choice of the
// article of a page. The sign modules fill it in per code.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vovida {

struct Schildfenster {
  std::function<QStringList()> ArtNr;                  // the entries; loads the window when needed
  std::function<void(const QString&)> artikelZeigen;   // sets the ArtNr text, then reloads the window
};

void SchildfensterEintragen(const QString& code, Schildfenster fenster);
// The window services of a code, or nullptr when no module filled them in.
const Schildfenster* SchildfensterZu(const QString& code);

// The free design's print choice: shows frmEigenbauDruckartikel modally over the main
// window and gives the tick of each row of its list, row 0 first.
using EigenbauDruckauswahl = std::function<std::vector<bool>()>;
void setEigenbauDruckauswahl(EigenbauDruckauswahl auswahl);
// The rows to print; none when no module installed the choice.
std::vector<bool> EigenbauDruckzeilen();

void SchildfensterLeeren();  // tests

}  // namespace vovida
