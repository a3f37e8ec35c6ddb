#include "Schilder.h"

namespace vovida {

void SchilderEinrichten() {
  // Each sign kind adds its SchildartEintragen/SchildfensterEintragen here.
}

}  // namespace vovida
