// Text that must be read against a filled background.
#pragma once

#include <activex/Colour.h>

namespace vovida {

// The text colour itself while it stands out against the background; otherwise white or
// black, whichever stands out more (contrast ratio of relative luminances below 3).
kesto::activex::Colour LesbareFarbe(kesto::activex::Colour text, kesto::activex::Colour hintergrund);

}  // namespace vovida
