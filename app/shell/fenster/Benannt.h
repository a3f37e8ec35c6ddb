// Windows name their controls as the handlers and tests find them.
#pragma once

#include <QObject>
#include <QString>

namespace vovida {

// The control with its object name set (UTF-8: some names carry umlauts).
template <class T>
T* benannt(T* objekt, const char* name) {
  objekt->setObjectName(QString::fromUtf8(name));
  return objekt;
}
template <class T>
T* benannt(T* objekt, const QString& name) {
  objekt->setObjectName(name);
  return objekt;
}

}  // namespace vovida
