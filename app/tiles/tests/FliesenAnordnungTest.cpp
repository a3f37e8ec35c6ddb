// Tile signs with the longest texts their fields take: everything stays on the sign, the
// creator line included.
#include "Fliesenschildseite.h"

#include "Anordnung.h"

#include <gmock/gmock.h>

namespace vovida::test {
namespace {

using kesto::activex::PolygonOp;

class FliesenAnordnung : public Fliesenschildseite, public ::testing::WithParamInterface<const char*> {
 protected:
  void langeTexte() {
    Fliesendaten& d = daten();
    const char* werte[] = {"Feinsteinzeug Terrazzo Anthrazit matt R10", "1. Sorte", "", "", "PEI IV", "sofort ab Lager",
                           "60 x 60 cm", "ja", "T123456789", "1234,56", "0", "m²", "F11", "1,44", "6", "40", "1", "F11"};
    for (int n = 1; n <= kHauptfelder; ++n) d.haupt(n) = QString::fromUtf8(werte[n - 1]);
  }
};

TEST_P(FliesenAnordnung, EverythingStaysOnTheSign) {
  const bool beschriftung = std::string_view(GetParam()) == kBeschriftung.toStdString();
  daten().typSetzen(QString::fromUtf8(GetParam()));
  langeTexte();
  FliesenschildUmfeld u = umfeld(beschriftung ? "A7" : "FVK");
  u.ArtNr = QStringLiteral("200001");
  u.Fliesentype = QStringLiteral("Bodenfliese glasiert");
  u.Ueberschrift = QStringLiteral("AKTION");
  u.hauptErklaerung = true;
  const auto ops = zeichnen(u);
  const auto polygone = alle<PolygonOp>(ops);
  ASSERT_GE(polygone.size(), 2u);
  std::vector<kesto::test::Umriss> schild{inMm(*polygone[0])};
  // The packing figures stand in the strip beside the sign; the label has it unframed.
  const kesto::test::Umriss s0 = schild[0];
  schild.push_back(beschriftung ? kesto::test::Umriss{s0.x + s0.b, s0.y, 210 - (s0.x + s0.b), s0.h}
                                : kesto::test::Umriss(inMm(*polygone[1])));
  // The price label of the Part's place still lies on the rows beside it; that is left open.
  std::vector<std::string> draussen;
  for (const std::string& b : kesto::test::anordnungPruefen(ops, schild))
    if (b.find("nicht ganz auf seinem Schild") != std::string::npos) draussen.push_back(b);
  EXPECT_THAT(draussen, ::testing::IsEmpty());
  // The label's creator line lies inside its inner frame, whose line runs 2 mm in.
  if (beschriftung) {
    const auto* ersteller = kesto::test::boxtext(ops, " Erstellt durch ");
    ASSERT_NE(ersteller, nullptr);
    EXPECT_GE(ersteller->box.top.mm(), s0.y + 2.1);
  }
  kesto::test::bilderAblegen(start().VSPrinter1.pages(), std::string("Fliese-") + (beschriftung ? "A7" : "FVK"));
}

INSTANTIATE_TEST_SUITE_P(Arten, FliesenAnordnung, ::testing::Values("Bodenfliese", "Beschriftung"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace vovida::test
