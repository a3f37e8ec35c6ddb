#include "RuntimeError.h"

namespace vovida {

RuntimeError::RuntimeError(std::int32_t number, QString source, QString description)
    : std::runtime_error((source + QStringLiteral(": ") + description).toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

void typenUnvertraeglich(const QString& source) {
  throw RuntimeError(kFehlerTypen, source, QStringLiteral("Typen unverträglich"));
}

void ueberlauf(const QString& source) {
  throw RuntimeError(kFehlerUeberlauf, source, QStringLiteral("Überlauf"));
}

}  // namespace vovida
