// One full A4 sign: recorded with the rendering core and painted to an image, as the
// preview does for every page shown. Far below 500 ms per page is the target.
#include "PreisDrucken.h"
#include "Schriftdefinitionen.h"
#include "Schriftslots.h"
#include "Startglobale.h"
#include "TextaufDruckformular.h"
#include "Zeichnen.h"

#include <activex/Renderer.h>
#include <activex/VSPrinter.h>

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>

#include <initializer_list>

using namespace vovida;
using vovida::bench::slotSetzen;

namespace {

// kind, size, colour, contour, spacing, margin, top, shadow/pen, hor/brush, ver, price sizes
void schriftenSetzen() {
  Schriftdefinitionen().leeren();
  slotSetzen(1, {"E", "48", "255", "False", "0", "0", "0", "16711935", "0", "0"});
  slotSetzen(2, {"E", "36", "0", "False", "0", "0", "0", "8421504", "1", "1"});
  slotSetzen(3, {"E", "28", "16711680", "True", "0", "0", "0", "0", "0", "0"});
  slotSetzen(4, {"E", "24", "0", "False", "2", "1", "0", "16711935", "0", "0"});
  slotSetzen(5, {"E", "20", "32768", "False", "0", "0", "1", "16711935", "0", "0"});
  slotSetzen(6, {"E", "16", "0", "False", "0", "0", "0", "255", "65535", "0"});
  slotSetzen(7, {"E", "14", "8388736", "False", "0", "2", "0", "16711935", "16711935", "0"});
  slotSetzen(8, {"E", "12", "0", "False", "1", "0", "0", "16711935", "0", "0"});
  slotSetzen(9, {"E", "10", "0", "False", "0", "0", "0", "16711935", "0", "0"});
  slotSetzen(12, {"P", "60", "0", "False", "0", "0", "0", "16711935", "0", "0", "12@0@24@0@16@0@14@0@12@0"});
  auto& g = startglobale();
  g.FontHW = g.FontNW = g.FontPKZHW = g.FontPER = g.FontINFO = QStringLiteral("Arial");
}

void seiteAufzeichnen(VSPrinter& vp) {
  vp.StartDoc();
  const QString schrift = QStringLiteral("Arial");
  // Slot 1 to 3: headline, article and maker in boxes; 4 and 5 character by character.
  SchriftTextDrucken(QStringLiteral("Wochenangebot"), 10, 10, 190, 0, 1, schrift, vp);
  SchriftTextDrucken(QStringLiteral("Bio-Vollmilch 3,8 %"), 10, 40, 190, 0, 2, schrift, vp);
  SchriftTextDrucken(QStringLiteral("Molkerei Sonnenhof"), 10, 60, 190, 0, 3, schrift, vp);
  double hoehe = 0, summe = 0;
  TextGemessenDrucken(QStringLiteral("frisch aus der Region"), 4, schrift, vp, 10, 80, 190.0, hoehe, summe);
  TextGemessenDrucken(QStringLiteral("Nur solange der Vorrat reicht"), 5, schrift, vp, 10, 95, std::nullopt, hoehe,
                      summe);
  SchriftTextDrucken(QStringLiteral("Aktion"), 150, 110, 40, 12, 6, schrift, vp);
  SchriftTextDrucken(QStringLiteral("Herkunft: Österreich"), 10, 250, 90, 0, 7, schrift, vp);
  SchriftTextDrucken(QStringLiteral("Artikel 4711 - 1 l Flasche"), 10, 265, 90, 0, 8, schrift, vp);
  SchriftTextDrucken(QStringLiteral("Preise inkl. MwSt., gültig bis 31.12."), 10, 280, 190, 0, 9, schrift, vp);

  PreisAusmass aus;
  QString preis = QStringLiteral("1,29");
  PreisDrucken(preis, QStringLiteral("EUR"), QStringLiteral("1 l"), QStringLiteral("statt 1,79"), 12, vp, 15, 130,
               85, {}, aus);
  QString alt = QStringLiteral("17,80"), neben = QStringLiteral("1,29"), mark = QStringLiteral("EUR");
  PreisPolygonDrucken(alt, QStringLiteral("ATS"), neben, mark, QStringLiteral("1 l"), QStringLiteral("statt 24,60"),
                      12, vp, 110, 150, 85, {.winkel = 0}, aus);

  for (const char* ecke : {"LO", "RO", "LU", "RU"}) {
    const bool rechts = ecke[0] == 'R', unten = ecke[1] == 'U';
    RahmenZeichnen(rechts ? 205 : 5, unten ? 292 : 5, 15, 2, QString::fromLatin1(ecke), vp);
  }
  PolygonZeichnen(8, 235, 194, 10, vp, kSchwarz, 0, 1, kGelb, 0);
  RasterZeichnen(210, 297, vp, 10, 1);
}

void BM_SeiteAufzeichnenUndMalen(benchmark::State& state) {
  schriftenSetzen();
  VSPrinter vp;
  for (auto _ : state) {
    seiteAufzeichnen(vp);
    const QImage bild = kesto::activex::renderPageImage(vp.pages().back(), 150);
    benchmark::DoNotOptimize(bild.constBits());
  }
  state.SetLabel("A4 at 150 dpi");
}
BENCHMARK(BM_SeiteAufzeichnenUndMalen)->Unit(benchmark::kMillisecond);

// Recording alone, to tell the layout routines from the painting.
void BM_SeiteAufzeichnen(benchmark::State& state) {
  schriftenSetzen();
  VSPrinter vp;
  for (auto _ : state) {
    seiteAufzeichnen(vp);
    benchmark::DoNotOptimize(vp.pages().back().ops.size());
  }
  state.counters["ops"] = static_cast<double>(vp.pages().back().ops.size());
}
BENCHMARK(BM_SeiteAufzeichnen)->Unit(benchmark::kMillisecond);

}  // namespace
