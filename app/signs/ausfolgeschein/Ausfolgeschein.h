// The delivery slip (sign kind "AUSFOLGESCHEIN"): the slip of the editor window twice on
// an A4 page, in the upper and in the lower half.
#pragma once

namespace vovida {

// The layout entry: draws the whole preview document on the main window's preview.
void AusfolgescheinZeichnen();

// Registers the editor and the layout for the sign kind "AUSFOLGESCHEIN".
void AusfolgescheinEinrichten();

}  // namespace vovida
