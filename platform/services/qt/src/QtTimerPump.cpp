#include "services/qt/QtTimerPump.h"

#include <services/MessageBox.h>
#include <services/Program.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <stdexcept>
#include <utility>

namespace kesto::services::qt {

QtTimerPump::QtTimerPump(std::shared_ptr<TimerService> service, QObject* parent)
    : QObject(parent), service_(std::move(service)) {
  if (!service_) throw std::invalid_argument("QtTimerPump needs a timer service");
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { fire(); });
  service_->setScheduleListener([this] { rearm(); });
  rearm();
}

QtTimerPump::~QtTimerPump() { service_->setScheduleListener(nullptr); }

void QtTimerPump::rearm() {
  const std::optional<std::chrono::milliseconds> due = service_->nextDue();
  if (!due) {
    timer_.stop();
    return;
  }
  const auto wait = std::clamp<long long>((*due - service_->clock().now()).count(), 0, INT_MAX);
  timer_.start(static_cast<int>(wait));
}

void QtTimerPump::fire() {
  // Nothing may leave a Qt slot by an exception.
  try {
    service_->runDue();
  } catch (const ProgramEnded&) {
    return;  // the end is under way; no timer fires any more
  } catch (const std::exception& e) {
    messageBox(e.what(), "Fehler", MB_ICONSTOP);
  }
  rearm();
}

}  // namespace kesto::services::qt
