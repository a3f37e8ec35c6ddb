#include "frmEigenbau.h"

#include "AOBStandard.h"
#include "Bilder.h"
#include "Eigenbau.h"
#include "EigenbauModell.h"
#include "FMStart.h"
#include "Farbe.h"
#include "FerrixSu.h"
#include "KestoapiHilfen.h"
#include "Platzierung.h"
#include "Preisinfo.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "Tastatur.h"
#include "TextKonvertierung.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>

#include <activex/PushToggle.h>
#include <activex/RTFText2.h>

namespace vovida {

namespace {

void text(QLineEdit* feld, const QString& wert) {
  if (feld->text() != wert) feld->setText(wert);
}

void liste(QComboBox* box, const QStringList& eintraege, const QString& wert) {
  const QSignalBlocker sperre(box);
  QStringList jetzt;
  for (int i = 0; i < box->count(); ++i) jetzt << box->itemText(i);
  if (jetzt != eintraege) {
    box->clear();
    box->addItems(eintraege);
  }
  if (box->currentText() != wert) box->setEditText(wert);
}

void haken(QCheckBox* box, int wert) {
  const QSignalBlocker sperre(box);
  box->setChecked(wert == 1);
}

}  // namespace

frmEigenbau::frmEigenbau() {
  aufbauen();
  rtfTextKoerper_ = std::make_unique<RtfSteuerelementKoerper>(*RTFText);
  verbinden();
}

frmEigenbau::~frmEigenbau() = default;

EigenbauModell& frmEigenbau::modell() const { return eigenbauModellOhneLaden(); }

void frmEigenbau::handeln(const std::function<void()>& handler) {
  Ereignis(handler);
  // The window may have gone with the handler.
  if (fensterliste().geladen<frmEigenbau>()) Anzeigen();
}

void frmEigenbau::textfeld(QLineEdit* feld, std::function<QString&()> wert, std::function<void()> aenderung) {
  connect(feld, &QLineEdit::textEdited, this, [this, wert, aenderung](const QString& neu) {
    handeln([&] {
      wert() = neu;
      if (aenderung) aenderung();
    });
  });
  feld->installEventFilter(this);
}

void frmEigenbau::knopf(QPushButton* k, std::function<void()> klick) {
  connect(k, &QPushButton::clicked, this, [this, klick] { handeln(klick); });
}

void frmEigenbau::verbinden() {
  EigenbauModell& m = modell();
  auto feld = [&m](QString EigenbauModell::*wert) { return [&m, wert]() -> QString& { return m.*wert; }; };
  auto aufruf = [&m](void (EigenbauModell::*h)()) { return [&m, h] { (m.*h)(); }; };

  // Design name, save, delete, close, folder.
  KombifeldTasten(*SpeicherName, QEvent::KeyRelease, [this, &m](int taste) {
    if (taste == kTasteEnter) handeln([&m] { m.SpeicherName_KeyUp(kTasteEnter); });
  });
  connect(SpeicherName->lineEdit(), &QLineEdit::textEdited, this, [&m](const QString& t) { m.SpeicherName.Text = t; });
  connect(SpeicherName, &QComboBox::activated, this, [this, &m](int i) {
    handeln([&] {
      m.SpeicherName.Text = SpeicherName->itemText(i);
      m.SpeicherName_Click();
    });
  });
  knopf(Uebernehmen, aufruf(&EigenbauModell::Uebernehmen_Click));
  knopf(Löschen, aufruf(&EigenbauModell::Löschen_Click));
  knopf(pb_Abbrechen, [this] { pb_Abbrechen_Click(); });
  textfeld(t_Fileablage, feld(&EigenbauModell::t_Fileablage));
  connect(TabFeld, &QTabBar::currentChanged, this, [this] { handeln([this] { TabFeld_Click(); }); });

  // Article.
  KombifeldTasten(*ArtNr, QEvent::KeyRelease, [this](int taste) { handeln([this, taste] { ArtNr_KeyUp(taste); }); });
  connect(ArtNr->lineEdit(), &QLineEdit::textEdited, this, [&m](const QString& t) { m.ArtNr.Text = t; });
  connect(ArtNr, &QComboBox::activated, this, [this, &m](int i) {
    handeln([&] {
      m.ArtNr.Text = ArtNr->itemText(i);
      ArtNr_Click();
    });
  });
  knopf(Read, aufruf(&EigenbauModell::Read_Click));
  knopf(Suchen, [this] { Suchen_Click(); });
  knopf(ArtNrLöschen, aufruf(&EigenbauModell::ArtNrLöschen_Click));
  textfeld(Bez1, feld(&EigenbauModell::Bez1));
  textfeld(Bez2, feld(&EigenbauModell::Bez2));
  textfeld(Bez3, feld(&EigenbauModell::Bez3));
  knopf(b_TextÜbernehmen, aufruf(&EigenbauModell::b_TextÜbernehmen_Click));

  // Prices.
  textfeld(PreisDB, feld(&EigenbauModell::PreisDB), aufruf(&EigenbauModell::PreisDB_Change));
  textfeld(PreisATS, feld(&EigenbauModell::PreisATS), aufruf(&EigenbauModell::PreisATS_Change));
  textfeld(PreisEUR, feld(&EigenbauModell::PreisEUR), aufruf(&EigenbauModell::PreisEUR_Change));
  textfeld(Per, feld(&EigenbauModell::Per));
  textfeld(Grundpreis, feld(&EigenbauModell::Grundpreis));
  textfeld(Preis_Info, feld(&EigenbauModell::Preis_Info));
  textfeld(t_BreiteStern, feld(&EigenbauModell::t_BreiteStern));
  textfeld(t_HöheStern, feld(&EigenbauModell::t_HöheStern));
  const std::pair<kesto::activex::PushToggle*, std::pair<bool EigenbauModell::*, void (EigenbauModell::*)()>> tasten[] = {
      {B_LB, {&EigenbauModell::B_LB, &EigenbauModell::B_LB_Click}},
      {B_Z, {&EigenbauModell::B_Z, &EigenbauModell::B_Z_Click}},
      {B_RB, {&EigenbauModell::B_RB, &EigenbauModell::B_RB_Click}}};
  for (const auto& [taste, ziel] : tasten) {
    taste->Click = [this, &m, taste, ziel] {
      handeln([&] {
        m.*ziel.first = taste->State();
        (m.*ziel.second)();
      });
    };
  }

  // Check boxes that only keep their value, and those with a handler.
  const std::pair<QCheckBox*, int EigenbauModell::*> werte[] = {{t_GrundpreisDatum, &EigenbauModell::t_GrundpreisDatum},
                                                                {t_Artikelinfo, &EigenbauModell::t_Artikelinfo},
                                                                {c_Preis, &EigenbauModell::c_Preis},
                                                                {c_Textmarke, &EigenbauModell::c_Textmarke},
                                                                {c_Werbetext, &EigenbauModell::c_Werbetext},
                                                                {chk_Brisal, &EigenbauModell::chk_Brisal}};
  for (const auto& [box, wert] : werte) {
    connect(box, &QCheckBox::clicked, this, [this, &m, box, wert](bool an) {
      handeln([&] {
        m.*wert = an ? 1 : 0;
        if (box == c_Werbetext) m.c_Werbetext_Click();
        if (box == chk_Brisal) m.chk_Brisal_Click();
      });
    });
  }

  // Headline and text mark.
  textfeld(Ueberschrift, feld(&EigenbauModell::Ueberschrift));
  const std::pair<QRadioButton*, void (EigenbauModell::*)()> optionen[] = {
      {RadioKein, &EigenbauModell::RadioKein_Click},     {RadioPreise1, &EigenbauModell::RadioPreise1_Click},
      {RadionBestellung, &EigenbauModell::RadionBestellung_Click}, {RadioRest, &EigenbauModell::RadioRest_Click},
      {RadioPreise, &EigenbauModell::RadioPreise_Click}, {RadioAktion, &EigenbauModell::RadioAktion_Click},
      {RadioWerbung, &EigenbauModell::RadioWerbung_Click}};
  for (const auto& [option, h] : optionen) connect(option, &QRadioButton::clicked, this, [this, a = aufruf(h)] { handeln(a); });
  textfeld(t_BreiteTextmarke, feld(&EigenbauModell::t_BreiteTextmarke),
           aufruf(&EigenbauModell::t_BreiteTextmarke_Change));
  textfeld(t_HöheTextmarke, feld(&EigenbauModell::t_HöheTextmarke), aufruf(&EigenbauModell::t_HöheTextmarke_Change));
  knopf(Farbe, [this] { Farbe_Click(); });

  // Element fonts.
  const std::pair<QPushButton*, std::int16_t> schriften[] = {{b_SchriftDefÜberschrift, 68},
                                                             {b_SchriftDefPreis, 69},
                                                             {b_SchriftDefGrundpreis, 70},
                                                             {b_SchriftDefInfo, 71},
                                                             {b_SchriftdefZusatzPreise, 72}};
  for (const auto& [k, slot] : schriften) {
    knopf(k, [this, slot = slot] { EigenbauModell::SchriftdefBearbeiten(slot, this); });
  }

  // Sizes and page.
  textfeld(B, feld(&EigenbauModell::B), aufruf(&EigenbauModell::B_Change));
  textfeld(H, feld(&EigenbauModell::H), aufruf(&EigenbauModell::H_Change));
  textfeld(t_EinrückungLR, feld(&EigenbauModell::t_EinrückungLR), aufruf(&EigenbauModell::t_EinrückungLR_Change));
  textfeld(t_EinrückungOU, feld(&EigenbauModell::t_EinrückungOU));
  textfeld(t_SrLinks, feld(&EigenbauModell::t_SrLinks), aufruf(&EigenbauModell::t_SrLinks_Change));
  textfeld(t_SrOben, feld(&EigenbauModell::t_SrOben), aufruf(&EigenbauModell::t_SrOben_Change));
  connect(O_Hoch, &QRadioButton::clicked, this, [this, a = aufruf(&EigenbauModell::O_Hoch_Click)] { handeln(a); });
  connect(O_Quer, &QRadioButton::clicked, this, [this, a = aufruf(&EigenbauModell::O_Quer_Click)] { handeln(a); });
  connect(ÜbernehmenName, &QComboBox::currentTextChanged, this, [&m](const QString& t) { m.ÜbernehmenName.Text = t; });
  knopf(b_SchriftDefÜbernehmen, aufruf(&EigenbauModell::b_SchriftDefÜbernehmen_Click));

  // Extra prices.
  for (int n = 0; n < 6; ++n) {
    const auto i = static_cast<std::size_t>(n);
    connect(chk_PZ[i], &QCheckBox::clicked, this, [this, &m, n](bool an) { handeln([&] { m.chk_PZ_Click(n, an); }); });
    auto element = [&m, i](std::array<QString, 6> EigenbauModell::*a) {
      return [&m, i, a]() -> QString& { return (m.*a)[i]; };
    };
    textfeld(txt_PZ_Preisinfo[i], element(&EigenbauModell::txt_PZ_Preisinfo));
    textfeld(txt_PZ_Per[i], element(&EigenbauModell::txt_PZ_Per));
    textfeld(txt_PZ_ATS[i], element(&EigenbauModell::txt_PZ_ATS));
    textfeld(txt_PZ_EUR[i], element(&EigenbauModell::txt_PZ_EUR), [&m, n] { m.txt_PZ_EUR_Change(n); });
    textfeld(txt_PZ_X[i], element(&EigenbauModell::txt_PZ_X));
    textfeld(txt_PZ_Y[i], element(&EigenbauModell::txt_PZ_Y));
    const std::pair<kesto::activex::PushToggle*,
                    std::pair<std::array<bool, 6> EigenbauModell::*, void (EigenbauModell::*)(int)>>
        zusatz[] = {{b_LBZP[i], {&EigenbauModell::b_LBZP, &EigenbauModell::b_LBZP_Click}},
                    {b_ZZP[i], {&EigenbauModell::b_ZZP, &EigenbauModell::b_ZZP_Click}},
                    {b_RBZP[i], {&EigenbauModell::b_RBZP, &EigenbauModell::b_RBZP_Click}}};
    for (const auto& [taste, ziel] : zusatz) {
      taste->Click = [this, &m, taste, ziel, n, i] {
        handeln([&] {
          (m.*ziel.first)[i] = taste->State();
          (m.*ziel.second)(n);
        });
      };
    }
  }
}

bool frmEigenbau::Form_Load() {
  EigenbauModell& m = modell();
  for (int k = 1; k <= 5; ++k) Frame[k]->hide();
  Frame[1]->show();
  sichtbaresFrame_ = 1;
  const bool schilling = fensterliste().holen<Preisinfo>().WWSHW->text() == u"ATS";
  PreisATS->setEnabled(schilling);
  PreisEUR->setEnabled(!schilling);
  for (QLineEdit* f : txt_PZ_ATS) f->setEnabled(schilling);
  for (QLineEdit* f : txt_PZ_EUR) f->setEnabled(!schilling);
  t_BreiteStern->setEnabled(!startglobale().NeuerStil);
  t_HöheStern->setEnabled(!startglobale().NeuerStil);

  // The main window's body: this editor's toolbar and font; the template follows.
  kesto::activex::RTFText2& rtf = *fensterliste().holen<FMStart>().RTF;
  const QString logo = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                                    QStringLiteral("@"), QStringLiteral("\\"));
  rtf.setButtonList(kSchaltflaechen);
  rtf.setLeftMargin(0);
  rtf.setDisplayOption(0x68030021, 0);
  rtf.setDisplayOption(0x68030022, 0);
  rtf.setLanguageFile(PfadAbbilden(logo + QStringLiteral("\\rt20_de.lan")).toStdString());
  rtf.setDisplayOption(0x68030004, 1);
  rtf.setDisplayOption(0x68030029, 1);
  rtf.setEditState(false);
  rtf.setDefaultFontName("Helvetica");

  m.rtfRaenderSetzen = [this] { RTFRaenderSetzen(); };
  if (!m.Laden()) return false;
  Anzeigen();
  TabFeld_Click();
  return true;
}

void frmEigenbau::Form_Unload() {
  EigenbauModell& m = modell();
  m.Entladen();
  m.rtfRaenderSetzen = nullptr;
}

void frmEigenbau::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  Ereignis([] { fensterliste().entladen<frmEigenbau>(); });
}

void frmEigenbau::Anzeigen() {
  const EigenbauModell& m = modell();
  liste(SpeicherName, m.SpeicherName.List, m.SpeicherName.Text);
  liste(ÜbernehmenName, m.ÜbernehmenName.List, m.ÜbernehmenName.Text);
  liste(ArtNr, m.ArtNr.List, m.ArtNr.Text);
  const std::pair<QLineEdit*, const QString*> texte[] = {
      {t_Fileablage, &m.t_Fileablage}, {Bez1, &m.Bez1},
      {Bez2, &m.Bez2},                 {Bez3, &m.Bez3},
      {PreisDB, &m.PreisDB},           {PreisATS, &m.PreisATS},
      {PreisEUR, &m.PreisEUR},         {Per, &m.Per},
      {Grundpreis, &m.Grundpreis},     {Preis_Info, &m.Preis_Info},
      {t_BreiteStern, &m.t_BreiteStern}, {t_HöheStern, &m.t_HöheStern},
      {Ueberschrift, &m.Ueberschrift}, {t_BreiteTextmarke, &m.t_BreiteTextmarke},
      {t_HöheTextmarke, &m.t_HöheTextmarke}, {B, &m.B},
      {H, &m.H},                       {t_EinrückungLR, &m.t_EinrückungLR},
      {t_EinrückungOU, &m.t_EinrückungOU}, {t_SrLinks, &m.t_SrLinks},
      {t_SrOben, &m.t_SrOben}};
  for (const auto& [f, w] : texte) text(f, *w);
  haken(c_Werbetext, m.c_Werbetext);
  haken(c_Preis, m.c_Preis);
  haken(c_Textmarke, m.c_Textmarke);
  c_Textmarke->setEnabled(m.c_TextmarkeEnabled);
  haken(chk_Brisal, m.chk_Brisal);
  haken(t_GrundpreisDatum, m.t_GrundpreisDatum);
  haken(t_Artikelinfo, m.t_Artikelinfo);
  B_LB->setState(m.B_LB);
  B_Z->setState(m.B_Z);
  B_RB->setState(m.B_RB);
  {
    const QSignalBlocker h(O_Hoch), q(O_Quer);
    O_Hoch->setChecked(m.O_Hoch);
    O_Quer->setChecked(m.O_Quer);
  }
  QPixmap farbe(12, 12);
  const auto c = static_cast<std::uint32_t>(m.TextMarkeFarbe);
  farbe.fill(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  Farbe->setIcon(farbe);
  for (std::size_t i = 0; i < 6; ++i) {
    haken(chk_PZ[i], m.chk_PZ[i]);
    text(txt_PZ_Preisinfo[i], m.txt_PZ_Preisinfo[i]);
    text(txt_PZ_Per[i], m.txt_PZ_Per[i]);
    text(txt_PZ_ATS[i], m.txt_PZ_ATS[i]);
    text(txt_PZ_EUR[i], m.txt_PZ_EUR[i]);
    text(txt_PZ_X[i], m.txt_PZ_X[i]);
    text(txt_PZ_Y[i], m.txt_PZ_Y[i]);
    b_LBZP[i]->setState(m.b_LBZP[i]);
    b_ZZP[i]->setState(m.b_ZZP[i]);
    b_RBZP[i]->setState(m.b_RBZP[i]);
  }
}

void frmEigenbau::TabFeld_Click() {
  const int k = TabFeld->currentIndex() + 1;
  if (k == sichtbaresFrame_) return;
  Frame[k]->show();
  Frame[sichtbaresFrame_]->hide();
  sichtbaresFrame_ = k;
}

void frmEigenbau::ArtNr_KeyUp(int taste) {
  EigenbauModell& m = modell();
  QLineEdit& feld = *ArtNr->lineEdit();
  if (taste == kTasteEnter) {
    if (!ArtikelNrErmitteln(feld)) return;
    m.ArtNr.Text = feld.text();
    if (m.ArtNr.List.contains(m.ArtNr.Text)) {
      // A listed article: its own entries, without saving the one being left.
      m.lesen(m.SpeicherName.Text, m.ArtNr.Text, true);
    } else {
      m.Read_Click();
      m.neustart();
    }
  } else if (taste == kTastePos1) {
    feld.setText(ArtikelSuchDialog());
    TextMarkieren(feld);
    m.ArtNr.Text = feld.text();
    m.Read_Click();
    m.neustart();
  }
}

void frmEigenbau::ArtNr_Click() {
  EigenbauModell& m = modell();
  QLineEdit& feld = *ArtNr->lineEdit();
  feld.setText(m.ArtNr.Text);
  bool fehler = false;
  ZahlPruefen(13, 0, feld, false, fehler);
  if (fehler) {
    m.ArtikelAusListeEntfernen();
    return;
  }
  ArtNr_KeyUp(kTasteEnter);
  BlattAnzeigen();
}

void frmEigenbau::Farbe_Click() {
  EigenbauModell& m = modell();
  if (const auto farbe = FarbdialogZeigen(static_cast<std::uint32_t>(m.TextMarkeFarbe)))
    m.TextMarkeFarbe = static_cast<std::int32_t>(*farbe);
}

void frmEigenbau::pb_Abbrechen_Click() { fensterliste().entladen<frmEigenbau>(); }

void frmEigenbau::RTFRaenderSetzen() {
  const auto [links, rechts] = modell().RTFRaender();
  kesto::activex::RTFText2& rtf = *fensterliste().holen<FMStart>().RTF;
  rtf.setLeftMargin(links);
  rtf.setRightMargin(rechts);
  rtf.setRefresh(true);
}

void frmEigenbau::BlattAnzeigen() { vovida::BlattAnzeigen(); }

bool frmEigenbau::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease)
    tasteLoslassen(objekt, Tastencode(static_cast<QKeyEvent*>(ereignis)->key()));
  return QWidget::eventFilter(objekt, ereignis);
}

void frmEigenbau::tasteLoslassen(QObject* objekt, int taste) {
  EigenbauModell& m = modell();
  if (taste != kTasteEnter) return;
  // Enter in a price box: the amount written back as a price.
  auto preis = [&](QString& wert, QLineEdit* feld, const std::function<void()>& aenderung) {
    handeln([&] {
      const QString neu = EigenbauModell::PreisEingabe(wert);
      if (neu != wert) {
        wert = neu;
        aenderung();
      }
      text(feld, wert);
      TextMarkieren(*feld);
      m.neustart();
    });
  };
  if (objekt == PreisATS) return preis(m.PreisATS, PreisATS, [&m] { m.PreisATS_Change(); });
  if (objekt == PreisEUR) return preis(m.PreisEUR, PreisEUR, [&m] { m.PreisEUR_Change(); });
  for (int n = 0; n < 6; ++n) {
    const auto i = static_cast<std::size_t>(n);
    if (objekt == txt_PZ_EUR[i]) return preis(m.txt_PZ_EUR[i], txt_PZ_EUR[i], [&m, n] { m.txt_PZ_EUR_Change(n); });
  }
  if (objekt == Grundpreis || objekt == Ueberschrift) handeln([&m] { m.neustart(); });
}

void frmEigenbauZeigen() {
  FMStart& start = fensterliste().holen<FMStart>();
  const bool neu = !fensterliste().geladen<frmEigenbau>();
  frmEigenbau& fenster = fensterliste().holen<frmEigenbau>();
  if (neu && !fenster.Form_Load()) {
    // The name prompt was cancelled: no design, no editor.
    fensterliste().entladen<frmEigenbau>();
    return;
  }
  Zuordnen(fenster, &start);
  fenster.show();
  fenster.raise();
}

}  // namespace vovida
