#include "NumberFormat.h"
#include "TestApp.h"

#include <limits>
#include <stdexcept>

using vovida::formatNumber;

namespace {

struct Fall {
  double wert;
  const char16_t* muster;
  const char16_t* erwartet;
};

void PrintTo(const Fall& f, std::ostream* out) {
  *out << f.wert << " as " << QString::fromUtf16(f.muster).toStdString();
}

class FormatNumber : public testing::TestWithParam<Fall> {};

TEST_P(FormatNumber, WritesGermanText) {
  const Fall& f = GetParam();
  EXPECT_EQ(formatNumber(f.wert, f.muster), QString::fromUtf16(f.erwartet))
      << f.wert << " with " << QString::fromUtf16(f.muster).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Muster, FormatNumber,
    testing::Values(
        // prices
        Fall{12, u"##,###,##0.-", u"12,-"}, Fall{12.5, u"##,###,##0.00", u"12,50"},
        Fall{1234567, u"##,###,##0.-", u"1.234.567,-"},
        Fall{1234567.891, u"##,###,##0.00", u"1.234.567,89"},
        Fall{1e20, u"##,###,##0.00", u"100.000.000.000.000.000.000,00"},
        Fall{0, u"##,###,##0.00", u"0,00"}, Fall{0.5, u"##,###,##0.-", u"1,-"},
        Fall{999.999, u"##,###,##0.00", u"1.000,00"},
        // halves away from zero, on the value as written with 15 digits
        Fall{2.675, u"##0.00", u"2,68"}, Fall{1.005, u"##0.00", u"1,01"},
        Fall{-2.675, u"##0.00", u"-2,68"}, Fall{0.125, u"0.00", u"0,13"},
        Fall{-0.004, u"##0.00", u"0,00"}, Fall{-1234.5, u"##,###,##0.00", u"-1.234,50"},
        // percentages and fixed widths
        Fall{16, u"##0\\%", u"16%"}, Fall{7.5, u"##0.00\\%", u"7,50%"},
        Fall{7, u"000", u"007"}, Fall{1234, u"000", u"1234"},
        // optional digits and literals
        Fall{0.5, u"#.##", u",5"}, Fall{3, u"#.##", u"3,"}, Fall{3.1, u"0.0#", u"3,1"},
        Fall{3.14159, u"0.0#", u"3,14"}, Fall{5, u"\"EUR \"0", u"EUR 5"}));

TEST(FormatNumberErrors, RejectsWhatItCannotWrite) {
  EXPECT_THROW(formatNumber(std::numeric_limits<double>::quiet_NaN(), u"0"), std::invalid_argument);
  EXPECT_THROW(formatNumber(std::numeric_limits<double>::infinity(), u"0"), std::invalid_argument);
  EXPECT_THROW(formatNumber(5, u"0%"), std::invalid_argument);
  EXPECT_THROW(formatNumber(5, u"0;-0"), std::invalid_argument);
}

}  // namespace
