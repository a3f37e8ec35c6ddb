#include "frmEigenbauDruckartikel.h"

#include "Druckartikel.h"
#include "Eigenbau.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Platzierung.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <activex/ColumnList.h>

namespace vovida {

frmEigenbauDruckartikel::frmEigenbauDruckartikel() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Auswahl der zu druckenden Artikel"));
  auto* spalte = new QVBoxLayout(this);
  lst_ArtNr = new kesto::activex::ColumnList;
  lst_ArtNr->setObjectName(QStringLiteral("lst_ArtNr"));
  // Column 1 holds the mark; the rows' texts begin with ";" for it.
  lst_ArtNr->setColumnHeaders({QString(), QStringLiteral("ArtikelNr"), QStringLiteral("Bezeichnung")});
  spalte->addWidget(lst_ArtNr, 1);
  auto* knoepfe = new QHBoxLayout;
  const char* texte[] = {"keinen Markieren", "Alle Markieren", "Umkehren"};
  for (int k = 0; k < 3; ++k) {
    auto* knopf = new QPushButton(QString::fromUtf8(texte[k]));
    knopf->setObjectName(QStringLiteral("cmd_Auswahl(%1)").arg(k));
    connect(knopf, &QPushButton::clicked, this, [this, k] { Ereignis([this, k] { cmd_Auswahl_Click(k); }); });
    cmd_Auswahl[static_cast<std::size_t>(k)] = knopf;
    knoepfe->addWidget(knopf);
  }
  knoepfe->addStretch(1);
  OKButton = new QPushButton(QStringLiteral("OK"));
  OKButton->setObjectName(QStringLiteral("OKButton"));
  CancelButton = new QPushButton(QStringLiteral("Abbrechen"));
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  connect(OKButton, &QPushButton::clicked, this, [this] { Ereignis([this] { OKButton_Click(); }); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Ereignis([this] { CancelButton_Click(); }); });
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(CancelButton);
  spalte->addLayout(knoepfe);
  resize(480, 320);
}

void frmEigenbauDruckartikel::Form_Load() {
  lst_ArtNr->Clear();
  const QStringList zeilen = DruckartikelZeilen(eigenbauModell().ArtNr.List);
  for (int i = 0; i < zeilen.size(); ++i) {
    lst_ArtNr->AddItem(zeilen[i]);
    lst_ArtNr->setItemMark(i, 1);
  }
}

void frmEigenbauDruckartikel::cmd_Auswahl_Click(int index) {
  for (int i = 0; i < lst_ArtNr->ListCount(); ++i) {
    const std::int16_t mark = lst_ArtNr->ItemMark(i);
    if (index == 0) lst_ArtNr->setItemMark(i, 0);
    else if (index == 1) lst_ArtNr->setItemMark(i, 1);
    else if (mark == 0 || mark == 1) lst_ArtNr->setItemMark(i, static_cast<std::int16_t>(1 - mark));
  }
}

void frmEigenbauDruckartikel::OKButton_Click() { hide(); }

void frmEigenbauDruckartikel::CancelButton_Click() { fensterliste().entladen<frmEigenbauDruckartikel>(); }

std::vector<bool> EigenbauDruckartikelWaehlen() {
  FMStart& start = fensterliste().holen<FMStart>();
  frmEigenbauDruckartikel& fenster = FormHolen<frmEigenbauDruckartikel>();
  Zuordnen(fenster, &start);
  ModalZeigen(fenster);
  // After a cancel the list is read from a freshly loaded window.
  const kesto::activex::ColumnList& liste = *FormHolen<frmEigenbauDruckartikel>().lst_ArtNr;
  std::vector<bool> zeilen;
  for (int r = 0; r < liste.ListCount(); ++r) zeilen.push_back(liste.ItemMark(r) == 1);
  fensterliste().entladen<frmEigenbauDruckartikel>();
  return zeilen;
}

}  // namespace vovida
