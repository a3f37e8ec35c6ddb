#include "Programm.h"

#include "Anmeldung.h"
#include "Eigenbau.h"
#include "FMStart.h"
#include "Fliesen.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Platzierung.h"
#include "Schilder.h"

#include <QApplication>

#include <connect/qt/QtConnectionChooser.h>
#include <services/Program.h>
#include <services/qt/QtGerman.h>
#include <services/qt/QtPorts.h>

#include <cstdlib>
#include <iostream>

namespace vovida {

namespace {

QtMessageHandler qtMeldungen = nullptr;

// The display is gone (the X server ended, as at logout): no window can be shown any more.
// The windows' data is kept as at every end of the program, then the process ends at once:
// what still refers to the lost display is not taken down.
[[noreturn]] void anzeigeVerloren() {
  static bool schon = false;
  if (!schon) {
    schon = true;
    std::cerr << "vovida: Die Verbindung zur Anzeige ist abgebrochen; das Programm wird beendet.\n";
    try {
      AlleFormulareEntladen();
    } catch (...) {
      // ended: nothing more to do
    }
  }
  std::_Exit(1);
}

void meldungen(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
  if (qtMeldungen) qtMeldungen(art, ort, text);
  // Qt's words when the X server went away; Qt would leave through exit().
  if (art == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke"))) anzeigeVerloren();
}

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
    qtMeldungen = qInstallMessageHandler(meldungen);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vovida"));
    QApplication::setQuitOnLastWindowClosed(false);
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
