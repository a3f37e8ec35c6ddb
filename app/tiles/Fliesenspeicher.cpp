#include "Fliesenspeicher.h"

#include "Fliesendaten.h"
#include "Warteschlange.h"
#include "clsRegistry.h"

#include <registry/Settings.h>

namespace vovida {

namespace {

QString schluesselPfad(const QString& typ) {
  return QStringLiteral("HKCU\\Software\\VB and VBA Program Settings\\") + FliesenAnwendung(typ) + u'\\';
}

// The reverse of Abschnittsname: %5C and %25 back to "\" and "%".
QString wieGetippt(const QString& abschnitt) {
  QString nr;
  for (qsizetype i = 0; i < abschnitt.size(); ++i) {
    const QStringView rest = QStringView(abschnitt).mid(i, 3);
    if (rest.compare(u"%5C", Qt::CaseInsensitive) == 0) {
      nr += u'\\';
      i += 2;
    } else if (rest == u"%25") {
      nr += u'%';
      i += 2;
    } else {
      nr += abschnitt[i];
    }
  }
  return nr;
}

struct Hauptschluessel {
  const char* name;
  int feld;
};
constexpr Hauptschluessel kHauptschluessel[] = {
    {"Alias", 1}, {"Sortierung", 2}, {"Fliesetype", 3}, {"Abriebgruppe", 5},
    {"Verfügbarkeit", 6}, {"Größe", 7}, {"frostsicher", 8}, {"Regalnummer", 18},
};
constexpr Hauptschluessel kBestellschluessel[] = {
    {"TamselArtNr", 9}, {"Per", 12}, {"VKE", 14}, {"VPI", 15}, {"VRM", 16}, {"VPM", 17},
};
constexpr int kPosFelder[] = {1, 2, 3, 9, 4, 10, 11, 12, 13, 14, 16};

constexpr const char* kEinstellungen = "Einstellungen";
constexpr const char* kErklaerung = "Erklärung Hauptartikel Anzeigen";

}  // namespace

QString FliesenAnwendung(const QString& typ) { return QStringLiteral("Vovida\\") + typ; }

QString FliesenLesen(const QString& typ, const QString& artNr, const QString& schluessel, const QString& vorgabe) {
  return QString::fromStdString(kesto::registry::GetSetting(FliesenAnwendung(typ).toStdString(),
                                                            Abschnittsname(artNr).toStdString(),
                                                            schluessel.toStdString(), vorgabe.toStdString()));
}

void FliesenSchreiben(const QString& typ, const QString& artNr, const QString& schluessel, const QString& wert) {
  kesto::registry::SaveSetting(FliesenAnwendung(typ).toStdString(), Abschnittsname(artNr).toStdString(),
                               schluessel.toStdString(), wert.toStdString());
}

QStringList FliesenArtikel(const QString& typ) {
  clsRegistry registry;
  registry.setKey(schluesselPfad(typ));
  if (!registry.KeyExists()) return {};
  QStringList nummern;
  for (const QString& abschnitt : registry.regEnum()) nummern << wieGetippt(abschnitt);
  return nummern;
}

bool FliesenArtikelLoeschen(const QString& typ, const QString& artNr) {
  clsRegistry registry;
  registry.setKey(schluesselPfad(typ) + Abschnittsname(artNr) + u'\\');
  if (!registry.KeyExists()) return false;
  return registry.delKey() == 0;
}

QString PosSchluessel(int zeile) { return QStringLiteral("Pos") + QString::number(zeile); }

QString PosText(const Fliesendaten& d, int zeile) {
  QStringList teile;
  for (const int feld : kPosFelder) teile << d.unter(zeile, feld);
  return teile.join(u'|');
}

void FliesenSpeichern(const Fliesendaten& d, const QString& artNr) {
  const QString& typ = d.Fliesentyp;
  auto schreiben = [&](const char* schluessel, const QString& wert) {
    FliesenSchreiben(typ, artNr, QString::fromUtf8(schluessel), wert);
  };
  if (d.istBestellung() || !d.Automatik) {
    for (const Hauptschluessel& s : kHauptschluessel) schreiben(s.name, d.haupt(s.feld));
    if (d.istBestellung())
      for (const Hauptschluessel& s : kBestellschluessel) schreiben(s.name, d.haupt(s.feld));
    for (int zeile = 1; zeile <= kUnterzeilen; ++zeile) FliesenSchreiben(typ, artNr, PosSchluessel(zeile), PosText(d, zeile));
  }
  if (d.Automatik) {
    schreiben("Default", QString());
    for (int zeile = 1; zeile <= kUnterzeilen; ++zeile)
      FliesenSchreiben(typ, artNr, PosSchluessel(zeile), d.unter(zeile, 1));
  }
}

bool HauptErklaerungLesen() {
  return kesto::registry::GetSetting("Vovida", kEinstellungen, kErklaerung, "1") != "0";
}

void HauptErklaerungSchreiben(bool anzeigen) {
  kesto::registry::SaveSetting("Vovida", kEinstellungen, kErklaerung, anzeigen ? "1" : "0");
}

}  // namespace vovida
