// Round trips per second of a property read against the stand-in server on loopback.
#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>

#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "objproto/Server.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

namespace {

void BM_PropertyRead(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("objectlib-bench-" + std::to_string(::getpid()));
  kesto::server::demo::prepareDataFolder(folder, true, {"2024-03-01", ""});
  kesto::server::objproto::ServerOptions options;
  options.port = 0;
  options.dataFolder = folder;
  kesto::server::objproto::ObjectServer server(options, kesto::server::commands::serverCatalog());
  server.start();
  {
    kesto::automation::Dispatch factory(kesto::object::Factory::create());
    const std::string address =
        "cn_iptcp:127.0.0.1[" + std::to_string(server.port()) + "]:Ferrix";
    factory.call("Connect", address);
    kesto::automation::Dispatch article(factory.call("OpenId", "FRX.ArtHaupt1", "1||100030").dispatch());
    for (auto _ : state) {
      // "Bez3" is not prefetched: every read is one request 5.
      benchmark::DoNotOptimize(article.get("Bez3"));
    }
    state.SetItemsProcessed(state.iterations());
    article.call("SYS_Close");
  }
  server.stop();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PropertyRead)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
