#include "services/Timers.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace kesto::services {

using std::chrono::milliseconds;

milliseconds SystemClock::now() const {
  return std::chrono::duration_cast<milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

milliseconds FakeClock::now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void FakeClock::advance(milliseconds by) {
  if (by.count() < 0) throw std::invalid_argument("FakeClock cannot go back in time");
  std::lock_guard lock(mutex_);
  now_ += by;
}

TimerService::TimerService(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {
  if (!clock_) throw std::invalid_argument("TimerService needs a clock");
}

TimerId TimerService::setTimer(milliseconds interval, std::function<void()> callback) {
  if (!callback) throw std::invalid_argument("setTimer needs a callback");
  if (interval.count() < 0) interval = milliseconds{0};
  TimerId id;
  {
    std::lock_guard lock(mutex_);
    // Ids are never 0 and never reused while a timer with that id lives.
    do {
      id = nextId_++;
    } while (id == 0 || timers_.count(id));
    timers_.emplace(id, Timer{interval, clock_->now() + interval,
                              std::make_shared<std::function<void()>>(std::move(callback))});
  }
  notifyScheduleChanged();
  return id;
}

bool TimerService::killTimer(TimerId id) {
  {
    std::lock_guard lock(mutex_);
    if (timers_.erase(id) == 0) return false;
  }
  notifyScheduleChanged();
  return true;
}

void TimerService::runDue() {
  const milliseconds now = clock_->now();
  std::vector<std::pair<milliseconds, TimerId>> due;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [id, timer] : timers_) {
      if (timer.due <= now) due.emplace_back(timer.due, id);
    }
  }
  std::sort(due.begin(), due.end());
  for (const auto& [when, id] : due) {
    std::shared_ptr<std::function<void()>> callback;
    {
      std::lock_guard lock(mutex_);
      auto it = timers_.find(id);
      // An earlier callback of this round may have killed or reset it.
      if (it == timers_.end() || it->second.due > now) continue;
      it->second.due = now + it->second.interval;
      callback = it->second.callback;
    }
    // Held by a shared pointer so the callback may kill its own timer while it runs.
    (*callback)();
  }
}

std::optional<milliseconds> TimerService::nextDue() const {
  std::lock_guard lock(mutex_);
  std::optional<milliseconds> earliest;
  for (const auto& [id, timer] : timers_) {
    if (!earliest || timer.due < *earliest) earliest = timer.due;
  }
  return earliest;
}

std::size_t TimerService::activeCount() const {
  std::lock_guard lock(mutex_);
  return timers_.size();
}

void TimerService::setScheduleListener(std::function<void()> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

void TimerService::notifyScheduleChanged() {
  std::function<void()> listener;
  {
    std::lock_guard lock(mutex_);
    listener = listener_;
  }
  if (listener) listener();
}

namespace {

std::mutex serviceMutex;
std::shared_ptr<TimerService> installedService;

}  // namespace

TimerService& timers() {
  std::lock_guard lock(serviceMutex);
  if (!installedService) installedService = std::make_shared<TimerService>();
  return *installedService;
}

void setTimerService(std::shared_ptr<TimerService> service) {
  std::lock_guard lock(serviceMutex);
  installedService = std::move(service);
}

}  // namespace kesto::services
