#include "FMArtsu.h"

#include "Benannt.h"
#include "FerrixSu.h"
#include "Fensterliste.h"
#include <activex/MaskEdit.h>
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include <activex/VirtualList.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QToolButton>

namespace vovida {

namespace {

const QChar kEintragTrenner(0xFF);

// "code`name" entries of a server list as "code name" items after an empty one. A failed
// query leaves only the empty item.
void filterlisteFuellen(QComboBox& box, const QString& zeile) {
  box.clear();
  box.addItem(QString());
  QStringList liste;
  const int anzahl = ServerAbfrage(zeile, kEintragTrenner, liste);
  for (int i = 1; i <= anzahl; ++i)
    box.addItem(TeilString(liste[i], QStringLiteral("`"), 1) + u' ' + TeilString(liste[i], QStringLiteral("`"), 2));
}

// The supplier number goes into the line unquoted: only digits may stand there.
bool lieferantenNummer(const QString& text) {
  static const QRegularExpression muster(QStringLiteral("^[0-9]{1,6}$"));
  return muster.match(text).hasMatch();
}

}  // namespace

FMArtsu::FMArtsu() {
  setWindowTitle(QStringLiteral("Suche nach Artikel"));
  auto* raster = new QGridLayout(this);
  auto zeile = [&](int z, const QString& text, QWidget* feld) {
    raster->addWidget(new QLabel(text), z, 0);
    raster->addWidget(feld, z, 1);
  };
  SKBEZ = benannt(new MaskEdit(QStringLiteral(">CCCCCCCCCCCCCCCCCC")), "SKBEZ");
  SHGRP = benannt(new QComboBox, "SHGRP");
  SUGRP = benannt(new QComboBox, "SUGRP");
  SLNR = benannt(new MaskEdit(QStringLiteral("999999")), "SLNR");
  LBEZ = benannt(new MaskEdit(QStringLiteral(">CCCCCCCCCCCCCCCCCC")), "LBEZ");
  Suchen = benannt(new QToolButton, "Suchen");
  Suchen->setText(QStringLiteral("..."));
  SABTNR = benannt(new QComboBox, "SABTNR");
  SAKTIV = benannt(new QComboBox, "SAKTIV");
  SGEL = benannt(new QComboBox, "SGEL");
  BUSuch = benannt(new QPushButton(QStringLiteral("Suchen")), "BUSuch");
  ARTSULI = benannt(new VirtualList, "ARTSULI");

  zeile(0, QStringLiteral("Kurzbezeichnung::"), SKBEZ);
  zeile(1, QStringLiteral("Hauptgruppe:"), SHGRP);
  zeile(2, QStringLiteral("Untergruppe:"), SUGRP);
  zeile(3, QStringLiteral("Lieferant:"), SLNR);
  raster->addWidget(LBEZ, 3, 2);
  raster->addWidget(Suchen, 3, 3);
  zeile(4, QStringLiteral("Abteilung:"), SABTNR);
  zeile(5, QStringLiteral("Aktiv:"), SAKTIV);
  zeile(6, QStringLiteral("Gelistet:"), SGEL);
  raster->addWidget(BUSuch, 7, 1);
  raster->addWidget(ARTSULI, 8, 0, 1, 4);

  connect(BUSuch, &QPushButton::clicked, this, [this] { Ereignis([this] { BUSuch_Click(); }); });
  connect(SHGRP, &QComboBox::activated, this, [this] { Ereignis([this] { SHGRP_Click(); }); });
  connect(Suchen, &QToolButton::clicked, this, [this] { Ereignis([this] { Suchen_Click(); }); });
  SKBEZ->Change = [this] { Ereignis([this] { SKBEZ_Change(); }); };
  SLNR->KeyUp = [this](int code, int shift) { Ereignis([&] { SLNR_KeyUp(code, shift); }); };
  ARTSULI->RowRequest = [this](int z) { Ereignis([&] { ARTSULI_RowRequest(z); }); };
  ARTSULI->Pick = [this] { Ereignis([this] { ARTSULI_Pick(); }); };
}

void FMArtsu::Form_Load() {
  filterlisteFuellen(*SHGRP, QStringLiteral("d HGRP^FRXCLSU"));
  filterlisteFuellen(*SABTNR, QStringLiteral("d ABTNR^FRXCLSU"));
  SAKTIV->clear();
  SAKTIV->addItems({QString(), QStringLiteral("J"), QStringLiteral("N"), QStringLiteral("Z")});
  SAKTIV->setCurrentIndex(1);
  SGEL->clear();
  SGEL->addItems({QString(), QStringLiteral("J"), QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("B"),
                  QStringLiteral("C")});
  SGEL->setCurrentIndex(0);
  ARTSULI->setColumnHeader(1, QStringLiteral("Art.-Nr."));
  ARTSULI->setColumnWidthPx(1, 45);
  ARTSULI->setColumnHeader(2, QStringLiteral("Bezeichnung"));
  ARTSULI->setColumnWidthPx(2, 350);
  ARTSULI->setColumnHeader(3, QStringLiteral("Abt.-Nr."));
  ARTSULI->setColumnWidthPx(3, 45);
  ferrixSu().Trefferanzahl = 0;
}

void FMArtsu::BUSuch_Click() {
  ferrixSu().Trefferanzahl = 0;
  ArtikelSucheAusfuehren();
}

void FMArtsu::SHGRP_Click() {
  const QString code = ErstesWort(SHGRP->currentText());
  if (code.isEmpty()) {
    SUGRP->clear();
    return;
  }
  // The code goes into the line unquoted: anything but letters and digits asks nothing.
  static const QRegularExpression muster(QStringLiteral("^[A-Za-z0-9]+$"));
  if (!muster.match(code).hasMatch()) {
    SUGRP->clear();
    SUGRP->addItem(QString());
    return;
  }
  filterlisteFuellen(*SUGRP, QStringLiteral("d UGRP^FRXCLSU(") + code + u')');
}

void FMArtsu::SKBEZ_Change() {
  const QString neu = SuchbegriffNormalisieren(SKBEZ->text());
  if (neu != SKBEZ->text()) SKBEZ->setText(neu);
}

void FMArtsu::SLNR_KeyUp(int keyCode, int) {
  if (keyCode == 13 && !SLNR->text().isEmpty()) {
    const QString nr = SLNR->text();
    if (!lieferantenNummer(nr)) {
      LBEZ->setText(QString());
      return;
    }
    LBEZ->setText(ServerAusfuehren(QStringLiteral("S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",") + nr +
                                   QStringLiteral(",1)),%,2)) W:$F($ZV,\"MSM\") P0")));
  } else if (keyCode == 36) {
    SLNR->setText(LieferantenSuchDialog());
    SLNR_KeyUp(13, 0);
  }
}

void FMArtsu::Suchen_Click() { SLNR_KeyUp(36, 0); }

void FMArtsu::ARTSULI_RowRequest(int zeile) {
  FerrixSuGlobale& g = ferrixSu();
  // A row far beyond the loaded hits: load page after page until it is there or the
  // search has no more.
  while (zeile > g.Trefferanzahl)
    if (ArtikelSuchschritt()) break;
  if (zeile < 1 || zeile > g.Trefferanzahl) return;
  const ArtikelTrefferSatz& t = g.ArtikelTreffer[std::size_t(zeile)];
  ZeileFuellen(*ARTSULI, zeile, {t.ArtNr, t.Bezeichnung, t.AbtNr});
}

void FMArtsu::ARTSULI_Pick() {
  FerrixSuGlobale& g = ferrixSu();
  const int zeile = ARTSULI->CurRow();
  // A row without a loaded hit gives no number, as closing the window does.
  g.ArtikelSuchErgebnis = zeile >= 1 && zeile <= g.Trefferanzahl ? g.ArtikelTreffer[std::size_t(zeile)].ArtNr : QString();
  fensterliste().entladen<FMArtsu>();
}

}  // namespace vovida
