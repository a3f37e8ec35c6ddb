#include "Zeichenflaeche.h"

#include "Schriftdefinitionen.h"
#include "Startglobale.h"

#include <QApplication>

void ensureGuiApp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "render_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own exit handlers still use it.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

void Zeichenflaeche::SetUp() {
  ensureGuiApp();
  vovida::Schriftdefinitionen().leeren();
  vovida::startglobaleZuruecksetzen();
  vp.StartDoc();
}

void Zeichenflaeche::TearDown() {
  vovida::Schriftdefinitionen().leeren();
  vovida::startglobaleZuruecksetzen();
}

void Zeichenflaeche::slotSetzen(int slot, std::initializer_list<const char*> felder) {
  int feld = 0;
  for (const char* text : felder) vovida::Schriftdefinitionen()(slot, feld++) = QString::fromUtf8(text);
}

Mass textMass(const QString& text, double groesse, const char* schrift, bool fett) {
  const auto e = kesto::activex::measureText({schrift, groesse, fett}, text.toStdString());
  return {e.width.mm(), e.height.mm()};
}

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
