#include "frmPlakat.h"

#include "Benannt.h"
#include "Fenstergroesse.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "PlakatGlobal.h"
#include "VPNavBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <activex/PushToggle.h>

namespace vovida {

namespace {

QScrollBar* leiste(const char* name, int von, int bis, int start) {
  auto* l = benannt(new QScrollBar(Qt::Horizontal), name);
  l->setRange(von, bis);
  l->setValue(start);
  return l;
}

}  // namespace

frmPlakat::frmPlakat() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Vovida Eigenschaften"));
  Ueberschrift->setText(QStringLiteral("FÜR SEHENSWERTE PREISE."));

  auto* zeilen = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  // The number box takes the whole row, so that a 13-digit EAN shows whole.
  Suchen->setText(QStringLiteral("..."));
  Suchen->setToolTip(QStringLiteral("Artikelsuche"));
  auto* nummer = new QHBoxLayout;
  nummer->addWidget(new QLabel(QStringLiteral("Art.-Nr.:")));
  nummer->addWidget(ArtNr, 1);
  links->addLayout(nummer);
  nummer = new QHBoxLayout;
  nummer->addStretch(1);
  nummer->addWidget(Suchen);
  nummer->addWidget(Read);
  nummer->addWidget(ArtikelLoeschen);
  links->addLayout(nummer);

  auto* felder = new QGridLayout;
  const std::pair<const char*, QLineEdit*> beschriftet[] = {
      {"Bezeichnung 1:", Bez1}, {"Bezeichnung 2:", Bez2}, {"Bezeichnung 3:", Bez3},
      {"Preis (DB):", PreisDB}, {"Preis ATS:", PreisATS}, {"Preis EUR:", PreisEUR},
      {"Grundpreis:", Grundpreis}, {"Per:", Per}, {"Preisinfo:", Preis_Info},
      {"Überschrift:", Ueberschrift}};
  int zeile = 0;
  for (const auto& [text, feld] : beschriftet) {
    felder->addWidget(new QLabel(QString::fromUtf8(text)), zeile, 0);
    felder->addWidget(feld, zeile++, 1);
  }
  PreisDB->setReadOnly(true);
  links->addLayout(felder);

  Standardtexte = benannt(new QGroupBox(QStringLiteral(" Überschrift Standardtexte ")), "Standardtexte");
  auto* optionen = new QVBoxLayout(Standardtexte);
  QRadioButton** knoepfe[] = {&RadioAktion, &RadionBestellung, &RadioPreise, &RadioRest, &RadioWerbung};
  for (std::size_t i = 0; i < kStandardtexte.size(); ++i) {
    *knoepfe[i] = benannt(new QRadioButton(QString::fromUtf8(kStandardtexte[i].text)), kStandardtexte[i].option);
    optionen->addWidget(*knoepfe[i]);
  }
  RadioPreise->setChecked(true);
  links->addWidget(Standardtexte);

  auto* ausrichtung = new QHBoxLayout;
  B_LB = benannt(new kesto::activex::PushToggle(QStringLiteral("Links")), "B_LB");
  B_Z = benannt(new kesto::activex::PushToggle(QStringLiteral("Mitte")), "B_Z");
  B_RB = benannt(new kesto::activex::PushToggle(QStringLiteral("Rechts")), "B_RB");
  B_LB->setState(false);
  B_Z->setState(true);
  B_RB->setState(true);
  for (auto* b : {B_LB, B_Z, B_RB}) ausrichtung->addWidget(b);
  BildJN = benannt(new QPushButton(QStringLiteral("Bild >>")), "BildJN");
  ausrichtung->addStretch(1);
  ausrichtung->addWidget(BildJN);
  links->addLayout(ausrichtung);

  auto* unten = new QHBoxLayout;
  unten->addWidget(Uebernehmen);
  unten->addWidget(cbSenden);
  unten->addStretch(1);
  unten->addWidget(pb_Abbrechen);
  links->addStretch(1);
  links->addLayout(unten);

  auto* linkeSeite = new QWidget;
  linkeSeite->setLayout(links);
  BreiteFestlegen(*linkeSeite, kSchmal - 2 * zeilen->contentsMargins().left() * kTwipsProPixel);
  zeilen->addWidget(linkeSeite);

  // The picture panel, shown only in the wide window.
  bildPanel_ = new QWidget;
  auto* bild = new QVBoxLayout(bildPanel_);
  Bildrahmen = benannt(new QGroupBox(QStringLiteral(" Bild ")), "Bildrahmen");
  auto* rahmen = new QGridLayout(Bildrahmen);
  Image1 = benannt(new QLabel, "Image1");
  Image1->setFixedSize(160, 120);
  Image1->setFrameShape(QFrame::Box);
  Image1->setAlignment(Qt::AlignCenter);
  Oeffnen = benannt(new QPushButton(QStringLiteral("Ö&ffnen")), "Oeffnen");
  Loeschen = benannt(new QPushButton(QStringLiteral("&Löschen")), "Loeschen");
  rahmen->addWidget(Image1, 0, 0, 2, 1);
  rahmen->addWidget(Oeffnen, 0, 1);
  rahmen->addWidget(Loeschen, 1, 1);
  bild->addWidget(Bildrahmen);

  HZoom = leiste("HZoom", 0, 250, 100);
  VZoom = leiste("VZoom", 0, 250, 100);
  HPos = leiste("HPos", 10, 200, 120);
  Vpos = leiste("Vpos", 30, 200, 95);
  HZoomtext = benannt(new QLineEdit(QStringLiteral("100")), "HZoomtext");
  VZoomText = benannt(new QLineEdit(QStringLiteral("100")), "VZoomText");
  Hpostext = benannt(new QLineEdit(QStringLiteral("120")), "Hpostext");
  Vpostext = benannt(new QLineEdit(QStringLiteral("95")), "Vpostext");
  auto* werte = new QGridLayout;
  const std::tuple<const char*, QScrollBar*, QLineEdit*> balken[] = {
      {"Breite %:", HZoom, HZoomtext}, {"Höhe %:", VZoom, VZoomText},
      {"Links mm:", HPos, Hpostext}, {"Oben mm:", Vpos, Vpostext}};
  zeile = 0;
  for (const auto& [text, l, feld] : balken) {
    werte->addWidget(new QLabel(QString::fromUtf8(text)), zeile, 0);
    werte->addWidget(l, zeile, 1);
    // Three digits, a comma and one more.
    feld->setMaxLength(5);
    ZiffernBreite(*feld, 5);
    feld->setMaximumWidth(feld->minimumWidth());
    werte->addWidget(feld, zeile++, 2);
    l->installEventFilter(this);
    feld->installEventFilter(this);
  }
  bild->addLayout(werte);
  Seitenverhaeltnis = benannt(new QCheckBox(QStringLiteral("&Seitenverhältnis beibehalten?")), "Seitenverhaeltnis");
  bild->addWidget(Seitenverhaeltnis);
  bild->addStretch(1);
  zeilen->addWidget(bildPanel_, 1);
  bildPanel_->hide();
  BreiteFestlegen(*this, kSchmal);
  MindestHoehe(*this, 520);

  const auto ereignis = [this](void (frmPlakat::*h)()) { return [this, h] { Ereignis([this, h] { (this->*h)(); }); }; };
  const std::pair<QRadioButton*, void (frmPlakat::*)()> radios[] = {
      {RadioAktion, &frmPlakat::RadioAktion_Click}, {RadionBestellung, &frmPlakat::RadionBestellung_Click},
      {RadioPreise, &frmPlakat::RadioPreise_Click}, {RadioRest, &frmPlakat::RadioRest_Click},
      {RadioWerbung, &frmPlakat::RadioWerbung_Click}};
  for (const auto& [r, h] : radios) connect(r, &QRadioButton::clicked, this, ereignis(h));
  connect(cbSenden, &QPushButton::clicked, this, ereignis(&frmPlakat::cbSenden_Click));
  connect(BildJN, &QPushButton::clicked, this, ereignis(&frmPlakat::BildJN_Click));
  connect(Oeffnen, &QPushButton::clicked, this, ereignis(&frmPlakat::Oeffnen_Click));
  connect(Loeschen, &QPushButton::clicked, this, ereignis(&frmPlakat::Loeschen_Click));
  connect(HZoom, &QScrollBar::valueChanged, this, ereignis(&frmPlakat::HZoom_Change));
  connect(VZoom, &QScrollBar::valueChanged, this, ereignis(&frmPlakat::VZoom_Change));
  connect(HPos, &QScrollBar::valueChanged, this, ereignis(&frmPlakat::HPos_Change));
  connect(Vpos, &QScrollBar::valueChanged, this, ereignis(&frmPlakat::Vpos_Change));
  connect(Seitenverhaeltnis, &QCheckBox::clicked, this, ereignis(&frmPlakat::Seitenverhaeltnis_Click));
  B_LB->Click = ereignis(&frmPlakat::B_LB_Click);
  B_Z->Click = ereignis(&frmPlakat::B_Z_Click);
  B_RB->Click = ereignis(&frmPlakat::B_RB_Click);
}

frmPlakat::~frmPlakat() = default;

void frmPlakat::UeberschriftFreigeben(bool frei) {
  Ueberschrift->setEnabled(frei);
  for (QRadioButton* r : {RadioAktion, RadionBestellung, RadioPreise, RadioRest, RadioWerbung}) r->setEnabled(frei);
}

void frmPlakat::RadioAktion_Click() { UeberschriftSetzen(Standardtext("RadioAktion")); }
void frmPlakat::RadionBestellung_Click() { UeberschriftSetzen(Standardtext("RadionBestellung")); }
void frmPlakat::RadioPreise_Click() { UeberschriftSetzen(Standardtext("RadioPreise")); }
void frmPlakat::RadioRest_Click() { UeberschriftSetzen(Standardtext("RadioRest")); }
void frmPlakat::RadioWerbung_Click() { UeberschriftSetzen(Standardtext("RadioWerbung")); }

void frmPlakat::ArtNr_Click() {
  if (!ArtNrPruefen()) {
    ArtikelLoeschen_Click();
    return;
  }
  ArtNr_Enter();
  BlattAnzeigen();
}

void frmPlakat::BlattAnzeigen() {
  const int i = Position(ArtNrText());
  if (i < 0) return;
  FMStart& start = fensterliste().holen<FMStart>();
  // Only a page the preview has: page i + 1 needs a count of at least i + 1.
  if (start.VSPrinter1.PageCount() >= i + 1) start.VSPrinter1.setPreviewPage(i + 1);
  start.VPNav->Synchronize();
}

void frmPlakat::bildJNRegel() { BildJN->setEnabled(ArtNr->count() < 2); }
void frmPlakat::nachSpeichern() { bildJNRegel(); }
void frmPlakat::nachEntfernen() { bildJNRegel(); }
void frmPlakat::nachListeLaden() { bildJNRegel(); }

}  // namespace vovida
