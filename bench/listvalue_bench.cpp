// Throughput of the list-value codec: building request bodies and reading replies.
#include <kestoobject/ListReaders.h>
#include <kestoobject/ListValue.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace kesto::object;

constexpr std::size_t kBody = 65536;

// Fills a 64 KB body with elements of the given data size, as a request would.
void BM_EncodeText(benchmark::State& state) {
  const std::string data(static_cast<std::size_t>(state.range(0)), 'x');
  std::vector<std::uint8_t> body(kBody);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::size_t used = 0;
    while (std::size_t n = ListEncodeItem(body.data() + used, kBody - used, data.data(),
                                          data.size(), kListNarrow))
      used += n;
    bytes += used;
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_EncodeText)->Arg(8)->Arg(200)->Arg(4000);

void BM_EncodeInteger(benchmark::State& state) {
  std::vector<std::uint8_t> body(kBody);
  std::int64_t items = 0;
  for (auto _ : state) {
    std::size_t used = 0;
    std::int32_t value = -70000;
    while (std::size_t n = ListEncodeInteger(body.data() + used, kBody - used, value)) {
      used += n;
      value += 37;
      ++items;
    }
    benchmark::DoNotOptimize(body.data());
  }
  state.SetItemsProcessed(items);
}
BENCHMARK(BM_EncodeInteger);

std::vector<std::uint8_t> replyOf(bool numbers) {
  std::vector<std::uint8_t> reply(kBody);
  std::size_t used = 0;
  const std::string text = "Fliesenkleber flexibel 25 kg";
  for (std::int32_t i = 0;; ++i) {
    const std::size_t n =
        numbers ? ListEncodeInteger(reply.data() + used, kBody - used, i * 1013 - 500000)
                : ListEncodeItem(reply.data() + used, kBody - used, text.data(), text.size(),
                                 kListNarrow);
    if (n == 0) break;
    used += n;
  }
  reply.resize(used);
  return reply;
}

// Reads a 64 KB reply element by element into a decode buffer.
void BM_DecodeReply(benchmark::State& state) {
  const std::vector<std::uint8_t> reply = replyOf(state.range(0) != 0);
  std::vector<std::uint8_t> out(kBody);
  for (auto _ : state) {
    const std::uint8_t* p = reply.data();
    const std::uint8_t* end = p + reply.size();
    while (p < end) {
      std::size_t length;
      int type;
      p = ListDecodeItem(p, end, out.data(), out.size(), length, type);
      benchmark::DoNotOptimize(length);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_DecodeReply)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
