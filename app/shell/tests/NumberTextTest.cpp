#include "NumberText.h"
#include "RuntimeError.h"
#include "TestApp.h"

#include <optional>

using namespace vovida;

namespace {

TEST(ZahlAusText, ReadsGermanNumbers) {
  const struct {
    const char* text;
    std::optional<double> wert;
  } faelle[] = {
      {"12,5", 12.5},   {"1.234,56", 1234.56}, {" -3 ", -3.0},  {"+7", 7.0},
      {",5", 0.5},      {"1,", 1.0},           {"-,", std::nullopt}, {"", std::nullopt},
      {"12.5", 125.0},  {"1,2,3", std::nullopt}, {"abc", std::nullopt}, {"15%", std::nullopt},
  };
  for (const auto& f : faelle) EXPECT_EQ(zahlAusText(QString::fromUtf8(f.text)), f.wert) << f.text;
}

TEST(Val, TakesTheLeadingNumber) {
  EXPECT_EQ(Val(u"000123"), 123);
  EXPECT_EQ(Val(u"12ab"), 12);
  EXPECT_EQ(Val(u" 1 2 3"), 123);
  EXPECT_EQ(Val(u"-4.5x"), -4.5);
  EXPECT_EQ(Val(u"abc"), 0);
  EXPECT_EQ(Val(u""), 0);
}

TEST(ZahlText, WritesPlainGermanNumbers) {
  EXPECT_EQ(zahlText(100), u"100");
  EXPECT_EQ(zahlText(-2.5), u"-2,5");
  EXPECT_EQ(zahlText(-0.0), u"0");
  EXPECT_EQ(zahlText(1234567890123.0), u"1234567890123");
}

TEST(RundenGerade, RoundsHalvesToEven) {
  EXPECT_EQ(rundenGerade(2.5), 2);
  EXPECT_EQ(rundenGerade(3.5), 4);
  EXPECT_EQ(rundenGerade(-2.5), -2);
  EXPECT_EQ(rundenGerade(1.234, 2), 1.23);
}

TEST(Ganzzahl32, ConvertsOrRaises) {
  EXPECT_EQ(ganzzahl32(u"12", QStringLiteral("t")), 12);
  EXPECT_EQ(ganzzahl32(u"-1", QStringLiteral("t")), -1);
  EXPECT_EQ(ganzzahl32(u"12,5", QStringLiteral("t")), 12);
  try {
    ganzzahl32(u"zwölf", QStringLiteral("t"));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kFehlerTypen);
  }
  try {
    ganzzahl32(u"4294967295", QStringLiteral("t"));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kFehlerUeberlauf);
  }
}

}  // namespace
