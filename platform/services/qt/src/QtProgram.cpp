#include "services/qt/QtProgram.h"

#include <QCoreApplication>

namespace kesto::services::qt {

void QtProgram::end(int exitCode) {
  QCoreApplication::exit(exitCode);
  throw ProgramEnded(exitCode);
}

}  // namespace kesto::services::qt
