// One control class served by a module: its class object, self-registration, creation in
// this process, and module start and end with the localized resource library of its name
// pattern. KESTO_CONTROL_SERVER(module) writes the four entry points of a shared library.
#pragma once

#include <activex/control/Registration.h>

#include <automation/ComPtr.h>

#include <functional>
#include <string>

namespace kesto::activex {

class ControlModule {
 public:
  using Creator = std::function<automation::ComPtr<IUnknown>()>;
  ControlModule(ControlClass cls, std::string resourcePattern, Creator create);

  const ControlClass& controlClass() const { return class_; }
  // Null for another class identifier.
  automation::ComPtr<IClassFactory> classObject(REFCLSID clsid) const;
  // Makes this process create the class from the code linked into it; the registration
  // cookie.
  DWORD registerInProcess() const;
  // No resource library is a normal case: the module keeps its own texts. In a Qt
  // application the module's message boxes become Qt boxes.
  void start(const void* module);
  void end(const void* module);

 private:
  ControlClass class_;
  std::string pattern_;
  Creator create_;
  void* resources_ = nullptr;
};

// The shared library's entry points over `module()` (a function returning ControlModule&).
HRESULT serveClassObject(const ControlModule& module, REFCLSID clsid, REFIID riid, void** object);

}  // namespace kesto::activex

#define KESTO_CONTROL_SERVER(moduleFn)                                                          \
  namespace {                                                                                   \
  const void* thisModule() { return reinterpret_cast<const void*>(&thisModule); }               \
  __attribute__((constructor)) void moduleLoaded() { moduleFn().start(thisModule()); }          \
  __attribute__((destructor)) void moduleUnloaded() { moduleFn().end(thisModule()); }           \
  }                                                                                             \
  extern "C" {                                                                                  \
  __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, \
                                                                   void** object) {             \
    return kesto::activex::serveClassObject(moduleFn(), clsid, riid, object);                   \
  }                                                                                             \
  __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {                            \
    return kesto::automation::moduleLockCount() == 0 ? S_OK : S_FALSE;                          \
  }                                                                                             \
  __attribute__((visibility("default"))) HRESULT DllRegisterServer() {                          \
    return kesto::activex::registerControl(moduleFn().controlClass(),                           \
                                           kesto::automation::modulePath(thisModule()));        \
  }                                                                                             \
  __attribute__((visibility("default"))) HRESULT DllUnregisterServer() {                        \
    return kesto::activex::unregisterControl(moduleFn().controlClass());                        \
  }                                                                                             \
  }
