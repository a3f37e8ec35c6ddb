// Timers that fire only when the host calls runDue(), as thread timers fire only from a
// message loop. Tests drive them with a FakeClock.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace kesto::services {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::milliseconds now() const = 0;
};

// Monotonic time since an arbitrary start.
class SystemClock final : public Clock {
 public:
  std::chrono::milliseconds now() const override;
};

class FakeClock final : public Clock {
 public:
  std::chrono::milliseconds now() const override;
  void advance(std::chrono::milliseconds by);

 private:
  mutable std::mutex mutex_;
  std::chrono::milliseconds now_{0};
};

using TimerId = std::uint32_t;  // never 0

// Periodic timers. A timer fires at most once per runDue(); its next due time is then
// "now + interval", so a late pump does not fire a burst of catch-up calls.
// Callbacks may set and kill timers, their own included.
class TimerService {
 public:
  explicit TimerService(std::shared_ptr<Clock> clock = std::make_shared<SystemClock>());

  TimerId setTimer(std::chrono::milliseconds interval, std::function<void()> callback);
  // False when the id is unknown or already killed.
  bool killTimer(TimerId id);
  // Fires every timer that is due now, earliest first.
  void runDue();

  // When the earliest timer is due (clock time), for a host loop to sleep until then.
  std::optional<std::chrono::milliseconds> nextDue() const;
  std::size_t activeCount() const;
  Clock& clock() const { return *clock_; }

  // Called after every set and kill, so that a host loop can rearm its wake-up.
  void setScheduleListener(std::function<void()> listener);

 private:
  struct Timer {
    std::chrono::milliseconds interval;
    std::chrono::milliseconds due;
    std::shared_ptr<std::function<void()>> callback;
  };

  void notifyScheduleChanged();

  std::shared_ptr<Clock> clock_;
  mutable std::mutex mutex_;
  std::map<TimerId, Timer> timers_;
  TimerId nextId_ = 1;
  std::function<void()> listener_;
};

// The process's timer service; a default one on a SystemClock until one is installed.
TimerService& timers();
// Installs a service (tests: one on a FakeClock); nullptr goes back to a default one.
// Install before use: a reference from timers() dies with the service it names.
void setTimerService(std::shared_ptr<TimerService> service);

}  // namespace kesto::services
