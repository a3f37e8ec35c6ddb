// Installs the Qt implementations of the service ports: message and input boxes, file dialogs,
// today's date, the hourglass, program end, and the pump that fires the process's timers from the Qt event loop.
#pragma once

#include <services/Timers.h>

#include <memory>

namespace kesto::services::qt {

// Call once the QApplication exists. Installs the timer service (a new one on the system
// clock when none is given) as the process's own and drives it from the event loop.
// Throws std::logic_error without a QApplication. A second call replaces the first.
void installQtPorts(std::shared_ptr<TimerService> service = nullptr);

}  // namespace kesto::services::qt
