// vovida: the signage program. Installs the Qt service ports and loads the main window,
// whose start-up logs the user in.
#include "Anmeldung.h"
#include "Eigenbau.h"
#include "FMStart.h"
#include "Fensterliste.h"

#include <QApplication>

#include <services/Program.h>
#include <services/qt/QtPorts.h>

#include <iostream>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vovida"));
  QApplication::setQuitOnLastWindowClosed(false);
  try {
    kesto::services::qt::installQtPorts();
    vovida::ShellEinrichten();
    vovida::EigenbauEintragen();
    vovida::FMStart& start = vovida::fensterliste().holen<vovida::FMStart>();
    start.Form_Load();
    start.show();
    start.Form_Resize();
  } catch (const kesto::services::ProgramEnded& ende) {
    return ende.exitCode;
  } catch (const std::exception& e) {
    std::cerr << "vovida: " << e.what() << '\n';
    return 1;
  }
  return QApplication::exec();
}
