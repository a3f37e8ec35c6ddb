// The old-style price label: secondary price on top, price band, info band, and a
// black wedge along the right edge.
#include "PreisDrucken.h"

#include "Feldwerte.h"
#include "Preisdruck.h"
#include "Startglobale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vovida {

using namespace preis;

namespace {

// Prints at 1.1 times the width given, as the old style always did.
constexpr double kBreitenFaktor = 1.1;

}  // namespace

void PreisPolygonDrucken(QString& preisText, const QString& waehrung, QString& nebenpreis,
                         QString& nebenwaehrung, const QString& einheit, const QString& info,
                         std::int16_t slot, VSPrinter& vp, double x, double y, double breite,
                         const PreisOptionen& opt, PreisAusmass& ausmass) {
  const std::optional<Anfang> anfang = anfangen(preisText, slot, opt.winkel);
  if (!anfang) return;
  const auto& [e, slotgroesse, a, zehntel] = *anfang;
  const Startglobale& g = startglobale();

  if (preisText.endsWith(u'%')) {
    nebenpreis = QStringLiteral("   ");
    nebenwaehrung.clear();
  }
  // The last two characters are the decimals; a shorter or empty secondary price has
  // no whole part.
  QString ganz, dezimal;
  if (!nebenpreis.endsWith(u'-')) {
    dezimal = nebenpreis.right(2);
    ganz = nebenpreis.left(std::max<qsizetype>(0, nebenpreis.size() - 2));
  } else {
    dezimal = QStringLiteral(" ");
    ganz = nebenpreis;
  }

  // The secondary line, the info text and their bands keep their sizes; the price, its mark
  // and its unit follow the price's scale.
  const Ausdehnung neben = messen(vp, ganz, e[4], g.FontNW);
  const Ausdehnung nebenMark = messen(vp, nebenwaehrung + QStringLiteral("XX"), e[8], g.FontNW);
  const Ausdehnung inf =
      messen(vp, info.isEmpty() ? QStringLiteral("Ag12X") : info, e[8], g.FontINFO, {.fett = true});
  const QString nebenzeile = nebenwaehrung + QStringLiteral("  ") + ganz + dezimal;
  const double Ws = neben.breite, Hs = neben.hoehe;
  const double Wx = nebenMark.breite;
  const double Wi = inf.breite, Hi = inf.hoehe;
  const double grenze = grenzeVon(breite, opt.hoechstquer);
  const double sinus = std::sin(a), kosinus = std::cos(a);

  struct Mass {
    Preisblock b;
    double H = 0, gesamt = 0, quer = 0, reichweite = 0;
    // The secondary line and the info set in the label's width rather than a tenth wider.
    bool imBand[2] = {false, false};
  };
  const double gedruckt[2] = {messen(vp, nebenzeile, e[4], g.FontNW, {.fett = true}).breite,
                              messen(vp, info, e[8], g.FontINFO).breite};
  const auto ausmessen = [&](double groesse) {
    Mass m{preisblockMessen(vp, preisText, waehrung, einheit, *anfang, groesse, 1)};
    m.H = Hs + m.b.Hp + Hi;
    // How far the wedge reaches past the label's right edge.
    const double keil =
        opt.rahmen ? std::max(Hi / 3 * (kosinus - sinus), Hi / 3 * (kosinus + sinus) - m.H * sinus) : 0;
    // The info text or the secondary line may be wider than the price block. Where the label
    // must keep to its limit, they widen it only up to there, and a line that would reach
    // past the label's right edge is set in the label's width, its box setting it smaller.
    const auto auslegen = [&](double hoechstens, bool eng) {
      m.gesamt = m.b.breite;
      m.quer = m.H * sinus + m.gesamt * kosinus;
      for (const double w : {std::min(Wi, hoechstens), std::min(Wx + Ws, hoechstens)}) {
        const double kandidat = m.H * sinus + w * kosinus;
        if (kandidat > m.quer) {
          m.quer = kandidat;
          m.gesamt = w;
        }
      }
      // Centred, what reaches past the right edge needs as much room on the left.
      double ueber = keil;
      for (int i = 0; i < 2; ++i) {
        const double rest =
            (std::min(gedruckt[i], kBreitenFaktor * m.gesamt) / 2 - (1 - kBreitenFaktor / 2) * m.gesamt) * kosinus;
        m.imBand[i] = eng && rest > 0;
        if (!m.imBand[i]) ueber = std::max(ueber, rest);
      }
      m.reichweite = m.quer + 2 * std::max(0.0, ueber);
    };
    auslegen(std::numeric_limits<double>::infinity(), false);
    if (grenze > 0 && m.reichweite > grenze) auslegen(breiteHoechstens(grenze, m.H, a, keil), true);
    return m;
  };
  const auto [groesse, m] = einpassen(slotgroesse, grenze, ausmessen);
  const auto& [k, Wp, Hp, Wc, Hc, Wu, abstand, spalte, block] = m.b;
  const double gesamt = m.gesamt, quer = m.quer;
  const bool* imBand = m.imBand;
  ausmass.quer = quer;

  const Punkt T{(breite - quer) / 2 + x + feldZahl(slot, 5), y + feldZahl(slot, 6)};
  const Punkt B1 = gedreht(T, a, 0, Hs);
  const Punkt B2 = gedreht(B1, a, 0, Hp);
  const Punkt TR = gedreht(T, a, gesamt, 0);
  const Punkt BR = gedreht(B2, a, gesamt, Hi);
  ausmass.rechtsObenX = TR.x;
  ausmass.rechtsObenY = TR.y;
  ausmass.runter = (BR.y - TR.y) + (T.y - TR.y);

  if (opt.rahmen) {
    DruckerSchriftSetzen(vp, 1, QStringLiteral("Arial"),
                         {.stiftfarbe = kSchwarz, .stiftstil = 0, .stiftbreite = 1, .pinselfarbe = kSchwarz, .pinselstil = 0});
    const QString keil = PunktListe(
        {TR, BR, gedreht(BR, a, Hi / 3, -Hi / 3), gedreht(TR, a, Hi / 3, Hi / 3), TR});
    vp.Polygon(keil.toStdString());
    band(vp, e[4], g.FontNW, false, kGruen, zehntel, T, gesamt, Hs);
    band(vp, e[8], g.FontINFO, false, kGruen, zehntel, B2, gesamt, Hi);
    band(vp, groesse, g.FontHW, false, kRot, zehntel, B1, gesamt, Hp);
  }

  preisDurchgaenge(vp, slot, {preisText, B1, a, zehntel, spalte, Wp, breite, kBreitenFaktor, groesse});

  DruckerSchriftSetzen(vp, e[2] * k, g.FontPKZHW, {.textfarbe = kSchwarz, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, waehrung, gedreht(B2, a, abstand, -Hc - 0.16 * Hp + e[3] * k), Wc, breite, kBreitenFaktor);

  const Colour farbe = !opt.rahmen || opt.schwarz ? kSchwarz : kWeiss;
  DruckerSchriftSetzen(vp, e[6] * k, g.FontPER,
                       {.fett = true, .textfarbe = farbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, einheit, gedreht(B1, a, abstand, 0.2 * Hp + e[7] * k), Wu, breite, kBreitenFaktor);

  DruckerSchriftSetzen(vp, e[4], g.FontNW, {.fett = true, .textfarbe = farbe, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, nebenzeile, gedreht(T, a, 0, -e[5]), gesamt, breite, imBand[0] ? 1 : kBreitenFaktor);

  DruckerSchriftSetzen(vp, e[8], g.FontINFO, {.textfarbe = farbe, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, info, gedreht(B2, a, 0, e[9]), gesamt, breite, imBand[1] ? 1 : kBreitenFaktor);

  zuruecksetzen(vp);
}

}  // namespace vovida
