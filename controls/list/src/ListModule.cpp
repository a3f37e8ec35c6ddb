#include <controls/list/KestoList.h>
#include <controls/list/ListModule.h>

namespace kesto::controls {

activex::ControlModule& kestoListModule() {
  static activex::ControlModule module(
      {{kClsidKestoList, kKestoListProgId, listString(ListString::Control)},
       kLibidKestoList, "KestoList ActiveX Control module", "1.0", kKestoListMiscStatus, 1},
      "KestoList%s.DLL", [] {
        auto control = CKestoListCtrl::create();
        return automation::ComPtr<IUnknown>(static_cast<IDispatch*>(control.get()));
      });
  return module;
}

}  // namespace kesto::controls
