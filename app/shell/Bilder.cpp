#include "Bilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <automation/Picture.h>
#include <registry/Settings.h>

namespace vovida {

namespace {

using kesto::automation::PictureFormat;

// The mapped folder of a prefix, or the prefix itself when none is stored.
QString praefixAbbilden(const QString& praefix) {
  const std::string ziel = kesto::registry::GetSetting("Vovida", "Pfade", praefix.toStdString());
  return ziel.empty() ? QString() : QString::fromStdString(ziel);
}

// Each name below the base matched without regard to case when the exact one is missing.
QString ohneGrossKlein(const QString& basis, const QStringList& teile) {
  QString pfad = basis;
  for (const QString& teil : teile) {
    if (teil.isEmpty()) continue;
    const QString genau = QDir(pfad).filePath(teil);
    if (QFileInfo::exists(genau)) {
      pfad = genau;
      continue;
    }
    QString gefunden;
    for (const QString& name : QDir(pfad).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
      if (name.compare(teil, Qt::CaseInsensitive) == 0) {
        gefunden = name;
        break;
      }
    }
    pfad = QDir(pfad).filePath(gefunden.isEmpty() ? teil : gefunden);
  }
  return pfad;
}

}  // namespace

QString PfadAbbilden(const QString& windowsPfad) {
  QString rest = windowsPfad;
  QString basis = QStringLiteral("/");
  if (rest.size() >= 2 && rest[1] == u':' && rest[0].isLetter()) {
    const QString ziel = praefixAbbilden(rest.left(2).toUpper());
    if (!ziel.isEmpty()) basis = ziel;
    rest = rest.mid(2);
  } else if (rest.startsWith(QStringLiteral("\\\\"))) {
    // "\\server\share" is the prefix.
    const qsizetype server = rest.indexOf(u'\\', 2);
    const qsizetype freigabe = server < 0 ? -1 : rest.indexOf(u'\\', server + 1);
    const QString praefix = freigabe < 0 ? rest : rest.left(freigabe);
    const QString ziel = praefixAbbilden(praefix);
    if (!ziel.isEmpty()) basis = ziel;
    rest = freigabe < 0 ? QString() : rest.mid(freigabe);
  } else if (!rest.startsWith(u'\\') && !rest.startsWith(u'/')) {
    basis = QDir::currentPath();
  }
  rest.replace(u'\\', u'/');
  return QDir::cleanPath(ohneGrossKlein(basis, rest.split(u'/')));
}

std::optional<QImage> BildLaden(const QString& windowsPfad) {
  QFile datei(PfadAbbilden(windowsPfad));
  if (!datei.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray daten = datei.readAll();
  switch (kesto::automation::detectPictureFormat(daten.constData(), static_cast<std::size_t>(daten.size()))) {
    case PictureFormat::Bmp:
    case PictureFormat::Jpeg:
    case PictureFormat::Gif:
    case PictureFormat::Png:
    case PictureFormat::Ico: {
      QImage bild = QImage::fromData(daten);
      if (bild.isNull()) return std::nullopt;
      return bild;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace vovida
