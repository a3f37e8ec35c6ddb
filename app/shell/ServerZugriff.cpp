#include "ServerZugriff.h"

#include "AOBStandard.h"
#include "Fehlertexte.h"
#include "Kestoapi.h"
#include "KestoapiHilfen.h"
#include "TextKonvertierung.h"

#include <services/Cursor.h>
#include <services/MessageBox.h>

namespace vovida {

using kesto::automation::Dispatch;

namespace {

QString parameterId(const QString& gruppe, const QString& schluessel) {
  return kestoapi().Firma + QStringLiteral("||") + gruppe + QStringLiteral("||") + schluessel;
}

const QString kParameterKlasse = QStringLiteral("FRX.ParAnwPar");

// The output of one "Xecute" call, inside its own bracket.
QString xecute(const QString& zeile) {
  Serverarbeit arbeit;
  ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
  return alsText(windows->call("Xecute", alsVariant(zeile)));
}

QString anfrageFehler(const char* aufruf, const QString& zeile) {
  return QStringLiteral("Ungültige Anfrage! Kein Ergebnis gefunden\r\n\r\n") +
         QLatin1String(aufruf) + QStringLiteral(" Aufruf von FRX.Windwos Xecute ") + zeile;
}

QString alsServertext(const QVariant& wert) {
  return TextKonvertieren(wert.toString(), QStringLiteral("GUIFerrix"), false);
}

int abrisse = 0;

}  // namespace

int VerbindungsabrisseGemeldet() { return abrisse; }

void ZugriffsfehlerMelden(const ServerFehler& fehler, const QString& schritt) {
  if (VerbindungAbgerissen()) {
    ++abrisse;
    // One message for the lost link instead of one per operation, then the connection
    // attempts at once; the operations after them reach the server again.
    const QString text = QStringLiteral("Die Verbindung zum Server ist unterbrochen.\r\n\r\nVorgang: ") + schritt +
                         QStringLiteral(".\r\n\r\nDie Verbindung wird neu aufgebaut.");
    kesto::services::messageBox(text.toStdString(), "Kesto Zugriffsfehler", MB_OK | MB_ICONEXCLAMATION);
    kesto::services::setCursorShape(kesto::services::CursorShape::Default);
    VerbindungWiederaufnehmen();
    if (Serverarbeitstiefe() == 0) ServerarbeitBeenden(false);
    return;
  }
  // The libraries' words follow the program's own German ones as detail.
  const QString text = QStringLiteral("Vorgang: ") + schritt + QStringLiteral(".\r\n\r\nFehler: ") +
                       QString::number(fehler.Number()) + QStringLiteral("\r\n") +
                       FehlerMitEinzelheiten(fehler.Description()) + QStringLiteral("\r\n\r\n");
  kesto::services::messageBox(text.toStdString(), "Kesto Zugriffsfehler", MB_OK | MB_ICONEXCLAMATION);
  // The bracket of the failed operation ends itself; outside one this restarts the idle
  // countdown as the end of an operation does.
  kesto::services::setCursorShape(kesto::services::CursorShape::Default);
  if (Serverarbeitstiefe() == 0) ServerarbeitBeenden(false);
}

QVariant ParameterLesen(const QString& gruppe, const QString& schluessel, bool beschreibung,
                        const QVariant& vorgabe, bool roh) {
  return serverFehlerAbfangen(
      [&]() -> QVariant {
        Serverarbeit arbeit;
        ServerObjekt parameter(ObjektOeffnen(kParameterKlasse, parameterId(gruppe, schluessel)));
        if (beschreibung) return Anzeigeform(*parameter, "Beschreibung", "BeschreibungLogicalToODBC");
        if (!roh) return Anzeigeform(*parameter, "Parameter", "parameterLogicalToODBC");
        return alsQVariant(parameter->get("Parameter"));
      },
      [&](const ServerFehler& fehler) {
        ZugriffsfehlerMelden(fehler, QStringLiteral("Lese Parameter Gruppe ") + gruppe +
                                         QStringLiteral(" Objekt ") + schluessel);
        return vorgabe;
      });
}

QString ParameterText(const QString& gruppe, const QString& schluessel, bool beschreibung) {
  return ParameterLesen(gruppe, schluessel, beschreibung, QString()).toString();
}

void ParameterSchreiben(const QString& gruppe, const QString& schluessel, const QVariant& wert,
                        bool beschreibung, bool roh) {
  serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        // OpenId fails for a key that does not exist: nothing is created.
        ServerObjekt parameter(ObjektOeffnen(kParameterKlasse, parameterId(gruppe, schluessel)));
        if (beschreibung)
          parameter->put("Beschreibung", alsVariant(alsServertext(wert)));
        else
          parameter->put("Parameter", roh ? alsVariant(wert) : alsVariant(alsServertext(wert)));
        parameter->call("sys_Save");
      },
      [&](const ServerFehler& fehler) {
        ZugriffsfehlerMelden(fehler, QStringLiteral("Schreibe Parameter Gruppe ") + gruppe +
                                         QStringLiteral(" Objekt ") + schluessel);
      });
}

QString ServerAusfuehren(const QString& zeile) {
  return serverFehlerAbfangen([&] { return xecute(zeile); },
                              [&](const ServerFehler& fehler) {
                                ZugriffsfehlerMelden(fehler, anfrageFehler("DBCall", zeile));
                                return QString();
                              });
}

int ServerAbfrage(const QString& zeile, QChar trenner, QStringList& liste) {
  bool fehlgeschlagen = false;
  const QString ausgabe = serverFehlerAbfangen([&] { return xecute(zeile); },
                                               [&](const ServerFehler& fehler) {
                                                 ZugriffsfehlerMelden(fehler, anfrageFehler("DBCallD", zeile));
                                                 fehlgeschlagen = true;
                                                 return QString();
                                               });
  if (fehlgeschlagen) return 0;
  QStringList stuecke = ausgabe.split(trenner);
  if (!stuecke.isEmpty() && stuecke.last().isEmpty()) stuecke.removeLast();
  while (liste.size() <= stuecke.size()) liste.append(QString());
  for (qsizetype i = 0; i < stuecke.size(); ++i) liste[i + 1] = stuecke[i];
  return static_cast<int>(stuecke.size());
}

void ServerSuchenEinrichten() {
  setEinheitSuche([](const QString& code) {
    return serverFehlerAbfangen(
        [&] {
          Serverarbeit arbeit;
          Dispatch einheit;
          // Errors of the open are ignored; the read below then fails and is reported.
          serverFehlerAbfangen(
              [&] { einheit = ObjektOeffnen(QStringLiteral("FRX.ParEinh"), kestoapi().Firma + QStringLiteral("||") + code); },
              [](const ServerFehler&) {});
          ServerObjekt offen(einheit);
          if (!einheit) throw ServerFehler(9991, QStringLiteral("Einheit nicht gefunden"));
          return Anzeigeform(*offen, "Name", "NameLogicalToODBC");
        },
        [&](const ServerFehler& fehler) {
          ZugriffsfehlerMelden(fehler, QStringLiteral("Das Einheitenkürzel ") + code +
                                           QStringLiteral(" kann nicht in Klartext übersetzt werden"));
          return QString();
        });
  });
  setEanSuche([](const QString& ean) {
    return serverFehlerAbfangen(
        [&] {
          Serverarbeit arbeit;
          ServerObjekt suche(KlasseOeffnen(QStringLiteral("FRX.ArtMaEan")));
          return alsText(suche->call("GetArtNr", alsVariant(kestoapi().Firma), alsVariant(ean)));
        },
        [](const ServerFehler&) { return QString(); });  // errors end as "EAN nicht gefunden"
  });
}

}  // namespace vovida
