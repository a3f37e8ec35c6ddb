// The tile sale sign with a full table of eleven sub-articles: recorded by the layout and
// painted to an image, as the preview does after each edit. It must stay far below the
// preview's 500 ms countdown.
#include "Fliesendaten.h"
#include "Fliesenschild.h"
#include "Schriftdefinitionen.h"
#include "Schriftslots.h"
#include "Startglobale.h"

#include <activex/Renderer.h>
#include <activex/VSPrinter.h>

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>


using namespace vovida;
using vovida::bench::slotSetzen;

namespace {

// The large tile sign's slots 36 to 47 as the demo data has them: kind, size, colour,
// contour, spacing, margin, top, shadow/pen, hor/brush, ver, price sizes.
void schriftenSetzen() {
  Schriftdefinitionen().leeren();
  const char* keine = "16711935";
  const struct {
    int slot;
    const char *art, *groesse, *abstand, *preis;
  } eintraege[] = {{36, "B", "28", "10", ""}, {37, "B", "10", "5", ""}, {38, "B", "12", "5", ""},
               {39, "B", "9", "4", ""},   {40, "P", "72", "0", "36@0@24@0@14@0@12@0@12@0"},
               {41, "B", "10", "5", ""},  {42, "B", "9", "4", ""}, {43, "B", "9", "4", ""},
               {44, "B", "9", "4", ""},   {45, "P", "16", "0", "8@0@8@0@6@0@6@0@6@0"},
               {46, "B", "7", "3", ""},   {47, "B", "6", "3", ""}};
  for (const auto& s : eintraege)
    slotSetzen(s.slot, {s.art, s.groesse, "0", "False", s.abstand, "0", "0", keine, keine, "0", s.preis});
  auto& g = startglobale();
  g.FontHW = g.FontNW = g.FontPKZHW = g.FontPER = g.FontINFO = QStringLiteral("Kipp");
}

void datenSetzen() {
  fliesendatenZuruecksetzen();
  Fliesendaten& d = fliesendaten();
  d.typSetzen(kBodenfliese);
  const char* haupt[] = {"Nordic", "1.", "", "", "PEI 3", "Lagernd", "30x60 cm", "Ja", "9001234567890",
                         "39,90", "39,90", "m²", "F12", "ST", "6", "1,08", "1"};
  for (int f = 1; f <= 17; ++f) d.haupt(f) = QString::fromUtf8(haupt[f - 1]);
  d.haupt(18) = QStringLiteral("F12");
  const char* arten[] = {"Bordüre", "Bordüre", "Dekor", "Bild", "Einleger", "Boden", "Unifliese", "Stufen",
                         "Stufen m. Nase", "Sockelleiste", "Listelle"};
  for (int r = 1; r <= kUnterzeilen; ++r) {
    d.unter(r, 1) = QString::number(200100 + r);
    d.unter(r, 2) = QString::fromUtf8(arten[r - 1]);
    d.unter(r, 3) = QStringLiteral("Capri ") + QString::number(r);
    d.unter(r, 4) = QStringLiteral("ST");
    d.unter(r, 5) = QString::number(r + 2) + QStringLiteral(",90");
    d.unter(r, 9) = QStringLiteral("90012345") + QString::number(10000 + r);
    d.unter(r, 10) = r % 3 ? QStringLiteral("0") : QStringLiteral("1");
    d.unter(r, 11) = QStringLiteral("ST");
    d.unter(r, 12) = QStringLiteral("10");
    d.unter(r, 13) = QStringLiteral("1,5");
    d.unter(r, 14) = QStringLiteral("15");
    d.unter(r, 15) = QStringLiteral("L");
  }
}

FliesenschildUmfeld umfeld(kesto::activex::VSPrinter& vp) {
  FliesenschildUmfeld u;
  u.vp = &vp;
  u.Plakatart = QStringLiteral("FVK");
  u.parameter = {QStringLiteral("170@240@170@120"), QStringLiteral("20@30@20@25@"),
                 QStringLiteral("12@26@12@12@6@12@12@"), QStringLiteral("1"), QStringLiteral("0,3")};
  u.ArtNr = QStringLiteral("200002");
  u.Fliesentype = QStringLiteral("Bodenfliese");
  QImage logo(400, 120, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  u.Logo = logo;
  u.waehrungen = {QStringLiteral("EUR"), QStringLiteral("13,7603"), QStringLiteral("öS"), QStringLiteral("€"), true};
  u.PersonalName = QStringLiteral("Demo Benutzer");
  return u;
}

// The sign with its fonts, records and surroundings on a preview of its own.
class Verkaufsschild : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    schriftenSetzen();
    datenSetzen();
    u = umfeld(vp);
  }
  void zeichnen() { FliesenschilderDrucken(fliesendaten(), u); }
  kesto::activex::VSPrinter vp;
  FliesenschildUmfeld u;
};

BENCHMARK_DEFINE_F(Verkaufsschild, AufzeichnenUndMalen)(benchmark::State& state) {
  for (auto _ : state) {
    zeichnen();
    const QImage bild = kesto::activex::renderPageImage(vp.pages().back(), 150);
    benchmark::DoNotOptimize(bild.constBits());
  }
  state.SetLabel("eleven sub-articles, A4 at 150 dpi");
}
BENCHMARK_REGISTER_F(Verkaufsschild, AufzeichnenUndMalen)->Unit(benchmark::kMillisecond);

// Recording alone, to tell the layout from the painting.
BENCHMARK_DEFINE_F(Verkaufsschild, Aufzeichnen)(benchmark::State& state) {
  for (auto _ : state) {
    zeichnen();
    benchmark::DoNotOptimize(vp.pages().back().ops.size());
  }
  state.counters["ops"] = static_cast<double>(vp.pages().back().ops.size());
}
BENCHMARK_REGISTER_F(Verkaufsschild, Aufzeichnen)->Unit(benchmark::kMillisecond);

}  // namespace
