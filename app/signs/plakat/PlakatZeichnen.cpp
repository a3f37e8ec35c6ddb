// The poster document: one page per article of the poster list, its texts and its price.
#include "AOBStandard.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "Plakat.h"
#include "Preisinfo.h"
#include "PreisDrucken.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"
#include "TextaufDruckformular.h"
#include "Warteschlange.h"
#include "Zeichnen.h"
#include "frmPlakat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <activex/Length.h>

#include <algorithm>
#include <services/Today.h>

namespace vovida {

namespace {

using kesto::activex::Length;
using kesto::activex::Percent;

constexpr double kPreisOben = 195;
// The price keeps at least the A4 poster's distance below the footer line, so that on A3,
// where the texts move down with the page, it does not cover them.
constexpr double kPreisUnterFuss = 36;

using Plakatfelder = Schildtexte;

QString heute() {
  const kesto::services::Date d = kesto::services::today();
  return QDate(d.year, d.month, d.day).toString(QStringLiteral("dd.MM.yyyy"));
}

// Returns the top of the footer line.
double texteDrucken(const Plakatfelder& f, const Plakatseite& seite, int stil, int ausrichtung, bool mitGrundpreis,
                    VSPrinter& vp) {
  const double s = seite.massstab;
  const int a = seite.versatz;
  const double y0 = (93 + stil / 2.0) * s;
  const double d = zahlAusText(Schriftdefinitionen()(19 + a, 4)).value_or(0);
  const double x = 34 * s;
  const double breite = 142 * s;
  const QString helvetica = QStringLiteral("Helvetica");
  const auto zeile = [&](const QString& text, double y, int slot) {
    TextboxStil st{ausrichtung, 0, 0, 0};
    SchriftTextDrucken(text, x, y, breite, 0, static_cast<std::int16_t>(slot + a), helvetica, vp, st);
  };
  zeile(f.bez1, y0, 19);
  zeile(f.bez2, y0 + d, 19);
  zeile(f.bez3, y0 + 2 * d, 19);
  if (mitGrundpreis) zeile(f.grundpreis, y0 + 3 * d, 23);
  zeile(QStringLiteral("ArtNr.: ") + f.artNr + QStringLiteral(" Datum: ") + heute(), y0 + 4 * d, 23);
  TextboxStil ersteller{6, 0, 0, 0};
  SchriftTextDrucken(QStringLiteral("Erstellt durch ") + kestoapi().PersonalName + u' ', 10 * s, 6 * s, 0, 0,
                     static_cast<std::int16_t>(31 + a), QStringLiteral("Arial"), vp, ersteller);
  return y0 + 4 * d;
}

void preisDrucken(Plakatfelder& f, const Plakatseite& seite, double fuss, bool zweiPreise, VSPrinter& vp) {
  const double oben = std::max(kPreisOben, fuss + kPreisUnterFuss);
  const Startglobale& sg = startglobale();
  Schildpreise p = SchildpreiseWaehlen(f, zweiPreise);
  const auto slot = static_cast<std::int16_t>(27 + seite.versatz);
  PreisAusmass ausmass;
  if (sg.NeuerStil)
    PreisDrucken(p.preis, p.zeichen, f.per, f.info, slot, vp, 0, oben, seite.breite, {}, ausmass);
  else
    PreisPolygonDrucken(p.preis, p.zeichen, p.zweiter, p.zweitesZeichen, f.per, f.info, slot, vp, 0,
                        oben, seite.breite, {}, ausmass);
}

}  // namespace

void PlakatZeichnen() {
  FMStart& start = fensterliste().holen<FMStart>();
  frmPlakat& editor = FormHolen<frmPlakat>();
  VSPrinter& vp = start.VSPrinter1;
  const Plakatseite seite = PlakatseiteZu(startglobale().Plakatart);
  const int stil = startglobale().NeuerStil ? 20 : 0;
  const int ausrichtung = editor.Ausrichtung();
  const QStringList liste = editor.Liste();
  // A plain count: a long queue is still one page per article.
  const qsizetype n = liste.size();
  const qsizetype seiten = n == 0 ? 1 : n;

  vp.StartDoc();
  for (qsizetype i = 0; i < seiten; ++i) {
    Plakatfelder f = n < 2 ? editor.Felder() : SchildtexteLesen(liste[i]);
    if (seite.normalpapier) PlakatBildZeichnen(vp, seite.breite, seite.versatz, seite.massstab, f.ueberschrift);
    if (n < 2 && !editor.Image1Bild.isNull())
      vp.DrawPicture(editor.Image1Bild, Length::fromUnits(editor.HPos->value() * 57.0),
                     Length::fromUnits(editor.Vpos->value() * 57.0), Percent{double(editor.HZoom->value())},
                     Percent{double(editor.VZoom->value())});
    const double fuss = texteDrucken(f, seite, stil, ausrichtung, start.Grundpreis->isChecked(), vp);
    preisDrucken(f, seite, fuss, start.ZweiPreise->isChecked(), vp);
    RasterZeichnen(static_cast<std::int16_t>(seite.breite), static_cast<std::int16_t>(seite.hoehe), vp, 10,
                   start.Raster->isChecked() ? 1 : 0);
    if (i + 1 < seiten) vp.NewPage();
  }
  vp.EndDoc();
}

}  // namespace vovida
