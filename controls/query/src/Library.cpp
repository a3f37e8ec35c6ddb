// libKestoQuery.so: the in-process server's entry points.
#include <controls/query/QueryModule.h>

#include <automation/Activation.h>
#include <automation/ComObject.h>

#define KESTO_EXPORT __attribute__((visibility("default")))

namespace {

const void* thisModule() { return reinterpret_cast<const void*>(&thisModule); }

__attribute__((constructor)) void moduleLoaded() { kesto::controls::queryModuleStart(thisModule()); }
__attribute__((destructor)) void moduleUnloaded() { kesto::controls::queryModuleEnd(thisModule()); }

}  // namespace

extern "C" {

KESTO_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const auto factory = kesto::controls::kestoQueryClassObject(clsid);
  if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(riid, object);
}

KESTO_EXPORT HRESULT DllCanUnloadNow() {
  return kesto::automation::moduleLockCount() == 0 ? S_OK : S_FALSE;
}

KESTO_EXPORT HRESULT DllRegisterServer() {
  return kesto::activex::registerControl(kesto::controls::kestoQueryClass(),
                                         kesto::automation::modulePath(thisModule()));
}

KESTO_EXPORT HRESULT DllUnregisterServer() {
  return kesto::activex::unregisterControl(kesto::controls::kestoQueryClass());
}
}
