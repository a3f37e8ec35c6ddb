// The query-lookup control's module (class object, registration, start and end).
#pragma once

#include <activex/control/ControlModule.h>

namespace kesto::controls {

activex::ControlModule& kestoQueryModule();
inline DWORD registerKestoQueryInProcess() { return kestoQueryModule().registerInProcess(); }

}  // namespace kesto::controls
