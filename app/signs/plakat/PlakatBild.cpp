// What the plain-paper posters print around the article: frame, header picture, company
// logo and the headline.
#include "AOBStandard.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "Plakat.h"
#include "ServerZugriff.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"
#include "frmPlakat.h"

#include <QRadioButton>

#include <activex/Length.h>

namespace vovida {

namespace {

using kesto::activex::Length;

// The bottom offset in mm from "PLAKAT-H"; empty, "0" or no number gives 10.
double unterrand() {
  const QString wert = ZahlFiltern(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("PLAKAT-H")));
  const std::optional<double> p = zahlAusText(wert);
  return p && *p != 0 ? *p : 10;
}

// The A4 font slot of the headline by the first selected option; none selected: 7.
int ueberschriftSlot(const frmPlakat& editor) {
  const std::pair<const QRadioButton*, int> knoepfe[] = {{editor.RadioPreise, 7},
                                                       {editor.RadionBestellung, 60},
                                                       {editor.RadioAktion, 3},
                                                       {editor.RadioRest, 11},
                                                       {editor.RadioWerbung, 15}};
  for (const auto& [option, slot] : knoepfe)
    if (option->isChecked()) return slot;
  return 7;
}

void bildZeichnen(VSPrinter& vp, const QImage& bild, double links, double oben, double breite, double hoehe) {
  if (bild.isNull()) return;
  vp.DrawPicture(bild, Length::fromUnits(links), Length::fromUnits(oben), Length::fromUnits(breite),
                 Length::fromUnits(hoehe));
}

}  // namespace

void PlakatBildZeichnen(VSPrinter& vp, double breite, int versatz, double s, const QString& ueberschrift) {
  const FMStart& start = fensterliste().holen<FMStart>();
  const double p = unterrand();
  const auto rahmen = [&] { PolygonZeichnen(10 * s, 10 * s, 190 * s, (287 - p) * s, vp, 0, 0, 12, 0, 1); };
  rahmen();
  bildZeichnen(vp, start.SchildBild, 581.4 * s, 581.4 * s, 10830 * s, 3455.136966 * s);
  bildZeichnen(vp, start.SchildTamselBild, 627 * s, (281.5 - p) * 57 * s, 5244 * s, 854.7787839586032 * s);
  const int slot = ueberschriftSlot(FormHolen<frmPlakat>()) + versatz;
  double hoehe = 0;
  double summe = 0;
  TextGemessenDrucken(ueberschrift, static_cast<std::int16_t>(slot), QStringLiteral("Kipp"), vp, 0, 76 * s, breite,
                      hoehe, summe);
  rahmen();
}

}  // namespace vovida
