// The server-settings window "Ferrix Server": company, branch, address, port and namespace
// of the login settings, locked until the user allows changes; its timer Lock drops the
// server connection 30 s after the last server operation.
#pragma once

#include "Zeitgeber.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vovida {

class FMServer : public QDialog {
 public:
  static constexpr const char* kName = "FMServer";
  FMServer();

  QLineEdit* BNAMESPACE;
  QLineEdit* BFIRMA;
  QLineEdit* BFIL;
  QLineEdit* BSERVERIP;
  QLineEdit* BPORT;
  QPushButton* BUEdit;  // checked = changes allowed
  QPushButton* BUZurueck;
  Zeitgeber Lock;

  void BUEdit_Click();
  void BUZurueck_Click();

 private:
  void felderFreigeben(bool an);
};

}  // namespace vovida
