// The poster editor's picture panel, value boxes, alignment buttons and sending.
#include "AOBStandard.h"
#include "Bilder.h"
#include "Fenstergroesse.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "frmPlakat.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <activex/PushToggle.h>
#include <services/FileDialog.h>

#include <cmath>

namespace vovida {

namespace {

// The limits of a value box: digits before / after the comma, the range on Enter.
struct Wertgrenzen {
  int vorKomma, nachKomma;
  double kleinster, groesster;
};

}  // namespace

void frmPlakat::breiteSetzen(int twips) {
  breiteTwips_ = twips;
  bildPanel_->setVisible(twips == kBreit);
  BreiteFestlegen(*this, twips);
}

void frmPlakat::BildJN_Click() { breiteSetzen(breiteTwips_ == kSchmal ? kBreit : kSchmal); }

void frmPlakat::bildSetzen(const QImage& bild) {
  Image1Bild = bild;
  Image1->setPixmap(bild.isNull() ? QPixmap()
                                  : QPixmap::fromImage(bild.scaled(Image1->size(), Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation)));
}

void frmPlakat::Oeffnen_Click() {
  kesto::services::FileDialogRequest dialog;
  dialog.filter = kBildfilter;
  const auto gewaehlt = kesto::services::fileDialog(dialog);
  if (!gewaehlt) return;
  if (const auto bild = BildLaden(QString::fromStdString(*gewaehlt))) bildSetzen(*bild);
}

void frmPlakat::Loeschen_Click() { bildSetzen(QImage()); }

void frmPlakat::HZoom_Change() {
  HZoomtext->setText(QString::number(HZoom->value()));
  if (Seitenverhaeltnis->isChecked()) VZoom->setValue(HZoom->value());
}

void frmPlakat::VZoom_Change() {
  VZoomText->setText(QString::number(VZoom->value()));
  if (Seitenverhaeltnis->isChecked()) HZoom->setValue(VZoom->value());
}

void frmPlakat::HPos_Change() { Hpostext->setText(QString::number(HPos->value())); }
void frmPlakat::Vpos_Change() { Vpostext->setText(QString::number(Vpos->value())); }

void frmPlakat::Seitenverhaeltnis_Click() {
  if (!Seitenverhaeltnis->isChecked()) return;
  HZoom->setValue(VZoom->value());
  HZoomtext->setText(VZoomText->text());
}

void frmPlakat::Wertfeld_KeyUp(QLineEdit& feld, int taste) {
  const std::pair<QLineEdit*, std::pair<QScrollBar*, Wertgrenzen>> tabelle[] = {
      {HZoomtext, {HZoom, {3, 0, 0, 250}}},
      {VZoomText, {VZoom, {3, 0, 0, 250}}},
      {Hpostext, {HPos, {3, 1, 10, 200}}},
      {Vpostext, {Vpos, {3, 1, 30, 200}}},
  };
  for (const auto& [box, ziel] : tabelle) {
    if (box != &feld) continue;
    const auto& [balken, g] = ziel;
    bool fehler = false;
    ZahlPruefen(g.vorKomma, g.nachKomma, feld, false, fehler);
    if (fehler || taste != kTasteEnter) return;
    ZahlPruefen(g.groesster, g.kleinster, feld, true, fehler);
    if (fehler) return;
    const std::optional<double> wert = zahlAusText(feld.text());
    if (!wert) return;
    balken->setValue(static_cast<int>(std::trunc(*wert)));
    VorschauTimerNeustart();
    return;
  }
}

void frmPlakat::ausrichtungGeklickt(kesto::activex::PushToggle& geklickt, kesto::activex::PushToggle& partner) {
  if (!geklickt.State()) {
    for (auto* b : {B_LB, B_Z, B_RB})
      if (b != &geklickt) b->setState(true);
  } else {
    partner.setState(false);
  }
  VorschauTimerNeustart();
}

void frmPlakat::B_LB_Click() { ausrichtungGeklickt(*B_LB, *B_RB); }
void frmPlakat::B_Z_Click() { ausrichtungGeklickt(*B_Z, *B_LB); }
void frmPlakat::B_RB_Click() { ausrichtungGeklickt(*B_RB, *B_LB); }

int frmPlakat::Ausrichtung() const {
  if (!B_LB->State()) return 6;
  if (!B_RB->State()) return 8;
  return 7;
}

void frmPlakat::cbSenden_Click() {
  FMStart& start = fensterliste().holen<FMStart>();
  // Ticking the option runs its handler, which shows the shelf-label editor.
  start.Option(QStringLiteral("SCHILD"))->setChecked(true);
  Warteschlangenfenster* ziel = nullptr;
  for (Warteschlangenfenster* w : geladene())
    if (w != this && w->objectName() == u"frmRegalBesch") ziel = w;
  if (ziel) {
    SendenAn(*ziel, Standardtext("RadioAktion"));
    if (auto* aktion = ziel->findChild<QAbstractButton*>(QStringLiteral("RadioAktion"))) aktion->click();
    ziel->lesen();
  }
  GesendetSchliessen();
}

bool frmPlakat::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease) {
    const int taste = Tastencode(static_cast<QKeyEvent*>(ereignis)->key());
    if (objekt == HZoom || objekt == VZoom || objekt == HPos || objekt == Vpos) {
      Ereignis([] { VorschauTimerNeustart(); });
    } else if (objekt == HZoomtext || objekt == VZoomText || objekt == Hpostext || objekt == Vpostext) {
      Ereignis([this, objekt, taste] { Wertfeld_KeyUp(*static_cast<QLineEdit*>(objekt), taste); });
    }
  }
  return Warteschlangenfenster::eventFilter(objekt, ereignis);
}

}  // namespace vovida
