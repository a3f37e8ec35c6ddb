// The measures of one tile sign, in millimetres: margins, the column grids of the main
// article and the sub-article table (in percent of the sign width), the measured text
// heights of the font slots and the row pitches derived from them.
#pragma once

#include <QString>

#include <activex/VSPrinter.h>

#include <array>
#include <cstdint>

namespace vovida {

inline constexpr double kFliesenRandLinks = 7;  // X0
inline constexpr double kFliesenRandOben = 15;  // Y0
inline constexpr double kA4Breite = 210;

// Column grid of a sign of width W from the parameter texts "FSCHILD-B1" (four widths),
// "FSCHILD-B2" (seven widths) and "FSCHILD-B3" (gap), all in percent of W. A missing or
// empty piece counts as 0. Index 0 of the arrays is unused; columns count from 1.
struct Fliesenspalten {
  double u = 0;   // one percent of W
  double g = 0;   // gap between columns
  std::array<double, 5> Cw{}, Cx{};  // main-article columns 1..4
  std::array<double, 8> Zw{}, Zx{};  // sub-article columns 1..7
};
Fliesenspalten FliesenspaltenBerechnen(double W, const QString& b1, const QString& b2, const QString& b3);

// Everything the drawing needs of the sign's geometry. The text heights are measured on
// the preview: each of the six slots base + 0, 1, 2, 6, 7, 8 is set (font "Kipp" for the
// first, "Helvetica" for the others) and a fixed sample measured; the preview keeps
// "Helvetica" and the last size.
struct Fliesenmasse : Fliesenspalten {
  double W = 0, H = 0;
  double X0 = kFliesenRandLinks, Y0 = kFliesenRandOben;
  double S = 0;   // room right of the sign on an A4 page
  double T = 0;   // height of the top band (logo or oval)
  std::int16_t basis = 36;          // first font slot of the sign
  std::array<double, 7> Ht{}, Sp{};  // k = 1..6
  double R1 = 0, Sp1 = 0, R2 = 0, Sp2 = 0;
  double Yr = 0;  // top of main row 0

  // Top of main row n.
  double zeile(int n) const { return Yr + n * (R1 + Sp1); }
};

// The layout parameters of group "PLAKAT", read once per drawing.
struct Fliesenparameter {
  QString BH, B1, B2, B3, LogoQZM;  // "FSCHILD-BH", "-B1", "-B2", "-B3", "F-LOGO-QZM"
};
Fliesenparameter FliesenparameterLesen();

// The columns from the parameters; heights measured on vp. T is the caller's, as it
// depends on the kind of sign.
Fliesenmasse FliesenmasseBerechnen(double W, double H, std::int16_t basis, double T, const Fliesenparameter& p,
                                   kesto::activex::VSPrinter& vp);

// The fixed sample whose height sets the row heights.
inline constexpr const char* kFliesenMusterText = "ÄBC 123";

}  // namespace vovida
