#include "Schilder.h"

#include "Ausfolgeschein.h"
#include "Personalschild.h"
#include "Regalbeschriftung.h"
#include "Plakat.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  PersonalschildEinrichten();
  RegalschildEinrichten();
  PlakatEinrichten();
}

}  // namespace vovida
