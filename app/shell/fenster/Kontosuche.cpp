#include "Kontosuche.h"

#include "Fensterliste.h"
#include "Kestoapi.h"
#include "ResultSet.h"
#include <activex/MaskEdit.h>
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include <activex/VirtualList.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <services/Cursor.h>
#include <services/MessageBox.h>

#include <cmath>

namespace vovida {

namespace {

// The list's columns: header and share of the list's width in percent (110 in all, as
// the windows have always had them).
struct Spalte {
  const char* kopf;
  int prozent;
};

QString ferrix(const QString& text) { return TextKonvertieren(text, QStringLiteral("Ferrix"), false); }

}  // namespace

Kontosuche::Kontosuche(const Kontoart& art) : art_(art) {
  setWindowTitle(QString::fromUtf8(art.titel));
  auto* raster = new QGridLayout(this);
  SKBEZ = new MaskEdit(QStringLiteral(">CCCCCCCCCCCCCCCCCC"));
  SKBEZ->setObjectName(QStringLiteral("SKBEZ"));
  Filter = new QComboBox;
  Filter->setObjectName(QString::fromUtf8(art.filterName));
  Filter->setEditable(true);
  BUSuch = new QPushButton(QStringLiteral("Suchen"));
  BUSuch->setObjectName(QStringLiteral("BUSuch"));
  Liste = new VirtualList;
  Liste->setObjectName(QString::fromUtf8(art.listenName));
  Liste->resize(600, 300);
  raster->addWidget(new QLabel(QString::fromUtf8(art.suchbegriffBeschriftung)), 0, 0);
  raster->addWidget(SKBEZ, 0, 1);
  raster->addWidget(new QLabel(QString::fromUtf8(art.filterBeschriftung)), 1, 0);
  raster->addWidget(Filter, 1, 1);
  raster->addWidget(BUSuch, 1, 2);
  raster->addWidget(Liste, 2, 0, 1, 3);

  connect(BUSuch, &QPushButton::clicked, this, [this] { Ereignis([this] { BUSuch_Click(); }); });
  SKBEZ->Change = [this] { Ereignis([this] { SKBEZ_Change(); }); };
  SKBEZ->KeyUp = [this](int code, int shift) { Ereignis([&] { SKBEZ_KeyUp(code, shift); }); };
  Liste->RowRequest = [this](int z) { Ereignis([&] { Liste_RowRequest(z); }); };
  Liste->Pick = [this] { Ereignis([this] { Liste_Pick(); }); };
}

void Kontosuche::Form_Load() {
  const Spalte spalten[] = {{art_.ersteSpalte, 8}, {"K Bezeichnung", 20}, {"Name", 30}, {"PLZ", 8}, {"Straße", 44}};
  constexpr int kTwipsJePixel = 15;
  for (int s = 1; s <= 5; ++s) {
    Liste->setColumnHeader(s, QString::fromUtf8(spalten[s - 1].kopf));
    const double twips = Liste->WidthTwips() * spalten[s - 1].prozent / 100.0;
    Liste->setColumnWidthPx(s, int(std::lround(twips / kTwipsJePixel)));
  }
  if (art_.leererEintragZuerst) Filter->addItem(QString());

  serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        QStringList parameter;
        for (const char* p : art_.filterParameter) parameter << QString::fromUtf8(p);
        ResultSet ergebnis(QString::fromUtf8(art_.filterKlasse), QString::fromUtf8(art_.filterAbfrage));
        ergebnis.Execute(FirmaParameter(parameter));
        while (ergebnis.Next())
          Filter->addItem(ergebnis.GetData(1) + QStringLiteral(" | ") + ferrix(ergebnis.GetData(2)));
      },
      [&](const ServerFehler& fehler) { ZugriffsfehlerMelden(fehler, QString::fromUtf8(art_.ladeSchritt)); });
  // Shown even after a failed query, with the rows added so far.
  if (art_.erstenEintragZeigen) Filter->setCurrentIndex(Filter->count() > 0 ? 0 : -1);
}

void Kontosuche::BUSuch_Click() {
  if (SKBEZ->text().isEmpty()) {
    kesto::services::messageBox("Der Suchbegriff muss mindestens 1 Zeichen Lang sein", "Fehler: Suchbegriffseingabe",
                                MB_OK);
    return;
  }
  kesto::services::setCursorShape(kesto::services::CursorShape::Wait);
  struct Zeiger {
    ~Zeiger() { kesto::services::setCursorShape(kesto::services::CursorShape::Default); }
  } zeiger;
  suchen();
}

void Kontosuche::SKBEZ_Change() {
  const QString neu = SuchbegriffNormalisieren(SKBEZ->text());
  if (neu != SKBEZ->text()) SKBEZ->setText(neu);
}

void Kontosuche::SKBEZ_KeyUp(int keyCode, int) {
  if (keyCode == 13) SKBEZ_Change();
}

void Kontosuche::suchen() {
  std::vector<KontoTreffer>& treffer = art_.treffer();
  serverFehlerAbfangen(
      [&] {
        Serverarbeit arbeit;
        const QString filter = art_.filterWert(Filter->currentText());
        ResultSet ergebnis(QStringLiteral("FRX.Windows"), QStringLiteral("KkrSuche"));
        ergebnis.Execute(FirmaParameter({QString::fromUtf8(art_.kontoKennung), SKBEZ->text(), filter}));
        int n = 0;
        while (n < FerrixSuGlobale::kMaxKontoTreffer && ergebnis.Next()) {
          ++n;
          treffer[std::size_t(n)] = {ergebnis.GetData(1), ergebnis.GetData(2), ferrix(ergebnis.GetData(3)),
                                     ergebnis.GetData(4), ferrix(ergebnis.GetData(5))};
        }
        // The row count changes only after a search that ran to its end.
        Liste->setRows(n);
        Liste->Refresh();
      },
      [&](const ServerFehler& fehler) { ZugriffsfehlerMelden(fehler, QString::fromUtf8(art_.suchSchritt)); });
}

void Kontosuche::Liste_RowRequest(int zeile) {
  if (zeile < 1 || zeile > FerrixSuGlobale::kMaxKontoTreffer) return;
  const KontoTreffer& t = art_.treffer()[std::size_t(zeile)];
  ZeileFuellen(*Liste, zeile, {t.Nummer, t.Kurzbezeichnung, t.Name, t.Plz, t.Strasse});
}

void Kontosuche::Liste_Pick() {
  const int zeile = Liste->CurRow();
  art_.ergebnis() =
      zeile >= 1 && zeile <= FerrixSuGlobale::kMaxKontoTreffer ? art_.treffer()[std::size_t(zeile)].Nummer : QString();
  fensterliste().entladen(objectName().toUtf8().constData());
}

void Kontosuche::showEvent(QShowEvent* ereignis) {
  QWidget::showEvent(ereignis);
  // Once when the window appears: taking the focus on every paint would take it from the
  // search button in the middle of its click.
  if (!ereignis->spontaneous()) SKBEZ->setFocus();
}

}  // namespace vovida
