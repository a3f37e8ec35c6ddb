#include "QtTestApp.h"

#include <QApplication>

namespace kesto::controls::testing {

void ensureQtApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "controls_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own exit handlers still use it.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace kesto::controls::testing

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
