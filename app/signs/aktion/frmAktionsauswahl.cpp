#include "frmAktionsauswahl.h"

#include "Aktion.h"
#include "Benannt.h"
#include "FMStart.h"
#include "Kestoapi.h"
#include "TextKonvertierung.h"
#include "frmArtikelauswahl.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <activex/ColumnList.h>

namespace vovida {

frmAktionsauswahl::frmAktionsauswahl() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Auswahl der zur Verfügung stehenden Aktionskennzeichen"));
  auto* spalte = new QVBoxLayout(this);
  lst_AKZ = benannt(new kesto::activex::ColumnList, "lst_AKZ");
  lst_AKZ->setColumnHeaders(
      {QStringLiteral("AKZ"), QStringLiteral("von ..."), QStringLiteral("... bis"), QStringLiteral("Bezeichnung")});
  spalte->addWidget(lst_AKZ, 1);
  auto* knoepfe = new QHBoxLayout;
  OKButton = benannt(new QPushButton(QStringLiteral("OK")), "OKButton");
  CancelButton = benannt(new QPushButton(QStringLiteral("Abbrechen")), "CancelButton");
  knoepfe->addStretch(1);
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(CancelButton);
  spalte->addLayout(knoepfe);
  resize(560, 320);

  connect(OKButton, &QPushButton::clicked, this, [this] { Ereignis([this] { OKButton_Click(); }); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Ereignis([this] { CancelButton_Click(); }); });
}

frmAktionsauswahl::~frmAktionsauswahl() = default;

void frmAktionsauswahl::Form_Activate() {
  // Emptied first: every activation would otherwise list each promotion once more.
  lst_AKZ->Clear();
  Serverarbeit arbeit(true);
  ServerObjekt vovida(KlasseOeffnen(QStringLiteral("GUI.Vovida")));
  const QString& firma = kestoapi().Firma;
  const QStringList schluessel =
      Aktionsschluessel(alsText(vovida->call("aktionskennzeichen", alsVariant(firma), alsVariant(QString()))));
  for (const QString& s : schluessel) {
    const QString aktion = alsText(vovida->call("aktionskennzeichen", alsVariant(firma), alsVariant(s)));
    const auto teil = [&](int nr) { return TeilString(aktion, QStringLiteral(";"), nr); };
    lst_AKZ->AddItem(teil(1) + u';' + AktionsDatum(teil(2)) + u';' + AktionsDatum(teil(3)) + u';' + teil(4));
    // The promotion list has no check column.
    lst_AKZ->topLevelItem(lst_AKZ->ListCount() - 1)->setData(0, Qt::CheckStateRole, QVariant());
  }
}

void frmAktionsauswahl::OKButton_Click() {
  const int zeile = lst_AKZ->ListIndex();
  if (zeile < 0) return;
  const QString code = lst_AKZ->ColumnText(zeile, 1);
  // Where the promotion list was: beside the main window.
  frmArtikelauswahl& artikel = FormZeigen<frmArtikelauswahl>(&fensterliste().holen<FMStart>());
  artikel.EinlesenAktionsartikel(code);
  fensterliste().entladen<frmAktionsauswahl>();
}

void frmAktionsauswahl::CancelButton_Click() { fensterliste().entladen<frmAktionsauswahl>(); }

bool frmAktionsauswahl::event(QEvent* ereignis) {
  if (ereignis->type() == QEvent::Show) fehlgeschlagen_ = false;
  // A failed filling is not retried by the activation that follows its error box, or the
  // boxes would never end; showing the window again retries.
  if (ereignis->type() == QEvent::WindowActivate && !fehlgeschlagen_) {
    bool gefuellt = false;
    Ereignis([&] {
      Form_Activate();
      gefuellt = true;
    });
    fehlgeschlagen_ = !gefuellt;
  }
  return QWidget::event(ereignis);
}

void frmAktionsauswahl::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  Ereignis([] { fensterliste().entladen<frmAktionsauswahl>(); });
}

}  // namespace vovida
