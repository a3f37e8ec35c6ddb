#include "Queue.h"

#include "Warteschlange.h"

#include <QVBoxLayout>

namespace vovida::test {

void inSpalte(QWidget& fenster) {
  auto* spalte = new QVBoxLayout(&fenster);
  for (QWidget* w : fenster.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) spalte->addWidget(w);
}

QStringList abschnitte() {
  QStringList namen = WarteschlangeAbschnitte();
  namen.sort(Qt::CaseInsensitive);
  return namen;
}

}  // namespace vovida::test
