// Lines coloured per second by the flat colouring entry over a generated routine file.
#include "FlatColour.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> generatedRoutine(int lines) {
  const std::u16string body[] = {
      u" S X=$P(A,\",\",2),Y=X+1*3 W !,\"Total: \",Y",
      u" I X?1N.N D LBL^RTN(X,.Y) Q:Y=\"\"  S ^G(\"a\",X)=$$F^R(@Z@(1))",
      u" F I=1:1:10 S A(I)=$G(B(I),0)_\"x\" ; count",
      u" . . K A,B N C S C=$O(^G(\"a\",\"\"))",
  };
  std::vector<std::u16string> out;
  out.reserve(static_cast<std::size_t>(lines));
  for (int i = 0; i < lines; ++i)
    out.push_back(i % 50 == 0 ? u"LBL" + std::u16string(1, static_cast<char16_t>(u'A' + i / 50 % 26)) + u" ;entry"
                              : body[i % 4]);
  return out;
}

void BM_ColourRoutine(benchmark::State& state) {
  const auto text = generatedRoutine(static_cast<int>(state.range(0)));
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> pointers;
  for (const auto& t : text) {
    lengths.push_back(static_cast<std::uint16_t>(t.size()));
    pointers.push_back(t.data());
  }
  for (auto _ : state) {
    std::int32_t count = 0;
    std::uint8_t** states = nullptr;
    std::uint8_t** attributes = nullptr;
    NewSyntaxColor(0, static_cast<std::int32_t>(text.size()), static_cast<std::int32_t>(text.size()), lengths.data(),
                   pointers.data(), nullptr, &count, &states, &attributes);
    NewSyntaxColorFree(count, states, attributes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColourRoutine)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
