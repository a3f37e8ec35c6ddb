// The query-lookup control's module: class object, registration, module start and end.
#pragma once

#include <activex/control/Registration.h>

#include <automation/ComPtr.h>

namespace kesto::controls {

const activex::ControlClass& kestoQueryClass();
automation::ComPtr<IClassFactory> kestoQueryClassObject(REFCLSID clsid);
DWORD registerKestoQueryInProcess();

void queryModuleStart(const void* module);
void queryModuleEnd(const void* module);

}  // namespace kesto::controls
