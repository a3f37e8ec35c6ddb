#include "Zeitgeber.h"

#include <utility>

namespace vovida {

Zeitgeber::Zeitgeber(std::chrono::milliseconds intervall, std::function<void()> tick)
    : intervall_(intervall), tick_(std::move(tick)) {}

Zeitgeber::~Zeitgeber() { setEnabled(false); }

void Zeitgeber::setEnabled(bool an) {
  if (id_ != 0) {
    kesto::services::timers().killTimer(id_);
    id_ = 0;
  }
  if (an) id_ = kesto::services::timers().setTimer(intervall_, [this] { tick_(); });
}

}  // namespace vovida
