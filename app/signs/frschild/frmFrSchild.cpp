#include "frmFrSchild.h"

#include "Schildgroesse.h"
#include "Benannt.h"
#include "AOBStandard.h"
#include "Fenstergroesse.h"
#include "FMStart.h"
#include "FrSchild.h"
#include "PlakatGlobal.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include "VPNavBar.h"
#include "Warteschlange.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <services/MessageBox.h>

// The pictures live in this static library; nothing else would pull them in.
static void pfeileEinbinden() { Q_INIT_RESOURCE(pfeile); }

namespace vovida {

namespace {

const char* const kPfeildateien[3] = {":/pfeile/arrow_none.png", ":/pfeile/arrow_up.png", ":/pfeile/arrow_down.png"};
const char* const kRichtungen[3] = {"kein", "oben", "unten"};

QLabel* beschriftung(const char* text) { return new QLabel(QString::fromUtf8(text)); }

}  // namespace

FrSchildGlobale& frSchildGlobale() {
  static FrSchildGlobale globale;
  return globale;
}

void frSchildGlobaleZuruecksetzen() { frSchildGlobale() = {}; }

std::int16_t PfeilrichtungAusText(const QString& text) {
  const QString t = text.trimmed();
  if (t == u"1") return 1;
  if (t == u"2") return 2;
  return 0;
}

frmFrSchild::frmFrSchild() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Eigenschaften Freiflächenschild"));
  Uebernehmen->setText(QStringLiteral("&Speichern"));
  // This window neither keeps headlines nor sends its list.
  Ueberschrift->hide();
  cbSenden->hide();
  Bez1->setText(QStringLiteral("Bezeichnung 1"));
  Bez2->setText(QStringLiteral("Bezeichnung 2"));
  Bez3->setText(QStringLiteral("Bezeichnung 3"));
  // Each write converts into the other box; both start with the same text.
  PreisEUR->setText(QStringLiteral("0.000,-"));
  PreisATS->setText(QStringLiteral("0.000,-"));
  PreisEUR->setText(QStringLiteral("0.000,-"));
  Per->setText(QStringLiteral("per"));

  auto* spalten = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  auto* felder = new QGridLayout;
  int zeile = 0;
  auto* nummer = new QHBoxLayout;
  FuerArtikelnummer(*ArtNr);
  nummer->addWidget(ArtNr, 1);
  nummer->addWidget(Suchen);
  nummer->addWidget(Read);
  nummer->addWidget(ArtikelLoeschen);
  felder->addWidget(beschriftung("Artikelnummer:"), zeile, 0);
  felder->addLayout(nummer, zeile++, 1);
  const std::pair<const char*, QLineEdit*> boxen[] = {
      {"Bezeichnung 1:", Bez1}, {"Bezeichnung 2:", Bez2}, {"Bezeichnung 3:", Bez3}, {"Preis DB:", PreisDB},
      {"Preis ATS:", PreisATS}, {"Preis EUR:", PreisEUR}, {"Grundpreis:", Grundpreis}, {"per:", Per},
      {"Preisinfo:", Preis_Info}};
  for (const auto& [text, box] : boxen) {
    felder->addWidget(beschriftung(text), zeile, 0);
    felder->addWidget(box, zeile++, 1);
  }
  links->addLayout(felder);

  Standardtexte = benannt(new QGroupBox(QStringLiteral(" Überschrift Standardtexte ")), QStringLiteral("Standardtexte"));
  auto* texte = new QVBoxLayout(Standardtexte);
  const std::pair<QRadioButton**, std::pair<const char*, const char*>> optionen[] = {
      {&RadioLeer, {"RadioLeer", "Leer"}},
      {&RadioAktion, {"RadioAktion", "AKTION"}},
      {&RadionBestellung, {"RadionBestellung", "AUF BESTELLUNG!"}},
      {&RadioRest, {"RadioRest", "RESTPOSTEN"}},
      {&RadioWerbung, {"RadioWerbung", "AUS UNSERER WERBUNG!"}}};
  for (const auto& [option, namen] : optionen) {
    *option = benannt(new QRadioButton(QString::fromUtf8(namen.second)), QString::fromUtf8(namen.first));
    texte->addWidget(*option);
  }
  links->addWidget(Standardtexte);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(Uebernehmen);
  knoepfe->addStretch(1);
  knoepfe->addWidget(pb_Abbrechen);
  links->addLayout(knoepfe);
  spalten->addLayout(links, 1);

  auto* rechts = new QVBoxLayout;
  frRichtung = benannt(new QGroupBox(QStringLiteral(" Richtung ")), QStringLiteral("frRichtung"));
  auto* richtung = new QGridLayout(frRichtung);
  pfeileEinbinden();
  for (int k = 0; k < 3; ++k) {
    ORichtung[k] = benannt(new QRadioButton(QString::fromUtf8(kRichtungen[k])), QStringLiteral("ORichtung%1").arg(k));
    BildBild[k] = QImage(QString::fromLatin1(kPfeildateien[k]));
    Bild[k] = benannt(new QLabel, QStringLiteral("Bild%1").arg(k));
    Bild[k]->setFixedSize(30, 40);
    Bild[k]->setAlignment(Qt::AlignCenter);
    // Shown on white: the pictures' white is transparent.
    QImage anzeige(BildBild[k].size(), QImage::Format_RGB32);
    anzeige.fill(Qt::white);
    QPainter(&anzeige).drawImage(0, 0, BildBild[k]);
    Bild[k]->setPixmap(QPixmap::fromImage(anzeige.scaled(Bild[k]->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    richtung->addWidget(ORichtung[k], 0, k);
    richtung->addWidget(Bild[k], 1, k, Qt::AlignCenter);
  }
  rechts->addWidget(frRichtung);
  auto* groesse = new QGridLayout;
  B = benannt(new QLineEdit, QStringLiteral("B"));
  H = benannt(new QLineEdit, QStringLiteral("H"));
  // "&Speichern" is the store button's already.
  Save = benannt(new QPushButton(QStringLiteral("&Größe speichern")), QStringLiteral("Save"));
  groesse->addWidget(beschriftung("Breite (mm):"), 0, 0);
  groesse->addWidget(B, 0, 1);
  groesse->addWidget(beschriftung("Höhe (mm):"), 1, 0);
  groesse->addWidget(H, 1, 1);
  groesse->addWidget(Save, 2, 1);
  rechts->addLayout(groesse);
  rechts->addStretch(1);
  spalten->addLayout(rechts);

  B->installEventFilter(this);
  H->installEventFilter(this);
  const auto klick = [this](QAbstractButton* knopf, std::function<void()> handler) {
    connect(knopf, &QAbstractButton::clicked, this, [handler] { Ereignis(handler); });
  };
  klick(RadioLeer, [this] { RadioLeer_Click(); });
  klick(RadioAktion, [this] { RadioAktion_Click(); });
  klick(RadionBestellung, [this] { standardtext(Standardtext("RadionBestellung")); });
  klick(RadioRest, [this] { standardtext(Standardtext("RadioRest")); });
  klick(RadioWerbung, [this] { standardtext(Standardtext("RadioWerbung")); });
  for (int k = 0; k < 3; ++k) klick(ORichtung[k], [this, k] { ORichtung_Click(k); });
  klick(Save, [this] { Save_Click(); });
  connect(B, &QLineEdit::textChanged, this, [this] { Ereignis([this] { B_Change(); }); });
  connect(H, &QLineEdit::textChanged, this, [this] { Ereignis([this] { H_Change(); }); });
  ORichtung[frSchildGlobale().Pfeilrichtung]->setChecked(true);
}

frmFrSchild::~frmFrSchild() = default;

void frmFrSchild::Form_Load() {
  Warteschlangenfenster::Form_Load();
  SchildgroesseLesen(QString::fromLatin1(kGroesse), *B, *H);
}

const QImage& frmFrSchild::Pfeilbild() const {
  const std::int16_t k = frSchildGlobale().Pfeilrichtung;
  return BildBild[k >= 0 && k <= 2 ? k : 0];
}

void frmFrSchild::eintragSchreiben(const QString& nr) {
  Warteschlangenfenster::eintragSchreiben(nr);
  WarteschlangeSchreiben(nr, kPfeilRichtung, QString::number(frSchildGlobale().Pfeilrichtung));
}

void frmFrSchild::eintragLesen(const QString& nr) {
  Warteschlangenfenster::eintragLesen(nr);
  // A stored direction that is none of the three would index no picture.
  const std::int16_t k = PfeilrichtungAusText(WarteschlangeLesen(nr, kPfeilRichtung));
  frSchildGlobale().Pfeilrichtung = k;
  ORichtung[k]->setChecked(true);
}

void frmFrSchild::nachSpeichern() { VorschauTimerNeustart(); }

void frmFrSchild::Read_Click() {
  if (!ArtikelFelderLesen()) return;
  VorschauTimerNeustart();
  Uebernehmen_Click();
}

void frmFrSchild::ArtNr_Click() {
  if (!ArtNrPruefen()) return;
  ArtNr_Enter();
  int jeSeite = 0;
  try {
    jeSeite = FrSchildSeiteBerechnen(B->text(), H->text()).jeSeite;
  } catch (const std::runtime_error&) {
    return;  // the layout reports the size; the page stays
  }
  const int i = Position(ArtNrText());
  if (i < 0) return;
  const int seite = i / jeSeite + 1;
  FMStart& start = fensterliste().holen<FMStart>();
  if (start.VSPrinter1.PageCount() < seite) return;
  start.VSPrinter1.setPreviewPage(seite);
  start.VPNav->Synchronize();
}

void frmFrSchild::standardtext(const QString& text) {
  Preis_Info->setText(text);
  VorschauTimerNeustart();
}

void frmFrSchild::RadioLeer_Click() { standardtext(QString()); }

QString frmFrSchild::Infovorgabe() const {
  for (QRadioButton* option : {RadioAktion, RadionBestellung, RadioRest, RadioWerbung})
    if (option->isChecked()) return Standardtext(option->objectName().toLatin1().constData());
  return {};
}

void frmFrSchild::RadioAktion_Click() { standardtext(Standardtext("RadioAktion")); }

void frmFrSchild::ORichtung_Click(int index) {
  frSchildGlobale().Pfeilrichtung = static_cast<std::int16_t>(index);
  VorschauTimerNeustart();
}

void frmFrSchild::groessePruefen(QLineEdit& feld) {
  bool fehler = false;
  ZahlPruefen(3, 1, feld, false, fehler);
}

void frmFrSchild::Save_Click() {
  const int antwort = kesto::services::messageBox(
      "Sind Sie Sicher?\r\nEinstellungen werden für alle übernommen!", "Speichern", MB_OKCANCEL);
  if (antwort != IDOK) return;
  SchildgroesseSpeichern(QString::fromLatin1(kGroesse), *B, *H);
}

bool frmFrSchild::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease && (objekt == B || objekt == H)) {
    if (Tastencode(static_cast<QKeyEvent*>(ereignis)->key()) == kTasteEnter) Ereignis([] { VorschauTimerNeustart(); });
  }
  return Warteschlangenfenster::eventFilter(objekt, ereignis);
}

}  // namespace vovida
