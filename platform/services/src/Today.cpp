#include "services/Today.h"

#include "PortSlot.h"

#include <chrono>
#include <ctime>

namespace kesto::services {
namespace {

detail::PortSlot<TodayPort>& slot() {
  static detail::PortSlot<TodayPort> instance([] { return std::make_shared<SystemToday>(); });
  return instance;
}

}  // namespace

Date SystemToday::today() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Date today() { return slot().get()->today(); }

void setTodayPort(std::shared_ptr<TodayPort> port) { slot().set(std::move(port)); }

}  // namespace kesto::services
