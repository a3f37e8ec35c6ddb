// The new-style price label: info band on top, price band below, a rounded frame.
#include "PreisDrucken.h"

#include "Feldwerte.h"
#include "Preisdruck.h"
#include "Startglobale.h"

#include <algorithm>
#include <cmath>

namespace vovida {

using namespace preis;

void PreisDrucken(QString& preisText, const QString& waehrung, const QString& einheit,
                  const QString& info, std::int16_t slot, VSPrinter& vp, double x, double y,
                  double breite, const PreisOptionen& opt, PreisAusmass& ausmass) {
  const std::optional<Anfang> anfang = anfangen(preisText, slot, opt.winkel);
  if (!anfang) return;
  const double a = anfang->winkel;
  const std::int16_t zehntel = anfang->zehntel;
  const Startglobale& g = startglobale();

  // The label keeps to the width it was given and to the caller's limit, its frame included.
  const double grenze = grenzeVon(breite, opt.hoechstquer);

  // Measured with the extras given and at a price size; the currency mark and the unit follow
  // the price's scale.
  struct Mass {
    Anfang an;
    double groesse = 0;
    Preisblock b;
    double Hi = 0, rahmenmass = 0, gesamt = 0, quer = 0, reichweite = 0;
    Senkrecht senkrecht;
  };
  const auto ausmessen = [&](const Anfang& an, double groesse) {
    Mass m;
    m.an = an;
    m.groesse = groesse;
    m.b = preisblockMessen(vp, preisText, waehrung, einheit, an, groesse, 1.1);
    const Ausdehnung inf =
        messen(vp, info.isEmpty() ? QStringLiteral("Ag12X") : info, an.e[8], g.FontINFO, {.fett = true});
    m.Hi = inf.hoehe;
    m.rahmenmass = 0.3 * m.Hi;
    const double rand = opt.rahmen ? rahmenUeberstand(m.rahmenmass, a) : 0;
    m.gesamt = m.b.breite;
    m.quer = (m.Hi + m.b.Hp) * std::sin(a) + m.gesamt * std::cos(a);
    // An info text wider than the price block widens the label, but not past its limit:
    // there the info box sets its text smaller.
    double Wi = 1.1 * inf.breite;
    if (grenze > 0) Wi = std::min(Wi, breiteHoechstens(grenze, m.b.Hp + m.Hi, a, rand));
    const double infoQuer = (m.b.Hp + m.Hi) * std::sin(a) + Wi * std::cos(a);
    if (infoQuer > m.quer) {
      m.quer = infoQuer;
      m.gesamt = Wi;
    }
    m.reichweite = m.quer + 2 * rand;
    const double aussen = opt.rahmen ? rahmenAussen(m.rahmenmass) : 0;
    m.senkrecht = senkrecht(a, {{-aussen, -aussen, m.gesamt + 2 * aussen, m.Hi + m.b.Hp + 2 * aussen},
                                zentriert(-an.e[9], m.gesamt, inf.breite, m.Hi),
                                {m.b.spalte + feldZahl(slot, 8), m.Hi - feldZahl(slot, 9), m.b.Wp, m.b.Hp}});
    return m;
  };
  // A price too wide for the width given is set smaller, so that the label keeps to its slot;
  // a label too high for the room up and down is set smaller as a whole.
  const Mass m = labelEinpassen(*anfang, grenze, y + feldZahl(slot, 6), opt.oben, opt.unten, ausmessen);
  const auto& e = m.an.e;
  const double groesse = m.groesse, Hi = m.Hi;
  const auto& [k, Wp, Hp, Wc, Hc, Wu, abstand, spalte, block] = m.b;
  const double gesamt = m.gesamt, quer = m.quer;
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
    PreisRahmenZeichnen({T, B1, TR, B2, BR, a, m.rahmenmass, gesamt}, vp);
  }

  preisDurchgaenge(vp, slot, {preisText, B1, a, zehntel, spalte, Wp, breite, 1, groesse});

  const bool schwarz = !opt.rahmen || opt.schwarz;
  const Colour extrafarbe = schwarz ? kSchwarz : feldFarbe(slot, 2);

  DruckerSchriftSetzen(vp, e[2] * k, g.FontPKZHW, {.textfarbe = extrafarbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, waehrung, gedreht(B2, a, abstand, -(Hc + 0.16 * Hp + e[3] * k)), Wc, breite);

  DruckerSchriftSetzen(vp, e[6] * k, g.FontPER,
                       {.fett = true, .textfarbe = extrafarbe, .ausrichtung = 6, .winkel = zehntel});
  drucken(vp, einheit, gedreht(B1, a, abstand, 0.2 * Hp + e[7] * k), Wu, breite);

  DruckerSchriftSetzen(vp, e[8], g.FontINFO,
                       {.fett = true, .textfarbe = schwarz ? kSchwarz : kGelb, .ausrichtung = 7, .winkel = zehntel});
  drucken(vp, info, gedreht(T, a, 0, -e[9]), gesamt, breite);

  zuruecksetzen(vp);
}

}  // namespace vovida
