#include "Eigenbauumgebung.h"

#include "Bilder.h"
#include "EigenbauGlobale.h"
#include "ServerZugriff.h"
#include "clsRegistry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace vovida::test {

namespace {

void baumLesen(const QString& schluessel, const QString& pfad, std::set<QString>& werte) {
  clsRegistry reg;
  reg.setKey(schluessel.chopped(1));
  for (const QString& wert : reg.regEnum()) werte.insert(pfad + u'|' + wert);
  reg.setKey(schluessel);
  for (const QString& kind : reg.regEnum()) {
    baumLesen(schluessel + kind + u'\\', pfad.isEmpty() ? kind : pfad + u'\\' + kind, werte);
  }
}

}  // namespace

void Eigenbauumgebung::SetUp() {
  Hauptfenster::SetUp();
  eigenbauGlobaleZuruecksetzen();
  anmelden("A4N");
  const QString logo = PfadAbbilden(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")).replace(u'@', u'\\'));
  QDir().mkpath(logo);
  QFile vorlage(logo + QStringLiteral("/eigenbau.rtf"));
  ASSERT_TRUE(vorlage.open(QIODevice::WriteOnly));
  vorlage.write(kVorlage.toLatin1());
  vorlage.close();
  modell = std::make_unique<EigenbauModell>();
  modell->RTF = &rtf;
  modell->t_Fileablage = ablage();
}

void Eigenbauumgebung::TearDown() {
  modell.reset();
  Hauptfenster::TearDown();
}

std::set<QString> Eigenbauumgebung::gespeicherteWerte() {
  std::set<QString> werte;
  const QString wurzel = EigenbauSchluessel(EigenbauApp());
  clsRegistry reg;
  reg.setKey(wurzel);
  if (reg.KeyExists()) baumLesen(wurzel, QString(), werte);
  return werte;
}

void Eigenbauumgebung::markenbilder() {
  QImage kopf(620, 200, QImage::Format_RGB32);
  kopf.fill(QColor(200, 0, 0));
  QPainter(&kopf).fillRect(20, 20, 580, 160, QColor(255, 255, 255));
  QImage zeichen(300, 50, QImage::Format_RGB32);
  zeichen.fill(QColor(0, 0, 160));
  start().SchildBild = kopf;
  start().SchildTamselBild = zeichen;
}

void Eigenbauumgebung::design(const char* name, const char* artikel, const char* x) {
  modell->lesen(QString::fromUtf8(name));
  modell->SpeicherName.Text = QString::fromUtf8(name);
  modell->ArtNr.Text = QString::fromUtf8(artikel);
  modell->txt_PZ_X[0] = QString::fromUtf8(x);
  modell->Speichern(modell->SpeicherName.Text);
}

QStringList Eigenbauumgebung::dateien() const { return QDir(ordner_.path()).entryList(QDir::Files, QDir::Name); }

}  // namespace vovida::test
