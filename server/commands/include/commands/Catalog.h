#pragma once
// The complete class catalog of the server: the class tables with their special methods
// ("Xecute", "INKvkpreis", "Grundpreis", "EANNr", "KC", "aktionskennzeichen", "aktion",
// "GetArtNr", "FlTypeName") bound to their handlers.

#include "model/ClassDef.h"

namespace kesto::server::commands {

const model::Catalog& serverCatalog();

}  // namespace kesto::server::commands
