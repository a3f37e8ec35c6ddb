#include "Fliesenschild.h"

#include "Feldwerte.h"
#include "Fliesendaten.h"
#include "FliesenschildMasse.h"
#include "FliesenschildZelle.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "TextKonvertierung.h"
#include "Unterartikeltabelle.h"
#include "Zeichnen.h"

#include <services/MessageBox.h>

#include <array>
#include <optional>
#include <stdexcept>

namespace vovida {

namespace {

using kesto::activex::mm;
using kesto::activex::units;

// The logo's height as a part of half the sign width; 0 (no logo, the block moves up)
// when the parameter is empty or no number.
double logoVerhaeltnis(const QString& wert) {
  const std::optional<double> zahl = zahlAusText(wert);
  return zahl && *zahl > 0 ? *zahl : 0;
}

void verkaufsrahmen(const Fliesenmasse& m, const FliesenschildUmfeld& u, VSPrinter& vp) {
  PolygonZeichnen(m.X0, m.Y0, m.W, m.H, vp, 0, 0, 10, 0, 1);
  PolygonZeichnen(m.X0 + m.W + m.g / 2, m.Y0, m.S, m.H, vp, 0, 1, 0, 0, 1);
  if (m.T > 0 && !u.Logo.isNull())
    vp.DrawPicture(u.Logo, mm(m.X0 + m.W / 4), mm(m.Y0 + 2 * m.u), mm(m.W / 2), mm(m.T));
}

void beschriftungsrahmen(const Fliesenmasse& m, const FliesenschildUmfeld& u, VSPrinter& vp) {
  PolygonZeichnen(m.X0, m.Y0, m.W, m.H, vp, 0, 2, 0, 0, 1);
  PolygonZeichnen(m.X0 + 2, m.Y0 + 2, m.W - 4, m.H - 4, vp, 0, 0, 10, kWeiss, 0);
  const struct {
    double x, y;
    const char* ecke;
  } ecken[] = {{m.X0, m.Y0, "LO"}, {m.X0 + m.W, m.Y0, "RO"}, {m.X0, m.Y0 + m.H, "LU"}, {m.X0 + m.W, m.Y0 + m.H, "RU"}};
  for (const auto& e : ecken) RahmenZeichnen(e.x, e.y, 5, 5, QString::fromLatin1(e.ecke), vp, 0, 0, 0);

  vp.setPenStyle(0);
  vp.setPenColor(0);
  vp.setBrushStyle(0);
  vp.setBrushColor(u.textmarkeFarbe);
  vp.setPenWidth(units(12));
  vp.DrawEllipse(mm(m.X0 + 6), mm(m.Y0 + 6), mm(m.X0 + m.W - 6), mm(m.Y0 + m.T));

  double hoehe = 0, summe = 0;
  TextGemessenDrucken(u.Ueberschrift, u.ueberschriftSlot, QStringLiteral("Helvetica"), vp, m.X0,
                      0.9 * m.Y0 + m.T / 2, m.W, hoehe, summe, false, u.textmarkeFarbe);
}

// Label and value pairs; a row without a second pair lets its value run over three columns.
struct Hauptzeile {
  const char* marke1;
  QString wert1;
  const char* marke2;
  QString wert2;
};

std::array<Hauptzeile, 5> hauptzeilen(const Fliesendaten& d, const FliesenschildUmfeld& u) {
  return {{{"Art.Nr.:", u.ArtNr, "Tamsel.Art.Nr.:", d.haupt(9)},
           {"Sortierung:", d.haupt(2), "Größe:", d.haupt(7)},
           {"Abriebgruppe:", d.haupt(5), "frostsicher:", d.haupt(8)},
           {"Fliesentype:", u.Fliesentype, nullptr, {}},
           {"Verfügbarkeit:", d.haupt(6), nullptr, {}}}};
}

void hauptartikel(const Fliesenmasse& m, bool beschriftung, const Fliesendaten& d, const FliesenschildUmfeld& u,
                  VSPrinter& vp) {
  const int b = m.basis;
  Fliesenzelle(d.haupt(1), m.X0 + 2 * m.g, m.Y0 + 4 * m.u + m.T, m.W - 4 * m.g, m.Ht[1], b, "KIPP", vp, {7, 10, 0, 0});

  const QString satz = u.hauptErklaerung ? Verpackungserklaerung(d.haupt(14), d.haupt(15), d.haupt(16), d.haupt(17),
                                                                  d.haupt(12))
                                         : QString();
  if (beschriftung)
    Fliesenzelle(satz, m.X0 + 4, m.Y0 + m.H - 6, m.W - 8, 4, b + 10, "Arial", vp, {7, 0, 1, 5});
  else
    Fliesenzelle(satz, m.X0 + 2.1 * m.g, m.Y0 + 4 * m.u + m.T + m.Ht[1], m.W - 4 * m.g, 0.6 * m.g, b + 10, "Arial", vp,
                 {7, 0, 1, 5});

  const std::array<Hauptzeile, 5> zeilen = hauptzeilen(d, u);
  for (int n = 0; n < 5; ++n) {
    const auto& z = zeilen[n];
    const double y = m.zeile(n);
    Fliesenzelle(QString::fromUtf8(z.marke1), m.Cx[1], y, m.Cw[1], m.R1, b + 1, "Helvetica", vp, {6, 0, 0, 0});
    const double breite = n == 3 ? m.Cw[2] + m.Cw[3] + m.Cw[4] : m.Cw[2];
    Fliesenzelle(z.wert1, m.Cx[2], y, breite, m.R1, b + 2, "Helvetica", vp, {6, 0, 0, 0});
    if (!z.marke2) continue;
    Fliesenzelle(QString::fromUtf8(z.marke2), m.Cx[3], y, m.Cw[3], m.R1, b + 1, "Helvetica", vp, {6, 0, 0, 0});
    Fliesenzelle(z.wert2, m.Cx[4], y, m.Cw[4], m.R1, b + 2, "Helvetica", vp, {6, 0, 0, 0});
  }

  const QString verpackung[] = {QStringLiteral("VKE: ") + d.haupt(14), QStringLiteral("VPI: ") + d.haupt(15),
                                QStringLiteral("VRM: ") + d.haupt(16), QStringLiteral("VPM: ") + d.haupt(17)};
  for (int n = 0; n < 4; ++n)
    Fliesenzelle(verpackung[n], m.X0 + m.W + m.g, m.zeile(n), m.S - m.g, m.R1, b + 3, "Arial", vp);

  // The creator line keeps inside the label's inner frame (its line runs at Y0 + 2) and
  // within the strip beside the sale sign.
  const QString ersteller = QStringLiteral(" Erstellt durch ") + u.PersonalName + u' ';
  const QString arial = QStringLiteral("Arial");
  const auto slot = static_cast<std::int16_t>(b + 11);
  if (beschriftung)
    Fliesenzelle(ersteller, m.X0 + 4, m.Y0 + 2.3, Hoechstbreite(ersteller, slot, arial, vp, m.W - 8), 0, slot,
                 "Arial", vp, {6, 0, 0, 0});
  else
    Fliesenzelle(ersteller, m.X0 + m.W + m.g, m.Y0 + 5, Hoechstbreite(ersteller, slot, arial, vp, m.S - m.g), 0,
                 slot, "Arial", vp, {6, 0, 0, 0});
}

void hauptpreis(const Fliesenmasse& m, const Fliesendaten& d, const FliesenschildUmfeld& u, VSPrinter& vp) {
  const int b = m.basis;
  const QString eingabe = d.haupt(10).isEmpty() ? QStringLiteral("0,00") : d.haupt(10);
  Fliesenpreis p = FliesenpreisBerechnen(eingabe, u.waehrungen);
  const double x = m.X0 + 4 * m.g + m.Cw[1] + m.Cw[2];
  const double y = m.Yr + 4 * m.R1;
  const double einheitX = m.X0 + m.W - m.g - 30;
  const double einheitY = y + 2 * m.Sp1 + 2;
  const QString regal = d.haupt(18).isEmpty() ? QString() : QStringLiteral(" R:");
  const QString regalzeile = d.haupt(13) + regal + d.haupt(18);

  // The size of the large sign's price slot, also on small signs.
  vp.setFontSize(static_cast<float>(feldZahl(40, 1)));
  vp.setFontName("Kipp");
  PreisOptionen optionen;
  PreisAusmass ausmass;
  if (u.NeuerStil)
    PreisDrucken(p.preis, p.zeichen, d.haupt(12), {}, static_cast<std::int16_t>(b + 4), vp, x, y, m.Cw[3] + m.Cw[4],
                 optionen, ausmass);
  else
    PreisPolygonDrucken(p.preis, p.zeichen, p.zweitpreis, p.zweitzeichen, d.haupt(12), {},
                        static_cast<std::int16_t>(b + 4), vp, x, y, m.Cw[3] + m.Cw[4], optionen, ausmass);

  Fliesenzelle(d.haupt(12), einheitX, einheitY, 30, 0, b + 3, "Helvetica", vp);
  Fliesenzelle(regalzeile, einheitX, einheitY + m.R2, 30, 0, b + 3, "Helvetica", vp);
}

// The sub-article rows left off on a sign, and the last such report.
struct Weggelassen {
  QString typ, artNr;
  double breite = 0, hoehe = 0;
  int zeilen = 0;
  bool operator==(const Weggelassen&) const = default;
};

std::optional<Weggelassen>& gemeldet() {
  static std::optional<Weggelassen> letzte;
  return letzte;
}

void weggelasseneMelden(const Weggelassen& jetzt) {
  if (jetzt.zeilen == 0) {
    gemeldet().reset();
    return;
  }
  if (gemeldet() == jetzt) return;
  // Kept before the box: a redraw while it is open must not show a second one.
  gemeldet() = jetzt;
  const QString text =
      jetzt.zeilen == 1
          ? QStringLiteral("1 Zeile der Zusatzartikel passt nicht auf das Schild und wurde weggelassen.")
          : QStringLiteral("%1 Zeilen der Zusatzartikel passen nicht auf das Schild und wurden weggelassen.")
                .arg(jetzt.zeilen);
  kesto::services::messageBox(text.toStdString(), "Fliesenschild", MB_OK | MB_ICONEXCLAMATION);
}

// Width and height as numbers above 0, or nothing.
std::optional<std::pair<double, double>> groesse(const QString& breite, const QString& hoehe) {
  const std::optional<double> b = zahlAusText(breite), h = zahlAusText(hoehe);
  if (!b || !h || *b <= 0 || *h <= 0) return std::nullopt;
  return std::pair{*b, *h};
}

}  // namespace

void FliesenschilderDrucken(const Fliesendaten& d, const FliesenschildUmfeld& u) {
  VSPrinter& vp = *u.vp;
  auto stueck = [&](int nr) { return TeilString(u.parameter.BH, QStringLiteral("@"), nr); };
  const QString& typ = d.Fliesentyp;
  const bool beschriftung = u.Plakatart == u"A7";
  QString breite, hoehe, fehler;
  std::int16_t versatz = 12;
  if ((typ == kBodenfliese || typ == kWandfliese || typ == kBestellung) && !beschriftung) {
    breite = stueck(1), hoehe = stueck(2), versatz = 0;
    fehler = QStringLiteral("Fliesenschild: Der Parameter FSCHILD-BH (Gruppe PLAKAT) fehlt oder enthält keine gültige Größe.");
  } else if (beschriftung) {
    breite = u.B, hoehe = u.H;
    fehler = QStringLiteral("Fliesenbeschriftung: Breite und Höhe müssen Zahlen größer 0 sein.");
  } else if (typ == u"Bestellung_klein" || typ == kKuechenfliese) {
    breite = stueck(3), hoehe = stueck(4);
    fehler = QStringLiteral("Fliesenschild klein: Der Parameter FSCHILD-BH (Gruppe PLAKAT) fehlt oder enthält keine gültige Größe.");
  }
  const auto masse = groesse(breite, hoehe);
  if (!masse) {
    // No sign of this kind, or none that can be drawn: an empty document, never the last sign.
    vp.StartDoc();
    vp.EndDoc();
    if (!fehler.isEmpty()) throw std::runtime_error(fehler.toStdString());
    return;
  }
  const int zeilen = FliesenschildZeichnen(masse->first, masse->second, versatz, beschriftung, d, u);
  weggelasseneMelden({typ, u.ArtNr, masse->first, masse->second, zeilen});
}

void WeggelasseneZeilenVergessen() { gemeldet().reset(); }

std::int16_t UeberschriftSlot(bool preise, bool bestellung, bool aktion, bool rest, bool werbung) {
  if (preise) return 9;
  if (bestellung) return 62;
  if (aktion) return 5;
  if (rest) return 13;
  if (werbung) return 17;
  return 9;
}

int FliesenschildZeichnen(double breite, double hoehe, std::int16_t versatz, bool beschriftung,
                          const Fliesendaten& d, const FliesenschildUmfeld& u) {
  VSPrinter& vp = *u.vp;
  const double T = beschriftung ? 0.25 * hoehe : logoVerhaeltnis(u.parameter.LogoQZM) * breite / 2;
  vp.StartDoc();
  const Fliesenmasse m =
      FliesenmasseBerechnen(breite, hoehe, static_cast<std::int16_t>(36 + versatz), T, u.parameter, vp);
  if (beschriftung)
    beschriftungsrahmen(m, u, vp);
  else
    verkaufsrahmen(m, u, vp);
  hauptartikel(m, beschriftung, d, u, vp);
  const int weggelassen = beschriftung ? 0 : UnterartikeltabelleZeichnen(m, d, u);
  hauptpreis(m, d, u, vp);
  RasterZeichnen(210, 297, vp, 10, static_cast<std::int16_t>(u.Raster));
  // Ended here: the main window does not end the document.
  vp.EndDoc();
  return weggelassen;
}

}  // namespace vovida
