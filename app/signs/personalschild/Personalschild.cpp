#include "Personalschild.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Firmenlogo.h"
#include "NumberText.h"
#include "RuntimeError.h"
#include "Schildarten.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"
#include "frmPersonalschild.h"

#include <QCheckBox>
#include <QLineEdit>

#include <activex/ColumnList.h>
#include <activex/VSPrinter.h>

#include <algorithm>
#include <optional>

namespace vovida {

namespace {

using kesto::activex::mm;

// The sheet and badge geometry, millimetres.
constexpr double kSpaltenabstand = 5.2;
constexpr double kZeilenabstand = 1.7;
constexpr double kLinks = 10;
constexpr double kOben = 7.5;
constexpr double kLogoRand = 7;  // from the left and right badge edges
constexpr double kEinheit = 2.5;  // logo from the badge top, spacing around the name
constexpr std::int16_t kNamensschrift = 35;
// The badge count box takes two digits; a larger text is never a real count.
constexpr double kHoechsteAnzahl = 99;

// The editor's size box as a number; anything else is the conversion error that ends
// the run.
double masz(const QLineEdit& feld) {
  const std::optional<double> zahl = zahlAusText(feld.text());
  if (!zahl) typenUnvertraeglich(QStringLiteral("Personalschild"));
  return *zahl;
}

}  // namespace

PersonalschildGlobale& personalschildGlobale() {
  static PersonalschildGlobale g;
  return g;
}

void PersonalschilderDrucken() {
  FMStart& start = fensterliste().holen<FMStart>();
  frmPersonalschild& editor = FormHolen<frmPersonalschild>();
  PersonalschildGlobale& g = personalschildGlobale();
  kesto::activex::VSPrinter& vp = start.VSPrinter1;

  vp.StartDoc();
  // Once per run: every badge of the run has the same proportion.
  g.logoVerhaeltnis = LogoVerhaeltnis();
  int zaehler = (g.PersonalschildStartZeile - 1) * kSchilderJeZeile + g.PersonalschildStartSpalte - 1;
  int spalte = g.PersonalschildStartSpalte - 1;
  for (int zeile = 0; zeile < editor.Namen->ListCount(); ++zeile) {
    if (editor.Namen->ItemMark(zeile) == 0) continue;
    const double anzahl = std::min(Val(editor.Etikettenanzahl->text()), kHoechsteAnzahl);
    const QString name = editor.Namen->List(zeile);
    for (int kopie = 1; kopie <= anzahl; ++kopie) {
      ++zaehler;
      int blattZeile = (zaehler + 1) / kSchilderJeZeile;
      if (blattZeile > kZeilenJeBlatt) {
        zaehler = 1;
        blattZeile = 1;
        vp.NewPage();
      }
      if (++spalte > kSchilderJeZeile) spalte = 1;
      PersonalschildZeichnen(static_cast<std::int16_t>(spalte), static_cast<std::int16_t>(blattZeile), name);
    }
  }
  RasterZeichnen(210, 297, vp, 10, start.Raster->isChecked() ? 1 : 0);
  vp.EndDoc();
}

void PersonalschildZeichnen(std::int16_t spalte, std::int16_t zeile, const QString& name) {
  FMStart& start = fensterliste().holen<FMStart>();
  frmPersonalschild& editor = FormHolen<frmPersonalschild>();
  kesto::activex::VSPrinter& vp = start.VSPrinter1;
  const double b = masz(*editor.B);
  const double h = masz(*editor.H);

  const double x = kLinks + (spalte - 1) * (b + kSpaltenabstand);
  const double y = kOben + (zeile - 1) * (h + kZeilenabstand);
  PolygonZeichnen(x, y, b, h, vp, kSchwarz, 0, 0, kSchwarz, 1);

  const double logoBreite = b - 2 * kLogoRand;
  const double logoHoehe = logoBreite * personalschildGlobale().logoVerhaeltnis;

  TextboxStil stil{7, 5, 0, 0};
  SchriftTextDrucken(name, x, y + kEinheit + logoHoehe + 2 * kEinheit, b, (h - 2 * kEinheit) - logoHoehe,
                     kNamensschrift, QStringLiteral("Helvetica"), vp, stil);

  if (logoHoehe > 0 && !start.LogoBild.isNull())
    vp.DrawPicture(start.LogoBild, mm(x + kLogoRand), mm(y + kEinheit), mm(logoBreite), mm(logoHoehe));
}

void PersonalschildEinrichten() {
  SchildartDienste dienste;
  dienste.vorAuswahl = [] {
    personalschildGlobale().PersonalschildStartZeile = 1;
    personalschildGlobale().PersonalschildStartSpalte = 1;
  };
  dienste.editorZeigen = [] { FormZeigen<frmPersonalschild>(&fensterliste().holen<FMStart>()); };
  dienste.zeichnen = [] { PersonalschilderDrucken(); };
  SchildartEintragen(QStringLiteral("PERS"), std::move(dienste));
}

}  // namespace vovida
