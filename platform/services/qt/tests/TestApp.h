// The one headless application of the Qt port tests.
#pragma once

#include <QApplication>

inline void ensureApp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "services_qt_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own exit handlers still use it.
  if (!QCoreApplication::instance()) new QApplication(argc, argv);
}
