#include "frmAusfolgeschein.h"

#include "Benannt.h"
#include "AOBStandard.h"
#include "Bilder.h"
#include "Fenstergroesse.h"
#include "FMStart.h"
#include "FerrixSu.h"
#include "Fensterliste.h"
#include "Firmenlogo.h"
#include "KestoapiHilfen.h"
#include "PlakatGlobal.h"
#include "ServerZugriff.h"
#include "Tastatur.h"
#include "TextKonvertierung.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <activex/Barcode.h>
#include <activex/RTFText2.h>
#include <services/FileDialog.h>
#include <services/MessageBox.h>

namespace vovida {

namespace {

QString ordner(const char* parameter) {
  return TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QString::fromLatin1(parameter)), QStringLiteral("@"),
                      QStringLiteral("\\"), true);
}

// The article number as the six digits the bar code carries; empty when it is no number
// of at most six digits.
QString sechsStellen(const QString& nummer) {
  if (nummer.isEmpty() || nummer.size() > 6) return {};
  for (QChar c : nummer)
    if (c < u'0' || c > u'9') return {};
  return nummer.rightJustified(6, u'0');
}

}  // namespace

frmAusfolgeschein::frmAusfolgeschein() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Eigenschaften Ausfolgeschein"));
  auto* zeilen = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  auto* felder = new QGridLayout;
  ArtNr = benannt(new QLineEdit, "ArtNr");
  FuerArtikelnummer(*ArtNr);
  Read = benannt(new QPushButton(QStringLiteral("&Lesen")), "Read");
  Suchen = benannt(new QPushButton(QStringLiteral("...")), "Suchen");
  Suchen->setToolTip(QStringLiteral("Artikelsuche"));
  felder->addWidget(new QLabel(QStringLiteral("Artikelnummer:")), 0, 0);
  felder->addWidget(ArtNr, 0, 1);
  felder->addWidget(Suchen, 0, 2);
  felder->addWidget(Read, 0, 3);
  QLineEdit** bez[] = {&Bez1, &Bez2, &Bez3};
  for (int i = 0; i < 3; ++i) {
    const QByteArray name = "Bez" + QByteArray::number(i + 1);
    *bez[i] = benannt(new QLineEdit(QStringLiteral("Bezeichnung %1").arg(i + 1)), name.constData());
    felder->addWidget(new QLabel(QStringLiteral("Bezeichung %1:").arg(i + 1)), i + 1, 0);
    felder->addWidget(*bez[i], i + 1, 1, 1, 3);
  }
  links->addLayout(felder);

  Frame1 = benannt(new QGroupBox(QStringLiteral(" Producktbild (3:4 BxH)")), "Frame1");
  auto* bildzeile = new QHBoxLayout(Frame1);
  Image1 = benannt(new QLabel, "Image1");
  Image1->setToolTip(QStringLiteral("Vorschau Erklärungsbild"));
  Image1->setFixedSize(90, 120);
  Image1->setFrameShape(QFrame::Box);
  Image1->setAlignment(Qt::AlignCenter);
  auto* bildknoepfe = new QVBoxLayout;
  Oeffnen = benannt(new QPushButton(QStringLiteral("Ö&ffnen")), "Oeffnen");
  Loeschen = benannt(new QPushButton(QStringLiteral("&Löschen")), "Loeschen");
  bildknoepfe->addWidget(Oeffnen);
  bildknoepfe->addWidget(Loeschen);
  bildknoepfe->addStretch(1);
  bildzeile->addWidget(Image1);
  bildzeile->addLayout(bildknoepfe);
  links->addWidget(Frame1);

  auto* knoepfe = new QHBoxLayout;
  RFTJN = benannt(new QPushButton(QStringLiteral("Text")), "RFTJN");
  OKButton = benannt(new QPushButton(QStringLiteral("OK")), "OKButton");
  CancelButton = benannt(new QPushButton(QStringLiteral("Abbrechen")), "CancelButton");
  knoepfe->addWidget(RFTJN);
  knoepfe->addStretch(1);
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(CancelButton);
  links->addStretch(1);
  links->addLayout(knoepfe);

  auto* linkeSeite = new QWidget;
  linkeSeite->setLayout(links);
  BreiteFestlegen(*linkeSeite, kSchmal - 2 * zeilen->contentsMargins().left() * kTwipsProPixel);
  zeilen->addWidget(linkeSeite);
  AusfolgeRft = benannt(new kesto::activex::RTFText2, "AusfolgeRft");
  zeilen->addWidget(AusfolgeRft, 1);
  Barcode1 = new kesto::activex::Barcode;
  Barcode1->setObjectName(QStringLiteral("Barcode1"));
  Barcode1->hide();
  Barcode1->setParent(this);
  AusfolgeRft->hide();
  BreiteFestlegen(*this, kSchmal);
  MindestHoehe(*this, 360);

  ArtNr->installEventFilter(this);
  Bez1->installEventFilter(this);
  Bez2->installEventFilter(this);
  connect(Read, &QPushButton::clicked, this, [this] { Ereignis([this] { Read_Click(); }); });
  connect(Suchen, &QPushButton::clicked, this, [this] { Ereignis([this] { ArtNr_KeyUp(kTastePos1); }); });
  connect(Oeffnen, &QPushButton::clicked, this, [this] { Ereignis([this] { Oeffnen_Click(); }); });
  connect(Loeschen, &QPushButton::clicked, this, [this] { Ereignis([this] { Loeschen_Click(); }); });
  connect(RFTJN, &QPushButton::clicked, this, [this] { Ereignis([this] { RFTJN_Click(); }); });
  connect(OKButton, &QPushButton::clicked, this, [this] { Ereignis([this] { OKButton_Click(); }); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Ereignis([this] { CancelButton_Click(); }); });
  AusfolgeRft->setEventHandler([this](int ereignis) {
    if (ereignis == kesto::activex::RTFText2::contentChanged) Ereignis([this] { AusfolgeRft_Ereignis11(); });
  });
}

frmAusfolgeschein::~frmAusfolgeschein() = default;

QString frmAusfolgeschein::Logoordner() { return vovida::Logoordner(); }

QString frmAusfolgeschein::Bildordner(bool mitUnterstrich) {
  const QString pfad = ordner("AUSFOLGE");
  return mitUnterstrich ? TextErsetzen(pfad, QStringLiteral("$"), QStringLiteral("_"), true) : pfad;
}

void frmAusfolgeschein::Form_Load() {
  const QString logo = Logoordner();
  AusfolgeRft->setButtonList(kSchaltflaechen);
  AusfolgeRft->setDisplayOption(0x68030021, 1);
  AusfolgeRft->setDisplayOption(0x68030022, 1);
  AusfolgeRft->setDisplayOption(0x68030004, 1);
  AusfolgeRft->setDisplayOption(0x68030029, 1);
  AusfolgeRft->setLeftMargin(1);
  AusfolgeRft->setRightMargin(9);
  AusfolgeRft->setDefaultFontName("Helvetica");
  AusfolgeRft->setLanguageFile(PfadAbbilden(logo + QStringLiteral("\\rt20_de.lan")).toStdString());
  AusfolgeRft->setFileName(PfadAbbilden(logo + QStringLiteral("\\Ausfolgeschein.rtf")).toStdString());
  // A missing template leaves the text empty; the window opens all the same.
  AusfolgeRft->Load(AusfolgeRft->FileName());
  AusfolgeRft->setLoaded(true);
  FirmenlogoLaden();
}

void frmAusfolgeschein::Read_Click() {
  QVector<QVariant> daten(14);
  ArtikelLesen(ArtNr->text(), daten);
  if (daten[13].toString() == u"Fehler") {
    Barcode1->setText(QString());  // never the bar code of the article read before
    return;
  }
  Bez1->setText(daten[0].toString());
  Bez2->setText(daten[1].toString());
  Bez3->setText(daten[2].toString());

  const QString nummer = sechsStellen(ArtNr->text());
  Barcode1->setText(nummer.isEmpty() ? QString() : EANPruefziffer(QStringLiteral("220500") + nummer, false));
  Barcode1->setOption(7, true);
  Barcode1->RenderSize(138, 79);

  const QString datei = Bildordner() + QStringLiteral("\\ausfolgeschein\\") + ArtNr->text() + QStringLiteral(".jpg");
  if (const auto bild = BildLaden(datei)) {
    bildSetzen(*bild);
  } else {
    kesto::services::messageBox("Automatische Bildauswahl gescheitert\r\nBitte Artikelbild händisch angeben",
                                "Fehler bei der Automatischen Bildauswahl", MB_OK);
  }
}

void frmAusfolgeschein::ArtNr_KeyUp(int keyCode) {
  if (keyCode == kTasteEnter) {
    if (!ArtikelNrErmitteln(*ArtNr)) return;
    Read_Click();
    VorschauTimerNeustart();
  } else if (keyCode == kTastePos1) {
    ArtNr->setText(ArtikelSuchDialog());
    TextMarkieren(*ArtNr);
    Read_Click();
    VorschauTimerNeustart();
  }
}

void frmAusfolgeschein::ArtNr_Click() {
  bool fehler = false;
  ZahlPruefen(13, 0, *ArtNr, false, fehler);
  if (fehler) TextMarkieren(*ArtNr);
}

void frmAusfolgeschein::Bez_KeyUp(int keyCode) {
  if (keyCode == kTasteEnter) VorschauTimerNeustart();
}

void frmAusfolgeschein::Oeffnen_Click() {
  kesto::services::FileDialogRequest dialog;
  dialog.filter =
      "Alle Bilddateien|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;*.cur|Bitmaps (*.bmp;*.dib)|*.bmp;*.dib|"
      "GIF-Bilder (*.gif)|*.gif|JPEG-Bilder (*.jpg)|*.jpg|Metafile-Dateien (*.wmf;*.emf)|*.wmf;*.emf|"
      "Symbole (*.ico;*.cur)|*.ico;*.cur|Alle Dateien|*.*";
  // The folder the automatic read uses, "$" as "_", so that the dialog opens where the
  // pictures are.
  dialog.fileName =
      PfadAbbilden(Bildordner() + QStringLiteral("\\ausfolgeschein\\") + ArtNr->text() + QStringLiteral(".jpg"))
          .toStdString();
  const auto gewaehlt = kesto::services::fileDialog(dialog);
  if (!gewaehlt) return;
  if (const auto bild = BildLaden(QString::fromStdString(*gewaehlt))) bildSetzen(*bild);
}

void frmAusfolgeschein::Loeschen_Click() { bildSetzen(QImage()); }

void frmAusfolgeschein::AusfolgeRft_Ereignis11() {
  AusfolgeRft->setRefresh(true);
  if (!AusfolgeRft->EditState()) AusfolgeRft->setEditState(true);
  AusfolgeRft->setLoaded(true);
}

int frmAusfolgeschein::BreiteTwips() const { return breiteTwips_; }

void frmAusfolgeschein::RFTJN_Click() {
  // The width is kept in twips: pixels would round 10000 twips to 9990.
  breiteTwips_ = breiteTwips_ == kSchmal ? kBreit : kSchmal;
  // The narrow window shows the fields only; squeezed beside them the text would cover them.
  AusfolgeRft->setVisible(breiteTwips_ == kBreit);
  BreiteFestlegen(*this, breiteTwips_);
}

void frmAusfolgeschein::OKButton_Click() { hide(); }

void frmAusfolgeschein::CancelButton_Click() { fensterliste().entladen<frmAusfolgeschein>(); }

void frmAusfolgeschein::bildSetzen(const QImage& bild) {
  Image1Bild = bild;
  Image1->setPixmap(bild.isNull() ? QPixmap()
                                  : QPixmap::fromImage(bild.scaled(Image1->size(), Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation)));
}

bool frmAusfolgeschein::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease) {
    const int code = Tastencode(static_cast<QKeyEvent*>(ereignis)->key());
    if (code == kTasteEnter || code == kTastePos1) {
      if (objekt == ArtNr)
        Ereignis([this, code] { ArtNr_KeyUp(code); });
      else
        Ereignis([this, code] { Bez_KeyUp(code); });
    }
  } else if (ereignis->type() == QEvent::MouseButtonRelease && objekt == ArtNr) {
    Ereignis([this] { ArtNr_Click(); });
  }
  return QWidget::eventFilter(objekt, ereignis);
}

}  // namespace vovida
