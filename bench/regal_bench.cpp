// The shelf-label redraw the main window's countdown starts: 50 queued labels against a
// local server, one bar-code request per label. Target: well below the countdown's 500 ms.
#include "Hauptfenster.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Regalbeschriftung.h"
#include "Warteschlange.h"
#include "frmRegalBesch.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

// The window tests' environment, started once: a logged-in main window and the server.
class Umfeld : public vovida::test::Hauptfenster {
 public:
  void TestBody() override {}
  void starten(int etiketten) {
    SetUp();
    vovida::RegalschildEinrichten();
    anmelden("SCHILD");
    vovida::frmRegalBesch& e = vovida::FormHolen<vovida::frmRegalBesch>();
    for (int i = 0; i < etiketten; ++i) {
      // Ten demo articles, each listed five times, as a long shelf would list them.
      const QString nr = QString::number(100001 + i % 10);
      vovida::WarteschlangeSchreiben(nr, vovida::kBezeichnung1, QStringLiteral("Artikel ") + nr);
      vovida::WarteschlangeSchreiben(nr, vovida::kPreis, QStringLiteral("12,50"));
      e.ArtNr->addItem(nr);
    }
  }
  void beenden() { TearDown(); }
};

void BM_RegalschilderDrucken(benchmark::State& state) {
  for (auto _ : state) vovida::RegalschilderDrucken();
  state.counters["Seiten"] = vovida::fensterliste().holen<vovida::FMStart>().VSPrinter1.PageCount();
}
BENCHMARK(BM_RegalschilderDrucken)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A registry and data of its own, never the user's.
  const std::filesystem::path wurzel =
      std::filesystem::temp_directory_path() / ("regal-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(wurzel);
  ::setenv("KESTO_ROOT", wurzel.c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  Umfeld u;
  u.starten(50);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  u.beenden();
  std::filesystem::remove_all(wurzel);
  return 0;
}
