// The promotion list of the sign kind "AKTION": every promotion of the firm with its
// days; OK opens the article list of the selected one.
#pragma once

#include "Fensterliste.h"

#include <QWidget>

class QPushButton;

namespace kesto::activex {
class ColumnList;
}

namespace vovida {

class frmAktionsauswahl : public QWidget {
 public:
  static constexpr const char* kName = "frmAktionsauswahl";
  frmAktionsauswahl();
  ~frmAktionsauswahl() override;

  kesto::activex::ColumnList* lst_AKZ;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  void Form_Load() {}
  // Each time the window becomes active: the list filled anew from the server.
  void Form_Activate();
  // The selected promotion's articles in frmArtikelauswahl; without a selection nothing.
  void OKButton_Click();
  void CancelButton_Click();

 protected:
  bool event(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  bool fehlgeschlagen_ = false;
};

}  // namespace vovida
