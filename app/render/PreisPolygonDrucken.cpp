// The old-style price label: secondary price on top, price band, info band, and a
// black wedge along the right edge.
#include "PreisDrucken.h"

#include "Feldwerte.h"
#include "Preisdruck.h"
#include "Startglobale.h"

#include <algorithm>
#include <cmath>

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
  const auto& [e, groesse, a, zehntel] = *anfang;
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

  const Ausdehnung preis = messen(vp, preisText, groesse, g.FontHW);
  const Ausdehnung mark = messen(vp, waehrung, e[2], g.FontPKZHW, {.textfarbe = kSchwarz, .ausrichtung = 6});
  const Ausdehnung neben = messen(vp, ganz, e[4], g.FontNW);
  const Ausdehnung nebenMark = messen(vp, nebenwaehrung + QStringLiteral("XX"), e[8], g.FontNW);
  const Ausdehnung unit = messen(vp, einheit, e[6], g.FontPER, {.fett = true});
  const Ausdehnung inf =
      messen(vp, info.isEmpty() ? QStringLiteral("Ag12X") : info, e[8], g.FontINFO, {.fett = true});
  const double Wp = preis.breite, Hp = preis.hoehe;
  const double Wc = mark.breite, Hc = mark.hoehe;
  const double Ws = neben.breite, Hs = neben.hoehe;
  const double Wx = nebenMark.breite;
  const double Wu = unit.breite;
  const double Wi = inf.breite, Hi = inf.hoehe;

  const double abstand = 0.08 * Wp;
  const double Wm = Wc >= Wu ? Wc : Wu;
  double gesamt = Wp + 4 * abstand + Wm;
  const double spalte = Wm + 2 * abstand;
  const double H = Hs + Hp + Hi;
  double quer = H * std::sin(a) + gesamt * std::cos(a);
  // The info text or the secondary line may be wider than the price block.
  for (const double w : {Wi, Wx + Ws}) {
    const double kandidat = H * std::sin(a) + w * std::cos(a);
    if (kandidat > quer) {
      quer = kandidat;
      gesamt = w;
    }
  }
  ausmass.quer = quer;

  const Punkt T{(breite - quer) / 2 + x + feldZahl(slot, 5), y + feldZahl(slot, 6)};
  const Punkt B1 = gedreht(T, a, 0, Hs);
  const Punkt B2 = gedreht(B1, a, 0, Hp);
  const Punkt TR = gedreht(T, a, gesamt, 0);
  const Punkt BR = gedreht(B2, a, gesamt, Hi);
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

  DruckerSchriftSetzen(vp, e[2], g.FontPKZHW, {.textfarbe = kSchwarz, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, waehrung, gedreht(B2, a, abstand, -Hc - 0.16 * Hp + e[3]), Wc, breite, kBreitenFaktor);

  const Colour farbe = !opt.rahmen || opt.schwarz ? kSchwarz : kWeiss;
  DruckerSchriftSetzen(vp, e[6], g.FontPER, {.fett = true, .textfarbe = farbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, einheit, gedreht(B1, a, abstand, 0.2 * Hp + e[7]), Wu, breite, kBreitenFaktor);

  DruckerSchriftSetzen(vp, e[4], g.FontNW, {.fett = true, .textfarbe = farbe, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, nebenwaehrung + QStringLiteral("  ") + ganz + dezimal, gedreht(T, a, 0, -e[5]), gesamt, breite,
          kBreitenFaktor);

  DruckerSchriftSetzen(vp, e[8], g.FontINFO, {.textfarbe = farbe, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, info, gedreht(B2, a, 0, e[9]), gesamt, breite, kBreitenFaktor);

  zuruecksetzen(vp);
}

}  // namespace vovida
