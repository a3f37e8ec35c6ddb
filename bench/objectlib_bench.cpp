// Round trips per second of a property read against the stand-in server on loopback, next
// to a raw TCP ping-pong over the same loopback in the same run; prints their ratio.
//
//   objectlib_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>

#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "objproto/Server.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>

// Allocations made on the benchmark's own thread (the server threads are not counted).
thread_local bool g_counting = false;
thread_local long g_allocations = 0;

void* operator new(std::size_t n) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Sizes of a property read of "Bez3" on the wire (length prefix included).
constexpr std::size_t kPingBytes = 80;
constexpr std::size_t kPongBytes = 110;

class DemoServer {
 public:
  DemoServer()
      : folder_(std::filesystem::temp_directory_path() /
                ("objectlib-bench-" + std::to_string(::getpid()))) {
    kesto::server::demo::prepareDataFolder(folder_, true, {"2024-03-01", ""});
    kesto::server::objproto::ServerOptions options;
    options.port = 0;
    options.dataFolder = folder_;
    server_ = std::make_unique<kesto::server::objproto::ObjectServer>(
        options, kesto::server::commands::serverCatalog());
    server_->start();
  }
  ~DemoServer() {
    server_->stop();
    std::filesystem::remove_all(folder_);
  }
  std::uint16_t port() const { return server_->port(); }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<kesto::server::objproto::ObjectServer> server_;
};

bool sendAll(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t k = ::send(fd, p, n, MSG_NOSIGNAL);
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

bool recvAll(int fd, char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t k = ::recv(fd, p, n, 0);
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

// A loopback echo peer answering each ping with a pong, one thread per run.
class PongPeer {
 public:
  PongPeer() {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listen_, 1) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
      throw std::runtime_error("loopback listener failed");
    client_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(client_, reinterpret_cast<sockaddr*>(&addr), len) != 0)
      throw std::runtime_error("loopback connect failed");
    const int peer = ::accept(listen_, nullptr, nullptr);
    const int one = 1;
    ::setsockopt(client_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ::setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    thread_ = std::thread([peer] {
      char ping[kPingBytes];
      char pong[kPongBytes] = {};
      while (recvAll(peer, ping, sizeof ping) && sendAll(peer, pong, sizeof pong)) {
      }
      ::close(peer);
    });
  }
  ~PongPeer() {
    ::shutdown(client_, SHUT_RDWR);
    thread_.join();
    ::close(client_);
    ::close(listen_);
  }
  bool roundTrip() {
    char ping[kPingBytes] = {};
    char pong[kPongBytes];
    return sendAll(client_, ping, sizeof ping) && recvAll(client_, pong, sizeof pong);
  }

 private:
  int listen_ = -1;
  int client_ = -1;
  std::thread thread_;
};

void BM_RawPingPong(benchmark::State& state) {
  PongPeer peer;
  for (auto _ : state)
    if (!peer.roundTrip()) state.SkipWithError("ping-pong failed");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RawPingPong)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_PropertyRead(benchmark::State& state) {
  static DemoServer server;
  kesto::automation::Dispatch factory(kesto::object::Factory::create());
  const std::string address = "cn_iptcp:127.0.0.1[" + std::to_string(server.port()) + "]:Ferrix";
  factory.call("Connect", address);
  {
    kesto::automation::Dispatch article(
        factory.call("OpenId", "FRX.ArtHaupt1", "1||100030").dispatch());
    // Late bound as a caller does it: the name once, then Invoke by dispatch identifier.
    OLECHAR name[] = u"Bez3";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    article.object()->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    DISPPARAMS none{};
    VARIANT value;
    VariantInit(&value);
    long reads = 0;
    g_allocations = 0;
    for (auto _ : state) {
      // "Bez3" is not prefetched: every read is one request 5.
      g_counting = true;
      const HRESULT hr = article.object()->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                                  &value, nullptr, nullptr);
      g_counting = false;
      if (FAILED(hr)) state.SkipWithError("read failed");
      VariantClear(&value);
      ++reads;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_read"] = reads ? static_cast<double>(g_allocations) / reads : 0;
    article.call("SYS_Close");
  }
  factory.call("Disconnect");
}
BENCHMARK(BM_PropertyRead)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Keeps the round-trip rate of each benchmark to print their ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions (best interleaved: the machine's load changes) the median counts.
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !median) continue;
      const auto it = run.counters.find("items_per_second");
      if (it == run.counters.end()) continue;
      const std::string& name = run.run_name.function_name;
      if (median || !medians.count(name)) rates[name] = it->second.value;
      if (median) medians.insert(name);
    }
  }
  std::map<std::string, double> rates;
  std::set<std::string> medians;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto raw = reporter.rates.find("BM_RawPingPong");
  const auto read = reporter.rates.find("BM_PropertyRead");
  if (raw != reporter.rates.end() && read != reporter.rates.end() && raw->second > 0)
    std::printf("property read / raw ping-pong: %.0f / %.0f round trips/s = %.2f\n", read->second,
                raw->second, read->second / raw->second);
  benchmark::Shutdown();
  return 0;
}
