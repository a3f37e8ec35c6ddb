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
  const double a = anfang->winkel;
  const std::int16_t zehntel = anfang->zehntel;
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

  const QString nebenzeile = nebenwaehrung + QStringLiteral("  ") + ganz + dezimal;
  const double grenze = grenzeVon(breite, opt.hoechstquer);
  const double sinus = std::sin(a), kosinus = std::cos(a);

  // Measured with the extras given and at a price size. Where only the width is short, the
  // secondary line, the info text and their bands keep their sizes and the price, its mark and
  // its unit follow the price's scale.
  struct Mass {
    Anfang an;
    double groesse = 0;
    Preisblock b;
    double Hs = 0, Hi = 0, H = 0, gesamt = 0, quer = 0, reichweite = 0;
    // The secondary line and the info set in the label's width rather than a tenth wider.
    bool imBand[2] = {false, false};
    Senkrecht senkrecht;
  };
  const auto ausmessen = [&](const Anfang& an, double groesse) {
    const auto& e = an.e;
    Mass m;
    m.an = an;
    m.groesse = groesse;
    m.b = preisblockMessen(vp, preisText, waehrung, einheit, an, groesse, 1);
    const Ausdehnung neben = messen(vp, ganz, e[4], g.FontNW);
    const double Wx = messen(vp, nebenwaehrung + QStringLiteral("XX"), e[8], g.FontNW).breite;
    const Ausdehnung inf =
        messen(vp, info.isEmpty() ? QStringLiteral("Ag12X") : info, e[8], g.FontINFO, {.fett = true});
    const Ausdehnung gedruckt[2] = {messen(vp, nebenzeile, e[4], g.FontNW, {.fett = true}),
                                    messen(vp, info, e[8], g.FontINFO)};
    const double Ws = neben.breite, Wi = inf.breite;
    m.Hs = neben.hoehe;
    m.Hi = inf.hoehe;
    m.H = m.Hs + m.b.Hp + m.Hi;
    // How far the wedge reaches past the label's right edge.
    const double keil = opt.rahmen ? std::max(m.Hi / 3 * (kosinus - sinus), m.Hi / 3 * (kosinus + sinus) - m.H * sinus)
                                   : 0;
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
            (std::min(gedruckt[i].breite, kBreitenFaktor * m.gesamt) / 2 - (1 - kBreitenFaktor / 2) * m.gesamt) *
            kosinus;
        m.imBand[i] = eng && rest > 0;
        if (!m.imBand[i]) ueber = std::max(ueber, rest);
      }
      m.reichweite = m.quer + 2 * std::max(0.0, ueber);
    };
    auslegen(std::numeric_limits<double>::infinity(), false);
    if (grenze > 0 && m.reichweite > grenze) auslegen(breiteHoechstens(grenze, m.H, a, keil), true);
    // The wedge lies within the bands' height; the lines may stand out above and below them.
    const auto zeile = [&](int i, double dy) {
      return zentriert(dy, m.gesamt * (m.imBand[i] ? 1 : kBreitenFaktor), gedruckt[i].breite, gedruckt[i].hoehe);
    };
    m.senkrecht = senkrecht(a, {{0, 0, m.gesamt, m.H},
                                zeile(0, -e[5]),
                                zeile(1, m.Hs + m.b.Hp + e[9]),
                                {m.b.spalte + feldZahl(slot, 8), m.Hs - feldZahl(slot, 9), m.b.Wp, m.b.Hp}});
    return m;
  };
  // A price too wide for the width given is set smaller, so that the label keeps to its slot;
  // a label too high for the room up and down is set smaller as a whole.
  const Mass m = labelEinpassen(*anfang, grenze, y + feldZahl(slot, 6), opt.oben, opt.unten, ausmessen);
  const auto& e = m.an.e;
  const double groesse = m.groesse, Hs = m.Hs, Hi = m.Hi;
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
