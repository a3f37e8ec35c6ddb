#include "Zeichnen.h"

#include "Feldwerte.h"

#include <activex/PreviewError.h>

namespace vovida {

using kesto::activex::Length;
using kesto::activex::mm;
using kesto::activex::units;

namespace {

QString koordinate(double mmWert) {
  const double u = mmWert * 57;
  if (u == 0) return QStringLiteral("0");  // also for -0
  return QString::number(u, 'g', 15);
}

void zeichneLinie(VSPrinter& vp, double x1, double y1, double x2, double y2) {
  vp.DrawLine(mm(x1), mm(y1), mm(x2), mm(y2));
}

}  // namespace

QString PunktListe(const std::vector<Punkt>& punkteMm) {
  QString text;
  for (const Punkt& p : punkteMm) {
    if (!text.isEmpty()) text += QStringLiteral(", ");
    text += koordinate(p.x) + u' ' + koordinate(p.y);
  }
  return text;
}

void PolygonZeichnen(double x, double y, double breite, double hoehe, VSPrinter& vp,
                     Colour stiftfarbe, std::int32_t stiftstil, std::uint8_t stiftbreite,
                     Colour pinselfarbe, std::int32_t pinselstil) {
  vp.setPenColor(stiftfarbe);
  vp.setPenStyle(stiftstil);
  vp.setBrushColor(pinselfarbe);
  vp.setBrushStyle(pinselstil);
  vp.setPenWidth(units(stiftbreite));
  const QString liste = PunktListe({{x, y},
                                    {x + breite, y},
                                    {x + breite, y + hoehe},
                                    {x, y + hoehe},
                                    {x, y}});
  vp.Polygon(liste.toStdString());
}

void RahmenZeichnen(double x, double y, double laenge, double abstand, const QString& ecke,
                    VSPrinter& vp, Colour stiftfarbe, std::int32_t stiftstil,
                    std::uint8_t stiftbreite) {
  vp.setPenColor(stiftfarbe);
  vp.setPenStyle(stiftstil);
  // The brush is handed an empty value here, which leaves it as it is.
  vp.setPenWidth(units(stiftbreite));
  int h = 0;
  int v = 0;
  if (ecke == u"LO") {
    h = -1, v = -1;
  } else if (ecke == u"RO") {
    h = 1, v = -1;
  } else if (ecke == u"LU") {
    h = -1, v = 1;
  } else if (ecke == u"RU") {
    h = 1, v = 1;
  } else {
    return;
  }
  zeichneLinie(vp, x + h * abstand, y, x + h * (abstand + laenge), y);
  zeichneLinie(vp, x, y + v * abstand, x, y + v * (abstand + laenge));
}

void EckeZeichnen(double x, double y, double winkel, double radius, const QString& ecke,
                  VSPrinter& vp, double teiler, double stiftbreite, Colour stiftfarbe,
                  std::int32_t stiftstil) {
  const double versatz = radius / teiler;
  vp.setPenColor(stiftfarbe);
  vp.setPenStyle(stiftstil);
  vp.setBrushColor(1);
  vp.setBrushStyle(1);
  vp.setPenWidth(units(stiftbreite));
  struct Bogen {
    const char16_t* code;
    int sx, sy;
    double anfang, ende;  // degrees
  };
  // "RU" ends at 0 degrees, not 360: the control sweeps counter-clockwise from start.
  static constexpr Bogen boegen[] = {
      {u"LO", 1, 1, 90, 180}, {u"RO", -1, 1, 0, 90}, {u"LU", 1, -1, 180, 270}, {u"RU", -1, -1, 270, 0}};
  for (const Bogen& b : boegen) {
    if (ecke != b.code) continue;
    const Punkt mitte = gedreht({x, y}, winkel, b.sx * versatz, b.sy * versatz);
    vp.DrawCircle(mm(mitte.x), mm(mitte.y), mm(radius), gradInBogen(b.anfang) + winkel,
                  gradInBogen(b.ende) + winkel);
    return;
  }
}

void RasterZeichnen(std::int16_t breite, std::int16_t hoehe, VSPrinter& vp, std::int16_t schritt,
                    std::int16_t schalter) {
  if (schalter != 1) return;
  vp.setPenColor(0x8000000Fu);
  vp.setPenStyle(0);
  vp.setPenWidth(Length());
  // A step that does not advance would never reach the end.
  if (schritt <= 0) return;
  // Whole millimetres in 32 bits: grids wider than 574 mm are drawn in full.
  const std::int32_t b = breite;
  const std::int32_t h = hoehe;
  try {
    for (std::int32_t i = 1; i * schritt <= h; ++i)
      vp.DrawLine(units(0), mm(i * schritt), mm(b), mm(i * schritt));
    for (std::int32_t i = 1; i * schritt <= b; ++i)
      vp.DrawLine(mm(i * schritt), units(0), mm(i * schritt), mm(h));
  } catch (const kesto::activex::PreviewError&) {
    // The grid is only a help; what the control refuses ends it without a message.
  }
}

void DruckerSchriftSetzen(VSPrinter& vp, double groesse, const QString& name,
                          const SchriftEinstellung& e) {
  vp.setFontSize(groesse);
  vp.setFontName(name.toStdString());
  vp.setFontBold(e.fett);
  vp.setTextColor(e.textfarbe);
  vp.setTextAlign(e.ausrichtung);
  vp.setTextAngle(e.winkel);
  vp.setPenColor(e.stiftfarbe);
  vp.setPenStyle(e.stiftstil);
  vp.setPenWidth(units(e.stiftbreite));
  vp.setBrushColor(e.pinselfarbe);
  vp.setBrushStyle(e.pinselstil);
}

void DruckerSchriftSetzen(VSPrinter& vp, const QString& groesse, const QString& name,
                          const SchriftEinstellung& e) {
  DruckerSchriftSetzen(vp, zahlWert(groesse), name, e);
}

}  // namespace vovida
