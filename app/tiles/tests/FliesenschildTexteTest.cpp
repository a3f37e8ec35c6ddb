// The tile sign's column grid, packaging explanation and second price: no server, no window.
#include "FliesenschildMasse.h"
#include "FliesenschildTexte.h"

#include <gtest/gtest.h>

namespace vovida::test {
namespace {

constexpr double kGenau = 1e-9;

TEST(FliesenspaltenTest, MainColumnsFollowTheWidthsBeforeThemAndTheGap) {
  struct Fall {
    const char* name;
    double W;
    const char *b1, *b3;
    std::array<double, 4> x, w;
  };
  const Fall faelle[] = {
      {"no gap, 100 mm", 100, "20@30@20@30", "0", {7, 27, 57, 77}, {20, 30, 20, 30}},
      {"demo sale sign", 170, "20@30@20@25@", "1", {8.7, 44.4, 97.1, 132.8}, {34, 51, 34, 42.5}},
      {"missing pieces count 0", 100, "20", "", {7, 27, 27, 27}, {20, 0, 0, 0}},
      {"no number counts 0", 100, "x@10", "2", {9, 11, 23, 25}, {0, 10, 0, 0}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const Fliesenspalten s = FliesenspaltenBerechnen(f.W, QString::fromUtf8(f.b1), {}, QString::fromUtf8(f.b3));
    for (int i = 1; i <= 4; ++i) {
      EXPECT_NEAR(s.Cx[i], f.x[i - 1], kGenau) << i;
      EXPECT_NEAR(s.Cw[i], f.w[i - 1], kGenau) << i;
    }
  }
}

TEST(FliesenspaltenTest, SubArticleColumnsStepByHalfAGap) {
  // u = 1.7, g = 1.7: Zx(j) = 7 + 1.7 + sum of the widths before + j x 0.85.
  const Fliesenspalten s = FliesenspaltenBerechnen(170, {}, QStringLiteral("12@26@12@12@6@12@12@"), QStringLiteral("1"));
  const double breiten[] = {12, 26, 12, 12, 6, 12, 12};
  double summe = 0;
  for (int j = 1; j <= 7; ++j) {
    EXPECT_NEAR(s.Zx[j], 8.7 + summe + j * 0.85, kGenau) << j;
    EXPECT_NEAR(s.Zw[j], breiten[j - 1] * 1.7, kGenau) << j;
    summe += breiten[j - 1] * 1.7;
  }
}

TEST(VerpackungserklaerungTest, SentenceByPackagingFigures) {
  struct Fall {
    const char *vpi, *vrm, *vpm, *satz;
  };
  const Fall faelle[] = {
      {"10", "1,44", "1,44", ""},
      {"10", "1,5", "15", "15 ST entspricht 1,5 m² die Verpackung zu 10 ST entspricht 15 m²."},
      {"1", "1,5", "1", "1 ST entspricht 1,5 m²."},
      {"4", "0,25", "4", "4 ST entspricht 0,25 m² die Verpackung zu 4 ST entspricht 1 m²."},  // Q differs from VRM
      {"10", "", "15", ""},
      {"", "1,5", "15", ""},
      {"10", "1,5", "viel", ""},
      {"3", "1,5", "1,50", ""},  // equal as numbers
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.vpi) + "/" + f.vrm + "/" + f.vpm);
    const QString satz = Verpackungserklaerung(QStringLiteral("ST"), QString::fromUtf8(f.vpi), QString::fromUtf8(f.vrm),
                                               QString::fromUtf8(f.vpm), QStringLiteral("m²"));
    EXPECT_EQ(satz, QString::fromUtf8(f.satz));
  }
}

TEST(FliesenpreisTest, SecondPriceByMainCurrency) {
  struct Fall {
    const char* name;
    const char *ethw, *faktor, *preis;
    bool zwei;
    Fliesenpreis erwartet;
  };
  const QString hw = QStringLiteral("€"), nw = QStringLiteral("S");
  const Fall faelle[] = {
      {"euro main", "EUR", "13,7603", "12,50", true, {"12,50", nw, "172,-", hw}},
      {"other main", "ATS", "8", "100", true, {"100", hw, "12,50", nw}},
      {"two prices off", "EUR", "13,7603", "12,50", false, {"12,50", nw, "   ", ""}},
      {"factor no number", "EUR", "", "12,50", true, {"12,50", nw, "   ", ""}},
      {"factor 0 divides nothing", "ATS", "0", "12,50", true, {"12,50", hw, "   ", ""}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const Waehrungen w{QString::fromUtf8(f.ethw), QString::fromUtf8(f.faktor), hw, nw, f.zwei};
    const Fliesenpreis p = FliesenpreisBerechnen(QString::fromUtf8(f.preis), w);
    EXPECT_EQ(p.preis, f.erwartet.preis);
    EXPECT_EQ(p.zeichen, f.erwartet.zeichen);
    EXPECT_EQ(p.zweitpreis, f.erwartet.zweitpreis);
    EXPECT_EQ(p.zweitzeichen, f.erwartet.zweitzeichen);
  }
}

}  // namespace
}  // namespace vovida::test
