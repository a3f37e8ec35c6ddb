#include "services/qt/QtPorts.h"

#include "services/qt/QtCursor.h"
#include "services/qt/QtFileDialog.h"
#include "services/qt/QtInputBox.h"
#include "services/qt/QtMessageBox.h"
#include "services/qt/QtProgram.h"
#include "services/qt/QtTimerPump.h"

#include <QApplication>
#include <QPointer>

#include <memory>
#include <stdexcept>

namespace kesto::services::qt {

void installQtPorts(std::shared_ptr<TimerService> service) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    throw std::logic_error("installQtPorts needs a QApplication");
  }
  setMessageBoxPort(std::make_shared<QtMessageBox>());
  setInputBoxPort(std::make_shared<QtInputBox>());
  setCursorPort(std::make_shared<QtCursor>());
  setProgramPort(std::make_shared<QtProgram>());
  setFileDialogPort(std::make_shared<QtFileDialog>());
  setTodayPort(std::make_shared<QtToday>());

  if (!service) service = std::make_shared<TimerService>();
  setTimerService(service);

  // Owned by the application, so it goes with it; it keeps its service alive.
  static QPointer<QtTimerPump> pump;
  delete pump.data();
  pump = new QtTimerPump(std::move(service), QCoreApplication::instance());
}

}  // namespace kesto::services::qt
