// The editor's sample page of the slot, and the zoom of its preview.
#include "FrmSchriftdef.h"
#include "VPNavBar.h"

#include "PreisDrucken.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <registry/Settings.h>

#include <algorithm>
#include <array>

namespace vovida {

namespace {

// The slots whose sample is an A3 page.
constexpr std::array<int, 9> kA3Slots{2, 4, 8, 12, 16, 20, 24, 28, 32};
// The system's light 3-D colour, the background of single-text and price samples.
constexpr Colour kHintergrund = 0x80000016u;

}  // namespace

void FrmSchriftdef::VorschauZeichnen() {
  const std::optional<int> slot = Slot();
  if (!slot) return;
  const int n = *slot;
  const bool a3 = std::find(kA3Slots.begin(), kA3Slots.end(), n) != kA3Slots.end();
  const std::int16_t breite = a3 ? 297 : 210;
  const std::int16_t hoehe = a3 ? 420 : 297;
  const QString drucker = a3 ? QStringLiteral("PRTPLA3N") : QStringLiteral("PRTPLA4N");
  const QString vorgabe = ParameterText(QStringLiteral("PLAKAT"), drucker);
  Vorschau.setPrinterName(kesto::registry::GetSetting("Vovida", "Drucker", drucker.toStdString(), vorgabe.toStdString()));
  Vorschau.setPaperSize(a3 ? 8 : 9);

  Vorschau.StartDoc();
  const QString art = Schriftdefinitionen()(n, 0);
  const std::int16_t raster = Raster->isChecked() ? 1 : 0;
  const auto hintergrund = [&] {
    PolygonZeichnen(0, 0, breite, hoehe, Vorschau, kSchwarz, 0, 10, kHintergrund, 0);
    RasterZeichnen(breite, hoehe, Vorschau, 10, raster);
    RahmenZeichnen(10, 20, 5, 0, QStringLiteral("LO"), Vorschau, 16711680, 0, 5);
  };
  if (art == u"E") {
    hintergrund();
    double textHoehe = 0, summe = 0;
    TextGemessenDrucken(Vorschautext->text(), static_cast<std::int16_t>(n), QStringLiteral("Kipp"), Vorschau, 0, 20,
                        210.0, textHoehe, summe, false);
  } else if (art == u"B") {
    RasterZeichnen(breite, hoehe, Vorschau, 10, raster);
    RahmenZeichnen(20, 20, 5, 0, QStringLiteral("LO"), Vorschau, kSchwarz, 0);
    TextboxStil stil{7, 1, 0, 0};
    SchriftTextDrucken(Vorschautext->text(), 20, 20, breite - 40, 0, static_cast<std::int16_t>(n),
                       QStringLiteral("Helvetica"), Vorschau, stil);
  } else if (art == u"P") {
    hintergrund();
    QString preis = QStringLiteral("1.987.65");
    PreisOptionen optionen;
    optionen.rahmen = true;
    optionen.winkel = 8;
    PreisAusmass ausmass;
    PreisDrucken(preis, QStringLiteral("€"), QStringLiteral("Stk"), QStringLiteral("TEST"), static_cast<std::int16_t>(n),
                 Vorschau, 0, 20, breite, optionen, ausmass);
  }
  Vorschau.EndDoc();
}

void FrmSchriftdef::cmbZoom_Click() {
  const double wert = GetVal(cmbZoom->currentText());
  if (wert > 0) {
    Vorschau.setZoom(wert);
  } else {
    const QString text = cmbZoom->currentText().toLower();
    if (text.contains(u"seitenbreite"))
      Vorschau.setZoomMode(4);
    else if (text.contains(u"ganze seite"))
      Vorschau.setZoomMode(3);
  }
  Synchronize();
}

void FrmSchriftdef::Synchronize() {
  if (beschaeftigt_) return;
  beschaeftigt_ = true;
  const int modus = Vorschau.ZoomMode();
  if (modus == 3)
    cmbZoom->setCurrentIndex(0);
  else if (modus == 4)
    cmbZoom->setCurrentIndex(1);
  else
    cmbZoom->setEditText(QString::number(qRound(Vorschau.Zoom())) + u'%');
  beschaeftigt_ = false;
}

}  // namespace vovida
