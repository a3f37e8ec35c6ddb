#include <automation/Activation.h>

#include <registry/Registry.h>
#include <text/CodePage.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include <map>
#include <mutex>
#include <string>

namespace reg = kesto::registry;
using kesto::automation::ComPtr;
using kesto::automation::formatGuid;

namespace {

struct LoadedLibrary {
  void* handle = nullptr;
  DllGetClassObjectFn getClassObject = nullptr;
  DllCanUnloadNowFn canUnloadNow = nullptr;
};

struct ClassTable {
  std::mutex mutex;
  std::map<DWORD, std::pair<CLSID, ComPtr<IClassFactory>>> registered;
  DWORD nextCookie = 1;
  std::map<std::string, LoadedLibrary> libraries;  // by path
};

ClassTable& table() {
  static ClassTable t;
  return t;
}

std::string narrow(LPCOLESTR text) {
  return text ? kesto::text::utf16ToUtf8(std::u16string_view(text)) : std::string();
}

std::optional<std::string> readDefault(const std::string& key) {
  return reg::getString(reg::Hive::ClassesRoot, key, "");
}

HRESULT libraryFor(const std::string& path, LoadedLibrary& out) {
  ClassTable& t = table();
  std::lock_guard lock(t.mutex);
  if (auto it = t.libraries.find(path); it != t.libraries.end()) {
    out = it->second;
    return S_OK;
  }
  // Only absolute paths: registration writes them, and a relative one would depend on
  // the working folder.
  if (path.empty() || path.front() != '/') return CO_E_DLLNOTFOUND;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return CO_E_DLLNOTFOUND;
  LoadedLibrary lib;
  lib.handle = handle;
  lib.getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
  lib.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
  if (!lib.getClassObject) {
    dlclose(handle);
    return CO_E_ERRORINDLL;
  }
  t.libraries.emplace(path, lib);
  out = lib;
  return S_OK;
}

}  // namespace

HRESULT CoInitialize(void*) { return S_OK; }
void CoUninitialize() {}

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) {
  if (!progId || !clsid) return E_POINTER;
  const std::string name = narrow(progId);
  if (!name.empty() && name.front() == '{') return CLSIDFromString(progId, clsid);
  try {
    const auto text = readDefault(name + "\\CLSID");
    if (!text) return REGDB_E_CLASSNOTREG;
    const auto parsed = kesto::automation::parseGuid(*text);
    if (!parsed) return CO_E_CLASSSTRING;
    *clsid = *parsed;
    return S_OK;
  } catch (const reg::RegistryError&) {
    return REGDB_E_READREGDB;
  }
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId) {
  if (!progId) return E_POINTER;
  *progId = nullptr;
  try {
    const auto text = readDefault("CLSID\\" + formatGuid(clsid) + "\\ProgID");
    if (!text) return REGDB_E_CLASSNOTREG;
    const std::u16string wide = kesto::text::utf8ToUtf16(*text);
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!out) return E_OUTOFMEMORY;
    std::copy(wide.begin(), wide.end(), out);
    out[wide.size()] = 0;
    *progId = out;
    return S_OK;
  } catch (const reg::RegistryError&) {
    return REGDB_E_READREGDB;
  }
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  {
    ClassTable& t = table();
    std::lock_guard lock(t.mutex);
    for (auto& [cookie, entry] : t.registered)
      if (entry.first == clsid) return entry.second->QueryInterface(riid, object);
  }
  if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  std::optional<std::string> path;
  try {
    path = readDefault("CLSID\\" + formatGuid(clsid) + "\\InprocServer32");
  } catch (const reg::RegistryError&) {
    return REGDB_E_READREGDB;
  }
  if (!path) return REGDB_E_CLASSNOTREG;
  LoadedLibrary lib;
  if (HRESULT hr = libraryFor(*path, lib); FAILED(hr)) return hr;
  return lib.getClassObject(clsid, riid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ComPtr<IClassFactory> factory;
  if (HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, factory.putVoid());
      FAILED(hr))
    return hr;
  return factory->CreateInstance(nullptr, riid, object);
}

void CoFreeUnusedLibraries() {
  ClassTable& t = table();
  std::lock_guard lock(t.mutex);
  for (auto it = t.libraries.begin(); it != t.libraries.end();) {
    if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
      dlclose(it->second.handle);
      it = t.libraries.erase(it);
    } else {
      ++it;
    }
  }
}

namespace kesto::automation {

HRESULT createObject(std::string_view progId, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const std::u16string wide = text::utf8ToUtf16(progId);
  CLSID clsid;
  if (HRESULT hr = CLSIDFromProgID(wide.c_str(), &clsid); FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, riid, object);
}

ComPtr<IDispatch> createObject(std::string_view progId) {
  ComPtr<IDispatch> object;
  const HRESULT hr = createObject(progId, IID_IDispatch, object.putVoid());
  if (FAILED(hr)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    throw ComError(hr, "cannot create \"" + std::string(progId) + "\" (" + code + ")");
  }
  return object;
}

DWORD registerClassObject(REFCLSID clsid, ComPtr<IClassFactory> factory) {
  ClassTable& t = table();
  std::lock_guard lock(t.mutex);
  const DWORD cookie = t.nextCookie++;
  t.registered.emplace(cookie, std::make_pair(clsid, std::move(factory)));
  return cookie;
}

bool revokeClassObject(DWORD cookie) {
  ComPtr<IClassFactory> released;  // released outside the lock
  ClassTable& t = table();
  std::lock_guard lock(t.mutex);
  auto it = t.registered.find(cookie);
  if (it == t.registered.end()) return false;
  released = std::move(it->second.second);
  t.registered.erase(it);
  return true;
}

}  // namespace kesto::automation
