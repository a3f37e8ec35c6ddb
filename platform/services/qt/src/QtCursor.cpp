#include "services/qt/QtCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace kesto::services::qt {

QtCursor::~QtCursor() {
  if (overridden_ && QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
}

void QtCursor::setShape(CursorShape shape) {
  if (!QGuiApplication::instance()) return;
  const bool wait = shape == CursorShape::Wait;
  if (wait == overridden_) return;
  if (wait) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
  overridden_ = wait;
}

}  // namespace kesto::services::qt
