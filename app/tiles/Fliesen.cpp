#include "Fliesen.h"

namespace vovida {

void FliesenEinrichten() {}

}  // namespace vovida
