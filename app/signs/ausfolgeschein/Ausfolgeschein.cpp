#include "Ausfolgeschein.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Firmenlogo.h"
#include "NumberText.h"
#include "Schildarten.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"
#include "frmAusfolgeschein.h"

#include <QCheckBox>
#include <QLineEdit>

#include <activex/Barcode.h>
#include <activex/RTFText2.h>
#include <activex/VSPrinter.h>

namespace vovida {

namespace {

using kesto::activex::mm;

constexpr double kUntereHaelfte = 148.5;  // half the A4 height

void bildZeichnen(kesto::activex::VSPrinter& vp, const QImage& bild, double x, double y, double breite,
                  double hoehe) {
  if (!bild.isNull()) vp.DrawPicture(bild, mm(x), mm(y), mm(breite), mm(hoehe));
}

}  // namespace

void AusfolgescheinZeichnen() {
  FMStart& start = fensterliste().holen<FMStart>();
  frmAusfolgeschein& schein = FormHolen<frmAusfolgeschein>();
  kesto::activex::VSPrinter& vp = start.VSPrinter1;
  const double zeilenabstand = zahlAusText(Schriftdefinitionen()(23, 4)).value_or(0);
  const std::string text = schein.AusfolgeRft->Rtf();

  vp.StartDoc();
  for (const double v : {0.0, kUntereHaelfte}) {
    const double verhaeltnis = LogoVerhaeltnis();
    if (verhaeltnis > 0) bildZeichnen(vp, start.LogoBild, 115, v + 7, 75, 75 * verhaeltnis);
    bildZeichnen(vp, schein.Image1Bild, 15, v + 57, 42.75, 57);

    TextboxStil titel{0, 0, 0, 0};
    SchriftTextDrucken(QStringLiteral("AUSFOLGESCHEIN"), 10, v + 15, 90, 0, 19, QStringLiteral("KIPP"), vp, titel);
    TextboxStil zeile1{0, 0, 0, 0};
    SchriftTextDrucken(schein.Bez1->text(), 15, v + 35, 90, 0, 23, QStringLiteral("Helvetica"), vp, zeile1);
    TextboxStil zeile2{0, 0, 0, 0};
    SchriftTextDrucken(schein.Bez2->text(), 15, v + 35 + zeilenabstand, 90, 0, 23, QStringLiteral("Helvetica"), vp,
                       zeile2);

    vp.setRichText(true);
    vp.TextBox(text, mm(110), mm(v + 34), mm(95), mm(90), false, false, false);
    vp.setRichText(false);

    RasterZeichnen(210, 297, vp, 10, start.Raster->isChecked() ? 1 : 0);
    const QImage strichcode = schein.Barcode1->Picture();
    if (!strichcode.isNull()) vp.DrawPicture(strichcode, mm(70), mm(v + 75));
  }
  vp.EndDoc();
}

void AusfolgescheinEinrichten() {
  SchildartDienste dienste;
  dienste.editorZeigen = [] { FormZeigen<frmAusfolgeschein>(&fensterliste().holen<FMStart>()); };
  dienste.zeichnen = [] { AusfolgescheinZeichnen(); };
  SchildartEintragen(QStringLiteral("AUSFOLGESCHEIN"), std::move(dienste));
}

}  // namespace vovida
