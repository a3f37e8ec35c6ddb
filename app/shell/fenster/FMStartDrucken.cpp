// Printing from the main window, and the rules of its copies box.
#include "AOBStandard.h"
#include "FMStart.h"
#include "KestoapiHilfen.h"
#include "NumberText.h"
#include "Schildfenster.h"
#include "Startglobale.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <services/MessageBox.h>

#include <algorithm>
#include <array>
#include <vector>

namespace vovida {

namespace {

constexpr int kKopienHoechstens = 99;
constexpr int kKopienWenigstens = 1;

bool istPlakat(const QString& code) {
  constexpr std::array<const char*, 4> plakate{"A3F", "A3N", "A4F", "A4N"};
  return std::any_of(plakate.begin(), plakate.end(), [&](const char* p) { return code == QLatin1String(p); });
}

// The entries of the poster queue, i.e. of frmPlakat's article list.
qsizetype plakatArtikel(const QString& code) {
  const Schildfenster* fenster = SchildfensterZu(code);
  return fenster && fenster->ArtNr ? fenster->ArtNr().size() : 0;
}

// The copies box read as Val reads it, as a whole number.
int kopien(const QLineEdit& feld) {
  const double wert = rundenGerade(Val(feld.text()));
  return static_cast<int>(std::clamp(wert, -1.0, kKopienHoechstens + 1.0));
}

}  // namespace

void FMStart::Druckanzahl_Change() {
  // The checks rewrite the text; that change must not check and report a second time.
  const QSignalBlocker sperre(Druckanzahl);
  bool fehler = false;
  ZahlPruefen(kKopienHoechstens, kKopienWenigstens, *Druckanzahl, true, fehler);
  ZahlPruefen(2, 0, *Druckanzahl, false, fehler);
}

void FMStart::Druckanzahl_Click() { TextMarkieren(*Druckanzahl); }

// Copies outside 1 to 99 are refused before the print dialog, so that a confirmed dialog
// never prints nothing or a hundred copies.
bool FMStart::kopienPruefen() {
  const QSignalBlocker sperre(Druckanzahl);
  bool fehler = false;
  ZahlPruefen(kKopienHoechstens, kKopienWenigstens, *Druckanzahl, true, fehler);
  if (fehler) return false;
  const int n = kopien(*Druckanzahl);
  if (n >= kKopienWenigstens && n <= kKopienHoechstens) return true;
  // A text without any number ("-", ","), which the range check passes over.
  kesto::services::messageBox("Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : 1",
                              "Fehler Wertgrenzen Überschritten!", MB_OK);
  TextMarkieren(*Druckanzahl);
  return false;
}

namespace {

// No page, or only pages without anything drawn on them.
bool vorschauLeer(const kesto::activex::VSPrinter& vorschau) {
  const auto seiten = vorschau.pages();
  return std::all_of(seiten.begin(), seiten.end(), [](const kesto::activex::Page& p) { return p.ops.empty(); });
}

}  // namespace

void FMStart::Drucken_Click() {
  if (!kopienPruefen()) return;
  // What goes to the printer is the sheet of the current kind and data.
  if (!vorschauAktuell_) Aktualisieren_Click();
  if (!vorschauAktuell_) {
    kesto::services::messageBox("Die Vorschau ist unvollständig und wird nicht gedruckt.\r\n"
                                "Bitte aktualisieren Sie die Vorschau und drucken Sie erneut.",
                                "Druckinformation", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A confirmed print dialog must not end in a job without a page.
  if (vorschauLeer(VSPrinter1)) {
    kesto::services::messageBox("Die Vorschau ist leer. Es gibt nichts zu drucken!", "Druckinformation",
                                MB_OK | MB_ICONINFORMATION);
    return;
  }
  const QString code = startglobale().Plakatart;
  const bool eigenbau = code == u"EIGENBAU";
  std::vector<bool> zeilen;
  if (istPlakat(code) && plakatArtikel(code) > 1) {
    kesto::services::messageBox("Sie haben mehrere Artikel eingegeben diese werden nun gemeinsam ausgedruckt!",
                                "Druckinformation", MB_OK | MB_ICONINFORMATION);
  } else if (eigenbau) {
    zeilen = EigenbauDruckzeilen();
  }
  if (!VSPrinter1.ShowPrintDialog()) return;
  // Every copy of every chosen page goes into one job: a file printer written once per
  // job would otherwise keep only the last one.
  std::vector<int> seiten;
  const int n = kopien(*Druckanzahl);
  for (int kopie = 1; kopie <= n; ++kopie) {
    if (!eigenbau) {
      for (int seite = 1; seite <= VSPrinter1.PageCount(); ++seite) seiten.push_back(seite);
      continue;
    }
    // Page r + 1 of the free design is the sign of row r.
    for (std::size_t r = 0; r < zeilen.size(); ++r)
      if (zeilen[r]) seiten.push_back(static_cast<int>(r) + 1);
  }
  VSPrinter1.PrintPages(seiten);
}

}  // namespace vovida
