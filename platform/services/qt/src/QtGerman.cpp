#include "services/qt/QtGerman.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kesto::services::qt {

bool installGermanUi() {
  const QLocale deutsch(QLocale::German, QLocale::Germany);
  QLocale::setDefault(deutsch);
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  // "qt_de" bundles the translations of Qt's modules, "qtbase_de" the widgets alone.
  static QTranslator* uebersetzung = nullptr;
  if (uebersetzung) return true;
  auto* neu = new QTranslator(app);
  const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!neu->load(deutsch, QStringLiteral("qtbase"), QStringLiteral("_"), ordner) &&
      !neu->load(deutsch, QStringLiteral("qt"), QStringLiteral("_"), ordner)) {
    delete neu;
    return false;
  }
  QCoreApplication::installTranslator(neu);
  uebersetzung = neu;
  return true;
}

}  // namespace kesto::services::qt
