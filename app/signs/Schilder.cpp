#include "Schilder.h"

#include "Aktion.h"
#include "Ausfolgeschein.h"
#include "Regalbeschriftung.h"
#include "Plakat.h"
#include "Personalschild.h"
#include "FrSchild.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  RegalschildEinrichten();
  PlakatEinrichten();
  AktionEinrichten();
  PersonalschildEinrichten();
  FrSchildEinrichten();
}

}  // namespace vovida
