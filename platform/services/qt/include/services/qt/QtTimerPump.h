// Drives a TimerService from the Qt event loop: one single-shot QTimer is armed for the
// earliest due timer and calls runDue() when it fires.
#pragma once

#include <services/Timers.h>

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

namespace kesto::services::qt {

class QtTimerPump final : public QObject {
 public:
  explicit QtTimerPump(std::shared_ptr<TimerService> service, QObject* parent = nullptr);
  ~QtTimerPump() override;

  // Arms the QTimer for the earliest due timer, or stops it when none is set. The service
  // calls this after every set and kill; call it after moving a fake clock on.
  void rearm();

  bool armed() const { return timer_.isActive(); }
  std::chrono::milliseconds armedFor() const { return std::chrono::milliseconds(timer_.interval()); }

 private:
  void fire();

  std::shared_ptr<TimerService> service_;
  QTimer timer_;
};

}  // namespace kesto::services::qt
