#include "Schildhoehe.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>

namespace vovida {
namespace {

struct Hoehenfall {
  const char* text;
  int jeSeite;  // 0: "Ungültige Schildhöhe"
};

class SchildhoeheFaelle : public ::testing::TestWithParam<Hoehenfall> {};

TEST_P(SchildhoeheFaelle, GivesSignsPerPageOrTheMessage) {
  const Hoehenfall& fall = GetParam();
  const QString text = QString::fromUtf8(fall.text);
  if (fall.jeSeite == 0) {
    try {
      SchildhoeheLesen(text);
      FAIL() << "no error for " << fall.text;
    } catch (const SchildhoeheUngueltig& fehler) {
      EXPECT_STREQ(fehler.what(), "Ungültige Schildhöhe");
    }
    return;
  }
  EXPECT_EQ(SchildhoeheLesen(text).jeSeite, fall.jeSeite);
}

INSTANTIATE_TEST_SUITE_P(Hoehen, SchildhoeheFaelle,
                         ::testing::Values(Hoehenfall{"40", 6}, Hoehenfall{"50", 5}, Hoehenfall{"62", 4},
                                           Hoehenfall{"267", 1}, Hoehenfall{"300", 1},
                                           Hoehenfall{"133,5", 1},  // rounds to 134 (even)
                                           Hoehenfall{"1", 255},    // 267 capped at a byte
                                           Hoehenfall{"0,5", 0},    // rounds to 0
                                           Hoehenfall{"0", 0}, Hoehenfall{"-5", 0}, Hoehenfall{"", 0},
                                           Hoehenfall{"x", 0}),
                         [](const auto& info) { return "Fall" + std::to_string(info.index); });

TEST(Schildhoehe, KeepsTheTypedHeightForOffsets) {
  const Schildhoehe h = SchildhoeheLesen(u"62,5");
  EXPECT_DOUBLE_EQ(h.mm, 62.5);
  EXPECT_EQ(h.jeSeite, 4);  // 267 div 62 (62,5 rounds to the even 62)
}

}  // namespace
}  // namespace vovida
