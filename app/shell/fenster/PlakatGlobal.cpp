#include "PlakatGlobal.h"

#include "AOBStandard.h"
#include "Drehung.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "KestoapiHilfen.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"

#include <QCheckBox>
#include <QLabel>

#include <cmath>
#include <stdexcept>

namespace vovida {

using kesto::automation::Dispatch;

void ArtikelLesen(const QString& artikelNr, QVector<QVariant>& d) {
  if (artikelNr == u"0" || artikelNr.isEmpty()) return;
  if (d.size() < kArtikelDatenGroesse) throw std::out_of_range("ArtikelDaten: fewer than 14 positions");
  const KestoapiGlobale& g = kestoapi();
  Serverarbeit arbeit(true);
  const QString id = g.Firma + QStringLiteral("||") + artikelNr;

  QString vre, gpvme, gpvke, gpe;
  // A property that cannot be read is reported like an unknown article.
  const bool gelesen = serverFehlerAbfangen(
      [&] {
        ServerObjekt artikel(ObjektOeffnen(QStringLiteral("FRX.ArtHaupt1"), id));
        d[0] = Anzeigeform(*artikel, "Bez1", "Bez1LogicalToOdbc");
        d[1] = Anzeigeform(*artikel, "Bez2", "Bez2LogicalToOdbc");
        d[2] = Anzeigeform(*artikel, "Bez3", "Bez3LogicalToOdbc");
        vre = Eigenschaft(*artikel, "VRE");
        gpvme = Eigenschaft(*artikel, "GPVME");
        gpvke = Anzeigeform(*artikel, "GPVKE", "GPVKELogicalToOdbc");
        gpe = Anzeigeform(*artikel, "GPE", "GPELogicalToOdbc");
        d[6] = alsQVariant(artikel->get("TamselEAN"));
        d[8] = Anzeigeform(*artikel, "VKE", "VKELogicalToOdbc");
        d[9] = alsQVariant(artikel->get("VPI"));
        d[10] = alsQVariant(artikel->get("VRM"));
        d[11] = alsQVariant(artikel->get("VPM"));
        d[12] = alsQVariant(artikel->get("ATYP"));
        return true;
      },
      [&](const ServerFehler& fehler) {
        ZugriffsfehlerMelden(fehler, QStringLiteral("Angeforderte Artikelnummer (") + artikelNr +
                                         QStringLiteral(") nicht bekannt!"));
        return false;
      });
  if (!gelesen) {
    d[13] = QStringLiteral("Fehler");
    return;
  }
  d[8] = EinheitText(d[8].toString());

  QString schritt = QStringLiteral("Verkaufspreis");
  QString grundpreis;
  const bool preise = serverFehlerAbfangen(
      [&] {
        {
          ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
          d[3] = alsQVariant(windows->call("INKvkpreis", alsVariant(g.Firma), alsVariant(artikelNr)));
          grundpreis = PreisFormatieren(alsQVariant(windows->call("Grundpreis", alsVariant(g.Firma), alsVariant(artikelNr))));
        }
        d[4] = EinheitText(vre);
        schritt = QStringLiteral("KC");
        ServerObjekt vovida(KlasseOeffnen(QStringLiteral("GUI.Vovida")));
        d[7] = alsQVariant(vovida->call("KC", alsVariant(g.Firma), alsVariant(artikelNr)));
        return true;
      },
      [&](const ServerFehler& fehler) {
        ZugriffsfehlerMelden(fehler, QStringLiteral("Zu Angeforderter Artikelnummer (") + artikelNr +
                                         QStringLiteral(") ist Feldwert ") + schritt + QStringLiteral(" nicht bekannt!"));
        return false;
      });
  if (!preise) {
    d[13] = QStringLiteral("Fehler");
    return;
  }
  if (gpvme.isEmpty() || gpvke.isEmpty() || gpe.isEmpty()) {
    d[5] = QString();
  } else {
    const QString waehrung = fensterliste().holen<Preisinfo>().WWSHW->text();
    d[5] = gpvme + u' ' + gpvke + QStringLiteral(" (Grundpreis 1") + gpe + QStringLiteral(" = ") + grundpreis +
           u' ' + waehrung + u')';
  }
  d[13] = QStringLiteral("Ok");
}

void VorschauTimerNeustart() {
  FMStart& start = fensterliste().holen<FMStart>();
  start.VorschauVeraltet();
  start.BildAufbauen.setEnabled(false);
  if (start.AutoAktualisieren->isChecked()) start.BildAufbauen.setEnabled(true);
}

double RotiertX(double ursprung, double winkel, double dx, double dy) {
  return gedreht({ursprung, 0}, winkel, dx, dy).x;
}

double RotiertY(double ursprung, double winkel, double dx, double dy) {
  return gedreht({0, ursprung}, winkel, dx, dy).y;
}

}  // namespace vovida
