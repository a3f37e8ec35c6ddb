#include "Warteschlangenlisten.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <registry/Settings.h>

#include <optional>
#include <stdexcept>

namespace vovida {

namespace {

constexpr const char* kAnwendung = "Vovida";
constexpr const char* kAbschnitt = "Warteschlangen";

std::optional<QStringList> entschluesseln(const std::string& wert) {
  const QJsonDocument dokument = QJsonDocument::fromJson(QByteArray::fromStdString(wert));
  if (!dokument.isArray()) return std::nullopt;
  QStringList liste;
  for (const QJsonValue& eintrag : dokument.array()) {
    if (!eintrag.isString()) return std::nullopt;
    liste << eintrag.toString();
  }
  return liste;
}

}  // namespace

QStringList ListeLesen(const QString& fenster) {
  const std::string wert = kesto::registry::GetSetting(kAnwendung, kAbschnitt, fenster.toStdString());
  if (wert.empty()) return {};
  const std::optional<QStringList> liste = entschluesseln(wert);
  if (!liste)
    throw std::runtime_error("Die gespeicherte Artikelliste von " + fenster.toStdString() +
                             " ist unlesbar und wird nicht geladen.");
  return *liste;
}

void ListeSchreiben(const QString& fenster, const QStringList& liste) {
  const QByteArray json = QJsonDocument(QJsonArray::fromStringList(liste)).toJson(QJsonDocument::Compact);
  kesto::registry::SaveSetting(kAnwendung, kAbschnitt, fenster.toStdString(), json.toStdString());
}

void ListeLoeschen(const QString& fenster) {
  kesto::registry::DeleteSetting(kAnwendung, kAbschnitt, fenster.toStdString());
}

QStringList AndereGespeicherteListen(const QString& fenster) {
  QStringList eintraege;
  for (const auto& [name, wert] : kesto::registry::GetAllSettings(kAnwendung, kAbschnitt)) {
    if (QString::fromStdString(name).compare(fenster, Qt::CaseInsensitive) == 0) continue;
    if (const std::optional<QStringList> liste = entschluesseln(wert)) eintraege += *liste;
  }
  return eintraege;
}

}  // namespace vovida
