// Free designs with real and long article texts, in both price styles, each price
// alignment and the store-brand layout: everything stays on the sign and no text covers
// another.
#include "Eigenbauumgebung.h"

#include "Anordnung.h"
#include "Eigenbau.h"
#include "EigenbauGlobale.h"
#include "EigenbauZeichnen.h"
#include "FMStart.h"
#include "Startglobale.h"

#include <QCheckBox>

#include <gmock/gmock.h>

#include <tuple>

namespace vovida::test {
namespace {

using kesto::activex::DrawOp;
using kesto::activex::TextBoxOp;
using kesto::activex::TextOp;

struct Artikel {
  const char* name;
  const char* nr;  // read from the demo server; nullptr: the texts below
  const char* bez[3];
  const char* preis;
  const char* per;
  const char* grundpreis;
  const char* statt;
  bool zusatzpreis;  // one extra price on the sign, with the same info text
};

constexpr const char* kStatt = "Statt 14.999,99 EUR im Frühjahrskatalog";

const Artikel kArtikel[] = {
    {"Zement", "100001", {}, nullptr, nullptr, nullptr, "", false},
    {"Bohrschrauber", "100050", {}, nullptr, nullptr, nullptr, kStatt, false},
    {"Waermedaemmung", "100051", {}, nullptr, nullptr, nullptr, "Statt 1.499,00", false},
    {"LangeTexte",
     nullptr,
     {"Fassadendämmplatte WLG 035 Stärke 120 mm", "Armierungsgewebe 4x4 mm alkalibeständig",
      "Kantenschutzprofil mit Gewebe 2,5 m lang"},
     "12.345,67",
     "m²",
     "1 m² = 19,90 EUR",
     kStatt,
     true},
};

void PrintTo(const Artikel& a, std::ostream* out) { *out << a.name; }

enum class Design { schlicht, marke };
enum class Ausrichtung { links, mitte, rechts };

using Fall = std::tuple<Design, Ausrichtung, bool, Artikel>;

// A price label is one group: every op from its first turned text up to the next upright
// text. Single characters in a row are one text drawn in passes.
int gruppe(std::span<const DrawOp> ops, std::size_t i) {
  const auto gedreht = [&](std::size_t k) {
    if (const auto* b = std::get_if<TextBoxOp>(&ops[k])) return b->style.angle != 0;
    if (const auto* t = std::get_if<TextOp>(&ops[k])) return t->style.angle != 0;
    return false;
  };
  const auto aufrecht = [&](std::size_t k) {
    return !gedreht(k) && (std::holds_alternative<TextBoxOp>(ops[k]) || std::holds_alternative<TextOp>(ops[k]));
  };
  if (gedreht(i)) {
    std::size_t anfang = i;
    while (anfang > 0 && !aufrecht(anfang - 1)) --anfang;
    return 1 + static_cast<int>(anfang);
  }
  if (!std::holds_alternative<TextOp>(ops[i])) return 0;
  std::size_t anfang = i;
  while (anfang > 0 && std::holds_alternative<TextOp>(ops[anfang - 1])) --anfang;
  return 100000 + static_cast<int>(anfang);
}

class EigenbauAnordnung : public Eigenbauumgebung, public ::testing::WithParamInterface<Fall> {
 protected:
  void artikel(const Artikel& a) {
    modell->lesen(QStringLiteral("Neu"));
    modell->SpeicherName.Text = QStringLiteral("Neu");
    const QString nr = QString::fromUtf8(a.nr ? a.nr : "200001");
    modell->ArtNr.List = {nr};
    modell->ArtNr.Text = nr;
    if (a.nr) {
      modell->Read_Click();
    } else {
      modell->Bez1 = QString::fromUtf8(a.bez[0]);
      modell->Bez2 = QString::fromUtf8(a.bez[1]);
      modell->Bez3 = QString::fromUtf8(a.bez[2]);
      modell->PreisEUR = QString::fromUtf8(a.preis);
      modell->Per = QString::fromUtf8(a.per);
      modell->Grundpreis = QString::fromUtf8(a.grundpreis);
    }
    modell->Preis_Info = QString::fromUtf8(a.statt);
    modell->t_Artikelinfo = 1;
    rtf.setRichText(QStringLiteral("{\\rtf1\\ansi\\pard\\qc\\fs40\\b %1\\b0\\par\\fs28 %2\\par %3\\par}")
                        .arg(modell->Bez1, modell->Bez2, modell->Bez3));
    if (a.zusatzpreis) {
      modell->chk_PZ[0] = 1;
      modell->txt_PZ_EUR[0] = QStringLiteral("4,90");
      modell->txt_PZ_Per[0] = QStringLiteral("Stk");
      modell->txt_PZ_Preisinfo[0] = QString::fromUtf8(a.statt);
      modell->txt_PZ_X[0] = QStringLiteral("62");
      modell->txt_PZ_Y[0] = QStringLiteral("58");
    }
  }
  void marke() {
    modell->chk_Brisal = 1;
    modell->chk_Brisal_Click();
    markenbilder();
    modell->chk_PZ[0] = 0;  // the header leaves no free room for an extra price
  }
  void ausrichten(Ausrichtung a) {
    switch (a) {
      // The button is down before its click runs.
      case Ausrichtung::links: modell->B_LB = false; modell->B_LB_Click(); break;
      case Ausrichtung::mitte: modell->B_Z = false; modell->B_Z_Click(); break;
      case Ausrichtung::rechts: modell->B_RB = false; modell->B_RB_Click(); break;
    }
    auto& g = eigenbauGlobale();
    for (auto& zusatz : g.ZusatzpreisAusrichtung) zusatz = g.EigenbauAusrichtung;
  }
};

TEST_P(EigenbauAnordnung, EverythingStaysOnTheSignAndNoTextCoversAnother) {
  const auto& [design, ausrichtung, neu, a] = GetParam();
  start().ZweiPreise->setChecked(true);
  start().Grundpreis->setChecked(true);
  startglobale().NeuerStil = neu;
  artikel(a);
  if (design == Design::marke) marke();
  ausrichten(ausrichtung);
  EigenbauUmfeld u = eigenbauUmfeld();
  u.RTF = &rtf;
  EigenbauZeichnen(*modell, u);

  const auto& seiten = u.vp->pages();
  ASSERT_EQ(seiten.size(), 1u);
  const kesto::test::Umriss schild{15, 15, 95, 120};
  EXPECT_THAT(kesto::test::anordnungPruefen(seiten[0].ops, {&schild, 1}, gruppe), ::testing::IsEmpty());
  EXPECT_THAT(kesto::test::formenPruefen(seiten[0].ops, {&schild, 1}), ::testing::IsEmpty());
  kesto::test::bilderAblegen(seiten, ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

std::string fallname(const ::testing::TestParamInfo<Fall>& info) {
  const auto& [design, ausrichtung, neu, a] = info.param;
  const char* wo[] = {"Links", "Mitte", "Rechts"};
  return std::string(design == Design::marke ? "Marke_" : "Schlicht_") + wo[static_cast<int>(ausrichtung)] +
         (neu ? "_Neu_" : "_Alt_") + a.name;
}

INSTANTIATE_TEST_SUITE_P(Eigenbau, EigenbauAnordnung,
                         ::testing::Combine(::testing::Values(Design::schlicht, Design::marke),
                                            ::testing::Values(Ausrichtung::links, Ausrichtung::mitte,
                                                              Ausrichtung::rechts),
                                            ::testing::Bool(), ::testing::ValuesIn(kArtikel)),
                         fallname);

}  // namespace
}  // namespace vovida::test
