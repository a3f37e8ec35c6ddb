#include "Warteschlange.h"

#include "AOBStandard.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "Preisinfo.h"
#include "Startglobale.h"
#include "clsRegistry.h"

#include <QLabel>

#include <registry/Settings.h>

#include <QSet>

#include <stdexcept>
#include <string>

namespace vovida {

namespace {

QString schluesselPfad() {
  return QStringLiteral("HKCU\\Software\\VB and VBA Program Settings\\") + QString::fromUtf8(kWarteschlangeAnwendung) +
         u'\\';
}

}  // namespace

QString Abschnittsname(const QString& artNr) {
  QString name = artNr;
  name.replace(u'%', QStringLiteral("%25"));
  name.replace(u'\\', QStringLiteral("%5C"));
  return name;
}

QString WarteschlangeLesen(const QString& artNr, const char* schluessel) {
  return QString::fromStdString(kesto::registry::GetSetting(kWarteschlangeAnwendung, Abschnittsname(artNr).toStdString(),
                                                            schluessel, ""));
}

void WarteschlangeSchreiben(const QString& artNr, const char* schluessel, const QString& wert) {
  kesto::registry::SaveSetting(kWarteschlangeAnwendung, Abschnittsname(artNr).toStdString(), schluessel,
                               wert.toStdString());
}

Schildtexte SchildtexteLesen(const QString& artNr) {
  Schildtexte t;
  t.artNr = artNr;
  t.bez1 = WarteschlangeLesen(artNr, kBezeichnung1);
  t.bez2 = WarteschlangeLesen(artNr, kBezeichnung2);
  t.bez3 = WarteschlangeLesen(artNr, kBezeichnung3);
  t.grundpreis = WarteschlangeLesen(artNr, kGrundpreis);
  t.ueberschrift = WarteschlangeLesen(artNr, kUeberschrift);
  t.per = WarteschlangeLesen(artNr, kPer);
  t.info = WarteschlangeLesen(artNr, kInfo);

  const Preisinfo& info = fensterliste().holen<Preisinfo>();
  const bool ats = info.WWSHW->text() == u"ATS";
  QString& haupt = ats ? t.preisATS : t.preisEUR;
  QString& neben = ats ? t.preisEUR : t.preisATS;
  const QString gespeichert = WarteschlangeLesen(artNr, kPreis);
  const QString gefiltert = ZahlFiltern(gespeichert);
  const std::optional<double> v = gefiltert.endsWith(u'%') ? std::nullopt : zahlAusText(gefiltert);
  if (!v) {
    haupt = gespeichert;
    return t;
  }
  haupt = PreisFormatieren(*v);
  const std::optional<double> faktor = zahlAusText(info.Faktor->text());
  if (faktor && *faktor != 0) neben = PreisFormatieren(rundenGerade(ats ? *v / *faktor : *v * *faktor, 2));
  return t;
}

Schildpreise SchildpreiseWaehlen(const Schildtexte& t, bool zweiPreise) {
  const Startglobale& g = startglobale();
  const bool euro = fensterliste().holen<Preisinfo>().ETHW->text() == u"EUR";
  if (!zweiPreise) return {euro ? t.preisEUR : t.preisATS, g.WaehrungszeichenNW, QStringLiteral("   "), QString()};
  if (euro) return {t.preisEUR, g.WaehrungszeichenNW, t.preisATS, g.WaehrungszeichenHW};
  return {t.preisATS, g.WaehrungszeichenHW, t.preisEUR, g.WaehrungszeichenNW};
}

QStringList WarteschlangeAbschnitte() {
  clsRegistry registry;
  registry.setKey(schluesselPfad());
  if (!registry.KeyExists()) return {};
  return registry.regEnum();
}

void WarteschlangeLeeren(const QStringList& behalten) {
  if (behalten.isEmpty()) {
    // Nothing to keep: the queue goes as one subtree, sections and all.
    clsRegistry schlange;
    schlange.setKey(schluesselPfad());
    if (!schlange.KeyExists()) return;
    if (const std::int32_t rc = schlange.delKey(); rc != 0)
      throw std::runtime_error("Warteschlange nicht gelöscht (" + std::to_string(rc) + ")");
    return;
  }
  QSet<QString> bleiben;
  for (const QString& nr : behalten) bleiben.insert(Abschnittsname(nr).toLower());
  const QStringList abschnitte = WarteschlangeAbschnitte();
  for (qsizetype i = abschnitte.size() - 1; i >= 0; --i) {
    if (bleiben.contains(abschnitte[i].toLower())) continue;
    clsRegistry abschnitt;
    abschnitt.setKey(schluesselPfad() + abschnitte[i] + u'\\');
    if (!abschnitt.KeyExists()) continue;
    if (const std::int32_t rc = abschnitt.delKey(); rc != 0)
      throw std::runtime_error("Abschnitt " + abschnitte[i].toStdString() + " nicht gelöscht (" + std::to_string(rc) + ")");
  }
}

}  // namespace vovida
