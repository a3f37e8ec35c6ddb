#include "frmRegalBesch.h"

#include "Schildgroesse.h"
#include "Benannt.h"
#include "AOBStandard.h"
#include "FMStart.h"
#include "Farbe.h"
#include "KestoapiHilfen.h"
#include "PlakatGlobal.h"
#include "Schildhoehe.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include "frmPlakat.h"
#include "VPNavBar.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <activex/Barcode.h>
#include <services/MessageBox.h>

namespace vovida {

namespace {

const QString kGruppe = QStringLiteral("PLAKAT");
const QString kGroesse = QStringLiteral("RBESCH-BH");

}  // namespace

frmRegalBesch::frmRegalBesch() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Eigenschaften Regalbeschriftung"));
  Ueberschrift->setText(Standardtext("RadioAktion"));

  Standardtexte = benannt(new QGroupBox(QStringLiteral(" Überschrift Standardtexte ")), "Standardtexte");
  auto* optionen = new QVBoxLayout(Standardtexte);
  const auto option = [&](const char* name, const QString& text) {
    auto* o = benannt(new QRadioButton(text), name);
    optionen->addWidget(o);
    connect(o, &QRadioButton::clicked, this, [this, o] { Ereignis([this, o] { standardtext(o); }); });
    return o;
  };
  RadioAktion = option("RadioAktion", QStringLiteral("&Aktion"));
  RadionBestellung = option("RadionBestellung", QStringLiteral("auf &Bestellung"));
  RadioRest = option("RadioRest", QStringLiteral("&Restposten"));
  RadioWerbung = option("RadioWerbung", QStringLiteral("aus unserer &Werbung"));
  // The headline the window opens with, so that the layout always has a headline style.
  RadioAktion->setChecked(true);

  B = benannt(new QLineEdit, "B");
  H = benannt(new QLineEdit, "H");
  B->setToolTip(QStringLiteral("Breite in mm"));
  H->setToolTip(QStringLiteral("Höhe in mm"));
  Save = benannt(new QPushButton(QStringLiteral("&Speichern")), "Save");
  Farbe = benannt(new QPushButton(QStringLiteral("&Farbe")), "Farbe");
  Farbe->setToolTip(QStringLiteral("Farbe TextMarke"));
  cbSenden->setText(QStringLiteral("An &Plakat senden"));
  Barcode1 = new kesto::activex::Barcode(this);
  Barcode1->setObjectName(QStringLiteral("Barcode1"));
  Barcode1->hide();

  auto* spalten = new QVBoxLayout(this);
  auto* artikel = new QHBoxLayout;
  artikel->addWidget(new QLabel(QStringLiteral("Art.-Nr.:")));
  artikel->addWidget(ArtNr, 1);
  artikel->addWidget(Suchen);
  artikel->addWidget(Read);
  spalten->addLayout(artikel);
  auto* felder = new QFormLayout;
  felder->addRow(QStringLiteral("Bezeichnung 1:"), Bez1);
  felder->addRow(QStringLiteral("Bezeichnung 2:"), Bez2);
  felder->addRow(QStringLiteral("Bezeichnung 3:"), Bez3);
  felder->addRow(QStringLiteral("Preis DB:"), PreisDB);
  felder->addRow(QStringLiteral("Preis ATS:"), PreisATS);
  felder->addRow(QStringLiteral("Preis EUR:"), PreisEUR);
  felder->addRow(QStringLiteral("Grundpreis:"), Grundpreis);
  felder->addRow(QStringLiteral("Per:"), Per);
  felder->addRow(QStringLiteral("Preisinfo:"), Preis_Info);
  felder->addRow(QStringLiteral("Überschrift:"), Ueberschrift);
  spalten->addLayout(felder);
  spalten->addWidget(Standardtexte);
  auto* groesse = new QHBoxLayout;
  groesse->addWidget(new QLabel(QStringLiteral("Breite:")));
  groesse->addWidget(B);
  groesse->addWidget(new QLabel(QStringLiteral("Höhe:")));
  groesse->addWidget(H);
  groesse->addWidget(Save);
  groesse->addWidget(Farbe);
  spalten->addLayout(groesse);
  auto* knoepfe = new QGridLayout;
  knoepfe->addWidget(Uebernehmen, 0, 0);
  knoepfe->addWidget(ArtikelLoeschen, 0, 1);
  knoepfe->addWidget(cbSenden, 1, 0);
  knoepfe->addWidget(pb_Abbrechen, 1, 1);
  spalten->addLayout(knoepfe);

  PreisDB->setReadOnly(true);
  B->installEventFilter(this);
  H->installEventFilter(this);
  ArtNr->installEventFilter(this);
  connect(B, &QLineEdit::textChanged, this, [this] { Ereignis([this] { B_Change(); }); });
  connect(H, &QLineEdit::textChanged, this, [this] { Ereignis([this] { H_Change(); }); });
  connect(Save, &QPushButton::clicked, this, [this] { Ereignis([this] { Save_Click(); }); });
  connect(Farbe, &QPushButton::clicked, this, [this] { Ereignis([this] { Farbe_Click(); }); });
  connect(cbSenden, &QPushButton::clicked, this, [this] { Ereignis([this] { cbSenden_Click(); }); });
}

frmRegalBesch::~frmRegalBesch() = default;

void frmRegalBesch::Form_Load() {
  TextMarkeFarbe = kGruen;
  Warteschlangenfenster::Form_Load();
  SchildgroesseLesen(kGroesse, *B, *H);
}

void frmRegalBesch::standardtext(QRadioButton* option) {
  option->setChecked(true);
  UeberschriftSetzen(Standardtext(option->objectName().toUtf8().constData()));
}

void frmRegalBesch::RadioAktion_Click() { standardtext(RadioAktion); }
void frmRegalBesch::RadionBestellung_Click() { standardtext(RadionBestellung); }
void frmRegalBesch::RadioRest_Click() { standardtext(RadioRest); }
void frmRegalBesch::RadioWerbung_Click() { standardtext(RadioWerbung); }

void frmRegalBesch::nachSpeichern() { VorschauTimerNeustart(); }

int frmRegalBesch::SeiteDesArtikels() const {
  int jeSeite = 0;
  try {
    jeSeite = SchildhoeheLesen(H->text()).jeSeite;
  } catch (const SchildhoeheUngueltig&) {
    return 0;  // the layout reports the height
  }
  const int j = Position(ArtNrText());
  return j < 0 ? 0 : j / jeSeite + 1;
}

QStringList frmRegalBesch::ErsteJeSeite() const {
  const QStringList liste = Liste();
  int jeSeite = 1;
  try {
    jeSeite = SchildhoeheLesen(H->text()).jeSeite;
  } catch (const SchildhoeheUngueltig&) {
    return liste;
  }
  QStringList erste;
  for (qsizetype i = 0; i < liste.size(); i += jeSeite) erste << liste[i];
  return erste;
}

void frmRegalBesch::ArtNr_Click() {
  if (!ArtNrPruefen()) return;
  ArtNr_Enter();
  const int seite = SeiteDesArtikels();
  if (seite == 0) return;
  FMStart& start = fensterliste().holen<FMStart>();
  if (start.VSPrinter1.PageCount() < seite) return;
  start.VSPrinter1.setPreviewPage(seite);
  start.VPNav->Synchronize();
}

void frmRegalBesch::GroessePruefen(QLineEdit& feld) {
  // The check writes the filtered text back; that must not check a second time.
  const QSignalBlocker sperre(&feld);
  bool fehler = false;
  ZahlPruefen(3, 1, feld, false, fehler);
}

void frmRegalBesch::Save_Click() {
  const int antwort = kesto::services::messageBox("Sind Sie Sicher?\r\nEinstellungen werden für alle übernommen!",
                                                  "Speichern", MB_OKCANCEL);
  if (antwort != IDOK) return;
  SchildgroesseSpeichern(kGroesse, *B, *H);
}

void frmRegalBesch::Farbe_Click() {
  if (const std::optional<std::uint32_t> farbe = FarbdialogZeigen(TextMarkeFarbe)) TextMarkeFarbe = *farbe;
}

void frmRegalBesch::cbSenden_Click() {
  // Ticking the option runs its handler, which makes "A4N" the sign kind.
  fensterliste().holen<FMStart>().Option(QStringLiteral("A4N"))->setChecked(true);
  frmPlakat& plakat = FormHolen<frmPlakat>();
  SendenAn(plakat, QStringLiteral("Für Sehenswerte Preise."));
  plakat.RadioPreise_Click();
  plakat.lesen();
  GesendetSchliessen();
}

bool frmRegalBesch::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease && (objekt == B || objekt == H)) {
    if (Tastencode(static_cast<QKeyEvent*>(ereignis)->key()) == kTasteEnter) Ereignis([] { VorschauTimerNeustart(); });
  } else if (ereignis->type() == QEvent::FocusIn && objekt == ArtNr) {
    // After the combo box has handed the focus to its line edit, which places the cursor;
    // by then the user may have moved on, and the focus stays where they went.
    QMetaObject::invokeMethod(
        this, [this] { Ereignis([this] { TextMarkieren(*ArtNr->lineEdit(), true); }); }, Qt::QueuedConnection);
  }
  return Warteschlangenfenster::eventFilter(objekt, ereignis);
}

void frmRegalBesch::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  Warteschlangenfenster::keyPressEvent(ereignis);
}

}  // namespace vovida
