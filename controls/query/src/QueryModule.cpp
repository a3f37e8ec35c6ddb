#include <controls/query/KestoQuery.h>
#include <controls/query/QueryModule.h>

namespace kesto::controls {

activex::ControlModule& kestoQueryModule() {
  static activex::ControlModule module(
      {{kClsidKestoQuery, kKestoQueryProgId, queryString(QueryString::Control)},
       kLibidKestoQuery, "KestoQuery ActiveX Control module", "1.0", kKestoQueryMiscStatus, 1},
      "KestoQuery%s.DLL", [] {
        auto control = CKestoQueryCtrl::create();
        return automation::ComPtr<IUnknown>(static_cast<IDispatch*>(control.get()));
      });
  return module;
}

}  // namespace kesto::controls
