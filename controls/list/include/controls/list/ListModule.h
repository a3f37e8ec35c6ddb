// The list control's module (class object, registration, start and end), shared by the
// shared library's entry points and by programs that link the control directly.
#pragma once

#include <activex/control/ControlModule.h>

namespace kesto::controls {

activex::ControlModule& kestoListModule();
// Makes this process create KestoList from the code linked into it; the cookie.
inline DWORD registerKestoListInProcess() { return kestoListModule().registerInProcess(); }

}  // namespace kesto::controls
