#include "frmPersonalschild.h"

#include "Schildgroesse.h"
#include "Benannt.h"
#include "AOBStandard.h"
#include "Fensterliste.h"
#include "Firmenlogo.h"
#include "Kestoapi.h"
#include "ResultSet.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include "frmNamenbestaetigung.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <activex/ColumnList.h>

namespace vovida {

namespace {

QString ferrix(const QString& text) { return TextKonvertieren(text, QStringLiteral("Ferrix"), false); }

const QString kGruppe = QStringLiteral("PLAKAT");
const QString kGroesse = QStringLiteral("PSCHILD-BH");

// Digits before and after the decimal comma, reported and re-selected by ZahlPruefen.
void ziffernPruefen(QLineEdit& feld, int vorKomma, int nachKomma) {
  bool fehler = false;
  ZahlPruefen(vorKomma, nachKomma, feld, false, fehler);
}

}  // namespace

QString Namensschreibweise(const QString& text) {
  QString ergebnis = text;
  for (qsizetype i = 0; i < ergebnis.size(); ++i) {
    const bool wortanfang = i == 0 || ergebnis[i - 1] == u' ';
    ergebnis[i] = wortanfang ? ergebnis[i].toUpper() : ergebnis[i].toLower();
  }
  return ergebnis;
}

frmPersonalschild::frmPersonalschild() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Eingabe Personalschilder"));
  auto* spalte = new QVBoxLayout(this);
  auto* oben = new QGridLayout;
  Abteilung = benannt(new QComboBox, "Abteilung");
  Abteilung->setToolTip(QStringLiteral("Abteilungsselektion (leer = alle)"));
  Abteilung->setMinimumWidth(220);
  Personalberechnung = benannt(new QPushButton(QStringLiteral("Daten &Laden")), "Personalberechnung");
  Personalberechnung->setToolTip(QStringLiteral("Namen nach Abteilungsvorwahl aus Datenbank holen"));
  oben->addWidget(new QLabel(QStringLiteral("Abteilung:")), 0, 0);
  oben->addWidget(Abteilung, 0, 1);
  oben->addWidget(Personalberechnung, 0, 2);
  spalte->addLayout(oben);

  Namen = benannt(new kesto::activex::ColumnList, "Namen");
  Namen->setColumnHeaders({QStringLiteral("Personalnamen")});
  Namen->setMinimumHeight(200);
  spalte->addWidget(Namen, 1);

  auto* unten = new QGridLayout;
  Etikettenanzahl = benannt(new QLineEdit(QStringLiteral("1")), "Etikettenanzahl");
  Etikettenanzahl->setToolTip(QStringLiteral("Anzahl der zu druckenden Etiketten gleichen Namens"));
  B = benannt(new QLineEdit, "B");
  H = benannt(new QLineEdit, "H");
  Save = benannt(new QPushButton(QStringLiteral("&Speichern")), "Save");
  Save->setToolTip(QStringLiteral("Schildgröße für alle Benutzer speichern"));
  unten->addWidget(new QLabel(QStringLiteral("Anzahl:")), 0, 0);
  unten->addWidget(Etikettenanzahl, 0, 1);
  unten->addWidget(new QLabel(QStringLiteral("Breite (mm):")), 1, 0);
  unten->addWidget(B, 1, 1);
  unten->addWidget(new QLabel(QStringLiteral("Höhe (mm):")), 2, 0);
  unten->addWidget(H, 2, 1);
  unten->addWidget(Save, 2, 2);
  spalte->addLayout(unten);

  connect(Personalberechnung, &QPushButton::clicked, this, [this] { Ereignis([this] { Personalberechnung_Click(); }); });
  connect(Save, &QPushButton::clicked, this, [this] { Ereignis([this] { Save_Click(); }); });
  connect(B, &QLineEdit::textChanged, this, [this] { Ereignis([this] { B_Change(); }); });
  connect(H, &QLineEdit::textChanged, this, [this] { Ereignis([this] { H_Change(); }); });
  connect(Etikettenanzahl, &QLineEdit::textChanged, this, [this] { Ereignis([this] { Etikettenanzahl_Change(); }); });
  Namen->Edit = [this] { Ereignis([this] { Namen_Edit(); }); };
}

frmPersonalschild::~frmPersonalschild() = default;

void frmPersonalschild::Form_Load() {
  Abteilung->clear();
  Abteilung->addItem(QString());
  serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        ResultSet ergebnis(QStringLiteral("FRX.ParPersAbt"), QStringLiteral("AbtNrBez"));
        ergebnis.Execute(FirmaParameter({QString()}));
        while (ergebnis.Next()) Abteilung->addItem(ferrix(ergebnis.GetData(1)) + u' ' + ferrix(ergebnis.GetData(2)));
      },
      [](const ServerFehler& fehler) { ZugriffsfehlerMelden(fehler, QStringLiteral("Abteilungen lesen")); });

  SchildgroesseLesen(kGroesse, *B, *H);

  FirmenlogoLaden();
}

void frmPersonalschild::Personalberechnung_Click() {
  setCursor(Qt::WaitCursor);
  struct Zeiger {
    QWidget* w;
    ~Zeiger() { w->unsetCursor(); }
  } zeiger{this};
  Namen->Clear();
  // The first blank-separated field: the department number, empty for all departments.
  const QString abteilung = TeilString(Abteilung->currentText(), QStringLiteral(" "), 1);
  serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        ResultSet ergebnis(QStringLiteral("FRX.ParPersEdv"), QStringLiteral("Name"));
        ergebnis.Execute(FirmaParameter({QStringLiteral("J"), abteilung, QString()}));
        while (ergebnis.Next()) Namen->AddItem(Namensschreibweise(ferrix(ergebnis.GetData(1))));
      },
      [](const ServerFehler& fehler) { ZugriffsfehlerMelden(fehler, QStringLiteral("Personalnamen lesen")); });
}

void frmPersonalschild::Namen_Edit() {
  for (int zeile = 0; zeile < Namen->ListCount(); ++zeile)
    if (Namen->ItemMark(zeile) != 0) FormHolen<frmNamenbestaetigung>().Bestaetigen(zeile);
}

void frmPersonalschild::B_Change() { ziffernPruefen(*B, 3, 1); }
void frmPersonalschild::H_Change() { ziffernPruefen(*H, 3, 1); }
void frmPersonalschild::Etikettenanzahl_Change() { ziffernPruefen(*Etikettenanzahl, 2, 0); }

void frmPersonalschild::Save_Click() { SchildgroesseSpeichern(kGroesse, *B, *H); }

}  // namespace vovida
