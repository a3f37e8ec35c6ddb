// "Windows Drucker Festlegen": the printer of each group of sign kinds for this
// workstation. The server's "PLAKAT" parameters are the company-wide defaults; what is
// saved here (settings "Vovida"/"Drucker") overrides them, an empty name included.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace vovida {

// A printer key: its text box, the key (settings value and server parameter alike) and
// the label beside the box.
struct Druckerschluessel {
  const char* feld;
  const char* schluessel;
  const char* beschriftung;
};

// In the order the window reads and writes them.
inline constexpr std::array<Druckerschluessel, 9> kDruckerschluessel{{
    {"prtFLBesch", "PRTFLBESCH", "Fliesenbschriftung"},
    {"prtFlsch", "PRTFLSCH", "Fliesenschild"},
    {"prtGartens", "PRTGARTENS", "Gartenschild"},
    {"prtPerson", "PRTPERSON", "Personalschild"},
    {"prtPlA3F", "PRTPLA3F", "A3 Firmenpapier"},
    {"prtPlA3N", "PRTPLA3N", "A3 Normalpapier"},
    {"prtPlA4F", "PRTPLA4F", "A4 Firmenpapier"},
    {"prtPlA4N", "PRTPLA4N", "A4 Normalpapier"},
    {"prtRegal", "PRTREGAL", "Regalschild"},
}};

class frmDruckerfestlegung : public QWidget {
 public:
  static constexpr const char* kName = "frmDruckerfestlegung";
  frmDruckerfestlegung();

  // The text box of a key of kDruckerschluessel.
  QLineEdit* Feld(const char* schluessel) const;

  QPushButton* Uebernehmen;
  QPushButton* ctPush1;

  // Each box gets the workstation's name, or the server parameter when it has none.
  void Form_Load();
  // Saves all nine names and unloads the window.
  void Uebernehmen_Click();
  // Unloads the window; nothing is saved.
  void ctPush1_Click();

 protected:
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  std::array<QLineEdit*, kDruckerschluessel.size()> felder_{};
};

// The menu command: loads the window (afresh unless it is still open) and shows it, not
// modal, in front of its owner.
void DruckerfestlegungZeigen(QWidget* besitzer);

}  // namespace vovida
