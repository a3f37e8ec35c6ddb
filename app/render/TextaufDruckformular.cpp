#include "TextaufDruckformular.h"

#include "Feldwerte.h"
#include "LesbareFarbe.h"
#include "Schriftdefinitionen.h"

#include <algorithm>

namespace vovida {

using kesto::activex::Colour;
using kesto::activex::Length;
using kesto::activex::mm;
using kesto::activex::units;

namespace {

constexpr int kGroesse = 1, kTextfarbe = 2, kKontur = 3, kAbstand = 4, kRand = 5, kTop = 6,
              kSchatten = 7, kSchattenHor = 8, kSchattenVer = 9;
constexpr Colour kKeine = static_cast<Colour>(kKeineFarbe);

// Sets the position the control measures from, then measures.
void messen(VSPrinter& vp, const std::string& text) {
  vp.setCurrentX(units(0));
  vp.setCurrentY(units(50));
  vp.Measure(text);
}

}  // namespace

void SchriftTextDrucken(const QString& text, double x, double y, double breite, double hoehe,
                        std::int16_t slot, const QString& schriftname, VSPrinter& vp,
                        TextboxStil& stil) {
  if (stil.stiftbreite == 0) stil.stiftbreite = 1;
  if (stil.stiftstil == 0) stil.stiftstil = 5;
  if (feldZahl(slot, kSchattenHor) == kKeineFarbe) stil.pinselstil = 1;
  if (feldZahl(slot, kSchatten) == kKeineFarbe) stil.stiftstil = 5;

  Length w = mm(breite);
  Length h = mm(hoehe);
  const bool kontur = feldSchalter(slot, kKontur);
  const double links = x + feldZahl(slot, kRand);
  const double oben = y + feldZahl(slot, kTop);

  vp.setTextAlign(stil.ausrichtung);
  vp.setFontName(schriftname.toStdString());
  vp.setFontSize(static_cast<float>(feldZahl(slot, kGroesse)));

  const std::string utf8 = text.toStdString();
  if (breite == 0) {
    messen(vp, utf8);
    w = vp.TextWid();
  }
  if (hoehe == 0) {
    messen(vp, utf8);
    h = vp.TextHei();
  }

  vp.setTextColor(feldFarbe(slot, kTextfarbe));
  vp.setPenStyle(stil.stiftstil);
  vp.setPenColor(feldFarbe(slot, kSchatten));
  vp.setPenWidth(units(stil.stiftbreite));
  vp.setBrushColor(feldFarbe(slot, kSchattenHor));
  vp.setBrushStyle(stil.pinselstil);

  vp.TextBox(utf8, mm(links), mm(oben), w, h, false, false, kontur);
}

void SchriftTextDrucken(const QString& text, double x, double y, double breite, double hoehe,
                        std::int16_t slot, const QString& schriftname, VSPrinter& vp) {
  TextboxStil stil;
  SchriftTextDrucken(text, x, y, breite, hoehe, slot, schriftname, vp, stil);
}

double Hoechstbreite(const QString& text, std::int16_t slot, const QString& schriftname, VSPrinter& vp,
                     double hoechstens) {
  vp.setFontName(schriftname.toStdString());
  vp.setFontSize(static_cast<float>(feldZahl(slot, kGroesse)));
  return vp.TextWidth(text.toStdString()).mm() <= hoechstens ? 0 : hoechstens;
}

void TextGemessenDrucken(const QString& text, std::int16_t slot, const QString& schriftname,
                         VSPrinter& vp, double x, double y, std::optional<double> breite,
                         double& hoehe, double& breitenSumme, bool nurMessen,
                         std::optional<Colour> hintergrund) {
  const int durchgaenge = feldZahl(slot, kSchatten) != kKeineFarbe ? 1 : 0;
  breitenSumme = 0;
  const double y1 = TextGemessenOben(slot, y);
  // Whole points; sizes up to three digits, as the editor lets them be typed.
  std::int16_t groesse = ganzzahl16(feldZahl(slot, kGroesse));
  const double abstand = feldZahl(slot, kAbstand);
  const Colour textfarbe =
      hintergrund ? LesbareFarbe(feldFarbe(slot, kTextfarbe), *hintergrund) : feldFarbe(slot, kTextfarbe);
  const Colour schattenfarbe = feldFarbe(slot, kSchatten);
  const bool kontur = feldSchalter(slot, kKontur);
  // Characters are whole code points, so that no surrogate pair is split.
  const QList<uint> zeichen = text.toUcs4();

  vp.setFontName(schriftname.toStdString());

  double versatz = 0;
  if (breite) {
    const double zwischenraum = abstand * (zeichen.size() - 1);
    const auto textbreite = [&] {
      vp.setFontSize(groesse);
      messen(vp, text.toStdString());
      return vp.TextWid().mm();
    };
    double tw = textbreite();
    // A headline wider than its band is set smaller rather than running past it.
    while (groesse > 1 && tw + zwischenraum > *breite) {
      groesse = static_cast<std::int16_t>(
          std::clamp<int>(static_cast<int>(groesse * (*breite - zwischenraum) / tw), 1, groesse - 1));
      tw = textbreite();
    }
    versatz = (*breite - tw - zwischenraum) / 2;
  }
  const double x1 = x + versatz + feldZahl(slot, kRand);

  for (int p = durchgaenge; p >= 0; --p) {
    const double dx = feldZahl(slot, kSchattenHor) * p;
    const double dy = feldZahl(slot, kSchattenVer) * p;
    const Colour farbe = p == 1 ? schattenfarbe : textfarbe;
    vp.setTextAlign(9);
    vp.setCurrentY(mm(y1 + dy));
    vp.setTextColor(farbe);
    vp.setFontSize(groesse);
    bool erstes = true;
    for (const uint c : zeichen) {
      const std::string z = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toStdString();
      if (erstes)
        vp.setCurrentX(mm(x1 + dx));
      else
        vp.setCurrentX(vp.CurrentX() + mm(abstand));  // already behind the previous character
      erstes = false;
      if (kontur) {
        const Length merkeX = vp.CurrentX();
        vp.setCurrentX(merkeX - units(20));
        vp.setCurrentY(vp.CurrentY() - units(25));
        vp.setFontSize(groesse + ganzzahl16(groesse / 10.0));
        vp.setTextColor(schattenfarbe);
        vp.Text(z);
        vp.setCurrentX(merkeX);
        vp.setCurrentY(vp.CurrentY() + units(25));
        vp.setTextColor(farbe);
      }
      vp.setFontSize(groesse);
      if (!nurMessen) vp.Text(z);
      vp.CalcText(z);
      hoehe = vp.TextHei().mm();
      breitenSumme += vp.TextWid().mm();
    }
  }
}

double TextGemessenOben(std::int16_t slot, double y) { return y + feldZahl(slot, kTop); }

}  // namespace vovida
