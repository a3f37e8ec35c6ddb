#include "frmFliesenSchild.h"

#include "Schildgroesse.h"
#include "Benannt.h"
#include "FMStart.h"
#include "Farbe.h"
#include "Fensterliste.h"
#include "Fliesenschild.h"
#include "Fliesenspeicher.h"
#include "PlakatGlobal.h"
#include "Platzierung.h"
#include "Preisinfo.h"
#include "Schildarten.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"
#include "frmFlliesenSchildDimensionen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWindow>

namespace vovida {

namespace {

constexpr int kTwipsProPixel = 15;

QLineEdit* feld(const char* name) { return benannt(new QLineEdit, name); }

QComboBox* liste(const char* name) {
  auto* box = benannt(new QComboBox, name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setObjectName(QString::fromUtf8(name) + QStringLiteral("_Text"));
  return box;
}

QPushButton* knopf(const char* name, const QString& text, const QString& tipp = QString()) {
  auto* k = benannt(new QPushButton(text), name);
  if (!tipp.isEmpty()) k->setToolTip(tipp);
  return k;
}

// One labelled row of a page's grid.
void zeile(QGridLayout& raster, const QString& beschriftung, QWidget* w, int spalten = 1) {
  const int r = raster.rowCount();
  raster.addWidget(new QLabel(beschriftung), r, 0);
  raster.addWidget(w, r, 1, 1, spalten);
}

// Makes the sign kind current in the main window as its option button would, without
// showing an editor: option ticked, paper and printer of the kind.
void hauptfensterArtSetzen(const QString& code) {
  const Schildart* art = SchildartZu(code);
  if (!art) return;
  FMStart& start = fensterliste().holen<FMStart>();
  startglobale().Plakatart = code;
  if (QRadioButton* option = start.Option(code)) {
    const QSignalBlocker sperre(option);
    option->setChecked(true);
  }
  start.DruckerWaehlen(art->papier, QString::fromUtf8(art->drucker), false);
}

}  // namespace

frmFliesenSchild::frmFliesenSchild() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Wandfliesenschild Eigenschaften"));
  aufbauen();
  menuesAufbauen();
  verbinden();
}

frmFliesenSchild::~frmFliesenSchild() = default;

void frmFliesenSchild::aufbauen() {
  auto* spalte = new QVBoxLayout(this);
  Menue = new QMenuBar(this);
  spalte->setMenuBar(Menue);
  TabStrip1 = benannt(new QTabBar, "TabStrip1");
  for (const char* reiter : {"Allgemein", "Hauptartikel", "Zusatzartikel"}) TabStrip1->addTab(QString::fromUtf8(reiter));
  spalte->addWidget(TabStrip1);

  // Page 1: header, colour, label size.
  Frame1[0] = benannt(new QWidget, "Frame1_1");
  auto* seite1 = new QVBoxLayout(Frame1[0]);
  auto* kopf = new QGridLayout;
  Ueberschrift = feld("Ueberschrift");
  Ueberschrift->setText(QStringLiteral("SEHENSWERTE PREISE"));
  zeile(*kopf, QStringLiteral("Überschrift:"), Ueberschrift);
  seite1->addLayout(kopf);
  auto* standard = new QGroupBox(QStringLiteral("Standardtexte"));
  auto* optionen = new QVBoxLayout(standard);
  RadioAktion = benannt(new QRadioButton(QStringLiteral("AKTION")), "RadioAktion");
  RadionBestellung = benannt(new QRadioButton(QStringLiteral("AUF BESTELLUNG!")), "RadionBestellung");
  RadioPreise = benannt(new QRadioButton(QStringLiteral("SEHENSWERTE PREISE")), "RadioPreise");
  RadioRest = benannt(new QRadioButton(QStringLiteral("RESTPOSTEN")), "RadioRest");
  RadioWerbung = benannt(new QRadioButton(QStringLiteral("AUS UNSERER WERBUNG!")), "RadioWerbung");
  for (QRadioButton* o : {RadioAktion, RadionBestellung, RadioPreise, RadioRest, RadioWerbung}) optionen->addWidget(o);
  seite1->addWidget(standard);
  Farbe = knopf("Farbe", QStringLiteral("Farbe TextMarke"));
  seite1->addWidget(Farbe);
  auto* groesse = new QGroupBox(QStringLiteral("Fliesenbeschriftung (mm)"));
  auto* masse = new QHBoxLayout(groesse);
  B = feld("B");
  H = feld("H");
  Save = knopf("Save", QStringLiteral("Sichern"), QStringLiteral("Breite und Höhe speichern"));
  masse->addWidget(new QLabel(QStringLiteral("B:")));
  masse->addWidget(B);
  masse->addWidget(new QLabel(QStringLiteral("H:")));
  masse->addWidget(H);
  masse->addWidget(Save);
  seite1->addWidget(groesse);
  seite1->addStretch(1);

  // Page 2: the main article.
  Frame1[1] = benannt(new QWidget, "Frame1_2");
  auto* seite2 = new QGridLayout(Frame1[1]);
  ArtNr = liste("ArtNr");
  Suchen = knopf("Suchen", QStringLiteral("..."), QStringLiteral("Artikelnummer suchen"));
  ArtikelLaden = knopf("ArtikelLaden", QStringLiteral("&Lesen"));
  ArtikelLoeschen = knopf("ArtikelLoeschen", QStringLiteral("Del"));
  auto* artikel = new QHBoxLayout;
  artikel->addWidget(ArtNr, 1);
  artikel->addWidget(Suchen);
  artikel->addWidget(ArtikelLaden);
  artikel->addWidget(ArtikelLoeschen);
  seite2->addWidget(new QLabel(QStringLiteral("Artikelnr.:")), 0, 0);
  seite2->addLayout(artikel, 0, 1);
  Bez1 = feld("Bez1");
  Bez2 = feld("Bez2");
  Alias = feld("Alias");
  Sortierung = feld("Sortierung");
  Fliesentype = liste("Fliesentype");
  Abriebgruppe = feld("Abriebgruppe");
  Verfuegbarkeit = feld("Verfügbarkeit");
  Groesze = feld("Groesze");
  frostsicher = feld("frostsicher");
  Regalnummer = feld("Regalnummer");
  TamselArtNr = feld("TamselArtNr");
  TamselArtNr->setToolTip(QStringLiteral("Lieferantenartikelnummer"));
  Per = liste("Per");
  HVKE = liste("HVKE");
  HVPI = feld("HVPI");
  HVRM = feld("HVRM");
  HVPM = feld("HVPM");
  PreisDB = feld("PreisDB");
  PreisATS = feld("PreisATS");
  PreisEUR = feld("PreisEUR");
  chk_HArt_Erklaerung = benannt(new QCheckBox(QStringLiteral("Hauptartikelerklärung Anzeigen.")), "chk_HArt_Erklärung");
  const std::pair<const char*, QWidget*> hauptfelder[] = {
      {"Bezeichnung:", Bez1},  {"", Bez2},
      {"Alias:", Alias},       {"Sortierung:", Sortierung},
      {"Fliesentype:", Fliesentype}, {"Abriebgruppe:", Abriebgruppe},
      {"Verfügbarkeit:", Verfuegbarkeit}, {"Größe:", Groesze},
      {"frostsicher:", frostsicher}, {"Regalnummer:", Regalnummer},
      {"Tamsel Art.Nr.:", TamselArtNr}, {"Per:", Per},
      {"VKE:", HVKE},          {"VPI:", HVPI},
      {"VRM:", HVRM},          {"VPM:", HVPM},
      {"Preis lt. Datenbank:", PreisDB}, {"ATS:", PreisATS},
      {"Preiseingabe:", PreisEUR}};
  for (const auto& [text, w] : hauptfelder) zeile(*seite2, QString::fromUtf8(text), w);
  seite2->addWidget(chk_HArt_Erklaerung, seite2->rowCount(), 0, 1, 2);
  seite2->setRowStretch(seite2->rowCount(), 1);

  // Page 3: the sub-articles.
  Frame1[2] = benannt(new QWidget, "Frame1_3");
  auto* seite3 = new QGridLayout(Frame1[2]);
  Detail = benannt(new QListWidget, "Detail");
  Detail->setMinimumHeight(90);
  // Long detail lines scroll; they do not widen the window.
  Detail->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  seite3->addWidget(Detail, 0, 0, 1, 2);
  subArtikelNummer = liste("subArtikelNummer");
  subSuchen = knopf("subSuchen", QStringLiteral("..."), QStringLiteral("Artikelnummer suchen"));
  subArtikelLaden = knopf("subArtikelLaden", QStringLiteral("&Lesen"));
  up = knopf("up", QStringLiteral("▲"), QStringLiteral("markiertes Detail nach oben verschieben"));
  down = knopf("down", QStringLiteral("▼"), QStringLiteral("markiertes Detail nach unten verschieben"));
  auto* unter = new QHBoxLayout;
  unter->addWidget(subArtikelNummer, 1);
  for (QPushButton* k : {subSuchen, subArtikelLaden, up, down}) unter->addWidget(k);
  zeile(*seite3, QStringLiteral("Artikelnr.:"), new QWidget);
  seite3->itemAtPosition(seite3->rowCount() - 1, 1)->widget()->setLayout(unter);
  ZeilenText = liste("ZeilenText");
  DAlias = feld("DAlias");
  DBezeichnung = feld("DBezeichnung");
  DBezeichnung2 = feld("DBezeichnung2");
  DTamselArtNr = feld("DTamselArtNr");
  DPer = liste("DPer");
  DPreisDB = feld("DPreisDB");
  DPreisATS = feld("DPreisATS");
  DPreisEUR = feld("DPreisEUR");
  DInfo = benannt(new QCheckBox(QStringLiteral("Bestellfliese")), "DInfo");
  SVKE = liste("SVKE");
  SVPI = feld("SVPI");
  SVRM = feld("SVRM");
  SVPM = feld("SVPM");
  chk_SubErklaerungAnzeigen =
      benannt(new QCheckBox(QStringLiteral("Subartikelerklärung Anzeigen.")), "chk_SubErklärungAnzeigen");
  const std::pair<const char*, QWidget*> unterfelder[] = {
      {"Art:", ZeilenText},       {"Alias:", DAlias},
      {"Bezeichnung:", DBezeichnung}, {"", DBezeichnung2},
      {"Tamsel Art.Nr.:", DTamselArtNr}, {"Per:", DPer},
      {"Preis lt. Datenbank:", DPreisDB}, {"ATS:", DPreisATS},
      {"Preiseingabe:", DPreisEUR}, {"", DInfo},
      {"VKE:", SVKE},             {"VPI:", SVPI},
      {"VRM:", SVRM},             {"VPM:", SVPM}};
  for (const auto& [text, w] : unterfelder) zeile(*seite3, QString::fromUtf8(text), w);
  seite3->addWidget(chk_SubErklaerungAnzeigen, seite3->rowCount(), 0, 1, 2);

  // The packaging boxes explain the figures.
  const QString vke = QStringLiteral("VKE: Verkaufseinheit, in der der Artikel verkauft wird");
  const QString vpi = QStringLiteral("VPI: Verpackungsinhalt, Verkaufseinheiten je Verpackung");
  const QString vrm = QStringLiteral("VRM: Verrechnungsmenge in der Per-Einheit je Verkaufseinheit");
  const QString vpm = QStringLiteral("VPM: Verkaufspreismenge, kleinste kaufbare Anzahl Verkaufseinheiten");
  for (auto [w, tipp] : {std::pair<QWidget*, QString>{HVKE, vke}, {SVKE, vke}, {HVPI, vpi}, {SVPI, vpi},
                         {HVRM, vrm}, {SVRM, vrm}, {HVPM, vpm}, {SVPM, vpm}})
    w->setToolTip(tipp);

  // One page shown at a time, each from the top of the same area.
  auto* seiten = new QStackedWidget;
  for (QWidget* seite : Frame1) seiten->addWidget(seite);
  spalte->addWidget(seiten, 1);
  seite3->setRowStretch(seite3->rowCount(), 1);

  // Reachable whatever page is shown.
  Uebernehmen = knopf("Uebernehmen", QStringLiteral("&Speichern"));
  ctPush1 = knopf("ctPush1", QStringLiteral("&Abbrechen"));
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch(1);
  knoepfe->addWidget(Uebernehmen);
  knoepfe->addWidget(ctPush1);
  spalte->addLayout(knoepfe);
}

void frmFliesenSchild::menuesAufbauen() {
  mSchildauswahl = Menue->addMenu(QStringLiteral("&Schildauswahl"));
  mSchildauswahl->setObjectName(QStringLiteral("mSchildauswahl"));
  auto punkt = [&](const char* name, const QString& text) {
    QAction* a = mSchildauswahl->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    return a;
  };
  mWandfliese = punkt("mWandfliese", QStringLiteral("&Wandfliese (Groß)"));
  mBodenfliese = punkt("mBodenfliese", QStringLiteral("&Bodenfliese (Groß)"));
  mKuechenfliese = punkt("mKuechenfliese", QStringLiteral("&Küchenfliese (Klein)"));
  mBestellung = punkt("mBestellung", QStringLiteral("&Bestellfliese (Groß)"));
  mBestellung_klein = punkt("mBestellung_klein", QStringLiteral("B&estellfliese (Klein)"));
  mFliesenbeschriftung = punkt("mFliesenbeschriftung", QStringLiteral("Fliesenbe&schriftung"));
  mBestellFliesenbeschriftung = punkt("mBestellFliesenbeschriftung", QStringLiteral("Bestllfliesenbeschriftun&g"));
  mSchildDimensionen = Menue->addMenu(QStringLiteral("Schild&dimensionen"));
  mSchildDimensionen->setObjectName(QStringLiteral("mSchildDimensionen"));
  mBearbeiten = mSchildDimensionen->addAction(QStringLiteral("&Berabeiten"));
  mBearbeiten->setObjectName(QStringLiteral("mBearbeiten"));
}

void frmFliesenSchild::Form_Load() {
  Erstellung();
  move(240 / kTwipsProPixel, 795 / kTwipsProPixel);
  resize(qMax(4725 / kTwipsProPixel, sizeHint().width()), qMax(6615 / kTwipsProPixel, sizeHint().height()));
  AktuellerTab = 1;
  TabStrip1->setCurrentIndex(0);
  fliesendaten().typSetzen(kWandfliese);
  mWandfliese_Click();

  // The logo: a file that cannot be read leaves the window open and the logo as it was.
  const QString ordner = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                                      QStringLiteral("@"), QStringLiteral("\\"), true);
  fensterliste().holen<FMStart>().LogoLaden(ordner + QStringLiteral("\\Logo.bmp"));

  const bool ats = fensterliste().holen<Preisinfo>().WWSHW->text() == u"ATS";
  PreisATS->setEnabled(ats);
  DPreisATS->setEnabled(ats);
  PreisEUR->setEnabled(!ats);
  DPreisEUR->setEnabled(!ats);
  TextMarkeFarbe = 0xFF0000;
  SchildgroesseLesen(QStringLiteral("FBESCH-BH"), *B, *H);
  artikellisteFuellen();
  const QSignalBlocker sperre(chk_HArt_Erklaerung);
  chk_HArt_Erklaerung->setChecked(HauptErklaerungLesen());
}

void frmFliesenSchild::Erstellung() {
  fliesendaten().Automatik =
      ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FLIESEN")).toUpper() == u"A";
}

void frmFliesenSchild::schildtypWaehlen(QAction* punkt, const QString& plakatart, const QString& typ, bool bestellung,
                                        const QString& titel) {
  const QString vorher = startglobale().Plakatart;
  startglobale().Plakatart = plakatart;
  if (!bestellung) {
    Erstellung();
    fliesendaten().typSetzen(typ);
  }
  bestellungEinrichten(bestellung);
  for (QAction* a : mSchildauswahl->actions()) a->setChecked(a == punkt);
  setWindowTitle(titel);
  // The main window follows, so that a label never goes to the sale signs' printer.
  const QRadioButton* option = fensterliste().holen<FMStart>().Option(plakatart);
  if (vorher != plakatart || (option && !option->isChecked())) hauptfensterArtSetzen(plakatart);
}

void frmFliesenSchild::mWandfliese_Click() {
  schildtypWaehlen(mWandfliese, QStringLiteral("FVK"), kWandfliese, false, QStringLiteral("Wandfliesenschild Eigenschaften"));
}
void frmFliesenSchild::mBodenfliese_Click() {
  schildtypWaehlen(mBodenfliese, QStringLiteral("FVK"), kBodenfliese, false, QStringLiteral("Fliesenschild Eigenschaften"));
}
void frmFliesenSchild::mKuechenfliese_Click() {
  schildtypWaehlen(mKuechenfliese, QStringLiteral("FVK"), kKuechenfliese, false,
                   QStringLiteral("Küchenfliesenschild (klein) Eigenschaften"));
}
void frmFliesenSchild::mBestellung_Click() {
  schildtypWaehlen(mBestellung, QStringLiteral("FVK"), kBestellung, true, QStringLiteral("Bestellfliesenschild Eigenschaften"));
}
void frmFliesenSchild::mBestellung_klein_Click() {
  schildtypWaehlen(mBestellung_klein, QStringLiteral("FVK"), kBestellung, true,
                   QStringLiteral("Bestellfliesenschild Eigenschaften"));
}
void frmFliesenSchild::mFliesenbeschriftung_Click() {
  schildtypWaehlen(mFliesenbeschriftung, QStringLiteral("A7"), kBeschriftung, false,
                   QStringLiteral("Fliesenbeschriftung Eigenschaften"));
}
void frmFliesenSchild::mBestellFliesenbeschriftung_Click() {
  schildtypWaehlen(mBestellFliesenbeschriftung, QStringLiteral("A7"), kBestellung, true,
                   QStringLiteral("Bestellfliesenbeschriftung Eigenschaften"));
}

void frmFliesenSchild::bestellungEinrichten(bool bestellung) {
  Fliesendaten& d = fliesendaten();
  if (bestellung) {
    d.Fliesentyp = kBestellung;
    d.Automatik = false;
  }
  const bool beschriftung = startglobale().Plakatart == u"A7";
  TabFlags = beschriftung ? QStringLiteral("0,1,0") : QStringLiteral("0,0,1");
  mSchildDimensionen->menuAction()->setEnabled(!beschriftung);
  d.Lagerschild = !bestellung;
  for (QWidget* w : std::initializer_list<QWidget*>{TamselArtNr, Per, HVKE, HVPI, HVRM, HVPM}) w->setEnabled(bestellung);
  DTamselArtNr->setEnabled(!bestellung);
  DPer->setEnabled(!bestellung);
  AllesLeeren();
  ArtNr->setCurrentText(QString());
  artikellisteFuellen();
}

void frmFliesenSchild::mBearbeiten_Click() {
  // Loaded fresh from the server parameters each time it opens.
  auto& fenster = FormHolen<frmFlliesenSchildDimensionen>();
  Zuordnen(fenster, this);
  ModalZeigen(fenster);
  fensterliste().entladen<frmFlliesenSchildDimensionen>();
}

void frmFliesenSchild::TabStrip1_Click() {
  const int gewaehlt = TabStrip1->currentIndex() + 1;
  if (gewaehlt == AktuellerTab || gewaehlt < 1 || gewaehlt > 3) return;
  static_cast<QStackedWidget*>(Frame1[0]->parentWidget())->setCurrentWidget(Frame1[static_cast<std::size_t>(gewaehlt - 1)]);
  AktuellerTab = gewaehlt;
}

void frmFliesenSchild::Farbe_Click() {
  if (const std::optional<std::uint32_t> farbe = FarbdialogZeigen(TextMarkeFarbe)) TextMarkeFarbe = *farbe;
  VorschauTimerNeustart();
}

void frmFliesenSchild::Save_Click() { SchildgroesseSpeichern(QStringLiteral("FBESCH-BH"), *B, *H); }

void frmFliesenSchild::ctPush1_Click() { fensterliste().entladen<frmFliesenSchild>(); }

void frmFliesenSchild::Form_Unload() { FliesenEditorwerteBehalten(*this); }

void frmFliesenSchild::chk_HArt_Erklaerung_Click() { HauptErklaerungSchreiben(chk_HArt_Erklaerung->isChecked()); }

}  // namespace vovida
