// The tile signs: sale signs (sign kind "FVK") and tile labels ("A7"). One call at start-up
// registers their editor and layout with the main window.
#pragma once

namespace vovida {

// Fills in the main window's services for "FVK" and "A7". Safe to call again.
void FliesenEinrichten();

}  // namespace vovida
