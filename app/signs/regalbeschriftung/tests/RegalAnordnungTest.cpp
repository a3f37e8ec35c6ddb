// Shelf labels with real articles: whatever the texts, everything stays on its label and no
// text covers another.
#include "Regal.h"

#include "Anordnung.h"

#include <gmock/gmock.h>

namespace vovida::test {
namespace {

using ::testing::IsEmpty;

class RegalAnordnung : public Regalumgebung {};

TEST_F(RegalAnordnung, EverythingStaysOnItsLabelAndNoTextCoversAnother) {
  frmRegalBesch& e = editor();
  for (const char* nr : {"100001", "100008", "100023", "100050", "100051"}) {
    e.setArtNrText(QString::fromLatin1(nr));
    e.Read_Click();
    e.Uebernehmen_Click();
  }
  RegalschilderDrucken();
  const auto& seite = start().VSPrinter1.pages()[0];
  std::vector<kesto::test::Umriss> etiketten;
  for (int i = 0; i < 5; ++i) etiketten.push_back({20, 15.0 + 50 * i, 170, 50});
  EXPECT_THAT(kesto::test::anordnungPruefen(seite.ops, etiketten), IsEmpty());
  kesto::test::bilderAblegen(start().VSPrinter1.pages(), "Regal");
}

}  // namespace
}  // namespace vovida::test
