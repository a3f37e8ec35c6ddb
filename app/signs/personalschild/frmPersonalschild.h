// The staff-badge editor: a department's staff names from the server, the names to print
// marked, each confirmable in a small dialog, the badge count and the badge size. The
// badge layout reads the window's controls; nothing is kept in the settings store.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kesto::activex {
class ColumnList;
}

namespace vovida {

// Name case: the first character and every one after a blank upper-cased, all others
// lower-cased ("MAIER-HUBER ANNA" gives "Maier-huber Anna").
QString Namensschreibweise(const QString& text);

class frmPersonalschild : public QWidget {
 public:
  static constexpr const char* kName = "frmPersonalschild";

  frmPersonalschild();
  ~frmPersonalschild() override;

  QComboBox* Abteilung;
  QPushButton* Personalberechnung;
  kesto::activex::ColumnList* Namen;
  QLineEdit* Etikettenanzahl;
  QLineEdit* B;
  QLineEdit* H;
  QPushButton* Save;

  // Departments from the server, the badge size of "PSCHILD-BH", the company logo. A
  // logo that cannot be loaded does not stop the window from opening.
  void Form_Load();
  // The staff of the chosen department (all for the empty item), in name case.
  void Personalberechnung_Click();
  // Each marked row in turn in the confirmation dialog, which is told its row.
  void Namen_Edit();
  void B_Change();
  void H_Change();
  void Etikettenanzahl_Change();
  // Writes B@H as "PSCHILD-BH" for every user of the firm, without asking.
  void Save_Click();
};

}  // namespace vovida
