// The real program, run by VovidaStarten, with a person at the keyboard and mouse: each
// tick looks at the window in front and does what a user would do there. The scenario
// comes as the first argument:
//   beenden   log in with the demo password, then "Datei" > "Beenden" in the main window;
//   abbruch   log in with a wrong password, confirm the error, then "Abbruch";
//   versuche  no server answers: confirm each message and close the settings window;
//   bleiben   log in, choose "Regalschild", read article 100001 into the shelf-label queue,
//             write "bereit" to the standard output and wait for the end from outside.
// Exit status: the program's own, 2 when the scenario did not end in time, 3 when Qt's
// dialogs were not German.
#include "Programm.h"

#include "FMPass.h"
#include "FMServer.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "frmRegalBesch.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace vovida;

std::string szenario;
bool angemeldet = false;  // the login window got its answer
int boxen = 0;

void eintippen(QLineEdit* feld, const QString& text) {
  feld->clear();
  QTest::mouseClick(feld, Qt::LeftButton);
  QTest::keyClicks(feld, text);
}

void menuePunkt(QMenuBar* leiste, const char* menue, const char* punkt) {
  for (QAction* a : leiste->actions()) {
    if (a->menu() && a->menu()->objectName() == QLatin1String(menue)) {
      QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(a).center());
      QMenu* m = a->menu();
      for (QAction* p : m->actions())
        if (p->objectName() == QLatin1String(punkt)) {
          QTimer::singleShot(0, m, [m, p] { QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(p).center()); });
          return;
        }
    }
  }
}

void bleiben(FMStart& start) {
  static bool bereit = false;
  Fensterliste& liste = fensterliste();
  if (bereit) return;
  if (!liste.geladen<frmRegalBesch>() || !liste.holen<frmRegalBesch>().isVisible()) {
    start.Option(QStringLiteral("SCHILD"))->click();
    return;
  }
  frmRegalBesch& regal = liste.holen<frmRegalBesch>();
  if (regal.ArtNr->count() == 0) {
    regal.setArtNrText(QStringLiteral("100001"));
    regal.Read->click();
    return;
  }
  bereit = true;
  std::printf("bereit\n");
  std::fflush(stdout);
}

void schritt() {
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    ++boxen;
    std::fprintf(stderr, "box: %s\n", box->text().toLocal8Bit().constData());
    QTest::mouseClick(box->defaultButton() ? box->defaultButton() : box->buttons().first(), Qt::LeftButton);
    return;
  }
  Fensterliste& liste = fensterliste();
  if (liste.geladen<FMServer>() && liste.holen<FMServer>().isVisible()) {
    QTest::mouseClick(liste.holen<FMServer>().BUZurueck, Qt::LeftButton);
    return;
  }
  if (liste.geladen<FMPass>() && liste.holen<FMPass>().isVisible()) {
    FMPass& pass = liste.holen<FMPass>();
    if (szenario == "abbruch" && angemeldet) {
      QTest::mouseClick(pass.BUAusst, Qt::LeftButton);
      return;
    }
    eintippen(pass.BUSER, QStringLiteral("DEMO"));
    eintippen(pass.BPASSWORT, szenario == "abbruch" ? QStringLiteral("falsch") : QStringLiteral("demo"));
    angemeldet = true;
    QTest::mouseClick(pass.BUSpeich, Qt::LeftButton);
    return;
  }
  if (!liste.geladen<FMStart>() || QApplication::activeModalWidget() != nullptr ||
      kestoapi().Benutzerkennung.isEmpty())
    return;
  FMStart& start = liste.holen<FMStart>();
  if (!start.isVisible()) return;
  if (szenario == "beenden") menuePunkt(start.menuBar(), "Datei", "Beenden");
  if (szenario == "bleiben") bleiben(start);
}

}  // namespace

// Libraries of the system that keep buffers to the end: the font libraries, and under X the
// desktop bus.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\nleak:libdbus-1\n";
}

int main(int argc, char** argv) {
  szenario = argc > 1 ? argv[1] : "";
  bool deutsch = false;
  const int status = VovidaStarten(argc, argv, [&] {
    auto* takt = new QTimer(qApp);
    takt->setInterval(100);
    int ticks = 0;
    QObject::connect(takt, &QTimer::timeout, [&deutsch, ticks]() mutable {
      deutsch = QCoreApplication::translate("QPlatformTheme", "Cancel") == QStringLiteral("Abbrechen");
      if (++ticks > 1200) {  // two minutes, also under the sanitizers
        std::fprintf(stderr, "scenario %s did not end\n", szenario.c_str());
        std::_Exit(2);
      }
      schritt();
    });
    takt->start();
  });
  std::fprintf(stderr, "scenario %s ended with %d after %d boxes\n", szenario.c_str(), status, boxen);
  if (status != 0) return status;
  return deutsch ? 0 : 3;
}
