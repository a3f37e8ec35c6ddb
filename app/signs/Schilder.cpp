#include "Schilder.h"

#include "Aktion.h"
#include "Ausfolgeschein.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  AktionEinrichten();
}

}  // namespace vovida
