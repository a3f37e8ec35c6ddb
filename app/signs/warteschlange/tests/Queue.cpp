#include "Queue.h"

#include "Warteschlange.h"

namespace vovida::test {

QStringList abschnitte() {
  QStringList namen = WarteschlangeAbschnitte();
  namen.sort(Qt::CaseInsensitive);
  return namen;
}

}  // namespace vovida::test
