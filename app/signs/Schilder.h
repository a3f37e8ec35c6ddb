// The sign modules of the main window: the poster kinds and the sign kinds that share the
// article queue. One call at start-up registers their editors and layouts.
#pragma once

namespace vovida {

// Fills in the main window's services (SchildartEintragen, SchildfensterEintragen) for
// the codes of the sign modules. Safe to call again (tests clear and refill the tables).
void SchilderEinrichten();

}  // namespace vovida
