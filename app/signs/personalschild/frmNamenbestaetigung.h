// The confirmation dialog of one staff name: the badge editor's row it is told, edited
// and written back by OK, left alone by Abbrechen.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace vovida {

class frmNamenbestaetigung : public QWidget {
 public:
  static constexpr const char* kName = "frmNamenbestaetigung";

  frmNamenbestaetigung();

  QLineEdit* Namen;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  void Form_Load() {}
  // Shows the text of the editor's row modally, owned by the editor. The row is the
  // dialog's own, so that nothing run meanwhile can change where OK writes.
  void Bestaetigen(int zeile);
  int Zeile() const { return zeile_; }

  void OKButton_Click();
  void CancelButton_Click();

 private:
  int zeile_ = -1;
};

}  // namespace vovida
