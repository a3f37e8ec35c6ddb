// The information window of the help menu: title, version, description, two links and a
// button that starts the system-information program named in the registry.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include <registry/WinReg.h>

class QLabel;
class QPushButton;

namespace vovida {

// The program's version as the window shows it: major.minor.revision.
struct Programmversion {
  int Major = 1;
  int Minor = 0;
  int Revision = 0;
};
Programmversion& programmversion();
QString VersionText(const Programmversion& version);

// Starts a program with a normal window; false when it could not be started. The default
// starts it detached; tests install a recorder.
using Programmstarter = std::function<bool(const QString& programm)>;
void setProgrammstarter(Programmstarter starter);  // nullptr: the default

// The value of the registry key as text: strings as stored, 32-bit numbers as decimals,
// other types leave wert as it was. False when the key or value cannot be read.
bool GetKeyValue(HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

class frmAbout : public QWidget {
 public:
  static constexpr const char* kName = "frmAbout";
  frmAbout();

  QLabel* picIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QLabel* ctHyperLink1;
  QLabel* ctHyperLink2;
  QPushButton* cmdOK;
  QPushButton* cmdSysInfo;

  // Caption, title and version from the application.
  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click() { StartSysInfo(); }
  // Starts the system-information program, or says that there is none.
  void StartSysInfo();

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
};

// The menu command: shows the window, not modal and without owner.
void AboutZeigen();

}  // namespace vovida
