// Class objects by CLSID: the built-in classes first, then in-process libraries that the
// classes root names, loaded once and kept for the life of the process.
#include "Allocator.h"
#include "LineCollection.h"
#include "RegistryObjects.h"
#include "SourceScanner.h"

#include <kestocom/KestoCOM.h>
#include <kestocom/LanguageService.h>
#include <registry/Registry.h>

#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <new>
#include <string>

namespace kesto::kestocom {
namespace {

template <class Object>
class BuiltinFactory final : public IComponentFactory {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IUnknown::iid || riid == IComponentFactory::iid) {
      *object = static_cast<IComponentFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT CreateInstance(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* made = new (std::nothrow) Object();
    if (!made) return E_OUTOFMEMORY;
    HRESULT hr = made->QueryInterface(riid, object);
    made->Release();
    return hr;
  }
};

BuiltinFactory<ArenaAllocator> allocatorFactory;
BuiltinFactory<SourceScanner> scannerFactory;
BuiltinFactory<RegistryEditor> registryFactory;
BuiltinFactory<CategoryRegistrar> categoryFactory;

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);

std::mutex librariesLock;
std::map<std::string, void*> libraries;

HRESULT libraryFactory(REFCLSID clsid, IComponentFactory** factory) {
  const std::string key = "CLSID\\" + kesto::automation::formatGuid(clsid) + "\\InprocServer32";
  std::optional<std::string> path;
  try {
    path = kesto::registry::getString(kesto::registry::Hive::ClassesRoot, key, "");
  } catch (const std::exception&) {
    return REGDB_E_CLASSNOTREG;
  }
  if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
  // Only absolute paths: a bare name would be searched for where it was not registered.
  if ((*path)[0] != '/') return CO_E_DLLNOTFOUND;
  void* handle = nullptr;
  {
    std::lock_guard<std::mutex> guard(librariesLock);
    auto it = libraries.find(*path);
    if (it != libraries.end()) {
      handle = it->second;
    } else {
      handle = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!handle) return CO_E_DLLNOTFOUND;
      libraries.emplace(*path, handle);
    }
  }
  auto fn = reinterpret_cast<GetClassObjectFn>(dlsym(handle, "GetClassObject"));
  if (!fn) return CLASS_E_CLASSNOTAVAILABLE;
  return fn(clsid, IComponentFactory::iid, reinterpret_cast<void**>(factory));
}

}  // namespace
}  // namespace kesto::kestocom

using namespace kesto::kestocom;

KESTOCOM_API HRESULT COM_GetClassFactory(REFCLSID clsid, IComponentFactory** factory) {
  if (!factory) return E_POINTER;
  *factory = nullptr;
  if (clsid == CLSID_ComponentAllocator) return *factory = &allocatorFactory, S_OK;
  if (clsid == CLSID_ColouringScanner) return *factory = &scannerFactory, S_OK;
  if (clsid == CLSID_RegistryEditor) return *factory = &registryFactory, S_OK;
  if (clsid == CLSID_CategoryRegistrar) return *factory = &categoryFactory, S_OK;
  try {
    return libraryFactory(clsid, factory);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

KESTOCOM_API HRESULT COM_CreateInstance(REFCLSID clsid, IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IComponentFactory* factory = nullptr;
  HRESULT hr = COM_GetClassFactory(clsid, &factory);
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(riid, object);
  factory->Release();
  return hr;
}

KESTOCOM_API HRESULT COM_CreateTextSource(const char16_t* name, const char16_t* text, std::size_t length,
                                          ISourceScanner** source) {
  if (!source) return E_POINTER;
  *source = nullptr;
  if (!text && length > 0) return E_POINTER;
  try {
    auto* made = new SourceScanner();
    made->adoptText(name ? std::u16string(name) : std::u16string(),
                    text ? std::u16string(text, length) : std::u16string());
    *source = made;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

KESTOCOM_API HRESULT COM_CreateLineCollection(LineObject* const* lines, std::int32_t count,
                                              ILineCollection** collection) {
  if (!collection) return E_POINTER;
  *collection = nullptr;
  if (count < 0 || (count > 0 && !lines)) return E_INVALIDARG;
  try {
    *collection = new LineCollection(std::vector<LineObject*>(lines, lines + count));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

KESTOCOM_API void* COM_MemAlloc(std::size_t bytes) { return std::malloc(bytes ? bytes : 1); }
KESTOCOM_API void COM_MemFree(void* block) { std::free(block); }
