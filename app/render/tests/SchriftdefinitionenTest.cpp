#include "Schriftdefinitionen.h"

#include <gtest/gtest.h>

#include <registry/Settings.h>

#include <stdexcept>

using namespace vovida;

TEST(FarbeAusKennung, LettersAreExactAndCaseSensitive) {
  kesto::registry::DeleteSetting("Vovida", "Farben");
  kesto::registry::SaveSetting("Vovida", "Farben", "12_SchriftFarbe", "4227327");
  const struct {
    const char* kennung;
    const char* schluessel;
    std::int32_t wert;
  } faelle[] = {
      {"R", "", 255},           {"G", "", 65280},  {"B", "", 16711680},   {"S", "", 0},
      {"W", "", 16777215},      {"N", "", 16711935}, {"r", "", 0},        {"n", "", 0},
      {"a", "12_SchriftFarbe", 0}, {"", "", 0},     {"X", "", 0},
      {"A", "12_SchriftFarbe", 4227327}, {"A", "13_PinselFarbe", 12632256},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(FarbeAusKennung(QString::fromUtf8(f.kennung), QString::fromUtf8(f.schluessel)), f.wert)
        << f.kennung << " " << f.schluessel;
  kesto::registry::DeleteSetting("Vovida", "Farben");
}

TEST(Schrifttabelle, StartsEmptyAndChecksItsBounds) {
  Schrifttabelle t;
  EXPECT_TRUE(t(1, 0).isEmpty());
  EXPECT_TRUE(t(72, 10).isEmpty());
  t(72, 10) = QStringLiteral("x");
  EXPECT_EQ(t(72, 10), QStringLiteral("x"));
  EXPECT_THROW(t(0, 0), std::out_of_range);
  EXPECT_THROW(t(73, 0), std::out_of_range);
  EXPECT_THROW(t(1, 11), std::out_of_range);
}
