#include "Kestoapi.h"

#include "KestoapiHilfen.h"

#include <registry/Settings.h>
#include <services/Cursor.h>
#include <services/MessageBox.h>
#include <services/Program.h>

#include <utility>

namespace vovida {

using kesto::automation::Arg;
using kesto::automation::Dispatch;
using kesto::automation::Variant;

namespace {

// Dispatch identifiers of the factory's members.
constexpr DISPID kConnect = 1;
constexpr DISPID kDisconnect = 2;
constexpr DISPID kOpenId = 7;
constexpr DISPID kStatic = 8;
constexpr DISPID kIsConnected = 10;

struct Zustand {
  KestoapiGlobale globale;
  KestoapiFenster fenster;
  FabrikErzeuger erzeuger;
  int tiefe = 0;
  bool verbindet = false;
  bool getrennt = false;  // ServerTrennen dropped the link on purpose
};

Zustand& zustand() {
  static Zustand z;
  return z;
}

Dispatch standardFabrik() { return Dispatch::create("KestoObject.Factory"); }

Variant fabrikAufruf(DISPID id, std::initializer_list<Arg> args) {
  const Dispatch& fabrik = zustand().globale.FactoryObjekt;
  if (!fabrik) throw ServerFehler(9991, QStringLiteral("Keine Verbindung zum Server"));
  return fabrik.invoke(id, DISPATCH_METHOD, std::span<const Arg>(args.begin(), args.size()));
}

bool istVerbunden() {
  try {
    return fabrikAufruf(kIsConnected, {}).toBool();
  } catch (...) {
    return false;  // no factory yet counts as not connected
  }
}

void lockSchalten(bool an) {
  if (zustand().fenster.LockSchalten) zustand().fenster.LockSchalten(an);
}

void aufrufen(const std::function<void()>& f) {
  if (f) f();
}

}  // namespace

QString verbindungstext() {
  const KestoapiGlobale& g = zustand().globale;
  // The namespace is always "Ferrix", whatever the setting says.
  return QStringLiteral("cn_iptcp:") + g.ServerAdresse + u'[' + g.ServerPort + QStringLiteral("]:Ferrix");
}

namespace {

// One attempt: a new factory, Connect and IsConnected both called.
bool verbindungsversuch() {
  KestoapiGlobale& g = zustand().globale;
  try {
    g.FactoryObjekt = zustand().erzeuger ? zustand().erzeuger() : standardFabrik();
  } catch (...) {
    g.FactoryObjekt = Dispatch();
    return false;
  }
  bool verbunden = false;
  try {
    verbunden = fabrikAufruf(kConnect, {alsVariant(g.Verbindungstext)}).toBool();
  } catch (...) {
  }
  const bool bestaetigt = istVerbunden();
  return verbunden && bestaetigt;
}

void kontextSetzen() {
  ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
  windows->call("Xecute", alsVariant(KontextBefehl(kestoapi().LoginBenutzer)));
  windows->call("Xecute", alsVariant(QStringLiteral("D ^%XTT")));
}

}  // namespace

KestoapiGlobale& kestoapi() { return zustand().globale; }

void setKestoapiFenster(KestoapiFenster fenster) { zustand().fenster = std::move(fenster); }

void setFabrikErzeuger(FabrikErzeuger erzeuger) { zustand().erzeuger = std::move(erzeuger); }

void kestoapiZuruecksetzen() { zustand() = Zustand{}; }

int Serverarbeitstiefe() { return zustand().tiefe; }

void ServerarbeitBeginnen(bool sanduhr) {
  if (sanduhr) kesto::services::setCursorShape(kesto::services::CursorShape::Wait);
  // Counted before connecting, so that the idle tick cannot drop a connection in the
  // middle of the attempts' waits and windows.
  ++zustand().tiefe;
  lockSchalten(false);
  try {
    ServerVerbinden();
  } catch (...) {
    --zustand().tiefe;
    throw;
  }
}

void ServerarbeitBeenden(bool zeigerZuruecksetzen) {
  if (zeigerZuruecksetzen) kesto::services::setCursorShape(kesto::services::CursorShape::Default);
  if (zustand().tiefe > 0) --zustand().tiefe;
  if (zustand().tiefe == 0) lockSchalten(true);
}

void ServerVerbinden() {
  if (istVerbunden()) return;
  Zustand& z = zustand();
  // Waits and windows between the attempts let other events run; one of them must not
  // start a second round of attempts.
  if (z.verbindet) throw ServerFehler(9991, QStringLiteral("Verbindungsaufbau läuft"));
  z.verbindet = true;
  struct Ende {
    ~Ende() { zustand().verbindet = false; }
  } ende;

  constexpr int kVersuche = 3;
  for (int n = 0; n < kVersuche; ++n) {
    // Settings saved in FMServer between the attempts are used by the next one.
    if (n > 0) {
      z.globale.ServerAdresse = QString::fromStdString(
          kesto::registry::GetSetting("Kesto Login", "Login", "Server", z.globale.ServerAdresse.toStdString()));
      z.globale.ServerPort = QString::fromStdString(
          kesto::registry::GetSetting("Kesto Login", "Login", "Port", z.globale.ServerPort.toStdString()));
      z.globale.Verbindungstext = verbindungstext();
    }
    if (verbindungsversuch()) {
      z.getrennt = false;
      kontextSetzen();
      return;
    }
    if (n < kVersuche - 1) {
      const QString text =
          QStringLiteral("Server nicht erreicht! Bitte überprüfen Sie die Verbindungseinstellungen\r\nNoch ") +
          QString::number(kVersuche - 1 - n) + QStringLiteral(" Verbindungsversuche bis zum Abbruch.");
      kesto::services::messageBox(text.toStdString(), "Anmeldung an Kesto", MB_OK);
      aufrufen(z.fenster.ServerEinstellungenModal);
      Warten(100);
    }
  }
  kesto::services::messageBox("Server nach 3 Versuchen nicht erreichbar!\r\nAbbruch",
                              "Anmeldung an Kesto", MB_OK | MB_ICONEXCLAMATION);
  aufrufen(z.fenster.ServerEinstellungenVerbergen);
  z.globale.Benutzerkennung.clear();
  if (istVerbunden()) {
    try {
      fabrikAufruf(kDisconnect, {});
    } catch (...) {
    }
  }
  aufrufen(z.fenster.AnmeldungAbbrechen);
  // Without a login window to end the program, the operation fails like any other.
  throw ServerFehler(9991, QStringLiteral("Server nach 3 Versuchen nicht erreichbar!"));
}

void ServerTrennen() {
  zustand().getrennt = true;
  lockSchalten(false);
  try {
    if (istVerbunden()) fabrikAufruf(kDisconnect, {});
  } catch (...) {
  }
}

bool VerbindungAbgerissen() {
  const Zustand& z = zustand();
  return z.globale.FactoryObjekt && !z.getrennt && !z.verbindet && !istVerbunden();
}

void VerbindungWiederaufnehmen() {
  try {
    ServerVerbinden();
  } catch (const kesto::services::ProgramEnded&) {
    throw;
  } catch (...) {
    // Without a login window to end the program the failed operation just stays failed.
  }
}

void ServerobjekteFreigeben() {
  // The windows are gone by now: their hooks must not load them again.
  zustand().fenster = KestoapiFenster{};
  ServerTrennen();
  zustand().globale.FactoryObjekt = Dispatch();
}

void LockAbgelaufen() {
  if (zustand().tiefe == 0) ServerTrennen();
}

void ObjektSchliessen(Dispatch& objekt) {
  try {
    if (objekt) objekt.call("SYS_Close");
  } catch (...) {
  }
  objekt = Dispatch();
}

Dispatch ObjektOeffnen(const QString& klasse, const QString& id) {
  const Variant v = fabrikAufruf(kOpenId, {alsVariant(klasse), alsVariant(id)});
  if (!v.dispatch()) throw ServerFehler(9991, QStringLiteral("Objekt nicht geöffnet: ") + klasse);
  return Dispatch(v.dispatch());
}

Dispatch KlasseOeffnen(const QString& klasse) {
  const Variant v = fabrikAufruf(kStatic, {alsVariant(klasse)});
  if (!v.dispatch()) throw ServerFehler(9991, QStringLiteral("Klasse nicht geöffnet: ") + klasse);
  return Dispatch(v.dispatch());
}

QString Eigenschaft(const Dispatch& objekt, const char* name) { return alsText(objekt.get(name)); }

QString Anzeigeform(const Dispatch& objekt, const char* name, const char* methode) {
  const Variant wert = objekt.get(name);
  return alsText(objekt.call(methode, wert));
}

QString ServerZeichenkette(const QString& text) {
  QString aus = QStringLiteral("\"");
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) continue;
    if (c == u'"') aus += u'"';
    aus += c;
  }
  aus += u'"';
  return aus;
}

QString KontextBefehl(const QString& personal) {
  const KestoapiGlobale& g = kestoapi();
  return QStringLiteral("S FIRMA=") + ServerZeichenkette(g.Firma) + QStringLiteral(",FIL=") +
         ServerZeichenkette(g.Filiale) + QStringLiteral(",PERSONAL=") + ServerZeichenkette(personal);
}

}  // namespace vovida
