#include "Preisinfo.h"

#include "AOBStandard.h"
#include "Fensterliste.h"
#include "KestoapiHilfen.h"
#include "NumberText.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace vovida {

namespace {

QLabel* zeile(QFormLayout* form, const char* name, const QString& beschriftung) {
  auto* l = new QLabel;
  l->setObjectName(QString::fromUtf8(name));
  form->addRow(beschriftung, l);
  return l;
}

QString euro(const char* schluessel) { return ParameterText(QStringLiteral("EURO"), QString::fromLatin1(schluessel)); }

}  // namespace

Preisinfo::Preisinfo() {
  setWindowTitle(QStringLiteral("Währungsdefinitionen"));
  auto* form = new QFormLayout(this);
  ENDDAT = zeile(form, "ENDDAT", QStringLiteral("Datum bis zu dem ATS angezeigt:"));
  ETHW = zeile(form, "ETHW", QStringLiteral("Etiketten Hauptwährung:"));
  ETNW = zeile(form, "ETNW", QStringLiteral("Etiketten Nebenwährung:"));
  KASSAHW = zeile(form, "KASSAHW", QStringLiteral("Kassa-Hauptwährung:"));
  WWSHW = zeile(form, "WWSHW", QStringLiteral("WWS-Hauptwährung:"));
  Code = zeile(form, "Code", QStringLiteral("Code:"));
  Faktor = zeile(form, "Faktor", QStringLiteral("Faktor:"));
}

void Preisinfo::Anzeige() {
  // A date number that names no day leaves the label empty.
  const std::optional<QDate> ende = ServerDatumWandeln(euro("ENDDAT"));
  ENDDAT->setText(ende ? ende->toString(QStringLiteral("dd.MM.yyyy")) : QString());
  ETHW->setText(euro("ETHW"));
  ETNW->setText(euro("ETNW"));
  KASSAHW->setText(euro("KASSAHW"));
  WWSHW->setText(euro("WWSHW"));
  Code->setText(euro("EURFWC"));
  const QVariant faktor = ParameterLesen(QStringLiteral("EURO"), QStringLiteral("EURFAKT"), false, QStringLiteral("13,7603"));
  Faktor->setText(TextErsetzen(faktor.toString(), QStringLiteral("."), QStringLiteral(",")));
}

void Preisinfo::Preis_Change(const QLineEdit& preis, QLineEdit& ats, QLineEdit& eur) {
  const QString waehrung = WWSHW->text();
  QLineEdit* ziel = waehrung == u"ATS" ? &ats : waehrung == u"EUR" ? &eur : nullptr;
  if (!ziel) return;
  const std::optional<double> betrag = zahlAusText(preis.text());
  if (!betrag) return;
  QVariant wert(*betrag);
  PreisFeldFormatieren(*ziel, wert);
}

void PreisinfoZeigen() {
  Preisinfo& fenster = fensterliste().holen<Preisinfo>();
  fenster.show();
  fenster.raise();
  fenster.Anzeige();
}

void Preisinfo::closeEvent(QCloseEvent* ereignis) {
  ereignis->ignore();
  hide();
}

}  // namespace vovida
