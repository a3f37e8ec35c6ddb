// The colouring of a varied set of routines must stay exactly as recorded: every start
// state and every attribute byte of a full colouring in both modes, and of a recolouring
// after a one-line edit (whose line count shows that it stays bounded). Set
// ZENTREL_GOLDEN_RECORD to a file name to write what the code gives now.
#include "CorpusRoutines.h"
#include "Harness.h"

#include <Parser/LineState.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kesto::zentrel {
namespace {

namespace fs = std::filesystem;

struct Call {
  std::int32_t ok = 0;
  testing::FlatResult result;
};

void colour(bool mac, const std::vector<std::u16string>& lines, std::size_t from,
            const std::vector<const std::uint8_t*>& stored, std::int32_t minLines, Call& call) {
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> texts;
  for (std::size_t i = from; i < lines.size(); ++i) {
    lengths.push_back(static_cast<std::uint16_t>(lines[i].size()));
    texts.push_back(lines[i].data());
  }
  call.ok = NewSyntaxColor(mac, static_cast<std::int32_t>(texts.size()), minLines, lengths.data(), texts.data(),
                           stored.empty() ? nullptr : stored.data() + from, &call.result.count, &call.result.states,
                           &call.result.attributes);
}

// One line per coloured line: its number, its start state in hex ("-" for the null state),
// and its attribute bytes (mask characters; bytes outside the alphabet as <n>).
void dump(std::ostream& out, const std::vector<std::u16string>& lines, std::size_t from, const Call& call) {
  out << "ok=" << call.ok << " count=" << call.result.count << "\n";
  for (std::int32_t i = 0; i < call.result.count; ++i) {
    const std::uint8_t* state = call.result.states[i];
    out << from + i + 1 << " ";
    if (isNullBlock(state)) {
      out << "-";
    } else {
      out << blockLength(state) << ":";
      for (int b = 0; b < blockLength(state); ++b) out << int{state[2 + b]};
    }
    out << " |";
    const std::uint8_t* attributes = call.result.attributes[i];
    for (std::size_t c = 0; c < lines[from + i].size() + 2; ++c) {
      if (attributes[c] < 44) out << testing::maskChar(attributes[c]);
      else out << "<" << int{attributes[c]} << ">";
    }
    out << "|\n";
  }
}

std::string colourAll() {
  std::vector<fs::path> files;
  for (const char* folder : {ZENTREL_TESTS "/routines", ZENTREL_TESTS "/golden"})
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".m") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::ostringstream out;
  for (const auto& file : files) {
    const auto lines = testing::routineLines(file);
    for (int mac : {0, 1}) {
      out << "== " << file.filename().string() << " mac=" << mac << "\n";
      Call full;
      colour(mac, lines, 0, {}, static_cast<std::int32_t>(lines.size()), full);
      dump(out, lines, 0, full);
      if (full.result.count != static_cast<std::int32_t>(lines.size())) continue;
      // An editor changes the line in the middle and recolours from there with the
      // states it keeps: at least one line, more only while states change.
      const std::size_t edited = lines.size() / 2;
      auto changed = lines;
      changed[edited] = u" S Q=1 W Q";
      std::vector<const std::uint8_t*> stored(full.result.states, full.result.states + full.result.count);
      Call again;
      colour(mac, changed, edited, stored, 1, again);
      out << "-- edit line " << edited + 1 << "\n";
      dump(out, changed, edited, again);
    }
  }
  return out.str();
}

TEST(GoldenColouring, StatesAndAttributesStayAsRecorded) {
  const std::string found = colourAll();
  if (const char* record = std::getenv("ZENTREL_GOLDEN_RECORD")) std::ofstream(record) << found;
  std::ifstream in(ZENTREL_TESTS "/golden/expected.txt", std::ios::binary);
  const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(expected.empty());
  // Line by line, so that a difference names its place.
  std::istringstream a(found), b(expected);
  std::string left, right, section;
  for (int line = 1;; ++line) {
    const bool more = static_cast<bool>(std::getline(a, left));
    const bool moreExpected = static_cast<bool>(std::getline(b, right));
    if (!more && !moreExpected) break;
    if (left.rfind("==", 0) == 0) section = left;
    ASSERT_EQ(left, right) << "line " << line << " of expected.txt, in " << section;
  }
}

}  // namespace
}  // namespace kesto::zentrel
