#include "frmArtikelauswahl.h"

#include "Aktion.h"
#include "Benannt.h"
#include "FMStart.h"
#include "Kestoapi.h"
#include "TextKonvertierung.h"
#include "frmPlakat.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <activex/ColumnList.h>

namespace vovida {

namespace {

QGroupBox* rahmen(const QString& titel, const char* name, QRadioButton* a, QRadioButton* b) {
  auto* r = benannt(new QGroupBox(titel), name);
  auto* zeile = new QVBoxLayout(r);
  zeile->addWidget(a);
  zeile->addWidget(b);
  return r;
}

}  // namespace

frmArtikelauswahl::frmArtikelauswahl() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Auswahl der zur Verfügung stehenden Aktionsartikel"));
  auto* spalte = new QVBoxLayout(this);
  lst_Artikel = benannt(new kesto::activex::ColumnList, "lst_Artikel");
  lst_Artikel->setColumnHeaders({QString(), QStringLiteral("Artikel"), QStringLiteral("von ..."),
                                 QStringLiteral("... bis"), QStringLiteral("Preis (incl)"),
                                 QStringLiteral("Bezeichnung")});
  lst_Artikel->setColumnWidth(0, 28);  // the check box alone
  spalte->addWidget(lst_Artikel, 1);

  radio_Firmenpapier = benannt(new QRadioButton(QStringLiteral("Firmen")), "radio_Firmenpapier");
  radio_Normalpapier = benannt(new QRadioButton(QStringLiteral("Normal")), "radio_Normalpapier");
  radio_A3 = benannt(new QRadioButton(QStringLiteral("A3")), "radio_A3");
  radio_A4 = benannt(new QRadioButton(QStringLiteral("A4")), "radio_A4");
  // Plain A4 paper unless the user chooses otherwise.
  radio_Normalpapier->setChecked(true);
  radio_A4->setChecked(true);
  fr_Papierart = rahmen(QStringLiteral(" Papierart "), "fr_Papierart", radio_Firmenpapier, radio_Normalpapier);
  fr_PapierGröße = rahmen(QStringLiteral(" Papiergröße "), "fr_PapierGröße", radio_A3, radio_A4);

  auto* unten = new QHBoxLayout;
  unten->addWidget(fr_Papierart);
  unten->addWidget(fr_PapierGröße);
  unten->addStretch(1);
  auto* knoepfe = new QVBoxLayout;
  OKButton = benannt(new QPushButton(QStringLiteral("OK")), "OKButton");
  CancelButton = benannt(new QPushButton(QStringLiteral("Abbrechen")), "CancelButton");
  knoepfe->addStretch(1);
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(CancelButton);
  unten->addLayout(knoepfe);
  spalte->addLayout(unten);
  resize(720, 420);

  connect(OKButton, &QPushButton::clicked, this, [this] { Ereignis([this] { OKButton_Click(); }); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Ereignis([this] { CancelButton_Click(); }); });
}

frmArtikelauswahl::~frmArtikelauswahl() = default;

void frmArtikelauswahl::EinlesenAktionsartikel(const QString& code) {
  if (code.isEmpty()) return;
  Serverarbeit arbeit(true);
  ServerObjekt vovida(KlasseOeffnen(QStringLiteral("GUI.Vovida")));
  const QString& firma = kestoapi().Firma;
  const QStringList schluessel = Aktionsschluessel(
      alsText(vovida->call("aktion", alsVariant(firma), alsVariant(code), alsVariant(QString()))));
  for (const QString& s : schluessel) {
    const QString artikel = alsText(vovida->call("aktion", alsVariant(firma), alsVariant(code), alsVariant(s)));
    const auto teil = [&](int nr) { return TeilString(artikel, QStringLiteral("`"), nr); };
    lst_Artikel->AddItem(u';' + teil(1) + u';' + AktionsDatum(teil(3)) + u';' + AktionsDatum(teil(4)) + u';' +
                         teil(5) + u';' + teil(2));
  }
}

void frmArtikelauswahl::OKButton_Click() {
  frmPlakat& plakat = FormHolen<frmPlakat>();
  FMStart& start = fensterliste().holen<FMStart>();
  plakat.ArtNr->clear();
  start.VSPrinter1.EndDoc();
  // Column 1 holds only the check box; the article number is column 2.
  for (int r = 0; r < lst_Artikel->ListCount(); ++r) {
    if (lst_Artikel->ItemMark(r) == 0) continue;
    plakat.setArtNrText(lst_Artikel->ColumnText(r, 2));
    plakat.Read_Click();
  }

  struct Wahl {
    QRadioButton* groesse;
    QRadioButton* art;
    void (FMStart::*handler)();
    const char* code;
  };
  const Wahl tabelle[] = {
      {radio_A4, radio_Firmenpapier, &FMStart::OPlakatA4F_Click, "A4F"},
      {radio_A4, radio_Normalpapier, &FMStart::OPlakatA4N_Click, "A4N"},
      {radio_A3, radio_Normalpapier, &FMStart::OPlakatA3N_Click, "A3N"},
      {radio_A3, radio_Firmenpapier, &FMStart::OPlakatA3F_Click, "A3F"},
  };
  for (const Wahl& w : tabelle) {
    if (!w.groesse->isChecked() || !w.art->isChecked()) continue;
    (start.*w.handler)();
    // The option shows the kind; its handler has run already.
    if (QRadioButton* option = start.Option(QString::fromLatin1(w.code))) {
      const QSignalBlocker still(option);
      option->setChecked(true);
    }
    break;
  }
  start.Aktualisieren_Click();
  fensterliste().entladen<frmArtikelauswahl>();
}

void frmArtikelauswahl::CancelButton_Click() { fensterliste().entladen<frmArtikelauswahl>(); }

void frmArtikelauswahl::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  Ereignis([] { fensterliste().entladen<frmArtikelauswahl>(); });
}

}  // namespace vovida
