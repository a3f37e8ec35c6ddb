#include "Hauptfenster.h"

#include "Fensterliste.h"

namespace vovida::test {
namespace {

class Ladezaehler : public QWidget {
 public:
  static constexpr const char* kName = "Ladezaehler";
  void Form_Load() { ++ladungen; }
  int ladungen = 0;
};

class FormularTest : public Hauptfenster {};

TEST_F(FormularTest, AClosedWindowIsLoadedOnceWhenReadAndAgainAfterItWasUnloaded) {
  Ladezaehler& erstes = FormHolen<Ladezaehler>();
  EXPECT_EQ(erstes.ladungen, 1);
  EXPECT_EQ(&FormHolen<Ladezaehler>(), &erstes);
  EXPECT_EQ(erstes.ladungen, 1);
  fensterliste().entladen<Ladezaehler>();
  EXPECT_EQ(FormHolen<Ladezaehler>().ladungen, 1);  // a fresh window, loaded once
}

TEST_F(FormularTest, ShownWindowStaysInFrontOfItsOwner) {
  schildart(QStringLiteral("A4N"), {});
  anmelden("A4N");
  start().show();
  Ladezaehler& f = FormZeigen<Ladezaehler>(&start());
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.windowHandle()->transientParent(), start().windowHandle());
  EXPECT_EQ(f.ladungen, 1);
}

}  // namespace
}  // namespace vovida::test
