#include "Aktion.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "KestoapiHilfen.h"
#include "Schildarten.h"
#include "TextKonvertierung.h"
#include "frmAktionsauswahl.h"

#include <services/Locale.h>

namespace vovida {

QStringList Aktionsschluessel(const QString& antwort) {
  bool zahl = false;
  const int anzahl = TeilString(antwort, QStringLiteral("|"), 1).trimmed().toInt(&zahl);
  QStringList schluessel;
  if (!zahl) return schluessel;
  for (int i = 2; i <= anzahl + 1; ++i) {
    // An empty key would ask the server for the whole list again.
    const QString s = TeilString(antwort, QStringLiteral("|"), i);
    if (s.isEmpty()) break;
    schluessel << s;
  }
  return schluessel;
}

QString AktionsDatum(const QString& serverDatum) {
  const std::optional<QDate> datum = ServerDatumWandeln(serverDatum.trimmed());
  if (!datum) return {};
  return datum->toString(QString::fromStdString(kesto::services::localeFacts().dateFormat));
}

void AktionEinrichten() {
  SchildartDienste dienste;
  // In front of the main window like every editor; the preview keeps what it shows.
  dienste.editorZeigen = [] { FormZeigen<frmAktionsauswahl>(&fensterliste().holen<FMStart>()); };
  SchildartEintragen(QStringLiteral("AKTION"), std::move(dienste));
}

}  // namespace vovida
