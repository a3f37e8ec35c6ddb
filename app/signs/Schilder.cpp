#include "Schilder.h"

#include "Ausfolgeschein.h"
#include "FrSchild.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind registers its editor and layout with the main window.
  AusfolgescheinEinrichten();
  FrSchildEinrichten();
}

}  // namespace vovida
