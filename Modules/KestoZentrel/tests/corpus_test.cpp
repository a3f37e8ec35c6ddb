#include "CorpusRoutines.h"

#include <Parser/LineState.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>

namespace kesto::zentrel {
namespace {

namespace fs = std::filesystem;

// Error lines per routine as recorded in corpus_errors.txt ("name count" per line).
std::map<std::string, int> recordedErrors() {
  std::map<std::string, int> recorded;
  std::ifstream in(fs::path(ZENTREL_TESTS) / "corpus_errors.txt");
  std::string name;
  int count = 0;
  while (in >> name >> count) recorded[name] = count;
  return recorded;
}

// The routines of the packaged system colour completely, every array has the line's length
// plus two bytes and every start state is well formed; the number of lines holding an error
// attribute per file must not grow over the recorded count. Set ZENTREL_CORPUS_RECORD to a
// file name to write the counts found.
TEST(CorpusRoutines, ColourCompletelyAndKeepTheirErrorCounts) {
  const fs::path folder = fs::temp_directory_path() / ("zentrel-corpus-" + std::to_string(::getpid()));
  const auto files = testing::corpusRoutines(folder);
  if (files.empty()) {
    fs::remove_all(folder);
    GTEST_SKIP() << "the fis-gtm routines could not be downloaded (apt-get download fis-gtm-7.0)";
  }
  const auto recorded = recordedErrors();
  std::ostringstream found;
  int better = 0;
  for (const auto& file : files) {
    const auto lines = testing::routineLines(file);
    testing::FlatResult result;
    testing::colourFlat(lines, result);
    const std::string name = (file.parent_path().filename() / file.filename()).string();
    ASSERT_EQ(result.ok, 1) << name;
    ASSERT_EQ(result.count, static_cast<std::int32_t>(lines.size())) << name;
    int errorLines = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::uint8_t* state = result.states[i];
      ASSERT_NE(state, nullptr) << name << ":" << i + 1;
      if (!isNullBlock(state)) {
        for (int b = 0; b < blockLength(state); ++b)
          EXPECT_TRUE(state[2 + b] >= 1 && state[2 + b] <= 9) << name << ":" << i + 1;
      }
      const std::uint8_t* attributes = result.attributes[i];
      bool error = false;
      for (std::size_t c = 0; c < lines[i].size(); ++c) error = error || attributes[c] == 0;
      errorLines += error;
    }
    found << name << " " << errorLines << "\n";
    const auto it = recorded.find(name);
    if (it == recorded.end()) continue;
    EXPECT_LE(errorLines, it->second) << name << " has more error lines than recorded";
    better += errorLines < it->second;
  }
  if (const char* record = std::getenv("ZENTREL_CORPUS_RECORD")) std::ofstream(record) << found.str();
  if (better) std::cout << better << " routines now have fewer error lines than recorded\n";
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kesto::zentrel
