// How a session waits for another session's write lock: up to a limit, woken as soon as
// a session of this process releases its lock.
#pragma once

#include <chrono>

struct sqlite3;

namespace kesto::server::model {

struct LockWait {
  std::chrono::steady_clock::duration limit = std::chrono::seconds(5);
  std::chrono::steady_clock::time_point since;

  // Replaces the connection's busy handler; this object must outlive the connection.
  void install(sqlite3* db);
  // Wakes the sessions that wait: call after a commit, a rollback or a write outside a
  // transaction.
  static void lockReleased();
};

}  // namespace kesto::server::model
