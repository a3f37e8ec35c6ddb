// The new-style price label: info band on top, price band below, a rounded frame.
#include "PreisDrucken.h"

#include "Feldwerte.h"
#include "Preisdruck.h"
#include "Startglobale.h"

#include <cmath>

namespace vovida {

using namespace preis;

void PreisDrucken(QString& preisText, const QString& waehrung, const QString& einheit,
                  const QString& info, std::int16_t slot, VSPrinter& vp, double x, double y,
                  double breite, const PreisOptionen& opt, PreisAusmass& ausmass) {
  const std::optional<Anfang> anfang = anfangen(preisText, slot, opt.winkel);
  if (!anfang) return;
  const auto& [e, groesse, a, zehntel] = *anfang;
  const Startglobale& g = startglobale();

  const Ausdehnung preis = messen(vp, preisText, groesse, g.FontHW);
  const Ausdehnung mark = messen(vp, waehrung, e[2], g.FontPKZHW, {.textfarbe = kSchwarz, .ausrichtung = 6});
  const Ausdehnung unit = messen(vp, einheit, e[6], g.FontPER, {.fett = true});
  const Ausdehnung inf =
      messen(vp, info.isEmpty() ? QStringLiteral("Ag12X") : info, e[8], g.FontINFO, {.fett = true});
  const double Wp = 1.1 * preis.breite, Hp = preis.hoehe;
  const double Wc = 1.1 * mark.breite, Hc = mark.hoehe;
  const double Wu = 1.1 * unit.breite;
  const double Wi = 1.1 * inf.breite, Hi = inf.hoehe;

  const double abstand = 0.08 * Wp;
  const double Wm = Wc >= Wu ? Wc : Wu;
  double gesamt = Wp + 4 * abstand + Wm;
  const double spalte = Wm + 2 * abstand;
  double quer = (Hi + Hp) * std::sin(a) + gesamt * std::cos(a);
  // An info text wider than the price block widens the label.
  const double infoQuer = (Hp + Hi) * std::sin(a) + Wi * std::cos(a);
  if (infoQuer > quer) {
    quer = infoQuer;
    gesamt = Wi;
  }
  ausmass.quer = quer;

  double x0;
  if (opt.platzierung == 1)
    x0 = x + feldZahl(slot, 5);
  else if (opt.platzierung == 3)
    x0 = x + breite - quer + feldZahl(slot, 5);
  else
    x0 = x + (breite - quer) / 2 + feldZahl(slot, 5);
  const Punkt T{x0, y + feldZahl(slot, 6)};
  const Punkt B1 = gedreht(T, a, 0, Hi);
  const Punkt B2 = gedreht(B1, a, 0, Hp);
  const Punkt TR = gedreht(T, a, gesamt, 0);
  const Punkt BR = gedreht(B2, a, gesamt, 0);
  ausmass.rechtsObenX = TR.x;
  ausmass.rechtsObenY = TR.y;
  ausmass.runter = B2.y - gedreht(T, a, quer, 0).y;

  if (opt.rahmen) {
    band(vp, e[4], g.FontNW, true, kGruen, zehntel, T, gesamt, Hi);
    band(vp, groesse, g.FontHW, false, kRot, zehntel, B1, gesamt, Hp);
    PreisRahmenZeichnen({T, B1, TR, B2, BR, a, 0.3 * Hi, gesamt}, vp);
  }

  preisDurchgaenge(vp, slot, {preisText, B1, a, zehntel, spalte, Wp, breite, 1});

  const bool schwarz = !opt.rahmen || opt.schwarz;
  const Colour extrafarbe = schwarz ? kSchwarz : feldFarbe(slot, 2);

  DruckerSchriftSetzen(vp, e[2], g.FontPKZHW, {.textfarbe = extrafarbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, waehrung, gedreht(B2, a, abstand, -(Hc + 0.16 * Hp + e[3])), Wc, breite);

  DruckerSchriftSetzen(vp, e[6], g.FontPER,
                       {.fett = true, .textfarbe = extrafarbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, einheit, gedreht(B1, a, abstand, 0.2 * Hp + e[7]), Wu, breite);

  DruckerSchriftSetzen(vp, e[8], g.FontINFO,
                       {.fett = true, .textfarbe = schwarz ? kSchwarz : kGelb, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, info, gedreht(T, a, 0, -e[9]), gesamt, breite);

  zuruecksetzen(vp);
}

}  // namespace vovida
