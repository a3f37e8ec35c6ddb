// Waiting for another session's write lock. SQLite's own busy timeout polls with growing
// sleeps, so that eight busy writers spend most of their time asleep; sessions of this
// process instead wake as soon as one of them releases its lock (a short timed wait
// covers writers in other processes).
#include "model/LockWait.h"

#include <sqlite3.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace kesto::server::model {

namespace {

constexpr auto kRecheck = std::chrono::milliseconds(2);

struct Waiters {
  std::mutex mutex;
  std::condition_variable released;
  std::uint64_t releases = 0;
};

Waiters& waiters() {
  static Waiters w;
  return w;
}

int waitForLock(void* data, int count) {
  auto& wait = *static_cast<LockWait*>(data);
  const auto now = std::chrono::steady_clock::now();
  if (count == 0) wait.since = now;
  if (now - wait.since >= wait.limit) return 0;  // SQLite reports "database is locked"
  Waiters& w = waiters();
  std::unique_lock lock(w.mutex);
  const std::uint64_t seen = w.releases;
  w.released.wait_for(lock, kRecheck, [&] { return w.releases != seen; });
  return 1;
}

std::atomic<std::int64_t> g_limitMs{5000};

}  // namespace

void setLockWaitLimit(std::chrono::milliseconds limit) { g_limitMs = limit.count(); }
std::chrono::milliseconds lockWaitLimit() { return std::chrono::milliseconds(g_limitMs.load()); }

void LockWait::install(sqlite3* db) { sqlite3_busy_handler(db, waitForLock, this); }

void LockWait::lockReleased() {
  Waiters& w = waiters();
  {
    std::lock_guard lock(w.mutex);
    ++w.releases;
  }
  w.released.notify_all();
}

}  // namespace kesto::server::model
