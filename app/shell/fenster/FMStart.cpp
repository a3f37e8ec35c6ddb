#include "FMStart.h"

#include "Benannt.h"
#include "FMPass.h"
#include "FrmSchriftdef.h"
#include "Fensterliste.h"
#include "frmAbout.h"
#include "frmDruckerfestlegung.h"
#include "Kestoapi.h"
#include "PlakatGlobal.h"
#include "Platzierung.h"
#include "Preisinfo.h"
#include "Schildarten.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "VPNavBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <activex/PreviewWidget.h>
#include <activex/RTFText2.h>
#include <registry/Settings.h>
#include <services/Cursor.h>
#include <services/MessageBox.h>

namespace vovida {

using kesto::activex::PreviewEvent;

namespace {

QCheckBox* kontrollkaestchen(const char* name, const QString& text, bool an) {
  auto* k = benannt(new QCheckBox(text), name);
  k->setChecked(an);
  return k;
}

}  // namespace

QString Fenstertitel(const QString& anfang) {
  const KestoapiGlobale& g = kestoapi();
  return anfang + QString(14, u' ') + QStringLiteral("Firma: ") + g.Firma + QString(5, u' ') +
         QStringLiteral("Filiale: ") + g.Filiale + QString(5, u' ') + QStringLiteral("Benutzer: ") + g.PersonalName;
}

FMStart::FMStart() : BildAufbauen(std::chrono::milliseconds(500), [this] { Ereignis([this] { Aktualisieren_Click(); }); }) {
  aufbauen();
  menuesAufbauen();
  VSPrinter1.setEventHandler([this](PreviewEvent e, double) { Ereignis([this, e] { vorschauEreignis(e); }); });
  VSPrinter1.setPrintPort(&drucker_);
}

FMStart::~FMStart() {
  VSPrinter1.setEventHandler(nullptr);
  // The preview widget and the bar hold on to VSPrinter1: they go before it does.
  delete takeCentralWidget();
}

void FMStart::aufbauen() {
  setWindowTitle(QStringLiteral("Ferrix Preisplakat"));
  auto* mitte = new QWidget;
  auto* zeile = new QHBoxLayout(mitte);

  Frame1 = benannt(new QGroupBox, "Frame1");
  auto* spalte = new QVBoxLayout(Frame1);
  Frame4 = benannt(new QGroupBox, "Frame4");
  auto* arten = new QVBoxLayout(Frame4);
  for (const Schildart& art : kSchildarten) {
    auto* option = benannt(new QRadioButton(QString::fromUtf8(art.beschriftung)), art.option);
    const QString code = QString::fromUtf8(art.code);
    optionen_[code] = option;
    arten->addWidget(option);
  }
  optionen_[QStringLiteral("A4N")]->setChecked(true);
  // Ticking an option, by a click or by setting it, runs its handler.
  for (const auto& [code, option] : optionen_)
    connect(option, &QRadioButton::toggled, this, [this, code = code](bool an) {
      if (an) Ereignis([this, code] { SchildartWaehlen(code); });
    });
  spalte->addWidget(Frame4);
  Raster = kontrollkaestchen("Raster", QStringLiteral("Raster"), false);
  ZweiPreise = kontrollkaestchen("ZweiPreise", QStringLiteral("Doppelte Preisauszeichnung"), false);
  Grundpreis = kontrollkaestchen("Grundpreis", QStringLiteral("Grundpreisauszeichnung"), true);
  AutoAktualisieren = kontrollkaestchen("AutoAktualisieren", QStringLiteral("automatisch aktualisieren?"), true);
  for (QCheckBox* k : {Raster, ZweiPreise, Grundpreis, AutoAktualisieren}) spalte->addWidget(k);
  // The layouts read these switches: a change is an edit of the sheet.
  for (QCheckBox* k : {Raster, ZweiPreise, Grundpreis})
    connect(k, &QCheckBox::toggled, this, [] { Ereignis([] { VorschauTimerNeustart(); }); });
  CBDaten = benannt(new QPushButton(QStringLiteral("Daten &Eingabe")), "CBDaten");
  spalte->addWidget(CBDaten);
  spalte->addStretch(1);
  VPNav = new VPNavBar(&VSPrinter1);
  spalte->addWidget(VPNav);
  Label4 = benannt(new QLabel(QStringLiteral("Kopien:")), "Label4");
  spalte->addWidget(Label4);
  auto* druckzeile = new QHBoxLayout;
  Aktualisieren = benannt(new QPushButton(QStringLiteral("&Aktualisieren")), "Aktualisieren");
  Aktualisieren->setToolTip(QStringLiteral("Druckvorschau aktualisieren"));
  // Alt+D belongs to the "Datei" menu: each letter opens one thing in this window.
  Drucken = benannt(new QPushButton(QStringLiteral("D&ruck")), "Drucken");
  Drucken->setToolTip(QStringLiteral("Vovida Drucken"));
  Druckanzahl = benannt(new QLineEdit(QStringLiteral("1")), "Druckanzahl");
  Druckanzahl->setToolTip(QStringLiteral("Anzahl der Kopieseiten"));
  Druckanzahl->setMaximumWidth(40);
  druckzeile->addWidget(Aktualisieren);
  druckzeile->addWidget(Drucken);
  druckzeile->addWidget(Druckanzahl);
  spalte->addLayout(druckzeile);
  Logo = benannt(new QLabel, "Logo");
  Schild = benannt(new QLabel, "Schild");
  SchildTamsel = benannt(new QLabel, "SchildTamsel");
  // Hidden and in no layout, but owned by the window so that they go with it.
  for (QLabel* bild : {Logo, Schild, SchildTamsel}) {
    bild->setParent(this);
    bild->hide();
  }
  zeile->addWidget(Frame1);
  // The sign kinds, "Druck" and "Aktualisieren" stay in view when editors open.
  FreiHalten(*this, *Frame1);

  ctSplit = benannt(new QSplitter(Qt::Vertical), "ctSplit");
  ctSize1 = benannt(new QWidget, "ctSize1");
  ctSize2 = benannt(new QWidget, "ctSize2");
  Vorschau = new kesto::activex::PreviewWidget(VSPrinter1);
  Vorschau->setObjectName(QStringLiteral("VSPrinter1"));
  (new QVBoxLayout(ctSize1))->addWidget(Vorschau);
  RTF = benannt(new kesto::activex::RTFText2, "RTF");
  RTF->setEventHandler([this](int ereignis) {
    if (ereignis == kesto::activex::RTFText2::contentChanged) Ereignis([this] { RTF_Ereignis11(); });
  });
  (new QVBoxLayout(ctSize2))->addWidget(RTF);
  ctSplit->addWidget(ctSize1);
  ctSplit->addWidget(ctSize2);
  zeile->addWidget(ctSplit, 1);
  setCentralWidget(mitte);
  resize(1024, 768);

  connect(Aktualisieren, &QPushButton::clicked, this, [this] { Ereignis([this] { Aktualisieren_Click(); }); });
  connect(CBDaten, &QPushButton::clicked, this, [this] { Ereignis([this] { CBDaten_Click(); }); });
  connect(Drucken, &QPushButton::clicked, this, [this] { Ereignis([this] { Drucken_Click(); }); });
  connect(Druckanzahl, &QLineEdit::textChanged, this, [this] { Ereignis([this] { Druckanzahl_Change(); }); });
  Druckanzahl->installEventFilter(this);
}

void FMStart::menuesAufbauen() {
  QMenu* datei = benannt(menuBar()->addMenu(QStringLiteral("&Datei")), "Datei");
  QAction* aktualisieren = benannt(datei->addAction(QStringLiteral("Aktualisieren")), "MAktualisieren");
  connect(aktualisieren, &QAction::triggered, this, [this] { Ereignis([this] { Aktualisieren_Click(); }); });
  QAction* drucken = benannt(datei->addAction(QStringLiteral("Drucken")), "Print");
  connect(drucken, &QAction::triggered, this, [this] { Ereignis([this] { Drucken_Click(); }); });
  QAction* drucker = benannt(datei->addAction(QStringLiteral("Druckerdefinition")), "mDruckerDefinition");
  connect(drucker, &QAction::triggered, this, [this] { Ereignis([this] { DruckerfestlegungZeigen(this); }); });
  QAction* preise = benannt(datei->addAction(QStringLiteral("&Währungsdefinition")), "Preisinformation");
  connect(preise, &QAction::triggered, this, [] { Ereignis([] { PreisinfoZeigen(); }); });
  datei->addSeparator();
  QAction* login = benannt(datei->addAction(QStringLiteral("&Login")), "mLogin");
  connect(login, &QAction::triggered, this, [this] { Ereignis([this] { mLogin_Click(); }); });
  datei->addSeparator();
  QAction* beenden = benannt(datei->addAction(QStringLiteral("&Beenden")), "Beenden");
  connect(beenden, &QAction::triggered, this, [this] { close(); });
  QMenu* schrift = benannt(menuBar()->addMenu(QStringLiteral("&Schrift")), "Schrift");
  QAction* definition = benannt(schrift->addAction(QStringLiteral("&Definition")), "Schriftartendefinition");
  connect(definition, &QAction::triggered, this, [this] { Ereignis([this] { SchriftartendefinitionZeigen(this); }); });
  QAction* neuLesen = benannt(schrift->addAction(QStringLiteral("&Schriften neu einlesen")), "mSchriftNeuLesen");
  connect(neuLesen, &QAction::triggered, this, [this] { Ereignis([this] { mSchriftNeuLesen_Click(); }); });
  QMenu* hilfe = benannt(menuBar()->addMenu(QStringLiteral("&Hilfe")), "Hilfe");
  QAction* ueber = benannt(hilfe->addAction(QStringLiteral("Hilfe &über")), "HilfeUeber");
  connect(ueber, &QAction::triggered, this, [] { Ereignis([] { AboutZeigen(); }); });
}

void FMStart::RTF_Ereignis11() {
  RTF->setRefresh(true);
  if (!RTF->EditState()) RTF->setEditState(true);
  RTF->setLoaded(true);
  if (RTF->ButtonList() != kRTFSchaltflaechen) RTF->setButtonList(kRTFSchaltflaechen);
}

QRadioButton* FMStart::Option(const QString& code) const {
  const auto it = optionen_.find(code);
  return it == optionen_.end() ? nullptr : it->second;
}

void FMStart::Form_Resize() {
  if (isMinimized()) return;
  const bool eigenbau = startglobale().Plakatart == u"EIGENBAU";
  RTF->setVisible(eigenbau);
  ctSize2->setVisible(eigenbau);
  const int hoehe = ctSplit->height();
  if (eigenbau)
    ctSplit->setSizes({static_cast<int>(hoehe * 0.75), hoehe - static_cast<int>(hoehe * 0.75)});
  else
    ctSplit->setSizes({hoehe, 0});
}

void FMStart::resizeEvent(QResizeEvent* ereignis) {
  QMainWindow::resizeEvent(ereignis);
  Form_Resize();
}

void SchildartSichern() {
  const QString code = startglobale().Plakatart;
  if (!code.isEmpty()) kesto::registry::SaveSetting("Vovida", "Einstellungen", "Plakatart", code.toStdString());
}

void FMStart::Form_Unload() {
  kesto::registry::SaveSetting("Vovida", "Einstellungen", "Plakatart", startglobale().Plakatart.toStdString());
  ServerTrennen();
  AlleFormulareEntladen();
}

void FMStart::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  Ereignis([this] { Form_Unload(); });
}

void FMStart::Aktualisieren_Click() {
  using kesto::services::CursorShape;
  kesto::services::setCursorShape(CursorShape::Wait);
  const QString code = startglobale().Plakatart;
  const SchildartDienste* dienste = SchildartDiensteZu(code);
  vorschauAktuell_ = false;
  const int abrisse = VerbindungsabrisseGemeldet();
  try {
    if (dienste && dienste->zeichnen) dienste->zeichnen();
  } catch (const kesto::services::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    // Stopped and reported once, so that the countdown does not repeat the failure.
    BildAufbauen.setEnabled(false);
    kesto::services::setCursorShape(CursorShape::Default);
    kesto::services::messageBox(std::string("Fehler beim Zeichnen der Vorschau:\r\n") + e.what(), "Vovida",
                                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A link lost while drawing left gaps in the sheet: it is not the one to print.
  vorschauAktuell_ = VerbindungsabrisseGemeldet() == abrisse;
  VSPrinter1.setPreviewPage(static_cast<std::int16_t>(VSPrinter1.PageCount()));
  // The end of the document synchronised the bar on the first page; it follows the jump.
  VPNav->Synchronize();
  BildAufbauen.setEnabled(false);
  if (dienste && dienste->blattAnzeigen) {
    try {
      dienste->blattAnzeigen();
    } catch (const std::exception&) {
      // the preview then shows the last page
    }
  }
  kesto::services::setCursorShape(CursorShape::Default);
}

void FMStart::CBDaten_Click() {
  const SchildartDienste* dienste = SchildartDiensteZu(startglobale().Plakatart);
  if (dienste && dienste->editorZeigen) dienste->editorZeigen();
}

void FMStart::DruckerWaehlen(int papier, const QString& schluessel, bool editor) {
  const bool gesetzt = serverFehlerAbfangen(
      [&] {
        VSPrinter1.setPaperSize(papier);
        const QString vorgabe = ParameterText(QStringLiteral("PLAKAT"), schluessel);
        const std::string name = kesto::registry::GetSetting("Vovida", "Drucker", schluessel.toStdString(), vorgabe.toStdString());
        VSPrinter1.setPrinterName(name);
        return true;
      },
      [](const ServerFehler& fehler) {
        ZugriffsfehlerMelden(fehler, QStringLiteral("Automatische Druckerauswahl nicht möglich! Wenden Sie sich and den Systemadministrator"));
        return false;
      });
  if (!gesetzt) return;
  Form_Resize();
  if (editor) CBDaten_Click();
}

void FMStart::vorschauEreignis(PreviewEvent ereignis) {
  switch (ereignis) {
    case PreviewEvent::PaperChanged:
      VorschauTimerNeustart();
      break;
    case PreviewEvent::DocumentEnded:
      VPNav->Synchronize();
      QApplication::processEvents();
      break;
    case PreviewEvent::PageChanged:
    case PreviewEvent::ZoomChanged:
      VPNav->Synchronize();
      break;
  }
}

bool FMStart::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == Druckanzahl && ereignis->type() == QEvent::MouseButtonRelease)
    Ereignis([this] { Druckanzahl_Click(); });
  return QMainWindow::eventFilter(objekt, ereignis);
}

void FMStart::mLogin_Click() {
  FMPass& pass = fensterliste().holen<FMPass>();
  pass.BPASSWORT->clear();
  QApplication::processEvents();
  pass.show();
  pass.raise();
  pass.activateWindow();
  pass.BPASSWORT->setFocus();
}

// Slots 68 to 72 keep what the start-up loaded.
void FMStart::mSchriftNeuLesen_Click() { SchriftenLaden(false); }

}  // namespace vovida
