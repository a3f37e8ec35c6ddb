// The login window "Ferrix Benutzeranmeldung": user code and password; also the way to
// change the user while the program runs.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vovida {

class FMPass : public QDialog {
 public:
  static constexpr const char* kName = "FMPass";
  FMPass();

  QLineEdit* BUSER;
  QLineEdit* BPASSWORT;
  QPushButton* BUSpeich;
  QPushButton* BUAusst;
  QPushButton* BUServer;

  void BUSpeich_Click();
  [[noreturn]] void BUAusst_Click();
  void BUServer_Click();
  // Writes the login settings from the boxes of this window and of FMServer.
  void Sichern();

  // Closing the window (its close box, Alt+F4, Escape) is "Abbruch": there is no login to
  // go on with.
  void reject() override;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void showEvent(QShowEvent* ereignis) override;
  void focusInEvent(QFocusEvent* ereignis) override;
};

}  // namespace vovida
