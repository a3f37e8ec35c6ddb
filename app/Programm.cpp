#include "Programm.h"

#include "Anmeldung.h"
#include "Eigenbau.h"
#include "FMStart.h"
#include "Fliesen.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Platzierung.h"
#include "Programmende.h"
#include "Schilder.h"

#include <QApplication>

#include <connect/qt/QtConnectionChooser.h>
#include <services/Program.h>
#include <services/qt/QtGerman.h>
#include <services/qt/QtPorts.h>

#include <iostream>
#include <optional>

namespace vovida {

namespace {

int starten() {
  try {
    kesto::services::qt::installQtPorts();
    kesto::services::qt::installGermanUi();
    kesto::connect::qt::installQtConnectionChooser();
    FensterImBildschirmHalten();
    ShellEinrichten();
    SchilderEinrichten();
    FliesenEinrichten();
    EigenbauEintragen();
    FMStart& start = fensterliste().holen<FMStart>();
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

}  // namespace

int VovidaStarten(int argc, char** argv, const std::function<void()>& gestartet) {
  int status = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vovida"));
    QApplication::setQuitOnLastWindowClosed(false);
    std::optional<Programmende> ende;
    try {
      ende.emplace();
    } catch (const std::exception& e) {
      std::cerr << "vovida: " << e.what() << '\n';
      return 1;
    }
    if (gestartet) gestartet();
    status = starten();
    // The windows go while Qt is still there, the server objects while the object
    // library that made them is still loaded: both would otherwise go with the process's
    // static objects, after what they need is gone.
    fensterliste().alleEntladen();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ServerobjekteFreigeben();
  }
  return status;
}

}  // namespace vovida
