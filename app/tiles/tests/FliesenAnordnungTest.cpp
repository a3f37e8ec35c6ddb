// Tile signs with the longest texts their fields take: everything stays on the sign, the
// creator line included, and no text lies over another.
#include "Fliesenschildseite.h"

#include "Anordnung.h"
#include "Feldwerte.h"
#include "Fensterliste.h"
#include "Fliesen.h"
#include "PreisDrucken.h"
#include "Unterartikeltabelle.h"
#include "FliesenschildMasse.h"
#include "FliesenschildTexte.h"
#include "frmFliesenSchild.h"

#include <QComboBox>
#include <QLineEdit>

#include <gmock/gmock.h>

#include <ostream>

namespace vovida::test {
namespace {

using kesto::activex::PolygonOp;

// The sign and the strip beside it, where the packing figures stand; the label has the
// strip unframed. Empty when the page draws no frames.
std::vector<kesto::test::Umriss> schilder(std::span<const kesto::activex::DrawOp> ops, bool beschriftung) {
  const auto polygone = alle<PolygonOp>(ops);
  if (polygone.size() < 2) return {};
  const kesto::test::Umriss s0 = inMm(*polygone[0]);
  return {s0, beschriftung ? kesto::test::Umriss{s0.x + s0.b, s0.y, 210 - (s0.x + s0.b), s0.h}
                           : kesto::test::Umriss(inMm(*polygone[1]))};
}

// The editor's texts of the sign: number, tile type, headline, the packaging sentence on.
FliesenschildUmfeld mitTexten(FliesenschildUmfeld u, const char* artNr, const QString& fliesentype) {
  u.ArtNr = QString::fromLatin1(artNr);
  u.Fliesentype = fliesentype;
  u.Ueberschrift = QStringLiteral("AKTION");
  u.hauptErklaerung = true;
  return u;
}

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
  const auto ops = zeichnen(mitTexten(umfeld(beschriftung ? "A7" : "FVK"), "200001", "Bodenfliese glasiert"));
  const std::vector<kesto::test::Umriss> schild = schilder(ops, beschriftung);
  ASSERT_EQ(schild.size(), 2u);
  const kesto::test::Umriss s0 = schild[0];
  EXPECT_THAT(kesto::test::anordnungPruefen(ops, schild), ::testing::IsEmpty());
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

class FliesenAnordnungEtikett : public FliesenAnordnung {};
// The tile label's texts keep inside its white field, whose frame runs 2 mm in, and its
// headline inside the oval, whatever the headline.
TEST_F(FliesenAnordnungEtikett, TextsKeepInsideTheWhiteFieldAndTheHeadlineInsideTheOval) {
  daten().typSetzen(kBeschriftung);
  langeTexte();
  for (const char* ueberschrift : {"AKTION", "SEHENSWERTE PREISE", "FÜR SEHENSWERTE PREISE."}) {
    SCOPED_TRACE(ueberschrift);
    FliesenschildUmfeld u = mitTexten(umfeld("A7"), "200001", QStringLiteral("Bodenfliese glasiert"));
    u.Ueberschrift = QString::fromUtf8(ueberschrift);
    const auto ops = zeichnen(u);
    const std::vector<kesto::test::Umriss> schild = schilder(ops, true);
    ASSERT_EQ(schild.size(), 2u);
    const kesto::test::Umriss s0 = schild[0];
    const std::vector<kesto::test::Umriss> feld{{s0.x + 2, s0.y + 2, s0.b - 4, s0.h - 4}, schild[1]};
    EXPECT_THAT(kesto::test::anordnungPruefen(ops, feld), ::testing::IsEmpty());

    const auto ovale = alle<kesto::activex::EllipseOp>(ops);
    ASSERT_EQ(ovale.size(), 1u);
    const kesto::test::Umriss oval = inMm(ovale[0]->box);
    const double a = oval.b / 2, b = oval.h / 2, cx = oval.x + a, cy = oval.y + b;
    int zeichen = 0;
    for (const kesto::test::Flaeche& f : kesto::test::flaechen(ops)) {
      if (!std::holds_alternative<kesto::activex::TextOp>(ops[f.op])) continue;
      ++zeichen;
      for (const QPointF& p : f.umriss) {
        const double dx = (p.x() - cx) / a, dy = (p.y() - cy) / b;
        EXPECT_LE(dx * dx + dy * dy, 1.0) << f.text << " at " << p.x() << ", " << p.y();
      }
    }
    EXPECT_GT(zeichen, 0);
    kesto::test::bilderAblegen(start().VSPrinter1.pages(), std::string("Fliesenetikett-") + ueberschrift);
  }
}

// The main price label on a sale sign and on a label, for demo tile articles and for the
// longest texts: no text over another, nothing off the sign, and the price as large as at
// the layout's place wherever the sign has room for it.
struct Preisfall {
  const char* name;
  const char* plakatart;
  const char* nummer;  // a demo article; none for the long texts
  bool vollePreisgroesse;
  bool neuerStil = true;
};

void PrintTo(const Preisfall& f, std::ostream* out) { *out << f.name; }

class FliesenPreislage : public Fliesenschildseite, public ::testing::WithParamInterface<Preisfall> {
 protected:
  void SetUp() override {
    Fliesenschildseite::SetUp();
    FliesenEditorwerteVergessen();
    FliesenEinrichten();
  }
  void TearDown() override {
    FliesenEditorwerteVergessen();
    Fliesenschildseite::TearDown();
  }
  // Loads the demo article as the editor does; its tile type for the sign.
  QString demo(const char* nummer) {
    frmFliesenSchild& f = FormZeigen<frmFliesenSchild>(&start());
    f.ArtNr->setCurrentText(QString::fromLatin1(nummer));
    f.ArtikelLaden_Click();
    return f.Fliesentype->currentText();
  }
  // Forty characters in every main field, a seven-digit price, a long packaging sentence.
  void langeTexte() {
    Fliesendaten& d = daten();
    const char* vierzig = "Feinsteinzeug Terrazzo Anthrazit matt R1";
    for (int n : {1, 2, 5, 6, 7, 8, 9}) d.haupt(n) = QString::fromUtf8(vierzig);
    const std::pair<int, const char*> werte[] = {{12, "Quadratmeter"}, {13, "F11"}, {14, "1,44"}, {15, "6"},
                                                 {16, "40"},           {17, "1"},   {18, "F11"}};
    for (const auto& [feld, wert] : werte) d.haupt(feld) = QString::fromUtf8(wert);
  }
  // The price label as the layout places it: anchored in the third and fourth main column,
  // a fifth of the main rows down. The ops of its own page.
  std::vector<kesto::activex::DrawOp> amPlatzDerAnordnung(const FliesenschildUmfeld& u, double W, double H,
                                                          std::int16_t basis, double T) {
    kesto::activex::VSPrinter probe;
    const Fliesenmasse m = FliesenmasseBerechnen(W, H, basis, T, u.parameter, probe);
    Fliesenpreis p = FliesenpreisBerechnen(daten().haupt(10), u.waehrungen);
    PreisAusmass ausmass;
    probe.StartDoc();
    const auto slot = static_cast<std::int16_t>(basis + 4);
    const double x = m.X0 + 4 * m.g + m.Cw[1] + m.Cw[2], y = m.Yr + 4 * m.R1, breite = m.Cw[3] + m.Cw[4];
    if (u.NeuerStil)
      PreisDrucken(p.preis, p.zeichen, daten().haupt(12), {}, slot, probe, x, y, breite, {}, ausmass);
    else
      PreisPolygonDrucken(p.preis, p.zeichen, p.zweitpreis, p.zweitzeichen, daten().haupt(12), {}, slot, probe, x,
                          y, breite, {}, ausmass);
    probe.EndDoc();
    return probe.pages()[0].ops;
  }
  // The price text's size.
  static double preisgroesse(std::span<const kesto::activex::DrawOp> ops, const QString& preis) {
    const auto* t = kesto::test::boxtext(ops, preis.toStdString());
    return t ? t->style.font.size : 0;
  }
};

TEST_P(FliesenPreislage, PriceCoversNoTextAndStaysOnTheSign) {
  const Preisfall& f = GetParam();
  const bool beschriftung = std::string_view(f.plakatart) == "A7";
  daten().typSetzen(beschriftung ? kBeschriftung : kBodenfliese);
  QString fliesentype = QStringLiteral("Bodenfliese glasiert Feinsteinzeug matt");
  QString preis = QStringLiteral("24,90");
  if (f.nummer) {
    fliesentype = demo(f.nummer);
    daten().typSetzen(beschriftung ? kBeschriftung : kBodenfliese);
  } else {
    langeTexte();
    preis = QStringLiteral("1.234.567,89");
  }
  daten().haupt(10) = preis;
  FliesenschildUmfeld u = mitTexten(umfeld(f.plakatart), f.nummer ? f.nummer : "2000011", fliesentype);
  u.NeuerStil = f.neuerStil;
  const auto ops = zeichnen(u);
  const std::vector<kesto::test::Umriss> schild = schilder(ops, beschriftung);
  ASSERT_EQ(schild.size(), 2u);
  const kesto::test::Umriss s0 = schild[0];
  kesto::test::bilderAblegen(start().VSPrinter1.pages(), std::string("Fliesenpreis-") + f.name);
  EXPECT_THAT(kesto::test::anordnungPruefen(ops, schild), ::testing::IsEmpty());

  // As large as at the layout's place where the sign has room; else set smaller, within limits.
  const double T = beschriftung ? 0.25 * s0.h : 0.3 * s0.b / 2;
  const double ganz = preisgroesse(amPlatzDerAnordnung(u, s0.b, s0.h, beschriftung ? 48 : 36, T), preis);
  ASSERT_GT(ganz, 0);
  if (f.vollePreisgroesse)
    EXPECT_DOUBLE_EQ(preisgroesse(ops, preis), ganz);
  else
    EXPECT_GE(preisgroesse(ops, preis), 0.55 * ganz);
}

INSTANTIATE_TEST_SUITE_P(Faelle, FliesenPreislage,
                         ::testing::Values(Preisfall{"Schild200001", "FVK", "200001", true},
                                           Preisfall{"Schild200002", "FVK", "200002", true},
                                           // No room for the full size beside the rows.
                                           Preisfall{"SchildLang", "FVK", nullptr, false},
                                           Preisfall{"Etikett200001", "A7", "200001", false},
                                           Preisfall{"Etikett200002", "A7", "200002", false},
                                           Preisfall{"EtikettLang", "A7", nullptr, false},
                                           // The old style, with its secondary price and wedge.
                                           Preisfall{"Schild200002Alt", "FVK", "200002", true, false},
                                           Preisfall{"SchildLangAlt", "FVK", nullptr, false, false},
                                           Preisfall{"EtikettLangAlt", "A7", nullptr, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Where nothing lies in its way, the label stays exactly where the layout puts it.
TEST_F(FliesenPreislage, ClearPlaceOfTheLayoutIsKept) {
  daten().typSetzen(kBodenfliese);
  daten().haupt(1) = QStringLiteral("Capri");
  daten().haupt(10) = QStringLiteral("9,90");
  FliesenschildUmfeld u = umfeld("FVK");
  ASSERT_TRUE(u.NeuerStil);
  const auto ops = zeichnen(u);
  const auto erwartet = amPlatzDerAnordnung(u, 170, 240, 36, 0.3 * 85);
  const auto preis = kesto::test::boxtext(ops, "9,90");
  const auto dort = kesto::test::boxtext(erwartet, "9,90");
  ASSERT_NE(preis, nullptr);
  ASSERT_NE(dort, nullptr);
  EXPECT_EQ(preis->box, dort->box);
  EXPECT_EQ(preis->style, dort->style);
}

}  // namespace
}  // namespace vovida::test
