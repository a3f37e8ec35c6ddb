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

// Values per routine as recorded in a file of "name value" lines.
template <class T>
std::map<std::string, T> recorded(const char* file) {
  std::map<std::string, T> values;
  std::ifstream in(fs::path(ZENTREL_TESTS) / file);
  std::string name;
  T value{};
  while (in >> name >> value) values[name] = value;
  return values;
}

// FNV-1a over every start state and attribute byte of a colouring.
std::uint64_t digest(const std::vector<std::u16string>& lines, const testing::FlatResult& result) {
  std::uint64_t h = 14695981039346656037ull;
  auto add = [&](const std::uint8_t* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  };
  for (std::int32_t i = 0; i < result.count; ++i) {
    const std::uint8_t* state = result.states[i];
    add(state, isNullBlock(state) ? 2 : 2 + std::size_t{blockLength(state)});
    add(result.attributes[i], lines[static_cast<std::size_t>(i)].size() + 2);
  }
  return h;
}

// The routines of the packaged system colour completely, every array has the line's length
// plus two bytes and every start state is well formed; the number of lines holding an error
// attribute per file must not grow over the recorded count, and the states and attributes
// must stay exactly as recorded (a digest per file). Set ZENTREL_CORPUS_RECORD to a file
// name to write the counts found, ZENTREL_DIGEST_RECORD for the digests.
TEST(CorpusRoutines, ColourCompletelyAndKeepTheirErrorCounts) {
  const fs::path folder = fs::temp_directory_path() / ("zentrel-corpus-" + std::to_string(::getpid()));
  const auto files = testing::corpusRoutines(folder);
  if (files.empty()) {
    fs::remove_all(folder);
    GTEST_SKIP() << "the fis-gtm routines could not be downloaded (apt-get download fis-gtm-7.0)";
  }
  const auto errors = recorded<int>("corpus_errors.txt");
  const auto digests = recorded<std::uint64_t>("corpus_digests.txt");
  std::ostringstream found, foundDigests;
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
    const std::uint64_t d = digest(lines, result);
    foundDigests << name << " " << d << "\n";
    if (const auto known = digests.find(name); known != digests.end()) {
      EXPECT_EQ(d, known->second) << name << " is coloured differently from the recorded colouring";
    }
    const auto it = errors.find(name);
    if (it == errors.end()) continue;
    EXPECT_LE(errorLines, it->second) << name << " has more error lines than recorded";
    better += errorLines < it->second;
  }
  if (const char* record = std::getenv("ZENTREL_CORPUS_RECORD")) std::ofstream(record) << found.str();
  if (const char* record = std::getenv("ZENTREL_DIGEST_RECORD")) std::ofstream(record) << foundDigests.str();
  if (better) std::cout << better << " routines now have fewer error lines than recorded\n";
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kesto::zentrel
