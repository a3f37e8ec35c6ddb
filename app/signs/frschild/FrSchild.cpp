#include "FrSchild.h"

#include "AOBStandard.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "Schildarten.h"
#include "Schildhoehe.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"
#include "TextaufDruckformular.h"
#include "Warteschlange.h"
#include "Zeichnen.h"
#include "frmFrSchild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>

#include <activex/Fonts.h>
#include <activex/VSPrinter.h>
#include <services/Today.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <stdexcept>

namespace vovida {

namespace {

using kesto::activex::mm;

constexpr double kSeitenbreite = 210;
constexpr double kObenRand = 15;
constexpr std::int16_t kSlotPreis = 64;
constexpr std::int16_t kSlotText = 65;
constexpr std::int16_t kSlotErsteller = 66;
constexpr std::int16_t kSlotFuss = 67;

void text(const QString& t, double x, double y, double breite, std::int16_t slot, const char* schrift,
          std::int32_t code, VSPrinter& vp) {
  TextboxStil stil{code, 0, 0, 0};
  SchriftTextDrucken(t, x, y, breite, 0, slot, QString::fromLatin1(schrift), vp, stil);
}

double zeilenabstand(int slot) { return zahlAusText(Schriftdefinitionen()(slot, 4)).value_or(0); }

void schriftSetzen(std::int16_t slot, const char* schrift, VSPrinter& vp) {
  vp.setFontName(schrift);
  vp.setFontSize(static_cast<float>(zahlAusText(Schriftdefinitionen()(slot, 1)).value_or(0)));
}

double textHoehe(const QString& t, std::int16_t slot, const char* schrift, VSPrinter& vp) {
  schriftSetzen(slot, schrift, vp);
  return vp.TextHeight(t.toStdString()).mm();
}

double textBreite(const QString& t, std::int16_t slot, const char* schrift, VSPrinter& vp) {
  schriftSetzen(slot, schrift, vp);
  return vp.TextWidth(t.toStdString()).mm();
}

// How far below the top of its box a footer line's ink begins.
double tintenAbstand(const QString& t) {
  kesto::activex::FontSpec spec;
  spec.name = "Helvetica";
  spec.size = zahlAusText(Schriftdefinitionen()(kSlotFuss, 1)).value_or(0);
  const QFontMetricsF fm(kesto::activex::makeFont(spec));
  return std::max(0.0, fm.ascent() + fm.tightBoundingRect(t).top()) / kesto::activex::unitsPerMm;
}

const QString kErstellt = QStringLiteral("Erstellt durch ");

// Where the price label of a style goes: the old one right of the middle, the new one
// centred in the sign's width.
struct Preisfeld {
  double x, y, breite;
};
Preisfeld preisfeld(const FrSchildSeite& s, double y0, bool neuerStil) {
  if (neuerStil) return {s.x0, y0 + 0.4 * s.hoehe, s.breite};
  return {s.x0 + 0.48 * s.breite, y0 + 0.45 * s.hoehe, 0.49 * s.breite};
}

PreisAusmass preisDrucken(Schildpreise p, const Schildtexte& d, const FrSchildSeite& s, double y0,
                          const PreisOptionen& optionen, bool neuerStil, VSPrinter& vp) {
  const Preisfeld f = preisfeld(s, y0, neuerStil);
  PreisAusmass ausmass;
  if (neuerStil)
    PreisDrucken(p.preis, p.zeichen, d.per, d.info, kSlotPreis, vp, f.x, f.y, f.breite, optionen, ausmass);
  else
    PreisPolygonDrucken(p.preis, p.zeichen, p.zweiter, p.zweitesZeichen, d.per, d.info, kSlotPreis, vp, f.x, f.y,
                        f.breite, optionen, ausmass);
  return ausmass;
}

// The price label as it would be drawn, measured on a page of its own.
PreisAusmass preisProbe(const Schildpreise& p, const Schildtexte& d, const FrSchildSeite& s, double y0,
                        const PreisOptionen& optionen, bool neuerStil) {
  VSPrinter probe;
  probe.StartDoc();
  return preisDrucken(p, d, s, y0, optionen, neuerStil, probe);
}

// A footer line: its text, the left edge and width of its box, and its alignment there.
struct Fusszeile {
  QString text;
  double x, y, breite;
  std::int32_t code;  // 3 left, 5 right
};

// The room of the price label: below the sign's top edge, and above every footer line that
// lies under it. Where the label fits there, it keeps its place and size.
PreisOptionen preisGrenzen(const Schildpreise& p, const Schildtexte& d, const FrSchildSeite& s, double y0,
                           std::span<const Fusszeile> fuss, bool neuerStil, VSPrinter& vp) {
  PreisOptionen grenzen;
  grenzen.oben = y0 + 2;
  grenzen.unten = y0 + s.hoehe - 1.5;  // the inner frame
  const PreisAusmass frei = preisProbe(p, d, s, y0, {}, neuerStil);
  if (frei.runter <= 0) return grenzen;
  const Preisfeld f = preisfeld(s, y0, neuerStil);
  // The wedge or the frame reach a little past the label's extent across.
  const double links = f.x + (f.breite - frei.quer) / 2 - 2, rechts = links + frei.quer + 4;
  for (const Fusszeile& z : fuss) {
    if (z.text.isEmpty()) continue;
    const double w = std::min(z.breite, textBreite(z.text, kSlotFuss, "Helvetica", vp));
    const double von = z.code == 3 ? z.x : z.x + z.breite - w;
    if (von < rechts && von + w > links) grenzen.unten = std::min(grenzen.unten, z.y + tintenAbstand(z.text));
  }
  return grenzen;
}

// The arrow of the new style beside the price's top-right corner, a box of 3 : 4 scaled to
// the price's height and kept within the sign.
void pfeilZeichnen(const PreisAusmass& ausmass, const FrSchildSeite& s, const QImage& pfeil, VSPrinter& vp) {
  const double h = ausmass.runter;
  const double r = ausmass.rechtsObenX - s.x0;
  const double t = ausmass.rechtsObenY;
  if (h <= 0) return;  // no price printed: nothing to put an arrow beside
  double a = h * 0.8 / 4 * 3;
  if (a > 0.8 * (s.breite - r)) a = 0.8 * (s.breite - r);
  if (a <= 0 || pfeil.isNull()) return;
  vp.DrawPicture(pfeil, mm(s.x0 + r), mm(t), mm(a), mm(a / 3 * 4));
}

void schildZeichnen(const Schildtexte& d, const FrSchildSeite& s, double y0, const frmFrSchild& f, VSPrinter& vp) {
  FMStart& start = fensterliste().holen<FMStart>();
  const Startglobale& g = startglobale();
  const double x0 = s.x0, B = s.breite, H = s.hoehe;
  const double s65 = zeilenabstand(kSlotText), s67 = zeilenabstand(kSlotFuss);

  PolygonZeichnen(x0, y0, B, H, vp, kSchwarz, 2, 0, kSchwarz, 1);
  PolygonZeichnen(x0 + 2, y0 + 1, B - 4, H - 2, vp, kSchwarz, 0, 10, kWeiss, 0);
  const QString ersteller = kErstellt + kestoapi().PersonalName;
  Schildpreise p = SchildpreiseWaehlen(d, start.ZweiPreise->isChecked());
  const kesto::services::Date heute = kesto::services::today();
  const QString datum = QDate(heute.year, heute.month, heute.day).toString(QStringLiteral("dd.MM.yyyy"));
  const bool grundpreis = start.Grundpreis->isChecked();
  const Fusszeile fuss[] = {{grundpreis ? d.grundpreis : QString(), x0 + 4, y0 + H - 2 * s67, B - 8, 5},
                            {QStringLiteral("ArtNr.: ") + d.artNr, x0 + 4, y0 + H - s67, B - 8, 3},
                            {QStringLiteral("Datum: ") + datum, x0, y0 + H - s67, B - 4, 5}};
  const PreisOptionen grenzen = preisGrenzen(p, d, s, y0, fuss, g.NeuerStil, vp);
  const PreisAusmass probe = preisProbe(p, d, s, y0, grenzen, g.NeuerStil);
  // The descriptions start below the creator line and end where the price label's turned
  // top edge comes up to them; there the box sets them smaller.
  const double oben = std::max(y0 + 0.05 * H, y0 + 2 + textHoehe(ersteller, kSlotErsteller, "Arial", vp));
  const QString* zeilen[3] = {&d.bez1, &d.bez2, &d.bez3};
  const QString helvetica = QStringLiteral("Helvetica");
  for (int j = 0; j < 3; ++j) {
    const double y = oben + j * s65;
    double rechts = x0 + B - 4;
    if (probe.runter > 0) {
      const double zeilenende = y + textHoehe(*zeilen[j], kSlotText, "Helvetica", vp);
      const double lauf = (zeilenende - probe.rechtsObenY) / std::tan(8 * std::numbers::pi / 180);
      if (lauf > 0) rechts = std::min(rechts, probe.rechtsObenX - lauf - 1);
    }
    const double breite = Hoechstbreite(*zeilen[j], kSlotText, helvetica, vp, std::max(10.0, rechts - (x0 + 10)));
    text(*zeilen[j], x0 + 10, y, breite, kSlotText, "Helvetica", 0, vp);
  }
  for (std::size_t i = grundpreis ? 0 : 1; i < std::size(fuss); ++i)
    text(fuss[i].text, fuss[i].x, fuss[i].y, fuss[i].breite, kSlotFuss, "Helvetica", fuss[i].code, vp);

  const PreisAusmass ausmass = preisDrucken(p, d, s, y0, grenzen, g.NeuerStil, vp);
  if (g.NeuerStil) pfeilZeichnen(ausmass, s, f.Pfeilbild(), vp);

  text(ersteller, x0 + 3, y0 + 2, 0, kSlotErsteller, "Arial", 0, vp);
  RasterZeichnen(210, 297, vp, 10, start.Raster->isChecked() ? 1 : 0);
}

}  // namespace

Schildtexte FrSchildTexte(const frmFrSchild& f, int i) {
  return f.ArtNr->count() < 2 ? f.Felder() : SchildtexteLesen(f.ArtNr->itemText(i));
}

double FrSchildMindesthoehe() {
  VSPrinter probe;
  probe.StartDoc();
  const double ersteller = textHoehe(kErstellt + kestoapi().PersonalName, kSlotErsteller, "Arial", probe);
  const double zeile = textHoehe(QStringLiteral("ÄAgy"), kSlotText, "Helvetica", probe);
  // The creator line, three description lines, the base-price and the footer line, and a
  // little air between the descriptions and the base price.
  return std::ceil(2 + ersteller + 2 * zeilenabstand(kSlotText) + zeile + 2 * zeilenabstand(kSlotFuss) + 0.5);
}

FrSchildSeite FrSchildSeiteBerechnen(const QString& breite, const QString& hoehe) {
  const Schildhoehe h = SchildhoeheLesen(hoehe);
  const std::optional<double> b = zahlAusText(breite);
  if (!b) throw std::runtime_error("Ungültige Schildbreite");
  const double x0 = rundenGerade((kSeitenbreite - *b) / 2);
  // A sign too low for its lines is drawn as low as they allow, and stacked so.
  const double mindestens = FrSchildMindesthoehe();
  if (h.mm < mindestens) return {*b, mindestens, x0, SchilderJeSeite(mindestens)};
  return {*b, h.mm, x0, h.jeSeite};
}

void FrSchildZeichnen() {
  frmFrSchild& f = FormHolen<frmFrSchild>();
  VSPrinter& vp = fensterliste().holen<FMStart>().VSPrinter1;
  const FrSchildSeite s = FrSchildSeiteBerechnen(f.B->text(), f.H->text());

  vp.StartDoc();
  const int letztes = f.ArtNr->count() > 0 ? f.ArtNr->count() - 1 : 0;
  for (int i = 0; i <= letztes; ++i) {
    const int k = i + 1;
    const int pos = k - ((k - 1) / s.jeSeite) * s.jeSeite;
    if (pos == 1 && k > 1) vp.NewPage();
    const double y0 = kObenRand + (pos - 1) * s.hoehe;
    schildZeichnen(FrSchildTexte(f, i), s, y0, f, vp);
  }
  vp.EndDoc();
}

void FrSchildEinrichten() {
  SchildartDienste dienste;
  dienste.editorZeigen = [] { FormZeigen<frmFrSchild>(&fensterliste().holen<FMStart>()); };
  dienste.zeichnen = [] { FrSchildZeichnen(); };
  SchildartEintragen(QStringLiteral("FRSCHILD"), std::move(dienste));
}

}  // namespace vovida
