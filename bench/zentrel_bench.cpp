// Lines coloured per second by the flat colouring entry over a generated routine file.
#include "FlatColour.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// The routines of a folder given by ZENTREL_CORPUS (each file's lines, one byte a character).
std::vector<std::vector<std::u16string>> corpusFiles() {
  std::vector<std::vector<std::u16string>> files;
  const char* folder = std::getenv("ZENTREL_CORPUS");
  if (!folder || !std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".m") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::u16string> lines(1);
    for (char c : bytes) {
      if (c == '\n') lines.emplace_back();
      else if (c != '\r') lines.back() += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    files.push_back(std::move(lines));
  }
  return files;
}

void BM_ColourCorpus(benchmark::State& state) {
  static const auto files = corpusFiles();
  if (files.empty()) {
    state.SkipWithError("set ZENTREL_CORPUS to a folder of routine files");
    return;
  }
  std::int64_t lines = 0;
  for (auto _ : state) {
    for (const auto& file : files) {
      std::vector<std::uint16_t> lengths;
      std::vector<const char16_t*> pointers;
      for (const auto& t : file) {
        lengths.push_back(static_cast<std::uint16_t>(t.size()));
        pointers.push_back(t.data());
      }
      const auto n = static_cast<std::int32_t>(file.size());
      std::int32_t count = 0;
      std::uint8_t** states = nullptr;
      std::uint8_t** attributes = nullptr;
      NewSyntaxColor(0, n, n, lengths.data(), pointers.data(), nullptr, &count, &states, &attributes);
      NewSyntaxColorFree(count, states, attributes);
      lines += n;
    }
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColourCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
