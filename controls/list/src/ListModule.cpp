#include <controls/list/KestoList.h>
#include <controls/list/ListModule.h>

#include <activex/control/ClassFactory.h>
#include <connect/Connect.h>

namespace kesto::controls {

using automation::ComPtr;

namespace {
connect::ResourceHandle gResources = nullptr;
}

const activex::ControlClass& kestoListClass() {
  static const activex::ControlClass cls{
      {kClsidKestoList, kKestoListProgId, listString(ListString::Control)},
      kLibidKestoList, "KestoList ActiveX Control module", "1.0", kKestoListMiscStatus, 1};
  return cls;
}

ComPtr<IClassFactory> kestoListClassObject(REFCLSID clsid) {
  if (clsid != kClsidKestoList) return nullptr;
  auto made = activex::ClassFactory::create([] {
    auto control = CKestoListCtrl::create();
    return ComPtr<IUnknown>(static_cast<IDispatch*>(control.get()));
  });
  return ComPtr<IClassFactory>(made.get());
}

DWORD registerKestoListInProcess() {
  return automation::registerClassObject(kClsidKestoList, kestoListClassObject(kClsidKestoList));
}

void listModuleStart(const void* module) {
  activex::useQtMessageBoxesInQtApplications();
  // No resource library is a normal case: the module keeps its own texts.
  gResources = connect::GetLocalizedResources("KestoList%s.DLL", module);
}

void listModuleEnd(const void* module) {
  connect::FreeLocalizedResources(gResources, module);
  gResources = nullptr;
}

}  // namespace kesto::controls
