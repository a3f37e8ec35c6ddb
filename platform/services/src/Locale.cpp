#include "services/Locale.h"

#include <mutex>

namespace kesto::services {
namespace {

std::mutex mutex;
LocaleFacts facts;

}  // namespace

LocaleFacts localeFacts() {
  std::lock_guard lock(mutex);
  return facts;
}

void setLocaleFacts(const LocaleFacts& newFacts) {
  std::lock_guard lock(mutex);
  facts = newFacts;
}

void resetLocaleFacts() { setLocaleFacts(LocaleFacts{}); }

}  // namespace kesto::services
