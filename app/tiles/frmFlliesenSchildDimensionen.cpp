#include "frmFlliesenSchildDimensionen.h"

#include "Schildgroesse.h"
#include "AOBStandard.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <services/MessageBox.h>

#include <cmath>
#include <span>

namespace vovida {

namespace {

const QString kGruppe = QStringLiteral("PLAKAT");

QLineEdit* box(const QString& name, bool anzeige = false) {
  auto* b = new QLineEdit;
  b->setObjectName(name);
  b->setReadOnly(anzeige);
  b->setMaximumWidth(60);
  return b;
}

// A millimetre display: the share of the sign width, as the layout prints it (x W / 100).
void anzeigen(QLineEdit& anzeige, double prozent, const QLineEdit& breite) {
  anzeige.setText(zahlText(prozent * Boxwert(breite).value_or(0) / 100));
}

double summe(double abstand, int abstaende, const auto& felder) {
  double s = abstand * abstaende;
  for (const QLineEdit* f : felder) s += Boxwert(*f).value_or(0);
  return s;
}

}  // namespace

frmFlliesenSchildDimensionen::frmFlliesenSchildDimensionen() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Fliesenschild Dimensionen"));
  auto* spalte = new QVBoxLayout(this);
  auto* groessen = new QGridLayout;
  BGrosz = box(QStringLiteral("BGrosz"));
  HGrosz = box(QStringLiteral("HGrosz"));
  BKlein = box(QStringLiteral("BKlein"));
  HKlein = box(QStringLiteral("HKlein"));
  groessen->addWidget(new QLabel(QStringLiteral("Großes Schild B x H (mm):")), 0, 0);
  groessen->addWidget(BGrosz, 0, 1);
  groessen->addWidget(HGrosz, 0, 2);
  groessen->addWidget(new QLabel(QStringLiteral("Kleines Schild B x H (mm):")), 1, 0);
  groessen->addWidget(BKlein, 1, 1);
  groessen->addWidget(HKlein, 1, 2);
  spalte->addLayout(groessen);

  auto* spalten = new QGridLayout;
  spalten->addWidget(new QLabel(QStringLiteral("%")), 0, 1);
  spalten->addWidget(new QLabel(QStringLiteral("mm groß")), 0, 2);
  spalten->addWidget(new QLabel(QStringLiteral("mm klein")), 0, 3);
  Abstand = box(QStringLiteral("Abstand"));
  AbstandG = box(QStringLiteral("AbstandG"), true);
  AbstandK = box(QStringLiteral("AbstandK"), true);
  spalten->addWidget(new QLabel(QStringLiteral("Abstand")), 1, 0);
  spalten->addWidget(Abstand, 1, 1);
  spalten->addWidget(AbstandG, 1, 2);
  spalten->addWidget(AbstandK, 1, 3);
  // A block of column rows under its heading: the share and the two widths of each column.
  int r = 2;
  auto block = [&](const QString& titel, const QString& name, const QString& vorsilbe, std::span<QLineEdit*> anteil,
                   std::span<QLineEdit*> gross, std::span<QLineEdit*> klein) {
    auto* ueberschrift = new QLabel(titel);
    ueberschrift->setObjectName(name);
    spalten->addWidget(ueberschrift, r++, 0, 1, 4);
    for (std::size_t i = 0; i < anteil.size(); ++i, ++r) {
      const QString n = QString::number(i + 1);
      anteil[i] = box(vorsilbe + QStringLiteral("F_") + n);
      gross[i] = box(vorsilbe + QStringLiteral("GA_") + n, true);
      klein[i] = box(vorsilbe + QStringLiteral("KA_") + n, true);
      spalten->addWidget(new QLabel(QStringLiteral("Spalte ") + n), r, 0);
      spalten->addWidget(anteil[i], r, 1);
      spalten->addWidget(gross[i], r, 2);
      spalten->addWidget(klein[i], r, 3);
    }
    return ueberschrift;
  };
  Hauptartikel = block(QStringLiteral("Spaltenbreiten Hauptartikel"), QStringLiteral("Hauptartikel"),
                       QStringLiteral("H"), HF, HGA, HKA);
  Zusatzartikel = block(QStringLiteral("Spaltenbreiten Zusatzartikel"), QStringLiteral("Zusatzartikel"),
                        QStringLiteral("Z"), ZF, ZGA, ZKA);
  spalte->addLayout(spalten);
  auto* knoepfe = new QHBoxLayout;
  Speichern = new QPushButton(QStringLiteral("&Speichern"));
  Speichern->setObjectName(QStringLiteral("Speichern"));
  ctPush1 = new QPushButton(QStringLiteral("&Schließen"));
  ctPush1->setObjectName(QStringLiteral("ctPush1"));
  knoepfe->addStretch(1);
  knoepfe->addWidget(Speichern);
  knoepfe->addWidget(ctPush1);
  spalte->addLayout(knoepfe);

  for (QLineEdit* g : {BGrosz, HGrosz, BKlein, HKlein})
    connect(g, &QLineEdit::textChanged, this, [this, g] { Ereignis([this, g] { Groesse_Change(*g); }); });
  connect(Abstand, &QLineEdit::textChanged, this, [this] { Ereignis([this] { Abstand_Change(); }); });
  for (std::size_t i = 0; i < HF.size(); ++i)
    connect(HF[i], &QLineEdit::textChanged, this, [this, i] { Ereignis([this, i] { HF_Change(static_cast<int>(i) + 1); }); });
  for (std::size_t i = 0; i < ZF.size(); ++i)
    connect(ZF[i], &QLineEdit::textChanged, this, [this, i] { Ereignis([this, i] { ZF_Change(static_cast<int>(i) + 1); }); });
  connect(Speichern, &QPushButton::clicked, this, [this] { Ereignis([this] { Speichern_Click(); }); });
  connect(ctPush1, &QPushButton::clicked, this, [this] { Ereignis([this] { ctPush1_Click(); }); });
}

void frmFlliesenSchildDimensionen::Form_Load() {
  auto teil = [](const QString& text, int n) { return TeilString(text, QStringLiteral("@"), n); };
  // The sizes first: the gap's display is computed from them.
  const QString masse = ParameterText(kGruppe, QStringLiteral("FSCHILD-BH"));
  BGrosz->setText(teil(masse, 1));
  HGrosz->setText(teil(masse, 2));
  BKlein->setText(teil(masse, 3));
  HKlein->setText(teil(masse, 4));
  Abstand->setText(ParameterText(kGruppe, QStringLiteral("FSCHILD-B3")));
  const QString b1 = ParameterText(kGruppe, QStringLiteral("FSCHILD-B1"));
  for (std::size_t i = 0; i < HF.size(); ++i) HF[i]->setText(teil(b1, static_cast<int>(i) + 1));
  const QString b2 = ParameterText(kGruppe, QStringLiteral("FSCHILD-B2"));
  for (std::size_t i = 0; i < ZF.size(); ++i) ZF[i]->setText(teil(b2, static_cast<int>(i) + 1));
}

void frmFlliesenSchildDimensionen::Groesse_Change(QLineEdit& box) {
  bool fehler = false;
  ZahlPruefen(3, 2, box, false, fehler);
}

void frmFlliesenSchildDimensionen::Abstand_Change() {
  bool fehler = false;
  ZahlPruefen(2, 2, *Abstand, false, fehler);
  if (fehler) return;
  const double abstand = Boxwert(*Abstand).value_or(0);
  anzeigen(*AbstandG, abstand, *BGrosz);
  anzeigen(*AbstandK, abstand, *BKlein);
}

void frmFlliesenSchildDimensionen::HF_Change(int index) {
  const std::size_t i = static_cast<std::size_t>(index - 1);
  bool fehler = false;
  ZahlPruefen(2, 2, *HF.at(i), false, fehler);
  if (fehler) return;
  const double wert = Boxwert(*HF[i]).value_or(0);
  anzeigen(*HGA[i], wert, *BGrosz);
  anzeigen(*HKA[i], wert, *BKlein);
  summenZeigen();
}

void frmFlliesenSchildDimensionen::ZF_Change(int index) {
  const std::size_t i = static_cast<std::size_t>(index - 1);
  bool fehler = false;
  ZahlPruefen(2, 2, *ZF.at(i), false, fehler);
  if (fehler) return;
  const double wert = Boxwert(*ZF[i]).value_or(0);
  anzeigen(*ZGA[i], wert, *BGrosz);
  anzeigen(*ZKA[i], wert, *BKlein);
  summenZeigen();
}

void frmFlliesenSchildDimensionen::summenZeigen() {
  const double abstand = Boxwert(*Abstand).value_or(0);
  Hauptartikel->setText(QStringLiteral("Spaltenbreiten Hauptartikel = ") + zahlText(summe(abstand, 5, HF)) +
                        QStringLiteral(" %"));
  Zusatzartikel->setText(QStringLiteral("Spaltenbreiten Zusatzartikel = ") + zahlText(summe(abstand, 6, ZF)) +
                         QStringLiteral(" %"));
}

void frmFlliesenSchildDimensionen::Speichern_Click() {
  // Every box first: a half-written set of parameters would draw mismatched columns.
  for (QLineEdit* g : {BGrosz, HGrosz, BKlein, HKlein})
    if (!MassGeprueft(*g, 3, 2)) return;
  if (!MassGeprueft(*Abstand, 2, 2)) return;
  for (QLineEdit* f : HF)
    if (!MassGeprueft(*f, 2, 2)) return;
  for (QLineEdit* f : ZF)
    if (!MassGeprueft(*f, 2, 2)) return;

  auto warnen = [](const char* text) {
    kesto::services::messageBox(text, "Warnung", MB_OK | MB_ICONEXCLAMATION);
  };
  auto voll = [](double s) { return std::abs(s - 100) < 1e-9; };
  const QString at = QStringLiteral("@");
  ParameterSchreiben(kGruppe, QStringLiteral("FSCHILD-BH"),
                     BGrosz->text() + at + HGrosz->text() + at + BKlein->text() + at + HKlein->text());
  const double abstand = *Boxwert(*Abstand);
  QString b1;
  for (const QLineEdit* f : HF) b1 += f->text() + at;
  if (!voll(summe(abstand, 5, HF)))
    warnen("Achtung: Hauptartikelspalten füllen nicht die Ganze Seitenbreite\r\nSeitenbreite = 5 * Abstand + Felder");
  ParameterSchreiben(kGruppe, QStringLiteral("FSCHILD-B1"), b1);
  QString b2;
  for (const QLineEdit* f : ZF) b2 += f->text() + at;
  if (!voll(summe(abstand, 6, ZF)))
    warnen("Achtung: Zusatzartikelspalten füllen nicht die Ganze Seitenbreite\r\nSeitenbreite = 6 * Abstand + Felder");
  ParameterSchreiben(kGruppe, QStringLiteral("FSCHILD-B2"), b2);
  ParameterSchreiben(kGruppe, QStringLiteral("FSCHILD-B3"), Abstand->text());
  VorschauTimerNeustart();
}

void frmFlliesenSchildDimensionen::ctPush1_Click() { fensterliste().entladen<frmFlliesenSchildDimensionen>(); }

}  // namespace vovida
