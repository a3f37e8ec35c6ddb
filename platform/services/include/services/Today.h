// Today's date through a port: the system clock by default, a fixed day in tests, Qt's
// local date in the program.
#pragma once

#include <memory>

namespace kesto::services {

struct Date {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  friend bool operator==(const Date&, const Date&) = default;
};

class TodayPort {
 public:
  virtual ~TodayPort() = default;
  virtual Date today() = 0;
};

// The local date of the system clock.
class SystemToday final : public TodayPort {
 public:
  Date today() override;
};

// Always the day it was given, until told another.
class FixedToday final : public TodayPort {
 public:
  explicit FixedToday(Date day) : day_(day) {}
  void set(Date day) { day_ = day; }
  Date today() override { return day_; }

 private:
  Date day_;
};

Date today();
// nullptr goes back to the system clock.
void setTodayPort(std::shared_ptr<TodayPort> port);

}  // namespace kesto::services
