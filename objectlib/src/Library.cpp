// libKestoObject.so: the in-process server's entry points and its class objects.
#include <kestoobject/BinaryStream.h>
#include <kestoobject/CharStream.h>
#include <kestoobject/Factory.h>
#include <kestoobject/Guids.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/Registration.h>
#include <kestoobject/Syslist.h>

#include <automation/Activation.h>
#include <automation/ComObject.h>

#include <array>

#define KESTO_EXPORT __attribute__((visibility("default")))

namespace kesto::object {
namespace {

using automation::ClassRegistration;
using automation::ComObject;
using automation::ComPtr;

using Creator = IDispatch* (*)();

IDispatch* newFactory() { return Factory::create().detach(); }
IDispatch* newSyslist() { return CSyslist::createEmpty().detach(); }
// Streams made by ProgID are local buffers: no Factory, no server stream.
IDispatch* newBinaryStream() { return CreateStreamObject(true, nullptr, 0); }
IDispatch* newCharStream() { return CreateStreamObject(false, nullptr, 0); }

struct ServedClass {
  ClassRegistration registration;
  Creator create;
};

const std::array<ServedClass, 4>& servedClasses() {
  static const std::array<ServedClass, 4> classes{{
      {{kClsidFactory, std::string(Factory::kProgId), "KestoObject Factory"}, &newFactory},
      {{kClsidSyslist, "KestoObject.syslist", "KestoObject syslist"}, &newSyslist},
      {{kClsidBinaryStream, std::string(CBinaryStream::kProgId), "KestoObject BinaryStream"},
       &newBinaryStream},
      {{kClsidCharStream, std::string(CCharStream::kProgId), "KestoObject CharStream"},
       &newCharStream},
  }};
  return classes;
}

class ClassObject final : public ComObject<ClassObject, IClassFactory> {
 public:
  explicit ClassObject(Creator create) : create_(create) {}

  HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      IDispatch* made = create_();
      const HRESULT hr = made->QueryInterface(riid, object);
      made->Release();
      return hr;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT LockServer(BOOL lock) override {
    if (lock)
      automation::lockModule();
    else
      automation::unlockModule();
    return S_OK;
  }

 private:
  Creator create_;
};

std::vector<ClassRegistration> registrations() {
  std::vector<ClassRegistration> out;
  for (const auto& c : servedClasses()) out.push_back(c.registration);
  return out;
}

std::filesystem::path thisLibrary() {
  return automation::modulePath(reinterpret_cast<const void*>(&newFactory));
}

__attribute__((constructor)) void moduleLoaded() { ModuleStart(); }
__attribute__((destructor)) void moduleUnloaded() { ModuleEnd(); }

}  // namespace
}  // namespace kesto::object

using namespace kesto::object;

extern "C" {

KESTO_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (const auto& c : servedClasses()) {
    if (c.registration.clsid != clsid) continue;
    auto classObject = ClassObject::create(c.create);
    return classObject->QueryInterface(riid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

KESTO_EXPORT HRESULT DllCanUnloadNow() {
  return kesto::automation::moduleLockCount() == 0 ? S_OK : S_FALSE;
}

KESTO_EXPORT HRESULT DllRegisterServer() { return RegisterServer(registrations(), thisLibrary()); }

KESTO_EXPORT HRESULT DllUnregisterServer() { return UnregisterServer(registrations()); }
}
