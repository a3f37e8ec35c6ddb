#include "Schilder.h"

#include "Ausfolgeschein.h"
#include "Personalschild.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  PersonalschildEinrichten();
}

}  // namespace vovida
