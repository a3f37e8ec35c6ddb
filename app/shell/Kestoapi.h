// The one way to the database server: the login globals, the factory object connected on
// demand with bounded attempts, and the begin/end bracket around every server operation
// that shows the hourglass and holds off the idle disconnect.
#pragma once

#include "ServerFehler.h"

#include <QString>

#include <automation/Dispatch.h>

#include <functional>

namespace vovida {

// Module globals of the server-access module.
struct KestoapiGlobale {
  QString Firma;
  QString Filiale;
  QString LoginBenutzer;
  QString LoginPasswort;  // in memory only; never logged
  QString ServerAdresse;
  QString ServerPort;
  QString ServerNamespace;
  QString Verbindungstext;
  kesto::automation::Dispatch FactoryObjekt;
  bool LoginErzwingen = false;
  bool LoginFehlgeschlagen = false;
  QString Benutzerkennung;
  QString PersonalName;
  QString Abteilung;
  QString Berechtigungsgruppe;
  QString Durchwahl;
  QString Fax;
  QString Email;
};

KestoapiGlobale& kestoapi();

// What the module needs of the login windows; the window layer installs it.
struct KestoapiFenster {
  std::function<void(bool)> LockSchalten;                // enables or stops FMServer's Lock
  std::function<void()> ServerEinstellungenModal;        // FMServer, modally
  std::function<void()> ServerEinstellungenVerbergen;    // hides FMServer
  std::function<void()> AnmeldungAbbrechen;              // FMPass.BUAusst_Click: ends the program
};
void setKestoapiFenster(KestoapiFenster fenster);

// Makes the factory objects; the default creates "KestoObject.Factory" by class name.
using FabrikErzeuger = std::function<kesto::automation::Dispatch()>;
void setFabrikErzeuger(FabrikErzeuger erzeuger);

// At the program's end: disconnects and drops the factory object, so that nothing of the
// object library is left to release after the library's own state has gone.
void ServerobjekteFreigeben();

// Globals, windows hooks, creator and bracket depth back to the start (tests).
void kestoapiZuruecksetzen();

// The bracket. Beginnen connects on demand and may end the program when no attempt
// succeeds; a nested bracket restarts the idle countdown only at its outermost end.
void ServerarbeitBeginnen(bool sanduhr = false);
void ServerarbeitBeenden(bool zeigerZuruecksetzen = false);
int Serverarbeitstiefe();

// Begins in the constructor and ends once in the destructor, on every path.
class Serverarbeit {
 public:
  explicit Serverarbeit(bool sanduhr = false) : sanduhr_(sanduhr) { ServerarbeitBeginnen(sanduhr); }
  ~Serverarbeit() { ServerarbeitBeenden(sanduhr_); }
  Serverarbeit(const Serverarbeit&) = delete;
  Serverarbeit& operator=(const Serverarbeit&) = delete;

 private:
  bool sanduhr_;
};

// "cn_iptcp:" + address + "[" + port + "]:Ferrix"; the namespace is always "Ferrix".
QString verbindungstext();

void ServerVerbinden();
void ServerTrennen();
// The link went down under a connected factory: not dropped on purpose, not while
// connecting, and the factory no longer reports a connection.
bool VerbindungAbgerissen();
// The connection attempts of ServerVerbinden at once, with their messages and settings
// window; ends the program when none succeeds.
void VerbindungWiederaufnehmen();

// The idle timer's tick: disconnects unless a server operation is running.
void LockAbgelaufen();

// Calls "SYS_Close", ignoring its errors, and drops the reference.
void ObjektSchliessen(kesto::automation::Dispatch& objekt);

// Factory members by their dispatch identifiers.
kesto::automation::Dispatch ObjektOeffnen(const QString& klasse, const QString& id);  // OpenId
kesto::automation::Dispatch KlasseOeffnen(const QString& klasse);                      // Static

// An opened server object that is closed when the scope ends.
class ServerObjekt {
 public:
  explicit ServerObjekt(kesto::automation::Dispatch objekt) : objekt_(std::move(objekt)) {}
  ~ServerObjekt() { ObjektSchliessen(objekt_); }
  ServerObjekt(const ServerObjekt&) = delete;
  ServerObjekt& operator=(const ServerObjekt&) = delete;
  const kesto::automation::Dispatch& operator*() const { return objekt_; }
  const kesto::automation::Dispatch* operator->() const { return &objekt_; }

 private:
  kesto::automation::Dispatch objekt_;
};

// The property's value, and its display form through the method named after it with
// "LogicalToODBC" appended.
QString Eigenschaft(const kesto::automation::Dispatch& objekt, const char* name);
QString Anzeigeform(const kesto::automation::Dispatch& objekt, const char* name,
                    const char* methode);

// A text as a string of the server language: in double quotes, inner quotes doubled and
// control characters dropped, so that no typed or stored value is spliced in raw.
QString ServerZeichenkette(const QString& text);

// "S FIRMA=...,FIL=...,PERSONAL=..." with every value quoted.
QString KontextBefehl(const QString& personal);

}  // namespace vovida
