#include "Fliesenschild.h"

#include "Feldwerte.h"
#include "Fliesendaten.h"
#include "FliesenschildMasse.h"
#include "FliesenschildZelle.h"
#include "NumberText.h"
#include "PreisDrucken.h"
#include "Preisplatz.h"
#include "TextKonvertierung.h"
#include "Unterartikeltabelle.h"
#include "Zeichnen.h"

#include <services/MessageBox.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

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

// The label's white field begins where its frame runs, 2 mm in; the main columns, laid
// out from the outer edge, are set to scale inside it, so no frame line crosses a text.
constexpr double kFeldRand = 2;

void spaltenInsFeld(Fliesenmasse& m) {
  const double f = (m.W - 2 * kFeldRand) / m.W;
  for (int i = 1; i <= 4; ++i) {
    m.Cx[i] = m.X0 + kFeldRand + (m.Cx[i] - m.X0) * f;
    m.Cw[i] *= f;
  }
}

struct Oval {
  double links, oben, rechts, unten;
  // Its width over the whole height from y1 to y2; 0 where that reaches past it.
  double sehne(double y1, double y2) const {
    const double a = (rechts - links) / 2, b = (unten - oben) / 2, mitte = (oben + unten) / 2;
    const double d = std::max(std::abs(y1 - mitte), std::abs(y2 - mitte)) / b;
    return d >= 1 ? 0 : 2 * a * std::sqrt(1 - d * d);
  }
};

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
  const Oval oval{m.X0 + 6, m.Y0 + 6, m.X0 + m.W - 6, m.Y0 + m.T};
  vp.DrawEllipse(mm(oval.links), mm(oval.oben), mm(oval.rechts), mm(oval.unten));

  const QString helvetica = QStringLiteral("Helvetica");
  const double y = 0.9 * m.Y0 + m.T / 2;
  // The headline keeps inside the oval: its band is the oval's width at the edge of its
  // line farther from the middle, found again as the line is set smaller.
  const double oben = TextGemessenOben(u.ueberschriftSlot, y);
  double breite = oval.rechts - oval.links;
  for (int schritt = 0; schritt < 4; ++schritt) {
    VSPrinter probe;
    probe.StartDoc();
    double hoehe = 0, summe = 0;
    TextGemessenDrucken(u.Ueberschrift, u.ueberschriftSlot, helvetica, probe, 0, y, breite, hoehe, summe, true);
    probe.EndDoc();
    const double sehne = oval.sehne(oben, oben + hoehe);
    if (sehne >= breite) break;
    breite = sehne;
  }
  const double mitte = (oval.links + oval.rechts) / 2;
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(u.Ueberschrift, u.ueberschriftSlot, helvetica, vp, mitte - breite / 2, y, breite, hoehe, summe,
                      false, u.textmarkeFarbe);
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

// Draws the texts of the sign, or only notes where they would lie, for the main price to
// keep clear of.
struct Belegung {
  VSPrinter& vp;
  bool nurMessen = false;
  std::vector<Hindernis> flaechen;

  void zelle(const QString& text, double x, double y, double breite, double hoehe, int slot, const char* schrift,
             TextboxStil stil = {}) {
    if (!nurMessen)
      Fliesenzelle(text, x, y, breite, hoehe, slot, schrift, vp, stil);
    else if (!text.trimmed().isEmpty())
      flaechen.push_back(Textflaeche(text, x, y, breite, hoehe, static_cast<std::int16_t>(slot),
                                     QString::fromUtf8(schrift), stil.ausrichtung, vp));
  }
};

// typWeit: the tile type's value runs over three columns, as the layout has it; else it
// keeps to its own column, where the price needs the room.
void hauptartikel(const Fliesenmasse& m, bool beschriftung, const Fliesendaten& d, const FliesenschildUmfeld& u,
                  bool typWeit, Belegung& belegt) {
  VSPrinter& vp = belegt.vp;
  const int b = m.basis;
  belegt.zelle(d.haupt(1), m.X0 + 2 * m.g, m.Y0 + 4 * m.u + m.T, m.W - 4 * m.g, m.Ht[1], b, "KIPP", {7, 10, 0, 0});

  const QString satz = u.hauptErklaerung ? Verpackungserklaerung(d.haupt(14), d.haupt(15), d.haupt(16), d.haupt(17),
                                                                  d.haupt(12))
                                         : QString();
  if (beschriftung)
    belegt.zelle(satz, m.X0 + 4, m.Y0 + m.H - 6, m.W - 8, 4, b + 10, "Arial", {7, 0, 1, 5});
  else
    belegt.zelle(satz, m.X0 + 2.1 * m.g, m.Y0 + 4 * m.u + m.T + m.Ht[1], m.W - 4 * m.g, 0.6 * m.g, b + 10, "Arial",
                 {7, 0, 1, 5});

  const std::array<Hauptzeile, 5> zeilen = hauptzeilen(d, u);
  for (int n = 0; n < 5; ++n) {
    const auto& z = zeilen[n];
    const double y = m.zeile(n);
    belegt.zelle(QString::fromUtf8(z.marke1), m.Cx[1], y, m.Cw[1], m.R1, b + 1, "Helvetica", {6, 0, 0, 0});
    const double breite = n == 3 && typWeit ? m.Cw[2] + m.Cw[3] + m.Cw[4] : m.Cw[2];
    belegt.zelle(z.wert1, m.Cx[2], y, breite, m.R1, b + 2, "Helvetica", {6, 0, 0, 0});
    if (!z.marke2) continue;
    belegt.zelle(QString::fromUtf8(z.marke2), m.Cx[3], y, m.Cw[3], m.R1, b + 1, "Helvetica", {6, 0, 0, 0});
    belegt.zelle(z.wert2, m.Cx[4], y, m.Cw[4], m.R1, b + 2, "Helvetica", {6, 0, 0, 0});
  }

  const QString verpackung[] = {QStringLiteral("VKE: ") + d.haupt(14), QStringLiteral("VPI: ") + d.haupt(15),
                                QStringLiteral("VRM: ") + d.haupt(16), QStringLiteral("VPM: ") + d.haupt(17)};
  for (int n = 0; n < 4; ++n)
    belegt.zelle(verpackung[n], m.X0 + m.W + m.g, m.zeile(n), m.S - m.g, m.R1, b + 3, "Arial");

  // The creator line keeps inside the label's inner frame (its line runs at Y0 + 2) and
  // within the strip beside the sale sign.
  const QString ersteller = QStringLiteral(" Erstellt durch ") + u.PersonalName + u' ';
  const QString arial = QStringLiteral("Arial");
  const auto slot = static_cast<std::int16_t>(b + 11);
  if (beschriftung)
    belegt.zelle(ersteller, m.X0 + 4, m.Y0 + 2.3, Hoechstbreite(ersteller, slot, arial, vp, m.W - 8), 0, slot,
                 "Arial", {6, 0, 0, 0});
  else
    belegt.zelle(ersteller, m.X0 + m.W + m.g, m.Y0 + 5, Hoechstbreite(ersteller, slot, arial, vp, m.S - m.g), 0,
                 slot, "Arial", {6, 0, 0, 0});
}

// The main price: the label at the layout's anchor, the unit line and the shelf line
// below it at the right edge.
struct Hauptpreis {
  double x = 0, y = 0;       // the label's anchor as the layout gives it
  double einheitX = 0, einheitY = 0, regalY = 0;
  QString einheit, regalzeile;
  Preisdruck drucken;
};

Hauptpreis hauptpreis(const Fliesenmasse& m, bool beschriftung, const Fliesendaten& d,
                      const FliesenschildUmfeld& u) {
  Hauptpreis h;
  h.x = m.X0 + 4 * m.g + m.Cw[1] + m.Cw[2];
  h.y = m.Yr + 4 * m.R1;
  h.einheitX = m.X0 + m.W - (beschriftung ? kFeldRand : 0) - m.g - 30;
  h.einheitY = h.y + 2 * m.Sp1 + 2;
  h.regalY = h.einheitY + m.R2;
  h.einheit = d.haupt(12);
  h.regalzeile = d.haupt(13) + (d.haupt(18).isEmpty() ? QString() : QStringLiteral(" R:")) + d.haupt(18);
  const Fliesenpreis p =
      FliesenpreisBerechnen(d.haupt(10).isEmpty() ? QStringLiteral("0,00") : d.haupt(10), u.waehrungen);
  const auto slot = static_cast<std::int16_t>(m.basis + 4);
  const double breite = m.Cw[3] + m.Cw[4];
  const bool neu = u.NeuerStil;
  h.drucken = [p, slot, breite, neu, einheit = h.einheit](VSPrinter& vp, double x, double y,
                                                           const PreisOptionen& optionen) {
    Fliesenpreis q = p;
    PreisAusmass ausmass;
    // The size of the large sign's price slot, also on small signs.
    vp.setFontSize(static_cast<float>(feldZahl(40, 1)));
    vp.setFontName("Kipp");
    if (neu)
      PreisDrucken(q.preis, q.zeichen, einheit, {}, slot, vp, x, y, breite, optionen, ausmass);
    else
      PreisPolygonDrucken(q.preis, q.zeichen, q.zweitpreis, q.zweitzeichen, einheit, {}, slot, vp, x, y, breite,
                          optionen, ausmass);
    return ausmass;
  };
  return h;
}

// Where the main price goes among the texts of the main block, the unit line and the shelf
// line: the sale sign's label stays above the sub-article table, the tile label's inside
// its white field.
Preislage preisPlatzieren(const Fliesenmasse& m, bool beschriftung, const FliesenschildUmfeld& u,
                          const Hauptpreis& h, std::vector<Hindernis> belegt) {
  VSPrinter& vp = *u.vp;
  const QString helvetica = QStringLiteral("Helvetica");
  const auto slot = static_cast<std::int16_t>(m.basis + 3);
  for (const auto& [text, y] : {std::pair{h.einheit, h.einheitY}, {h.regalzeile, h.regalY}})
    if (!text.trimmed().isEmpty())
      belegt.push_back(Textflaeche(text, h.einheitX, y, 30, 0, slot, helvetica, TextboxStil{}.ausrichtung, vp));
  const Hindernis bereich = beschriftung ? Hindernis{m.X0 + 3, m.Yr, m.X0 + m.W - 3, m.Y0 + m.H - 3}
                                         : Hindernis{m.X0 + 1, m.Yr, m.X0 + m.W - 1, TabellenOben(m) - 1};
  const auto relativ = [&h](const Hindernis& r) {
    return Hindernis{r.links - h.x, r.oben - h.y, r.rechts - h.x, r.unten - h.y};
  };
  for (Hindernis& r : belegt) r = relativ(r);
  return PreislageSuchen(h.drucken, relativ(bereich), belegt);
}

// The price is placed before anything is drawn, among the texts of the main block as
// measured. Where it finds no room at its full size, the tile type keeps to its own column
// (its box sets it smaller) if that gives the price more. The place, and whether the tile
// type runs over three columns.
std::pair<Preislage, bool> hauptpreisPlatz(const Fliesenmasse& m, bool beschriftung, const Fliesendaten& d,
                                           const FliesenschildUmfeld& u, const Hauptpreis& preis) {
  const auto texte = [&](bool typWeit) {
    Belegung gemessen{*u.vp, true, {}};
    hauptartikel(m, beschriftung, d, u, typWeit, gemessen);
    return std::move(gemessen.flaechen);
  };
  const std::vector<Hindernis> weitTexte = texte(true);
  const Preislage weit = preisPlatzieren(m, beschriftung, u, preis, weitTexte);
  if (weit.verdeckt == 0 && weit.optionen.hoechstquer == 0) return {weit, true};
  // A tile type that fits its column anyway gives no more room.
  const std::vector<Hindernis> schmalTexte = texte(false);
  if (schmalTexte == weitTexte) return {weit, true};
  const Preislage schmal = preisPlatzieren(m, beschriftung, u, preis, schmalTexte);
  // hoechstquer 0 is the full size.
  const auto groesse = [](const Preislage& l) {
    return l.optionen.hoechstquer > 0 ? l.optionen.hoechstquer : std::numeric_limits<double>::max();
  };
  if (schmal.verdeckt < weit.verdeckt || (schmal.verdeckt == weit.verdeckt && groesse(schmal) > groesse(weit)))
    return {schmal, false};
  return {weit, true};
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
  Fliesenmasse m = FliesenmasseBerechnen(breite, hoehe, static_cast<std::int16_t>(36 + versatz), T, u.parameter, vp);
  if (beschriftung) spaltenInsFeld(m);
  if (beschriftung)
    beschriftungsrahmen(m, u, vp);
  else
    verkaufsrahmen(m, u, vp);
  const Hauptpreis preis = hauptpreis(m, beschriftung, d, u);
  const auto [lage, typWeit] = hauptpreisPlatz(m, beschriftung, d, u, preis);
  Belegung zeichnen{vp, false, {}};
  hauptartikel(m, beschriftung, d, u, typWeit, zeichnen);
  const int weggelassen = beschriftung ? 0 : UnterartikeltabelleZeichnen(m, d, u);
  preis.drucken(vp, preis.x + lage.dx, preis.y + lage.dy, lage.optionen);
  Fliesenzelle(preis.einheit, preis.einheitX, preis.einheitY, 30, 0, m.basis + 3, "Helvetica", vp);
  Fliesenzelle(preis.regalzeile, preis.einheitX, preis.regalY, 30, 0, m.basis + 3, "Helvetica", vp);
  RasterZeichnen(210, 297, vp, 10, static_cast<std::int16_t>(u.Raster));
  // Ended here: the main window does not end the document.
  vp.EndDoc();
  return weggelassen;
}

}  // namespace vovida
