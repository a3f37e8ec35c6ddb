#include "Preisdruck.h"

#include "AOBStandard.h"
#include "Feldwerte.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <algorithm>
#include <cmath>

namespace vovida::preis {

using kesto::activex::mm;

std::optional<Anfang> anfangen(QString& preis, std::int16_t slot, double grad) {
  if (preis.isEmpty()) return std::nullopt;
  if (preis.size() < 3) preis = PreisFormatieren(preis);
  Anfang a;
  const QString& text = Schriftdefinitionen()(slot, 10);
  for (int i = 0; i < 10; ++i) a.e[i] = zahlWert(TeilString(text, QStringLiteral("@"), i + 1));
  a.groesse = feldZahl(slot, 1);
  a.winkel = gradInBogen(grad);
  a.zehntel = winkelZehntel(grad);
  return a;
}

std::int16_t winkelZehntel(double grad) { return ganzzahl16(grad * 10); }

Ausdehnung messen(VSPrinter& vp, const QString& text, double groesse, const QString& schrift,
                  const SchriftEinstellung& e) {
  DruckerSchriftSetzen(vp, groesse, schrift, e);
  const std::string utf8 = text.toStdString();
  return {vp.TextWidth(utf8).mm(), vp.TextHeight(utf8).mm()};
}

void drucken(VSPrinter& vp, const QString& text, Punkt p, double breiteMm, double ersatzbreite,
             double faktor) {
  const double b = (breiteMm == 0 ? ersatzbreite : breiteMm) * faktor;
  vp.TextBox(text.toStdString(), mm(p.x), mm(p.y), mm(b), mm(0), false, false, false);
}

void band(VSPrinter& vp, double groesse, const QString& schrift, bool fett, Colour farbe,
          std::int16_t winkel, Punkt p, double breite, double hoehe) {
  SchriftEinstellung e;
  e.fett = fett;
  e.winkel = winkel;
  e.stiftfarbe = farbe;
  e.stiftstil = 0;
  e.stiftbreite = 1;
  e.pinselfarbe = farbe;
  e.pinselstil = 0;
  DruckerSchriftSetzen(vp, groesse, schrift, e);
  vp.TextBox(" ", mm(p.x), mm(p.y), mm(breite), mm(hoehe), false, false, true);
}

void preisDurchgaenge(VSPrinter& vp, std::int16_t slot, const Preiszeile& z) {
  const int durchgaenge = feldZahl(slot, 7) != kKeineFarbe ? 1 : 0;
  for (int p = durchgaenge; p >= 0; --p) {
    const Punkt punkt = gedreht(z.bandstart, z.winkel, z.spalte + p * feldZahl(slot, 8), -p * feldZahl(slot, 9));
    SchriftEinstellung e;
    e.textfarbe = feldFarbe(slot, 2 + 5 * p);  // shadow colour in the shadow pass
    e.ausrichtung = 6;
    e.winkel = z.zehntel;
    DruckerSchriftSetzen(vp, z.groesse, startglobale().FontHW, e);
    drucken(vp, z.preis, punkt, z.breite, z.ersatzbreite, z.faktor);
  }
}

Preisblock preisblockMessen(VSPrinter& vp, const QString& preis, const QString& waehrung, const QString& einheit,
                            const Anfang& anfang, double groesse, double faktor) {
  const Startglobale& g = startglobale();
  Preisblock b;
  b.k = groesse / anfang.groesse;
  const Ausdehnung p = messen(vp, preis, groesse, g.FontHW);
  const Ausdehnung mark =
      messen(vp, waehrung, anfang.e[2] * b.k, g.FontPKZHW, {.textfarbe = kSchwarz, .ausrichtung = 6});
  const Ausdehnung unit = messen(vp, einheit, anfang.e[6] * b.k, g.FontPER, {.fett = true});
  b.Wp = faktor * p.breite;
  b.Hp = p.hoehe;
  b.Wc = faktor * mark.breite;
  b.Hc = mark.hoehe;
  b.Wu = faktor * unit.breite;
  const double Wm = b.Wc >= b.Wu ? b.Wc : b.Wu;
  b.abstand = 0.08 * b.Wp;
  b.breite = b.Wp + 4 * b.abstand + Wm;
  b.spalte = Wm + 2 * b.abstand;
  return b;
}

double grenzeVon(double breite, double hoechstquer) {
  const double grenze = breite > 0 ? breite : 0;
  if (hoechstquer <= 0) return grenze;
  return grenze > 0 ? std::min(grenze, hoechstquer) : hoechstquer;
}

double breiteHoechstens(double grenze, double hoehe, double winkel, double rand) {
  return std::max(0.0, (grenze - hoehe * std::sin(winkel) - 2 * rand) / std::cos(winkel));
}

Kasten zentriert(double dy, double feld, double breite, double hoehe) {
  const double b = std::min(breite, feld);
  return {(feld - b) / 2, dy, b, hoehe};
}

Senkrecht senkrecht(double winkel, std::initializer_list<Kasten> kaesten) {
  Senkrecht s;
  const Punkt null{0, 0};
  for (const Kasten& k : kaesten)
    if (k.breite > 0 && k.hoehe > 0)  // an empty line has no ink
    for (const double dx : {k.dx, k.dx + k.breite})
      for (const double dy : {k.dy, k.dy + k.hoehe}) {
        const double y = gedreht(null, winkel, dx, dy).y;
        s.auf = std::max(s.auf, -y);
        s.ab = std::max(s.ab, y);
      }
  return s;
}

double senkrechtUeber(const Senkrecht& s, double y, double oben, double unten) {
  double ueber = 0;
  if (unten > 0 && unten > y) ueber = std::max(ueber, s.ab / (unten - y));
  if (oben > 0 && oben < y) ueber = std::max(ueber, s.auf / (y - oben));
  return ueber;
}

Anfang skaliert(Anfang a, double f) {
  for (const int i : {4, 5, 8, 9}) a.e[i] *= f;
  return a;
}

void zuruecksetzen(VSPrinter& vp) { DruckerSchriftSetzen(vp, 1, QStringLiteral("Arial")); }

}  // namespace vovida::preis
