#include "Textkoerper.h"

#include <QFile>

#include <text/CodePage.h>

#include <stdexcept>

namespace vovida {

void RtfCodeKoerper::SaveFile(const QString& pfad) {
  const std::string bytes = kesto::text::toNarrow(code_.toStdU16String());
  QFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      datei.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    throw std::runtime_error(
        QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.").arg(pfad).toStdString());
  }
}

int RtfCodeKoerper::LoadFile(const QString& pfad) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return 1;
  const QByteArray bytes = datei.readAll();
  code_ = QString::fromStdU16String(kesto::text::toWide(std::string_view(bytes.constData(), bytes.size())));
  return 0;
}

}  // namespace vovida
