#include "Anmeldung.h"

#include "FMPass.h"
#include "FMStart.h"
#include "FMServer.h"
#include "Fehlertexte.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "KestoapiHilfen.h"
#include "ServerZugriff.h"
#include "Tastatur.h"

#include <QLineEdit>

#include <registry/Settings.h>
#include <services/MessageBox.h>

namespace vovida {

namespace {

QString einstellung(const char* schluessel, const char* vorgabe) {
  return QString::fromStdString(kesto::registry::GetSetting("Kesto Login", "Login", schluessel, vorgabe));
}

// The staff record's data into the globals; schritt names the step for the report.
void benutzerdatenLesen(const kesto::automation::Dispatch& personal, QString& schritt) {
  KestoapiGlobale& g = kestoapi();
  const QString name = Anzeigeform(personal, "PNAME", "PNAMELogicalToODBC");
  g.Benutzerkennung = g.LoginBenutzer + u'|' + name;
  g.PersonalName = name;
  const QString abteilung = Eigenschaft(personal, "ABTNR");
  g.Durchwahl = Eigenschaft(personal, "DW");
  g.Berechtigungsgruppe = Eigenschaft(personal, "BERGRP");
  const QString pnr = Eigenschaft(personal, "PNR");

  schritt = QStringLiteral("Abteilungsermittlung");
  {
    ServerObjekt abt(ObjektOeffnen(QStringLiteral("FRX.ParPersAbt"), g.Firma + QStringLiteral("||") + abteilung));
    g.Abteilung = Anzeigeform(*abt, "abtbez", "ABTBEZlogicaltoodbc");
  }
  schritt = QStringLiteral("PersBasis Nummern");
  ServerObjekt basis(ObjektOeffnen(QStringLiteral("FRX.PersBasis"), g.Firma + QStringLiteral("||") + pnr));
  g.Fax = Eigenschaft(*basis, "FAX");
  g.Email = Anzeigeform(*basis, "email", "EMAILLogicalToodbc");
}

}  // namespace

void LoginEinstellungenLesen() {
  KestoapiGlobale& g = kestoapi();
  g.Firma = einstellung("Firma", "1");
  g.Filiale = einstellung("Filiale", "0");
  g.ServerAdresse = einstellung("Server", kStandardServer);
  g.ServerPort = einstellung("Port", "1973");
  g.ServerNamespace = einstellung("Namespace", "Ferrix");
  g.LoginBenutzer = einstellung("Name", "");
  FMPass& pass = fensterliste().holen<FMPass>();
  FMServer& server = fensterliste().holen<FMServer>();
  g.LoginPasswort = pass.BPASSWORT->text();
  server.BFIRMA->setText(g.Firma);
  server.BFIL->setText(g.Filiale);
  server.BSERVERIP->setText(g.ServerAdresse);
  server.BPORT->setText(g.ServerPort);
  server.BNAMESPACE->setText(g.ServerNamespace);
  pass.BUSER->setText(g.LoginBenutzer);
}

void VerbindungVorbereiten() {
  LoginEinstellungenLesen();
  const KestoapiGlobale& g = kestoapi();
  if (g.LoginErzwingen || g.LoginFehlgeschlagen || g.LoginBenutzer.isEmpty() || g.LoginPasswort.isEmpty()) {
    FMPass& pass = fensterliste().holen<FMPass>();
    if (!pass.isVisible()) ModalZeigen(pass);
    LoginEinstellungenLesen();
  }
  kestoapi().Verbindungstext = verbindungstext();
}

bool Anmelden() {
  KestoapiGlobale& g = kestoapi();
  g.Benutzerkennung.clear();
  VerbindungVorbereiten();
  QString schritt;
  bool erfolg = false;
  const bool weiter = serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        schritt = QStringLiteral("Anmeldung mit nicht existierendem Personalcode");
        ServerObjekt personal(ObjektOeffnen(QStringLiteral("FRX.ParPersEdv"), g.Firma + QStringLiteral("||") + g.LoginBenutzer));
        // The server keeps the password readable; it is compared here and never logged.
        if (Eigenschaft(*personal, "Passwort") != g.LoginPasswort || Eigenschaft(*personal, "AKTIV") != u"J") {
          kesto::services::messageBox("Passwort Falsch oder Benutzer nicht Aktiv.", "Anmeldung an Kesto.",
                                      MB_OK | MB_ICONINFORMATION);
          g.LoginFehlgeschlagen = true;
          TextMarkieren(*fensterliste().holen<FMPass>().BPASSWORT);
          return true;
        }
        benutzerdatenLesen(*personal, schritt);
        if (!g.Benutzerkennung.isEmpty()) {
          schritt = QStringLiteral("Firma Filiale Personal Setzen");
          ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
          windows->call("Xecute", alsVariant(KontextBefehl(g.Benutzerkennung.section(u'`', 0, 0))));
          g.LoginFehlgeschlagen = false;
          erfolg = true;
        }
        return true;
      },
      [&](const ServerFehler& fehler) {
        g.LoginFehlgeschlagen = true;
        g.LoginErzwingen = true;
        g.Benutzerkennung.clear();
        ZugriffsfehlerMelden(fehler, schritt);
        return false;
      });
  if (!weiter) return false;
  fensterliste().holen<FMPass>().hide();
  fensterliste().holen<FMServer>().hide();
  return erfolg;
}

bool BenutzerWechseln() {
  const KestoapiGlobale vorher = kestoapi();
  ServerTrennen();
  if (Anmelden()) return true;
  // The connection made for the new user carries its context: drop it, and the next
  // operation connects again for the previous user.
  ServerTrennen();
  KestoapiGlobale& g = kestoapi();
  const bool erzwingen = g.LoginErzwingen;
  g = vorher;
  g.LoginErzwingen = erzwingen;
  g.FactoryObjekt = kesto::automation::Dispatch();
  fensterliste().holen<FMPass>().show();
  return false;
}

void ShellEinrichten() {
  KestoapiFenster fenster;
  fenster.LockSchalten = [](bool an) { fensterliste().holen<FMServer>().Lock.setEnabled(an); };
  fenster.ServerEinstellungenModal = [] { ModalZeigen(fensterliste().holen<FMServer>()); };
  fenster.ServerEinstellungenVerbergen = [] {
    if (fensterliste().geladen<FMServer>()) fensterliste().holen<FMServer>().hide();
  };
  fenster.AnmeldungAbbrechen = [] { fensterliste().holen<FMPass>().BUAusst_Click(); };
  setKestoapiFenster(std::move(fenster));
  BeimProgrammende("Plakatart", SchildartSichern);
  ServerSuchenEinrichten();
  TastenpaareEinrichten();
  BibliotheksmeldungenEindeutschen();
}

}  // namespace vovida
