// Loading a slot into the editor, writing it back to the table and the server, and
// stepping through the offered slots.
#include "FrmSchriftdef.h"

#include "PlakatGlobal.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <services/Cursor.h>

#include <algorithm>

namespace vovida {

namespace {

QString schluessel(int slot) { return QStringLiteral("FONT%1").arg(slot, 3, 10, QLatin1Char('0')); }

QString beschreibungsEintrag(int slot) {
  return schluessel(slot) + QStringLiteral(": ") + ParameterText(QStringLiteral("PLAKAT"), schluessel(slot), true);
}

QString farbText(const Farbe& f) { return QString::number(f.farbe()); }

// Restores the default pointer on every way out.
struct Sanduhr {
  Sanduhr() { kesto::services::setCursorShape(kesto::services::CursorShape::Wait); }
  ~Sanduhr() { kesto::services::setCursorShape(kesto::services::CursorShape::Default); }
};

}  // namespace

std::optional<int> FrmSchriftdef::Slot() const {
  bool ok = false;
  const int n = P2->currentText().trimmed().toInt(&ok);
  if (!ok || n < 1 || n > kSchriftSlots) return std::nullopt;
  return n;
}

void FrmSchriftdef::Form_Load() {
  Sanduhr sanduhr;
  const Startglobale& g = startglobale();
  Beschreibung->clear();
  for (int n = g.SchriftNrVon; n <= g.SchriftNrBis; ++n) Beschreibung->addItem(beschreibungsEintrag(n));
  Beschreibung->setEditText(schluessel(g.SchriftNrVon));
  P2->setEditText(QString::number(g.SchriftNrVon));
  SchriftLaden();
}

void FrmSchriftdef::Beschreibung_Click() { P2->setEditText(Beschreibung->currentText().mid(4, 3)); }

void FrmSchriftdef::P2_Change() { SchriftLaden(); }

void FrmSchriftdef::SchriftLaden() {
  const std::optional<int> slot = Slot();
  if (!slot) return;
  const int n = *slot;
  const Schrifttabelle& t = Schriftdefinitionen();
  for (Farbe* f : {StiftFarbe, PinselFarbe, SchattenFarbe}) f->setTransparenz(true);
  Beschreibung->setEditText(beschreibungsEintrag(n));

  const QString art = t(n, 0);
  const auto einzeltext = [&] {
    ZeichenAbstand->setText(t(n, 4));
    SchattenFarbe->setFarbe(t(n, 7).toUInt());
    SchattenabstandHor->setText(t(n, 8));
    SchattenabstandVer->setText(t(n, 9));
    // The outline is never offered for single texts and prices.
    Kontur->setCheckState(Qt::Unchecked);
  };
  if (art == u"E") {
    RegisterSchrift->setSperren(QStringLiteral("0,1,1,1"));
    RegisterSchrift->setTab(1);
    einzeltext();
  } else if (art == u"B") {
    RegisterSchrift->setSperren(QStringLiteral("1,0,1,1"));
    RegisterSchrift->setTab(2);
    ZeilenAbstand->setText(t(n, 4));
    StiftFarbe->setFarbe(t(n, 7).toUInt());
    PinselFarbe->setFarbe(t(n, 8).toUInt());
    Kontur->setCheckState(t(n, 3) == u"True" ? Qt::Checked : Qt::Unchecked);
  } else if (art == u"P") {
    RegisterSchrift->setSperren(QStringLiteral("1,1,0,0"));
    RegisterSchrift->setTab(3);
    einzeltext();
    const QString zusatz = t(n, 10);
    int i = 1;
    for (QLineEdit* box : preisZusatzFelder()) box->setText(TeilString(zusatz, QStringLiteral("@"), i++));
  }
  SchriftGroesze->setText(t(n, 1));
  SchriftFarbe->setFarbe(t(n, 2).toUInt());
  RandKorrektur->setText(t(n, 5));
  TopKorrektur->setText(t(n, 6));
  VorschauZeichnen();
}

void FrmSchriftdef::RegisterSchrift_Click(int tab) {
  if (tab < 1 || tab > 4) return;
  FrameA->setVisible(tab != 4);
  FrameE->setVisible(tab == 1 || tab == 3);
  FrameB->setVisible(tab == 2);
  FramePreisZusatz->setVisible(tab == 4);
  static const char* const kKontur[] = {"Kontur", "Rahmen", "Kontur", " "};
  Kontur->setText(QString::fromLatin1(kKontur[tab - 1]));
}

std::array<QLineEdit*, 10> FrmSchriftdef::preisZusatzFelder() const {
  return {Kommastellen, KommastellenHoehe, Waehrungskz, WaehrungskzHoehe, Nebenwaehrung,
          NebenwaehrungHoehe, NwKommast, NwKommastHoehe, NwWaehrungskz, NwWaehrungskzHoehe};
}

QString FrmSchriftdef::preisZusatz() const {
  QStringList teile;
  for (const QLineEdit* box : preisZusatzFelder()) teile << box->text();
  return teile.join(u'@');
}

void FrmSchriftdef::EinMal_Click() {
  const std::optional<int> slot = Slot();
  if (!slot) return;
  const int n = *slot;
  Sanduhr sanduhr;
  Schrifttabelle& t = Schriftdefinitionen();
  t(n, 1) = SchriftGroesze->text();
  t(n, 2) = farbText(*SchriftFarbe);
  t(n, 5) = RandKorrektur->text();
  t(n, 6) = TopKorrektur->text();
  const QString art = t(n, 0);
  const auto einzeltext = [&] {
    t(n, 4) = ZeichenAbstand->text();
    t(n, 7) = farbText(*SchattenFarbe);
    t(n, 8) = SchattenabstandHor->text();
    t(n, 9) = SchattenabstandVer->text();
    t(n, 3) = QStringLiteral("False");
  };
  if (art == u"E" || art == u"P") {
    einzeltext();
    if (art == u"P") t(n, 10) = preisZusatz();
  } else if (art == u"B") {
    t(n, 4) = ZeilenAbstand->text();
    t(n, 7) = farbText(*StiftFarbe);
    t(n, 8) = farbText(*PinselFarbe);
    // A check box in its third state leaves the flag as it is.
    if (Kontur->checkState() == Qt::Unchecked) t(n, 3) = QStringLiteral("False");
    if (Kontur->checkState() == Qt::Checked) t(n, 3) = QStringLiteral("True");
  }
}

void FrmSchriftdef::Speichern_Click() {
  const std::optional<int> slot = Slot();
  if (!slot) return;
  const int n = *slot;
  {
    Sanduhr sanduhr;
    QStringList w(9);
    w[0] = SchriftGroesze->text();
    w[1] = KennungAusFarbe(SchriftFarbe->farbe());
    w[4] = RandKorrektur->text();
    w[5] = TopKorrektur->text();
    const QString art = Schriftdefinitionen()(n, 0);
    if (art == u"E" || art == u"P") {
      w[3] = ZeichenAbstand->text();
      w[6] = KennungAusFarbe(SchattenFarbe->farbe());
      w[7] = SchattenabstandHor->text();
      w[8] = SchattenabstandVer->text();
      w[2] = QStringLiteral("N");
      // The extras first: a missing "_PZ" parameter is reported and the main one written all the same.
      if (art == u"P")
        ParameterSchreiben(QStringLiteral("PLAKAT"), schluessel(n) + QStringLiteral("_PZ"), preisZusatz());
    } else if (art == u"B") {
      w[3] = ZeilenAbstand->text();
      w[6] = KennungAusFarbe(StiftFarbe->farbe());
      w[7] = KennungAusFarbe(PinselFarbe->farbe());
      if (Kontur->checkState() == Qt::Unchecked) w[2] = QStringLiteral("N");
      if (Kontur->checkState() == Qt::Checked) w[2] = QStringLiteral("J");
    }
    ParameterSchreiben(QStringLiteral("PLAKAT"), schluessel(n), w.join(u'@'));
  }
  EinMal_Click();
  VorschauTimerNeustart();
}

QString FrmSchriftdef::KennungAusFarbe(std::uint32_t farbe) {
  switch (farbe) {
    case 0: return QStringLiteral("S");
    case 255: return QStringLiteral("R");
    case 65280: return QStringLiteral("G");
    case 16711680: return QStringLiteral("B");
    case 16711935: return QStringLiteral("N");
    case 16777215: return QStringLiteral("W");
    default: return QStringLiteral("A");
  }
}

void FrmSchriftdef::slotWaehlen(int slot) {
  Sanduhr sanduhr;
  P2->setEditText(QString::number(slot));
}

void FrmSchriftdef::NavAB_Click(Navschritt schritt) {
  const Startglobale& g = startglobale();
  if (schritt == Navschritt::Erster) return slotWaehlen(g.SchriftNrVon);
  const int m = Slot().value_or(g.SchriftNrVon) - 1;
  slotWaehlen(std::max(m, static_cast<int>(g.SchriftNrVon)));
}

void FrmSchriftdef::NavAUF_Click(Navschritt schritt) {
  const Startglobale& g = startglobale();
  if (schritt == Navschritt::Letzter) return slotWaehlen(g.SchriftNrBis);
  const int m = Slot().value_or(g.SchriftNrBis) + 1;
  slotWaehlen(std::min(m, static_cast<int>(g.SchriftNrBis)));
}

}  // namespace vovida
