#include <activex/control/ClassFactory.h>
#include <activex/control/Control.h>
#include <activex/control/ControlModule.h>

#include <connect/Connect.h>

namespace kesto::activex {

using automation::ComPtr;

ControlModule::ControlModule(ControlClass cls, std::string resourcePattern, Creator create)
    : class_(std::move(cls)), pattern_(std::move(resourcePattern)), create_(std::move(create)) {}

ComPtr<IClassFactory> ControlModule::classObject(REFCLSID clsid) const {
  if (clsid != class_.cls.clsid) return nullptr;
  auto made = ClassFactory::create(create_);
  return ComPtr<IClassFactory>(made.get());
}

DWORD ControlModule::registerInProcess() const {
  return automation::registerClassObject(class_.cls.clsid, classObject(class_.cls.clsid));
}

void ControlModule::start(const void* module) {
  useQtMessageBoxesInQtApplications();
  resources_ = connect::GetLocalizedResources(pattern_, module);
}

void ControlModule::end(const void* module) {
  connect::FreeLocalizedResources(resources_, module);
  resources_ = nullptr;
}

HRESULT serveClassObject(const ControlModule& module, REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const auto factory = module.classObject(clsid);
  if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(riid, object);
}

}  // namespace kesto::activex
