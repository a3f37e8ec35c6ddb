// The list control's module: its class object and registration, shared by the shared
// library's entry points and by programs that link the control directly.
#pragma once

#include <activex/control/Registration.h>

#include <automation/ComPtr.h>

namespace kesto::controls {

const activex::ControlClass& kestoListClass();
// The class object of KestoList, or null for another class identifier.
automation::ComPtr<IClassFactory> kestoListClassObject(REFCLSID clsid);
// Makes this process create KestoList from the code linked into it (no library loaded);
// returns the registration cookie.
DWORD registerKestoListInProcess();

// Module start and end: the localized resource library of "KestoList%s.DLL" when one exists.
void listModuleStart(const void* module);
void listModuleEnd(const void* module);

}  // namespace kesto::controls
