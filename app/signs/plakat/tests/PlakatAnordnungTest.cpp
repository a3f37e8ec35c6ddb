// Posters with real articles: whatever the texts, everything stays on the sheet and no text
// covers another.
#include "PlakatFenster.h"

#include "Anordnung.h"
#include "FMStart.h"
#include "Plakat.h"
#include "Startglobale.h"
#include "frmPlakat.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gmock/gmock.h>

namespace vovida::test {
namespace {

using ::testing::IsEmpty;

struct Fall {
  const char* art;
  const char* nr;
  const char* statt;  // info text typed into the editor
  bool alt = false;   // the old price style, the secondary price shown
};

class PlakatAnordnung : public PlakatFenster, public ::testing::WithParamInterface<Fall> {};

TEST_P(PlakatAnordnung, EverythingStaysOnTheSheetAndNoTextCoversAnother) {
  const Fall& f = GetParam();
  einrichten(f.art);
  start().Grundpreis->setChecked(true);
  if (f.alt) {
    startglobale().NeuerStil = false;
    start().ZweiPreise->setChecked(true);
  }
  editor().setArtNrText(QString::fromLatin1(f.nr));
  editor().Read_Click();
  editor().Preis_Info->setText(QString::fromUtf8(f.statt));
  PlakatZeichnen();
  const Plakatseite seite = PlakatseiteZu(QString::fromLatin1(f.art));
  const kesto::test::Umriss blatt{0, 0, seite.breite, seite.hoehe};
  EXPECT_THAT(kesto::test::anordnungPruefen(seiten()[0].ops, {&blatt, 1}), IsEmpty());
  EXPECT_THAT(kesto::test::formenPruefen(seiten()[0].ops, {&blatt, 1}), IsEmpty());
  kesto::test::bilderAblegen(seiten(), ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

class PlakatAnordnungKopf : public PlakatFenster {};
// Every headline option, and the shelf labels' sentence sent over, fits its band on both sizes:
// the big slots of some options are wider than the sheet at their size.
TEST_F(PlakatAnordnungKopf, EveryHeadlineFitsItsBand) {
  for (const char* art : {"A4N", "A3N"}) {
    einrichten(art);
    frmPlakat& e = editor();
    editor().setArtNrText(QStringLiteral("100050"));
    editor().Read_Click();
    const Plakatseite seite = PlakatseiteZu(QString::fromLatin1(art));
    const kesto::test::Umriss blatt{0, 0, seite.breite, seite.hoehe};
    const std::pair<QRadioButton*, void (frmPlakat::*)()> optionen[] = {
        {e.RadioPreise, &frmPlakat::RadioPreise_Click}, {e.RadionBestellung, &frmPlakat::RadionBestellung_Click},
        {e.RadioAktion, &frmPlakat::RadioAktion_Click}, {e.RadioRest, &frmPlakat::RadioRest_Click},
        {e.RadioWerbung, &frmPlakat::RadioWerbung_Click}};
    for (const auto& [option, waehlen] : optionen) {
      for (const bool gesendet : {false, true}) {
        SCOPED_TRACE(std::string(art) + " " + option->text().toStdString() + (gesendet ? " gesendet" : ""));
        for (const auto& [r, _] : optionen) {
          r->setAutoExclusive(false);
          r->setChecked(r == option);
        }
        (e.*waehlen)();
        if (gesendet) e.Ueberschrift->setText(QStringLiteral("Für Sehenswerte Preise."));
        PlakatZeichnen();
        EXPECT_THAT(kesto::test::anordnungPruefen(seiten()[0].ops, {&blatt, 1}), IsEmpty());
      }
    }
  }
}

constexpr const char* kStatt = "Statt 14.999,99 EUR im Frühjahrskatalog";
// Wider than the sheet at the info size.
constexpr const char* kLangStatt = "Statt 14.999,99 EUR im Frühjahrskatalog, nur solange der Vorrat reicht";

INSTANTIATE_TEST_SUITE_P(Artikel, PlakatAnordnung,
                         ::testing::Values(Fall{"A4N", "100001", ""}, Fall{"A4N", "100008", ""},
                                           Fall{"A4N", "100023", ""}, Fall{"A4N", "100050", ""},
                                           Fall{"A4N", "100050", kStatt}, Fall{"A4N", "100051", "Statt 1.499,00"},
                                           Fall{"A3N", "100001", ""}, Fall{"A3N", "100050", kStatt},
                                           Fall{"A3N", "100051", ""}, Fall{"A4F", "100050", kStatt},
                                           Fall{"A3F", "100051", ""}, Fall{"A4N", "100001", "", true},
                                           Fall{"A4N", "100050", "", true}, Fall{"A4N", "100050", kStatt, true},
                                           Fall{"A4N", "100051", "Statt 1.499,00", true},
                                           Fall{"A3N", "100001", "", true}, Fall{"A3N", "100050", kStatt, true},
                                           Fall{"A3N", "100051", "", true}, Fall{"A4F", "100050", kStatt, true},
                                           Fall{"A3F", "100051", "", true}, Fall{"A3F", "100001", kStatt, true},
                                           Fall{"A4N", "100001", kLangStatt}, Fall{"A4N", "100001", kLangStatt, true},
                                           Fall{"A4F", "100051", kLangStatt, true}),
                         [](const auto& info) {
                           return std::string(info.param.art) + "_" + info.param.nr +
                                  (*info.param.statt ? "_Statt" : "") +
                                  (std::string_view(info.param.statt) == kLangStatt ? "Lang" : "") +
                                  (info.param.alt ? "_Alt" : "");
                         });

}  // namespace
}  // namespace vovida::test
