// The shelf-label layout: every label of the shelf-label editor as a strip across an A4
// page, one under the other, with its bar code fetched from the server per label.
#pragma once

#include <QString>

namespace vovida {

// The layout entry of "SCHILD". An invalid height ends the run before the document
// starts ("Ungültige Schildhöhe"); a failed bar-code fetch leaves only that label
// without a bar code; any other failure ends the document and the run.
void RegalschilderDrucken();

// Registers editor, layout and article list of "SCHILD" with the main window.
void RegalschildEinrichten();

}  // namespace vovida
