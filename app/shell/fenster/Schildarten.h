// The sign kinds of the main window: the fixed facts of each code, and one table of the
// services (editor, layout entry) that the sign modules fill in for their codes.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <functional>

namespace vovida {

struct Schildart {
  const char* code;
  const char* option;       // objectName of the option button
  const char* beschriftung;
  int menueFeld;            // field of parameter "MENUE"
  int papier;               // paper-size code, 0 = none
  const char* drucker;      // printer key, "" = none
};

inline constexpr std::array<Schildart, 12> kSchildarten{{
    {"A4N", "OPlakatA4N", "Vovida A4 (Normalpapier)", 1, 9, "PRTPLA4N"},
    {"A3N", "OPlakatA3N", "Vovida A3 (Normalpapier)", 2, 8, "PRTPLA3N"},
    {"A4F", "OPlakatA4F", "Vovida A4 (Firmenpapier)", 3, 9, "PRTPLA4F"},
    {"A3F", "OPlakatA3F", "Vovida A3 (Firmenpapier)", 4, 8, "PRTPLA3F"},
    {"A7", "OFliesnBeschriftung", "Fliesenbeschriftung", 5, 9, "PRTFLBESCH"},
    {"FVK", "OFliesenVerkauf", "Fliesenverkaufsschild", 6, 9, "PRTFLSCH"},
    {"SCHILD", "ORegalschild", "Regalschild", 7, 9, "PRTREGAL"},
    {"PERS", "OPersonalSchild", "Personalschild", 8, 9, "PRTPERSON"},
    {"AKTION", "OAktion", "Aktionsartikel", 9, 0, ""},
    {"EIGENBAU", "OEigenbau", "Eigenbau", 10, 9, "PRTPLA4N"},
    {"AUSFOLGESCHEIN", "OAusfolgeschein", "Ausfolgeschein", 11, 9, "PRTPLA4N"},
    {"FRSCHILD", "OFreigeländeschild", "Freigeländeschild", 12, 9, "PRTREGAL"},
}};

// The kind of a code (compared exactly), or nullptr.
const Schildart* SchildartZu(QStringView code);

// What a sign module offers the main window for one code. Every part may be empty.
struct SchildartDienste {
  std::function<void()> vorAuswahl;    // before paper and printer are set (badge start cell)
  std::function<void()> nachAuswahl;   // after them (tile labelling switch)
  std::function<void()> editorZeigen;  // CBDaten: the editor window of the code
  std::function<void()> zeichnen;      // the layout entry: the whole preview document
  std::function<void()> blattAnzeigen; // after a redraw: the page of the editor's article
};

void SchildartEintragen(const QString& code, SchildartDienste dienste);
// The services of a code, or nullptr when no module filled them in.
const SchildartDienste* SchildartDiensteZu(const QString& code);
void SchildartenLeeren();  // tests

}  // namespace vovida
