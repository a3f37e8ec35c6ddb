// Lines coloured per second by the flat colouring entry: a generated routine, real routines
// (the folder ZENTREL_CORPUS names, else the routines of the tests) and a one-line edit
// recoloured from the stored start states.
#include "FlatColour.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Routine = std::vector<std::u16string>;

Routine generatedRoutine(int lines) {
  const std::u16string body[] = {
      u" S X=$P(A,\",\",2),Y=X+1*3 W !,\"Total: \",Y",
      u" I X?1N.N D LBL^RTN(X,.Y) Q:Y=\"\"  S ^G(\"a\",X)=$$F^R(@Z@(1))",
      u" F I=1:1:10 S A(I)=$G(B(I),0)_\"x\" ; count",
      u" . . K A,B N C S C=$O(^G(\"a\",\"\"))",
  };
  Routine out;
  out.reserve(static_cast<std::size_t>(lines));
  for (int i = 0; i < lines; ++i)
    out.push_back(i % 50 == 0 ? u"LBL" + std::u16string(1, static_cast<char16_t>(u'A' + i / 50 % 26)) + u" ;entry"
                              : body[i % 4]);
  return out;
}

// One colouring call over `lines` from `first` on, which must outlive it.
struct Call {
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> texts;

  Call(const Routine& lines, std::size_t first = 0) {
    for (std::size_t i = first; i < lines.size(); ++i) {
      lengths.push_back(static_cast<std::uint16_t>(lines[i].size()));
      texts.push_back(lines[i].data());
    }
  }
  // Answers the lines coloured.
  std::int32_t run(std::int32_t minLines, const std::uint8_t* const* stored = nullptr) const {
    std::int32_t count = 0;
    std::uint8_t** states = nullptr;
    std::uint8_t** attributes = nullptr;
    NewSyntaxColor(0, static_cast<std::int32_t>(lengths.size()), minLines, lengths.data(), texts.data(), stored,
                   &count, &states, &attributes);
    NewSyntaxColorFree(count, states, attributes);
    return count;
  }
};

void BM_ColourRoutine(benchmark::State& state) {
  const Routine lines = generatedRoutine(static_cast<int>(state.range(0)));
  const Call call(lines);
  const auto n = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) call.run(n);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColourRoutine)->Arg(10000)->Unit(benchmark::kMillisecond);

// The routine files under a folder (each file's lines, one byte a character), by name.
std::vector<Routine> routinesUnder(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".m") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  std::vector<Routine> files;
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Routine lines(1);
    for (char c : bytes) {
      if (c == '\n') lines.emplace_back();
      else if (c != '\r') lines.back() += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    files.push_back(std::move(lines));
  }
  return files;
}

std::filesystem::path corpusFolder() {
  const char* folder = std::getenv("ZENTREL_CORPUS");
  if (folder && std::filesystem::is_directory(folder)) return folder;
  return ZENTREL_TEST_ROUTINES;
}

void BM_ColourCorpus(benchmark::State& state) {
  static const std::filesystem::path folder = corpusFolder();
  static const std::vector<Routine> files = routinesUnder(folder);
  if (files.empty()) {
    state.SkipWithError("no routine files under the corpus folder");
    return;
  }
  std::vector<Call> calls(files.begin(), files.end());
  std::int64_t lines = 0;
  for (auto _ : state) {
    for (const auto& call : calls) {
      const auto n = static_cast<std::int32_t>(call.lengths.size());
      call.run(n);
      lines += n;
    }
  }
  state.SetLabel(folder.string());
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColourCorpus)->Unit(benchmark::kMillisecond);

// An editor's call after a one-line edit in the middle of a routine: the lines from the
// edit on, with the start states of the last colouring; it stops once the states repeat.
void BM_RecolourEdit(benchmark::State& state) {
  Routine lines = generatedRoutine(static_cast<int>(state.range(0)));
  const std::size_t edited = lines.size() / 2;
  std::vector<std::vector<std::uint8_t>> stored;
  {
    const Call whole(lines);
    std::int32_t count = 0;
    std::uint8_t** states = nullptr;
    std::uint8_t** attributes = nullptr;
    NewSyntaxColor(0, static_cast<std::int32_t>(lines.size()), static_cast<std::int32_t>(lines.size()),
                   whole.lengths.data(), whole.texts.data(), nullptr, &count, &states, &attributes);
    for (std::int32_t i = 0; i < count; ++i) {
      const std::size_t n = states[i][0] == 0xFF && states[i][1] == 0xFF ? 2 : 2 + states[i][0] + (states[i][1] << 8);
      stored.emplace_back(states[i], states[i] + n);
    }
    NewSyntaxColorFree(count, states, attributes);
  }
  lines[edited] += u",Z=1";
  const Call call(lines, edited);
  std::vector<const std::uint8_t*> from;
  for (std::size_t i = edited; i < stored.size(); ++i) from.push_back(stored[i].data());
  std::int64_t coloured = 0;
  for (auto _ : state) coloured += call.run(1, from.data());
  state.counters["lines"] = benchmark::Counter(static_cast<double>(coloured) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_RecolourEdit)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
