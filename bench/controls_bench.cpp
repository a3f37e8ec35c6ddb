// The list control over a real server: a dynamic SQL result of 50 000 and 100 000 rows run
// into the list, headless and in an offscreen report view; the first 50 rows up to their
// repaint; GetData at random rows; a page down in the view.
//
// Targets: first 50 rows painted within 100 ms; 100 000 rows at most 2.2 times the time of
// 50 000; GetData under 1 ms; a page down under 16 ms.
#include <controls/list/KestoList.h>

#include <activex/control/ListView.h>
#include <automation/Dispatch.h>

#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "objproto/Server.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <random>

#include <unistd.h>

namespace {

using namespace kesto;
using automation::Arg;
using automation::Dispatch;

std::string rowsSql(long n) {
  return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(n) +
         ") SELECT '1||' || i AS ID, 'Zeile ' || i AS Text, i AS Nr FROM n";
}

class Fixture {
 public:
  static Fixture& get() {
    static Fixture f;
    return f;
  }
  std::string address() const { return "cn_iptcp:127.0.0.1[" + std::to_string(server_->port()) + "]:Ferrix"; }
  ~Fixture() {
    server_->stop();
    std::filesystem::remove_all(folder_);
  }

 private:
  Fixture() {
    folder_ = std::filesystem::temp_directory_path() / ("controls-bench-" + std::to_string(::getpid()));
    server::demo::prepareDataFolder(folder_, true, {"2024-03-01", ""});
    server::objproto::ServerOptions options;
    options.port = 0;
    options.dataFolder = folder_;
    server_ = std::make_unique<server::objproto::ObjectServer>(options, server::commands::serverCatalog());
    server_->start();
  }
  std::filesystem::path folder_;
  std::unique_ptr<server::objproto::ObjectServer> server_;
};

// A connected list in user mode, headless or in a shown offscreen window.
struct ListUnderTest {
  explicit ListUnderTest(bool windowed) : site(true, u"KestoList1", windowed ? &host : nullptr) {
    list = controls::CKestoListCtrl::create();
    list->SetSite(&site);
    list->SetBounds(QRect(0, 0, 640, 400));
    if (windowed) {
      host.resize(640, 400);
      host.show();
    }
    list->CreateControlWindow(1);
    d = Dispatch(static_cast<IDispatch*>(list.get()));
    if (!d.call("Connect", Fixture::get().address()).toBool()) throw std::runtime_error("no server");
  }
  void prepare(long rows) {
    d.call("Clear");
    d.call("DynamicSQL", rowsSql(rows));
  }
  void run() {
    d.call("ClearData");
    d.call("Run");
  }

  QWidget host;
  activex::SimpleSite site;
  automation::ComPtr<controls::CKestoListCtrl> list;
  Dispatch d;
};

void runRows(benchmark::State& state, bool windowed) {
  ListUnderTest t(windowed);
  t.prepare(state.range(0));
  for (auto _ : state) t.run();
  state.counters["rows"] = static_cast<double>(t.d.call("GetIndexCount").toInt32());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RunHeadless(benchmark::State& state) { runRows(state, false); }
void BM_RunOffscreen(benchmark::State& state) { runRows(state, true); }
BENCHMARK(BM_RunHeadless)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RunOffscreen)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Execute, fetch 51 rows, repaint after the 50th (MinToDisplay 50): what the user waits for.
void BM_FirstRowsPainted(benchmark::State& state) {
  ListUnderTest t(state.range(0) != 0);
  t.prepare(50000);
  t.d.put("MaxToDisplay", std::int32_t{51});
  for (auto _ : state) t.run();
  state.counters["refreshes"] = t.list->listView()->refreshCount();
}
BENCHMARK(BM_FirstRowsPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GetDataRandomRow(benchmark::State& state) {
  ListUnderTest t(true);
  t.prepare(50000);
  t.run();
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> row(1, 50000);
  std::uniform_int_distribution<int> column(1, 3);
  for (auto _ : state)
    benchmark::DoNotOptimize(t.d.call("GetData", row(random), static_cast<std::int16_t>(column(random))));
}
BENCHMARK(BM_GetDataRandomRow)->Unit(benchmark::kMicrosecond);

void BM_PageDownInTheView(benchmark::State& state) {
  ListUnderTest t(true);
  t.prepare(50000);
  t.run();
  QTreeView* view = t.list->listView()->view();
  view->setFocus();
  view->setCurrentIndex(view->model()->index(0, 0));
  QApplication::processEvents();
  for (auto _ : state) {
    QTest::keyClick(view, Qt::Key_PageDown);
    view->viewport()->repaint();  // the page as the user sees it
    if (view->currentIndex().row() > 49000) {
      state.PauseTiming();
      view->setCurrentIndex(view->model()->index(0, 0));
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_PageDownInTheView)->Unit(benchmark::kMillisecond);

}  // namespace
