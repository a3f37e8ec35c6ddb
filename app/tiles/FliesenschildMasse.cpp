#include "FliesenschildMasse.h"

#include "Feldwerte.h"
#include "NumberText.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

namespace vovida {

namespace {

// Piece nr of an "@" list as a number; missing, empty or no number counts as 0, so that
// the columns collapse onto the margin instead of the sign being lost.
double stueck(const QString& text, int nr) {
  return zahlAusText(TeilString(text, QStringLiteral("@"), nr)).value_or(0);
}

}  // namespace

Fliesenspalten FliesenspaltenBerechnen(double W, const QString& b1, const QString& b2, const QString& b3) {
  Fliesenspalten s;
  s.u = W / 100;
  s.g = stueck(b3, 1) * s.u;
  double summe = 0;
  for (int i = 1; i <= 4; ++i) {
    // Each column's position from the widths before it only.
    s.Cx[i] = kFliesenRandLinks + summe + i * s.g;
    s.Cw[i] = stueck(b1, i) * s.u;
    summe += s.Cw[i];
  }
  summe = 0;
  for (int j = 1; j <= 7; ++j) {
    s.Zx[j] = kFliesenRandLinks + s.g + summe + j * s.g / 2;
    s.Zw[j] = stueck(b2, j) * s.u;
    summe += s.Zw[j];
  }
  return s;
}

Fliesenparameter FliesenparameterLesen() {
  auto lesen = [](const char* schluessel) {
    return ParameterText(QStringLiteral("PLAKAT"), QString::fromLatin1(schluessel));
  };
  Fliesenparameter p;
  p.BH = lesen("FSCHILD-BH");
  p.B3 = lesen("FSCHILD-B3");
  p.B1 = lesen("FSCHILD-B1");
  p.B2 = lesen("FSCHILD-B2");
  p.LogoQZM = lesen("F-LOGO-QZM");
  return p;
}

Fliesenmasse FliesenmasseBerechnen(double W, double H, std::int16_t basis, double T, const Fliesenparameter& p,
                                   kesto::activex::VSPrinter& vp) {
  Fliesenmasse m;
  static_cast<Fliesenspalten&>(m) = FliesenspaltenBerechnen(W, p.B1, p.B2, p.B3);
  m.W = W;
  m.H = H;
  m.S = (kA4Breite - W) - 2 * m.X0;
  m.T = T;
  m.basis = basis;

  constexpr std::array<int, 7> versatz{0, 0, 1, 2, 6, 7, 8};
  for (int k = 1; k <= 6; ++k) {
    const int slot = basis + versatz[k];
    vp.setFontName(k == 1 ? "Kipp" : "Helvetica");
    vp.setFontSize(static_cast<float>(feldZahl(slot, 1)));
    m.Sp[k] = feldZahl(slot, 4);
    m.Ht[k] = vp.TextHeight(kFliesenMusterText).mm() + (k == 1 ? 2 : 1.2) * m.u;
  }
  // A tie goes to the value slot.
  const int zeile = m.Ht[2] > m.Ht[3] ? 2 : 3;
  m.R1 = m.Ht[zeile];
  m.Sp1 = m.Sp[zeile];
  const int unter = m.Ht[5] > m.Ht[6] ? 5 : 6;
  m.R2 = m.Ht[unter];
  m.Sp2 = m.Sp[unter];
  m.Yr = m.Y0 + 6 * m.u + m.T + m.Ht[1];
  return m;
}

}  // namespace vovida
