// Shelf labels with real articles: whatever the texts, everything stays on its label and no
// text covers another.
#include "Regal.h"

#include "FMStart.h"
#include "Startglobale.h"

#include "Anordnung.h"
#include "Strichcode.h"

#include <QCheckBox>

#include <activex/Barcode.h>
#include <activex/Renderer.h>

#include <gmock/gmock.h>

namespace vovida::test {
namespace {

using ::testing::IsEmpty;

class RegalAnordnung : public Regalumgebung {
 protected:
  // The demo articles, each with the info text given, on five labels of one page.
  void pruefen(const char* const (&statt)[5], const std::string& name) {
    frmRegalBesch& e = editor();
    const char* nummern[] = {"100001", "100008", "100023", "100050", "100051"};
    for (int i = 0; i < 5; ++i) {
      e.setArtNrText(QString::fromLatin1(nummern[i]));
      e.Read_Click();
      if (*statt[i]) e.Preis_Info->setText(QString::fromUtf8(statt[i]));
      e.Uebernehmen_Click();
    }
    RegalschilderDrucken();
    const auto& seite = start().VSPrinter1.pages()[0];
    std::vector<kesto::test::Umriss> etiketten;
    for (int i = 0; i < 5; ++i) etiketten.push_back({20, 15.0 + 50 * i, 170, 50});
    EXPECT_THAT(kesto::test::anordnungPruefen(seite.ops, etiketten), IsEmpty());
    EXPECT_THAT(kesto::test::formenPruefen(seite.ops, etiketten), IsEmpty());
    kesto::test::bilderAblegen(start().VSPrinter1.pages(), name);
  }
};

TEST_F(RegalAnordnung, EverythingStaysOnItsLabelAndNoTextCoversAnother) { pruefen({"", "", "", "", ""}, "Regal"); }

// The old price style with the secondary price and long info texts.
TEST_F(RegalAnordnung, OldPriceStyleStaysOnItsLabelAndClearOfTheTexts) {
  startglobale().NeuerStil = false;
  start().ZweiPreise->setChecked(true);
  pruefen({"", "Statt 9,99", "", "Statt 14.999,99 EUR im Frühjahrskatalog", "Statt 1.499,00"}, "RegalAlt");
}

// The bar code fills its 34 x 8 mm box and reads back from the printed page.
TEST_F(RegalAnordnung, BarCodeFillsItsBoxAndScansFromThePage) {
  frmRegalBesch& e = editor();
  e.setArtNrText(QStringLiteral("100001"));
  e.Read_Click();
  RegalschilderDrucken();
  const auto& seite = start().VSPrinter1.pages()[0];
  const auto bilder = kesto::test::alle<kesto::activex::PictureOp>(seite.ops);
  ASSERT_EQ(bilder.size(), 1u);
  const kesto::activex::Box box = kesto::activex::drawnBox(*bilder[0]);
  EXPECT_NEAR(box.left.mm(), bilder[0]->box.left.mm(), 0.01);
  EXPECT_NEAR(box.top.mm(), bilder[0]->box.top.mm(), 0.01);
  EXPECT_NEAR(box.width.mm(), 34, 0.01);
  EXPECT_NEAR(box.height.mm(), 8, 0.01);
  constexpr double dpi = 600;
  const QImage blatt = kesto::activex::renderPageImage(seite, dpi);
  const auto px = [&](kesto::activex::Length l) { return static_cast<int>(l.mm() / 25.4 * dpi); };
  const QImage strichcode = blatt.copy(px(box.left) - 2, px(box.top), px(box.width) + 4, px(box.height));
  const QString gelesen = kesto::test::eanLesen(strichcode);
  EXPECT_EQ(gelesen, e.Barcode1->Text());
  EXPECT_EQ(gelesen.size(), 13);
}

}  // namespace
}  // namespace vovida::test
