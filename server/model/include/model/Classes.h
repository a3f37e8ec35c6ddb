#pragma once
// The classes of the package FRX, GUI.Vovida and the query-only classes, as data.
// Special methods carry no handler here; the command module binds them
// (commands::serverCatalog() is the complete catalog).

#include "model/ClassDef.h"

namespace kesto::server::model {

Catalog applicationClasses();

}  // namespace kesto::server::model
