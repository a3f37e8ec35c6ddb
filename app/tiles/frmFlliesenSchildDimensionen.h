// The dimensions window of the tile signs: the sizes of the large and the small sale sign,
// the gap between columns and the column widths of the main article and the sub-article
// table, kept company-wide in the server parameters "FSCHILD-BH", -B1, -B2 and -B3.
#pragma once

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vovida {

class frmFlliesenSchildDimensionen : public QWidget {
 public:
  static constexpr const char* kName = "frmFlliesenSchildDimensionen";
  frmFlliesenSchildDimensionen();

  QLineEdit* BGrosz;
  QLineEdit* HGrosz;
  QLineEdit* BKlein;
  QLineEdit* HKlein;
  QLineEdit* Abstand;
  QLineEdit* AbstandG;
  QLineEdit* AbstandK;
  std::array<QLineEdit*, 4> HF{};   // HF(1..4)
  std::array<QLineEdit*, 4> HGA{};
  std::array<QLineEdit*, 4> HKA{};
  std::array<QLineEdit*, 7> ZF{};   // ZF(1..7)
  std::array<QLineEdit*, 7> ZGA{};
  std::array<QLineEdit*, 7> ZKA{};
  QLabel* Hauptartikel;
  QLabel* Zusatzartikel;
  QPushButton* Speichern;
  QPushButton* ctPush1;

  // Fills the boxes from the server parameters; their change handlers fill the displays.
  void Form_Load();
  void Groesse_Change(QLineEdit& box);
  void Abstand_Change();
  void HF_Change(int index);  // 1..4
  void ZF_Change(int index);  // 1..7
  // Checks every box first and writes nothing when one fails; sums other than 100 warn
  // but are saved.
  void Speichern_Click();
  void ctPush1_Click();

 private:
  void summenZeigen();
};

}  // namespace vovida
