#include "Fliesendaten.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vovida::test {
namespace {

class FliesendatenTest : public ::testing::Test {
 protected:
  void SetUp() override { fliesendatenZuruecksetzen(); }
  void TearDown() override { fliesendatenZuruecksetzen(); }
};

TEST_F(FliesendatenTest, TableIsOneColumnMajorBlock) {
  Fliesendaten& d = fliesendaten();
  d.unter(3, 2) = QStringLiteral("Dekor");
  d.unter(11, 16) = QStringLiteral("1");
  EXPECT_EQ(d.unterBlock()[(3 - 1) + 11 * (2 - 1)], QStringLiteral("Dekor"));
  EXPECT_EQ(d.unterBlock()[175], QStringLiteral("1"));
}

TEST_F(FliesendatenTest, IndexesOutsideTheRecordsThrow) {
  Fliesendaten& d = fliesendaten();
  EXPECT_THROW(d.haupt(0), std::out_of_range);
  EXPECT_THROW(d.haupt(19), std::out_of_range);
  EXPECT_THROW(d.unter(12, 1), std::out_of_range);
  EXPECT_THROW(d.unter(1, 17), std::out_of_range);
}

TEST_F(FliesendatenTest, CurrentRowOutsideOneToElevenIsOne) {
  for (const int zeile : {0, 12, -3}) {
    fliesendaten().AktuelleZeile = zeile;
    EXPECT_EQ(fliesendaten().aktuelleZeile(), 1);
  }
  fliesendaten().AktuelleZeile = 11;
  EXPECT_EQ(fliesendaten().aktuelleZeile(), 11);
}

TEST_F(FliesendatenTest, ClearAllLeavesSalePriceZeroAndTypeSetsStockFlag) {
  Fliesendaten& d = fliesendaten();
  d.haupt(1) = QStringLiteral("Alias");
  d.unter(2, 1) = QStringLiteral("200017");
  d.unter(2, 16) = QStringLiteral("0");
  d.allesLeeren();
  EXPECT_EQ(d.haupt(1), QString());
  EXPECT_EQ(d.haupt(11), QStringLiteral("0"));
  EXPECT_TRUE(d.zeileLeer(2));
  EXPECT_EQ(d.unter(2, 6), QStringLiteral("0"));
  EXPECT_EQ(d.unter(2, 16), QStringLiteral("0"));
  EXPECT_TRUE(d.Lagerschild);
  d.typSetzen(kBestellung);
  EXPECT_FALSE(d.Lagerschild);
  EXPECT_TRUE(d.istBestellung());
  d.typSetzen(kBeschriftung);
  EXPECT_TRUE(d.Lagerschild);
}

}  // namespace
}  // namespace vovida::test
