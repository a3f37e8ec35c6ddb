// A control's properties load all or nothing: a bag that fails part way (a value of the
// wrong kind) leaves the control as it was, and the failure goes on to the host.
#pragma once

#include <activex/control/Control.h>
#include <automation/PropertyBag.h>

namespace kesto::controls {

template <class C>
void loadAllOrNothing(C& control, automation::PropertyBag& bag) {
  automation::PropertyBag before;
  control.Save(before);
  const bool modified = control.modified();
  try {
    control.activex::template Control<C>::Load(bag);
  } catch (...) {
    control.activex::template Control<C>::Load(before);
    control.setModifiedFlag(modified);
    throw;
  }
}

}  // namespace kesto::controls
