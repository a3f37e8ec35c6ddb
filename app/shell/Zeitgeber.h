// A window's timer control over the process's timer service: an interval, an on/off
// switch, and a tick. Switching it on again starts the interval anew.
#pragma once

#include <services/Timers.h>

#include <chrono>
#include <functional>

namespace vovida {

class Zeitgeber {
 public:
  Zeitgeber(std::chrono::milliseconds intervall, std::function<void()> tick);
  ~Zeitgeber();
  Zeitgeber(const Zeitgeber&) = delete;
  Zeitgeber& operator=(const Zeitgeber&) = delete;

  bool Enabled() const { return id_ != 0; }
  void setEnabled(bool an);
  std::chrono::milliseconds Interval() const { return intervall_; }

 private:
  std::chrono::milliseconds intervall_;
  std::function<void()> tick_;
  kesto::services::TimerId id_ = 0;
};

}  // namespace vovida
