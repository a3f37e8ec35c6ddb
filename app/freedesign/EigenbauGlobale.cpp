#include "EigenbauGlobale.h"

namespace vovida {

EigenbauGlobale& eigenbauGlobale() {
  static EigenbauGlobale globale;
  return globale;
}

void eigenbauGlobaleZuruecksetzen() { eigenbauGlobale() = EigenbauGlobale{}; }

}  // namespace vovida
