#include <automation/ComObject.h>

#include <atomic>

namespace kesto::automation {

namespace {
std::atomic<long> locks{0};
}

long moduleLockCount() { return locks.load(); }
void lockModule() { ++locks; }
void unlockModule() { --locks; }

}  // namespace kesto::automation
