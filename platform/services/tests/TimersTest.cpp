#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/Timers.h"

using namespace std::chrono_literals;
using kesto::services::FakeClock;
using kesto::services::TimerId;
using kesto::services::TimerService;

class Timers : public testing::Test {
 protected:
  std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
  TimerService service{clock};
  std::vector<std::string> fired;

  TimerId record(std::chrono::milliseconds interval, std::string name) {
    return service.setTimer(interval, [this, name] { fired.push_back(name); });
  }
};

TEST_F(Timers, FiresWhenDueAndThenPeriodically) {
  record(2000ms, "t");
  clock->advance(1999ms);
  service.runDue();
  EXPECT_TRUE(fired.empty());
  clock->advance(1ms);
  service.runDue();
  EXPECT_EQ(fired.size(), 1u);
  service.runDue();  // not due again until another interval has passed
  EXPECT_EQ(fired.size(), 1u);
  clock->advance(2000ms);
  service.runDue();
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(Timers, LatePumpFiresOnceAndCountsFromThen) {
  record(100ms, "t");
  clock->advance(1000ms);
  service.runDue();
  EXPECT_EQ(fired.size(), 1u);
  EXPECT_EQ(service.nextDue(), 1100ms);
}

TEST_F(Timers, EarliestFiresFirst) {
  record(300ms, "late");
  record(100ms, "early");
  clock->advance(500ms);
  service.runDue();
  EXPECT_EQ(fired, (std::vector<std::string>{"early", "late"}));
}

TEST_F(Timers, KilledBeforeDueNeverFires) {
  const TimerId id = record(100ms, "t");
  EXPECT_TRUE(service.killTimer(id));
  EXPECT_FALSE(service.killTimer(id));
  clock->advance(1000ms);
  service.runDue();
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(service.activeCount(), 0u);
  EXPECT_FALSE(service.nextDue());
}

TEST_F(Timers, KilledInsideItsOwnCallback) {
  TimerId id = 0;
  bool killed = false;
  id = service.setTimer(100ms, [&] {
    fired.push_back("t");
    killed = service.killTimer(id);
  });
  clock->advance(100ms);
  service.runDue();
  clock->advance(100ms);
  service.runDue();
  EXPECT_TRUE(killed);
  EXPECT_EQ(fired.size(), 1u);
  EXPECT_EQ(service.activeCount(), 0u);
}

TEST_F(Timers, CallbackKillsAnotherDueTimer) {
  TimerId second = 0;
  service.setTimer(100ms, [&] {
    fired.push_back("first");
    service.killTimer(second);
  });
  second = record(200ms, "second");
  clock->advance(300ms);
  service.runDue();
  EXPECT_EQ(fired, std::vector<std::string>{"first"});
}

TEST_F(Timers, TimerSetInsideACallbackWaitsForTheNextPump) {
  service.setTimer(100ms, [&] {
    if (fired.empty()) record(0ms, "inner");
    fired.push_back("outer");
  });
  clock->advance(100ms);
  service.runDue();
  EXPECT_EQ(fired, std::vector<std::string>{"outer"});
  service.runDue();
  EXPECT_EQ(fired, (std::vector<std::string>{"outer", "inner"}));
}

TEST_F(Timers, ScheduleListenerHearsSetsAndKills) {
  int changes = 0;
  service.setScheduleListener([&] { ++changes; });
  const TimerId id = record(100ms, "t");
  service.killTimer(id);
  service.killTimer(id);  // nothing changed
  EXPECT_EQ(changes, 2);
}

TEST(TimerServiceSlot, InstalledServiceIsTheProcessService) {
  auto clock = std::make_shared<FakeClock>();
  auto service = std::make_shared<TimerService>(clock);
  kesto::services::setTimerService(service);
  EXPECT_EQ(&kesto::services::timers(), service.get());
  kesto::services::setTimerService(nullptr);
  EXPECT_NE(&kesto::services::timers(), service.get());
}
