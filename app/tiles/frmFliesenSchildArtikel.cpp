// The article side of the tile-sign editor: the main article number and its list, the
// sub-article entry, the detail lines and their order, the prices, and the wiring of the
// controls to their handlers.
#include "frmFliesenSchild.h"

#include "AOBStandard.h"
#include "FerrixSu.h"
#include "Fensterliste.h"
#include "Fliesenspeicher.h"
#include "KestoapiHilfen.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "Preisinfo.h"
#include "Tastatur.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVector>

namespace vovida {

namespace {

// The hourglass while rows are moved.
struct Sanduhr {
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void frmFliesenSchild::verbinden() {
  auto bei = [this](auto* sender, auto signal, auto handler) {
    connect(sender, signal, this, [this, handler] { Ereignis([this, handler] { (this->*handler)(); }); });
  };
  bei(mWandfliese, &QAction::triggered, &frmFliesenSchild::mWandfliese_Click);
  bei(mBodenfliese, &QAction::triggered, &frmFliesenSchild::mBodenfliese_Click);
  bei(mKuechenfliese, &QAction::triggered, &frmFliesenSchild::mKuechenfliese_Click);
  bei(mBestellung, &QAction::triggered, &frmFliesenSchild::mBestellung_Click);
  bei(mBestellung_klein, &QAction::triggered, &frmFliesenSchild::mBestellung_klein_Click);
  bei(mFliesenbeschriftung, &QAction::triggered, &frmFliesenSchild::mFliesenbeschriftung_Click);
  bei(mBestellFliesenbeschriftung, &QAction::triggered, &frmFliesenSchild::mBestellFliesenbeschriftung_Click);
  bei(mBearbeiten, &QAction::triggered, &frmFliesenSchild::mBearbeiten_Click);
  bei(TabStrip1, &QTabBar::currentChanged, &frmFliesenSchild::TabStrip1_Click);
  bei(Uebernehmen, &QPushButton::clicked, &frmFliesenSchild::Uebernehmen_Click);
  bei(ctPush1, &QPushButton::clicked, &frmFliesenSchild::ctPush1_Click);
  bei(Farbe, &QPushButton::clicked, &frmFliesenSchild::Farbe_Click);
  bei(Save, &QPushButton::clicked, &frmFliesenSchild::Save_Click);
  bei(Suchen, &QPushButton::clicked, &frmFliesenSchild::Suchen_Click);
  bei(ArtikelLaden, &QPushButton::clicked, &frmFliesenSchild::ArtikelLaden_Click);
  bei(ArtikelLoeschen, &QPushButton::clicked, &frmFliesenSchild::ArtikelLoeschen_Click);
  bei(subSuchen, &QPushButton::clicked, &frmFliesenSchild::subSuchen_Click);
  bei(subArtikelLaden, &QPushButton::clicked, &frmFliesenSchild::subArtikelLaden_Click);
  bei(up, &QPushButton::clicked, &frmFliesenSchild::up_Click);
  bei(down, &QPushButton::clicked, &frmFliesenSchild::down_Click);
  bei(Detail, &QListWidget::itemSelectionChanged, &frmFliesenSchild::Detail_Click);
  bei(DInfo, &QCheckBox::toggled, &frmFliesenSchild::DInfo_Click);
  bei(chk_HArt_Erklaerung, &QCheckBox::clicked, &frmFliesenSchild::chk_HArt_Erklaerung_Click);
  bei(ArtNr, &QComboBox::activated, &frmFliesenSchild::ArtNr_Click);

  // Standard header texts.
  const std::pair<QRadioButton*, const char*> texte[] = {{RadioAktion, "AKTION!"},
                                                         {RadionBestellung, "AUF BESTELLUNG!"},
                                                         {RadioPreise, "SEHENSWERTE PREISE"},
                                                         {RadioRest, "RESTPOSTEN!"},
                                                         {RadioWerbung, "AUS UNSERER WERBUNG!"}};
  for (const auto& [option, text] : texte)
    connect(option, &QRadioButton::clicked, this, [this, text = QString::fromUtf8(text)] {
      Ereignis([this, text] {
        Ueberschrift->setText(text);
        VorschauTimerNeustart();
      });
    });

  // Prices.
  connect(PreisDB, &QLineEdit::textChanged, this,
          [this] { Ereignis([this] { preisDBGeaendert(*PreisDB, *PreisATS, *PreisEUR); }); });
  connect(DPreisDB, &QLineEdit::textChanged, this,
          [this] { Ereignis([this] { preisDBGeaendert(*DPreisDB, *DPreisATS, *DPreisEUR); }); });
  connect(PreisEUR, &QLineEdit::textChanged, this,
          [this] { Ereignis([this] { preisEURGeaendert(*PreisATS, *PreisEUR, fliesendaten().haupt(10)); }); });
  connect(DPreisEUR, &QLineEdit::textChanged, this, [this] {
    Ereignis([this] { preisEURGeaendert(*DPreisATS, *DPreisEUR, fliesendaten().unter(fliesendaten().aktuelleZeile(), 5)); });
  });
  connect(PreisEUR, &QLineEdit::editingFinished, this,
          [this] { Ereignis([this] { preisEURBestaetigt(*PreisDB, *PreisEUR); }); });
  connect(DPreisEUR, &QLineEdit::editingFinished, this,
          [this] { Ereignis([this] { preisEURBestaetigt(*DPreisDB, *DPreisEUR); }); });

  // Number entry.
  for (QLineEdit* zahl : {HVPI, HVRM, HVPM, SVPI, SVRM, SVPM})
    connect(zahl, &QLineEdit::editingFinished, this, [zahl] { zahl->setText(ZahlFiltern(zahl->text())); });
  for (QLineEdit* mass : {B, H})
    connect(mass, &QLineEdit::textEdited, this, [mass] {
      Ereignis([mass] {
        bool fehler = false;
        ZahlPruefen(3, 1, *mass, false, fehler);
      });
    });
  connect(subArtikelNummer->lineEdit(), &QLineEdit::textEdited, this, [this] {
    Ereignis([this] {
      bool fehler = false;
      ZahlPruefen(13, 0, *subArtikelNummer->lineEdit(), false, fehler);
    });
  });
  for (QLineEdit* eingabe : {Alias, Sortierung, Abriebgruppe, Verfuegbarkeit, Groesze, frostsicher, Regalnummer,
                             Per->lineEdit(), Bez2, DAlias, DPer->lineEdit(), ZeilenText->lineEdit()})
    connect(eingabe, &QLineEdit::returnPressed, this, [] { Ereignis([] { VorschauTimerNeustart(); }); });

  KombifeldTasten(*ArtNr, QEvent::KeyPress, [this](int taste) { Ereignis([this, taste] { ArtNr_KeyDown(taste); }); });
  KombifeldTasten(*subArtikelNummer, QEvent::KeyPress,
                  [this](int taste) { Ereignis([this, taste] { subArtikelNummer_KeyDown(taste); }); });
  // On the boxes themselves: they keep the focus and hand it on to their line edits directly.
  ArtNr->installEventFilter(this);
  subArtikelNummer->installEventFilter(this);
}

bool frmFliesenSchild::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::FocusIn) {
    if (objekt == ArtNr) TextMarkieren(*ArtNr->lineEdit(), true);
    else if (objekt == subArtikelNummer) subArtikelNummer->lineEdit()->selectAll();
  }
  return QWidget::eventFilter(objekt, ereignis);
}

void frmFliesenSchild::artikellisteFuellen() {
  ArtNr->clear();
  ArtNr->addItems(FliesenArtikel(fliesendaten().Fliesentyp));
  ArtNr->setCurrentText(ArtNr->count() > 0 ? ArtNr->itemText(0) : QString());
  ArtNr_KeyDown(kEnter);
}

void frmFliesenSchild::ArtNr_KeyDown(int keyCode) {
  Fliesendaten& d = fliesendaten();
  if (keyCode == kSuche && d.Lagerschild) {
    const QString nummer = ArtikelSuchDialog();
    if (nummer.isEmpty()) return;  // nothing chosen
    ArtNr->setCurrentText(nummer);
    ArtNr->lineEdit()->selectAll();
    ArtikelLaden_Click();
    VorschauTimerNeustart();
    return;
  }
  if (keyCode == kSuche) keyCode = kEnter;
  if (keyCode != kEnter) return;
  if (d.Lagerschild && !ArtikelNrErmitteln(*ArtNr->lineEdit())) return;
  const QString nummer = ArtNr->currentText();
  if (ArtNr->findText(nummer, Qt::MatchExactly) >= 0) {
    Fliesendatenladen();
    HauptartikelLesen();
    DatensaetzeAnzeigen();
    VorschauTimerNeustart();
    return;
  }
  if (d.Lagerschild) {
    AllesLeeren();
    if (!nummer.isEmpty()) ArtNr->addItem(nummer);
    ArtNr->setCurrentText(nummer);
    HauptartikelLesen();
    if (d.Automatik) Fliesendatenladen();
    DatensaetzeAnzeigen();
    VorschauTimerNeustart();
  } else {
    for (QWidget* w : std::initializer_list<QWidget*>{HVKE, HVPI, HVRM, HVPM}) w->setEnabled(true);
  }
}

void frmFliesenSchild::ArtikelLaden_Click() {
  ArtNr_KeyDown(kEnter);
  VorschauTimerNeustart();
}

void frmFliesenSchild::Suchen_Click() { ArtNr_KeyDown(kSuche); }

void frmFliesenSchild::ArtNr_Click() {
  const QString nummer = ArtNr->currentText();
  if (nummer == u"0" || nummer.isEmpty()) return;
  Fliesendaten& d = fliesendaten();
  if (d.Lagerschild) {
    bool fehler = false;
    ZahlPruefen(13, 0, *ArtNr->lineEdit(), false, fehler);
    if (fehler) return;
  }
  for (int zeile = 1; zeile <= kUnterzeilen; ++zeile)
    for (int f = 1; f < kUnterfelder; ++f) d.unter(zeile, f).clear();
  ZeileLeeren();
  ArtNr_KeyDown(kEnter);
}

void frmFliesenSchild::ArtikelLoeschen_Click() {
  try {
    FliesenArtikelLoeschen(fliesendaten().Fliesentyp, ArtNr->currentText());
  } catch (const std::exception&) {
    return;  // a memory that cannot be deleted ends the step without a message
  }
  artikellisteFuellen();
}

void frmFliesenSchild::subArtikelNummer_KeyDown(int keyCode) {
  if (subArtikelNummer->currentText() == u"0" || subArtikelNummer->currentText().isEmpty()) return;
  if (keyCode == kSuche) {
    if (!DInfo->isChecked()) {
      const QString nummer = ArtikelSuchDialog();
      if (nummer.isEmpty()) return;  // nothing chosen
      subArtikelNummer->setCurrentText(nummer);
      subArtikelNummer->lineEdit()->selectAll();
      Uebernehmen_Click();
    }
    keyCode = kEnter;
  }
  if (keyCode != kEnter) return;
  if (!DInfo->isChecked()) {
    if (!ArtikelNrErmitteln(*subArtikelNummer->lineEdit())) return;
    QVector<QVariant> a(kArtikelDatenGroesse);
    ArtikelLesen(subArtikelNummer->currentText(), a);
    if (a[13].toString() != u"Fehler") {
      DBezeichnung->setText(a[0].toString());
      DBezeichnung2->setText(a[1].toString());
      DPreisDB->setText(a[3].toString());
      DTamselArtNr->setText(a[6].toString());
      DPer->setCurrentText(a[4].toString());
      UnterartikelLesen(fliesendaten().aktuelleZeile(), subArtikelNummer->currentText());
      SVKE->setCurrentText(a[8].toString());
      SVPI->setText(a[9].toString());
      SVRM->setText(a[10].toString());
      SVPM->setText(a[11].toString());
    }
  }
  Uebernehmen_Click();
  VorschauTimerNeustart();
}

void frmFliesenSchild::Detail_Click() {
  const int gewaehlt = Detail->currentRow() + 1;
  Fliesendaten& d = fliesendaten();
  if (gewaehlt < 1 || gewaehlt == d.AktuelleZeile) return;
  d.AktuelleZeile = gewaehlt;
  DatensaetzeAnzeigen();
}

void frmFliesenSchild::up_Click() { zeileVerschieben(-1); }
void frmFliesenSchild::down_Click() { zeileVerschieben(+1); }

void frmFliesenSchild::zeileVerschieben(int richtung) {
  Fliesendaten& d = fliesendaten();
  const int zeile = d.aktuelleZeile();
  const int nachbar = zeile + richtung;
  const QString nummer = ArtNr->currentText();
  // The order lives in the memory: without an article there is nothing to move.
  if (nachbar < 1 || nachbar > kUnterzeilen || nummer.isEmpty()) return;
  const Sanduhr sanduhr;
  const QString& typ = d.Fliesentyp;
  const QString hier = FliesenLesen(typ, nummer, PosSchluessel(zeile));
  const QString dort = FliesenLesen(typ, nummer, PosSchluessel(nachbar));
  FliesenSchreiben(typ, nummer, PosSchluessel(zeile), dort);
  FliesenSchreiben(typ, nummer, PosSchluessel(nachbar), hier);
  // The whole row moves in the records, its price included, and nothing is loaded again:
  // the server knows no price of an order row, and automatic tile data would drop the
  // rows added by hand.
  d.zeilenTauschen(zeile, nachbar);
  d.AktuelleZeile = nachbar;
  DatensaetzeAnzeigen();
  VorschauTimerNeustart();
}

void frmFliesenSchild::DInfo_Click() {
  const bool an = DInfo->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{DPer, SVKE, SVPI, SVRM, SVPM}) w->setEnabled(an);
}

void frmFliesenSchild::preisDBGeaendert(QLineEdit& db, QLineEdit& ats, QLineEdit& eur) {
  if (&db == PreisDB && fliesendaten().Fliesentyp.startsWith(u"Best")) return;
  const QString komma = QString(db.text()).replace(u'.', u',');
  if (komma != db.text()) {
    db.setText(komma);  // comes back here with the comma
    return;
  }
  fensterliste().holen<Preisinfo>().Preis_Change(db, ats, eur);
}

void frmFliesenSchild::preisEURGeaendert(QLineEdit& ats, QLineEdit& eur, QString& ziel) {
  const Preisinfo& info = fensterliste().holen<Preisinfo>();
  const QString gefiltert = ZahlFiltern(eur.text());
  if (info.WWSHW->text() == u"EUR" && gefiltert != u"-") {
    const std::optional<double> wert = zahlAusText(gefiltert);
    const std::optional<double> faktor = zahlAusText(info.Faktor->text());
    // A figure that is no number leaves the ATS box as it is.
    if (wert && faktor) {
      QVariant umgerechnet = rundenGerade(*wert * *faktor, 2);
      PreisFeldFormatieren(ats, umgerechnet);
    }
  }
  ziel = eur.text();
}

void frmFliesenSchild::preisEURBestaetigt(QLineEdit& db, QLineEdit& eur) {
  const QString gefiltert = ZahlFiltern(eur.text());
  if (gefiltert != u"-" && db.text() != gefiltert) db.setText(gefiltert);
  eur.selectAll();
  VorschauTimerNeustart();
}

}  // namespace vovida
