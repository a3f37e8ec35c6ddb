// How a session waits for another session's write lock: up to a limit, woken as soon as
// a session of this process releases its lock.
#pragma once

#include <chrono>

struct sqlite3;

namespace kesto::server::model {

// The longest wait of every LockWait made after the call (5 s unless set).
void setLockWaitLimit(std::chrono::milliseconds limit);
std::chrono::milliseconds lockWaitLimit();

struct LockWait {
  std::chrono::steady_clock::duration limit = lockWaitLimit();
  std::chrono::steady_clock::time_point since;

  // Replaces the connection's busy handler; this object must outlive the connection.
  void install(sqlite3* db);
  // Wakes the sessions that wait: call after a commit, a rollback or a write outside a
  // transaction.
  static void lockReleased();
};

}  // namespace kesto::server::model
