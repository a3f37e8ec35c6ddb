#include "Warteschlange.h"

#include "clsRegistry.h"

#include <registry/Settings.h>

#include <QSet>

#include <stdexcept>
#include <string>

namespace vovida {

namespace {

QString schluesselPfad() {
  return QStringLiteral("HKCU\\Software\\VB and VBA Program Settings\\") + QString::fromUtf8(kWarteschlangeAnwendung) +
         u'\\';
}

}  // namespace

QString Abschnittsname(const QString& artNr) {
  QString name = artNr;
  name.replace(u'%', QStringLiteral("%25"));
  name.replace(u'\\', QStringLiteral("%5C"));
  return name;
}

QString WarteschlangeLesen(const QString& artNr, const char* schluessel) {
  return QString::fromStdString(kesto::registry::GetSetting(kWarteschlangeAnwendung, Abschnittsname(artNr).toStdString(),
                                                            schluessel, ""));
}

void WarteschlangeSchreiben(const QString& artNr, const char* schluessel, const QString& wert) {
  kesto::registry::SaveSetting(kWarteschlangeAnwendung, Abschnittsname(artNr).toStdString(), schluessel,
                               wert.toStdString());
}

QStringList WarteschlangeAbschnitte() {
  clsRegistry registry;
  registry.setKey(schluesselPfad());
  if (!registry.KeyExists()) return {};
  return registry.regEnum();
}

void WarteschlangeLeeren(const QStringList& behalten) {
  if (behalten.isEmpty()) {
    // Nothing to keep: the queue goes as one subtree, sections and all.
    clsRegistry schlange;
    schlange.setKey(schluesselPfad());
    if (!schlange.KeyExists()) return;
    if (const std::int32_t rc = schlange.delKey(); rc != 0)
      throw std::runtime_error("Warteschlange nicht gelöscht (" + std::to_string(rc) + ")");
    return;
  }
  QSet<QString> bleiben;
  for (const QString& nr : behalten) bleiben.insert(Abschnittsname(nr).toLower());
  const QStringList abschnitte = WarteschlangeAbschnitte();
  for (qsizetype i = abschnitte.size() - 1; i >= 0; --i) {
    if (bleiben.contains(abschnitte[i].toLower())) continue;
    clsRegistry abschnitt;
    abschnitt.setKey(schluesselPfad() + abschnitte[i] + u'\\');
    if (!abschnitt.KeyExists()) continue;
    if (const std::int32_t rc = abschnitt.delKey(); rc != 0)
      throw std::runtime_error("Abschnitt " + abschnitte[i].toStdString() + " nicht gelöscht (" + std::to_string(rc) + ")");
  }
}

}  // namespace vovida
