#include "Schilder.h"

#include "Ausfolgeschein.h"
#include "Regalbeschriftung.h"
#include "Plakat.h"
#include "FrSchild.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  RegalschildEinrichten();
  PlakatEinrichten();
  FrSchildEinrichten();
}

}  // namespace vovida
