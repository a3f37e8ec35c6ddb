// Creating objects by ProgID or CLSID, and registering in-process servers.
//
// Registry layout (HKEY_CLASSES_ROOT of the registry stand-in):
//   <ProgID>                      default = description
//   <ProgID>\CLSID                default = "{clsid}"
//   CLSID\{clsid}                 default = description
//   CLSID\{clsid}\ProgID          default = ProgID
//   CLSID\{clsid}\InprocServer32  default = absolute path of the shared library
// Creation first asks the class objects registered in this process, then loads the
// library named under InprocServer32 (dlopen) and asks its DllGetClassObject.
#pragma once

#include <automation/ComPtr.h>
#include <automation/Interfaces.h>

#include <filesystem>
#include <string>
#include <string_view>

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_ALL = 0x17;

HRESULT CoInitialize(void* reserved);  // no apartments here: always S_OK
void CoUninitialize();
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);  // REGDB_E_CLASSNOTREG / CO_E_CLASSSTRING
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId);  // free with CoTaskMemFree
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid,
                         void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid,
                         void** object);
void CoFreeUnusedLibraries();  // unloads libraries whose DllCanUnloadNow answers S_OK

// The four entry points an in-process server exports with C linkage.
using DllGetClassObjectFn = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

namespace kesto::automation {

// CreateObject(progId): creation through CLSIDFromProgID and CoCreateInstance.
HRESULT createObject(std::string_view progId, REFIID riid, void** object);
ComPtr<IDispatch> createObject(std::string_view progId);  // throws ComError

// Class objects of this process (what a module registers at start). Returns a cookie for
// revokeClassObject. A class registered here is found before the registry is asked.
DWORD registerClassObject(REFCLSID clsid, ComPtr<IClassFactory> factory);
bool revokeClassObject(DWORD cookie);

// What registering one class writes.
struct ClassRegistration {
  CLSID clsid;
  std::string progId;       // e.g. "KestoObject.Factory"
  std::string description;  // default value of the ProgID and CLSID keys
};

// Writes the keys above for `library` (made absolute). REGDB_E_WRITEREGDB when the
// registry cannot be saved.
HRESULT registerInprocServer(const ClassRegistration& cls, const std::filesystem::path& library);
// Deletes the ProgID tree and the CLSID tree. Missing keys are not an error.
HRESULT unregisterInprocServer(const ClassRegistration& cls);

// A type library key "TypeLib\{libid}" (default = name, "path" = the library).
HRESULT registerTypeLib(REFGUID libid, std::string_view name, const std::filesystem::path& library);
HRESULT unregisterTypeLib(REFGUID libid);

// Path of the shared library (or program) that holds `address`, absolute.
std::filesystem::path modulePath(const void* address);

}  // namespace kesto::automation
