#include "Schilder.h"

#include "Aktion.h"
#include "Ausfolgeschein.h"
#include "Plakat.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  PlakatEinrichten();
  AktionEinrichten();
}

}  // namespace vovida
