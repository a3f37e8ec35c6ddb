#include "Regalbeschriftung.h"

#include "AOBStandard.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "Preisinfo.h"
#include "Preisplatz.h"
#include "RuntimeError.h"
#include "Schildarten.h"
#include "Schildfenster.h"
#include "Schildhoehe.h"
#include "Schriftdefinitionen.h"
#include "ServerFehler.h"
#include "Startglobale.h"
#include "TextaufDruckformular.h"
#include "Warteschlange.h"
#include "Zeichnen.h"
#include "frmRegalBesch.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>


#include <activex/Barcode.h>
#include <activex/VSPrinter.h>
#include <services/Program.h>
#include <services/Today.h>

namespace vovida {

namespace {

using kesto::activex::units;

const QString kQuelle = QStringLiteral("RegalschilderDrucken");

double zahl(const QString& text) {
  const std::optional<double> wert = zahlAusText(text);
  if (!wert) typenUnvertraeglich(kQuelle);
  return *wert;
}

// Field 4 (spacing, mm) of a font slot.
double abstand(int slot) { return zahl(Schriftdefinitionen()(slot, 4)); }

QString heute() {
  const kesto::services::Date d = kesto::services::today();
  return QDate(d.year, d.month, d.day).toString(QStringLiteral("dd.MM.yyyy"));
}

// The headline style of the option that is on; none on keeps the one before.
std::int16_t ueberschriftSlot(const frmRegalBesch& e, std::int16_t bisher) {
  if (e.RadioAktion->isChecked()) return 6;
  if (e.RadionBestellung->isChecked()) return 63;
  if (e.RadioRest->isChecked()) return 14;
  if (e.RadioWerbung->isChecked()) return 18;
  return bisher;
}

// The EAN of the article as the server knows it; "" when it does not (or the call
// fails), so that the label shows no bar code rather than another article's.
QString strichcodeText(const QString& artNr) {
  try {
    Serverarbeit arbeit;
    ServerObjekt windows(KlasseOeffnen(QStringLiteral("FRX.Windows")));
    return alsText(windows->call("EANNr", alsVariant(kestoapi().Firma), alsVariant(artNr)));
  } catch (const kesto::services::ProgramEnded&) {
    throw;
  } catch (const std::exception&) {
    return {};
  }
}

struct Lauf {
  FMStart& start;
  frmRegalBesch& e;
  VSPrinter& vp;
  double B;
  double H;
  std::int16_t ueberschrift = 6;

  void etikett(const Schildtexte& t, double oben);
  double preisUnterArtNr(const QString& artNr, double oben);
};

// The widest price label whose turned top edge stays below the article-number line.
double Lauf::preisUnterArtNr(const QString& artNr, double oben) {
  vp.setFontName("Helvetica");
  vp.setFontSize(static_cast<float>(zahl(Schriftdefinitionen()(26, 1))));
  const double textbreite = vp.TextWidth(artNr.toStdString()).mm();
  const double textLinks = 20 + 0.76 * B + (0.2 * B - textbreite) / 2;
  const double textOben = oben + 15 + 0.24 * H + zahl(Schriftdefinitionen()(26, 6));
  const Hindernis zeile{textLinks, textOben, textLinks + textbreite,
                        textOben + vp.TextHeight(artNr.toStdString()).mm()};
  const double preisOben = oben + 15 + 0.45 * H + zahl(Schriftdefinitionen()(30, 6));
  return Preisplatz(20 + 0.48 * B, preisOben, 0.49 * B, 8, {&zeile, 1});
}

void Lauf::etikett(const Schildtexte& t, double oben) {
  PolygonZeichnen(20, 15 + oben, B, H, vp, kSchwarz, 2, 0, kSchwarz, 1);
  PolygonZeichnen(22, 16 + oben, B - 4, H - 2, vp, kSchwarz, 0, 10, kWeiss, 0);

  // The text mark behind the headline.
  vp.setPenStyle(0);
  vp.setPenColor(0);
  vp.setBrushStyle(0);
  vp.setBrushColor(e.TextMarkeFarbe);
  vp.setPenWidth(units(12));
  vp.DrawEllipse(units(1596), units(57 * oben + 1083), units(57 * (20 + 0.68 * B)),
                 units(57 * (oben + 15 + 0.44 * H)));

  ueberschrift = ueberschriftSlot(e, ueberschrift);
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(t.ueberschrift, ueberschrift, QStringLiteral("Kipp"), vp, 28, oben + 21, 89, hoehe, summe,
                      false, e.TextMarkeFarbe);

  const double zeile = abstand(22);
  const double zeile1 = oben + 15 + 0.44 * H;
  const QString helvetica = QStringLiteral("Helvetica");
  // The descriptions end where the price's slot begins.
  const double textbreite = 0.48 * B - 17;
  const auto beschreibung = [&](const QString& text, double y, std::int16_t slot) {
    TextboxStil links{9};  // what the measured box did: the text starts at its left edge
    SchriftTextDrucken(text, 35, y, Hoechstbreite(text, slot, helvetica, vp, textbreite), 0, slot, helvetica, vp,
                       links);
  };
  beschreibung(t.bez1, zeile1, 22);
  beschreibung(t.bez2, zeile1 + zeile, 22);
  beschreibung(t.bez3, zeile1 + 2 * zeile, 22);
  if (start.Grundpreis->isChecked()) beschreibung(t.grundpreis, zeile1 + 3 * zeile, 26);

  e.Barcode1->setText(strichcodeText(t.artNr));
  // Rendered in the proportion of its box (about 4 pixels per mm), so that it fills the box
  // without its digits being squashed.
  e.Barcode1->RenderSize(static_cast<int>(std::lround(4 * 0.2 * B)), static_cast<int>(std::lround(4 * 0.16 * H)));
  const QImage strichcode = e.Barcode1->Picture();
  if (!strichcode.isNull())
    vp.DrawPicture(strichcode, units(57 * (20 + 0.75 * B)), units(57 * oben + 969), units(57 * 0.2 * B),
                   units(57 * 0.16 * H));

  TextboxStil mitte{4};
  SchriftTextDrucken(QStringLiteral("ArtNr.: ") + t.artNr, 20 + 0.76 * B, oben + 15 + 0.24 * H, 0.2 * B, 0, 26,
                     helvetica, vp, mitte);
  TextboxStil rechts{5};
  SchriftTextDrucken(QStringLiteral("Datum: ") + heute(), 20, oben + 15 + H - abstand(26), B - 4, 0, 26, helvetica,
                     vp, rechts);
  TextboxStil links{0};
  SchriftTextDrucken(QStringLiteral("Erstellt durch ") + kestoapi().PersonalName, 23, oben + 17, 0, 0, 34,
                     QStringLiteral("Arial"), vp, links);

  Schildpreise p = SchildpreiseWaehlen(t, start.ZweiPreise->isChecked());
  PreisAusmass ausmass;
  const PreisOptionen optionen{.hoechstquer = preisUnterArtNr(QStringLiteral("ArtNr.: ") + t.artNr, oben)};
  if (startglobale().NeuerStil)
    PreisDrucken(p.preis, p.zeichen, t.per, t.info, 30, vp, 20 + 0.48 * B, oben + 15 + 0.45 * H, 0.49 * B, optionen,
                 ausmass);
  else
    PreisPolygonDrucken(p.preis, p.zeichen, p.zweiter, p.zweitesZeichen, t.per, t.info, 30, vp, 20 + 0.48 * B,
                        oben + 15 + 0.45 * H, 0.49 * B, optionen, ausmass);

  RasterZeichnen(210, 297, vp, 10, start.Raster->isChecked() ? 1 : 0);
}

}  // namespace

void RegalschilderDrucken() {
  FMStart& start = fensterliste().holen<FMStart>();
  frmRegalBesch& e = FormHolen<frmRegalBesch>();
  const double breite = zahl(e.B->text());
  const Schildhoehe hoehe = SchildhoeheLesen(e.H->text());
  Lauf lauf{start, e, start.VSPrinter1, breite, hoehe.mm};

  const QStringList liste = e.Liste();
  VSPrinter& vp = start.VSPrinter1;
  vp.StartDoc();
  try {
    const int letzter = liste.isEmpty() ? 0 : static_cast<int>(liste.size()) - 1;
    for (int i = 0; i <= letzter; ++i) {
      const int k = i + 1;
      const int platz = k - ((k - 1) / hoehe.jeSeite) * hoehe.jeSeite;
      if (platz == 1 && k >= 2) vp.NewPage();
      const Schildtexte texte = liste.size() < 2 ? e.Felder() : SchildtexteLesen(liste[i]);
      lauf.etikett(texte, (platz - 1) * hoehe.mm);
    }
  } catch (...) {
    vp.EndDoc();
    throw;
  }
  vp.EndDoc();
}

void RegalschildEinrichten() {
  SchildartDienste dienste;
  dienste.editorZeigen = [] { FormZeigen<frmRegalBesch>(&fensterliste().holen<FMStart>()); };
  dienste.zeichnen = [] { RegalschilderDrucken(); };
  SchildartEintragen(QStringLiteral("SCHILD"), std::move(dienste));
  Schildfenster fenster;
  // A page holds several labels: the page bar shows the first of the page, not the
  // entry counted like a poster's one per page.
  fenster.ArtNr = [] { return FormHolen<frmRegalBesch>().ErsteJeSeite(); };
  fenster.artikelZeigen = [](const QString& nr) {
    frmRegalBesch& e = FormHolen<frmRegalBesch>();
    e.setArtNrText(nr);
    e.lesen();
  };
  SchildfensterEintragen(QStringLiteral("SCHILD"), std::move(fenster));
}

}  // namespace vovida
