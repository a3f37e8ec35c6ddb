#include <controls/query/KestoQuery.h>
#include <controls/query/QueryModule.h>

#include <activex/control/ClassFactory.h>
#include <connect/Connect.h>

namespace kesto::controls {

using automation::ComPtr;

namespace {
connect::ResourceHandle gResources = nullptr;
}

const activex::ControlClass& kestoQueryClass() {
  static const activex::ControlClass cls{
      {kClsidKestoQuery, kKestoQueryProgId, queryString(QueryString::Control)},
      kLibidKestoQuery, "KestoQuery ActiveX Control module", "1.0", kKestoQueryMiscStatus, 1};
  return cls;
}

ComPtr<IClassFactory> kestoQueryClassObject(REFCLSID clsid) {
  if (clsid != kClsidKestoQuery) return nullptr;
  auto made = activex::ClassFactory::create([] {
    auto control = CKestoQueryCtrl::create();
    return ComPtr<IUnknown>(static_cast<IDispatch*>(control.get()));
  });
  return ComPtr<IClassFactory>(made.get());
}

DWORD registerKestoQueryInProcess() {
  return automation::registerClassObject(kClsidKestoQuery, kestoQueryClassObject(kClsidKestoQuery));
}

void queryModuleStart(const void* module) {
  activex::useQtMessageBoxesInQtApplications();
  gResources = connect::GetLocalizedResources("KestoQuery%s.DLL", module);
}

void queryModuleEnd(const void* module) {
  connect::FreeLocalizedResources(gResources, module);
  gResources = nullptr;
}

}  // namespace kesto::controls
