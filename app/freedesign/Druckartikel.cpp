#include "Druckartikel.h"

#include "Kestoapi.h"

#include <exception>

namespace vovida {

QStringList DruckartikelZeilen(const QStringList& artikelNummern) {
  QStringList zeilen;
  const Serverarbeit arbeit(false);
  for (const QString& nr : artikelNummern) {
    QString bezeichnung;
    try {
      const ServerObjekt artikel(ObjektOeffnen(QStringLiteral("FRX.ArtHaupt1"), kestoapi().Firma + QStringLiteral("||") + nr));
      bezeichnung = Anzeigeform(*artikel, "Bez1", "Bez1LogicalToOdbc");
    } catch (const std::exception&) {
      // Not found or not readable: the page is listed all the same, without a text.
    }
    zeilen.append(u';' + nr + u';' + bezeichnung);
  }
  return zeilen;
}

}  // namespace vovida
