#include "CorpusRoutines.h"

#include <Parser/LineState.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace kesto::zentrel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::u16string>;

// Characters an edit puts in: the language's punctuation, blanks, letters and digits.
const std::u16string kEditCharacters = u" \t ;.$^@()_,:=+-*/#&!'?[]{}|<>%\"\\~aAbZzIiRr019xX";

// Random edits: characters put in, taken out or replaced, lines doubled or cut and joined.
void mutate(Lines& lines, std::mt19937& random, int edits) {
  for (int e = 0; e < edits && !lines.empty(); ++e) {
    std::u16string& line = lines[random() % lines.size()];
    const char16_t c = kEditCharacters[random() % kEditCharacters.size()];
    switch (line.empty() ? 0 : random() % 5) {
      case 0: line.insert(line.begin() + static_cast<std::ptrdiff_t>(random() % (line.size() + 1)), c); break;
      case 1: line.erase(random() % line.size(), 1 + random() % 3); break;
      case 2: line[random() % line.size()] = c; break;
      case 3: lines.insert(lines.begin() + random() % lines.size(), lines[random() % lines.size()]); break;
      default: line = line.substr(0, random() % (line.size() + 1)) + lines[random() % lines.size()].substr(0, 20);
    }
  }
}

struct Colouring {
  std::vector<std::vector<std::uint8_t>> states, attributes;
};

// Colours `lines` from `first` on, resuming from `stored` when given.
Colouring colour(bool mac, const Lines& lines, std::size_t first, std::int32_t minLines,
                 const std::vector<std::vector<std::uint8_t>>* stored) {
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> texts;
  std::vector<const std::uint8_t*> from;
  for (std::size_t i = first; i < lines.size(); ++i) {
    lengths.push_back(static_cast<std::uint16_t>(lines[i].size()));
    texts.push_back(lines[i].data());
    if (stored) from.push_back(i < stored->size() ? (*stored)[i].data() : nullptr);
  }
  testing::FlatResult r;
  r.ok = NewSyntaxColor(mac, static_cast<std::int32_t>(lengths.size()), minLines, lengths.data(), texts.data(),
                        stored ? from.data() : nullptr, &r.count, &r.states, &r.attributes);
  EXPECT_EQ(r.ok, 1);
  Colouring c;
  for (std::int32_t i = 0; i < r.count; ++i) {
    const std::uint8_t* s = r.states[i];
    c.states.emplace_back(s, s + (isNullBlock(s) ? 2 : 2 + std::size_t{blockLength(s)}));
    c.attributes.emplace_back(r.attributes[i], r.attributes[i] + lengths[static_cast<std::size_t>(i)] + 2);
  }
  return c;
}

// FNV-1a over every block of a colouring, each block closed by its length.
void add(std::uint64_t& h, const Colouring& c) {
  for (const auto* blocks : {&c.states, &c.attributes})
    for (const auto& block : *blocks) {
      for (std::uint8_t b : block) h = (h ^ b) * 1099511628211ull;
      h = (h ^ block.size()) * 1099511628211ull;
    }
}

// The test routines, mutated at random in a repeatable way, coloured whole in both routine
// modes and again after one-line edits from the stored start states: every state and every
// attribute byte stays as recorded (a digest per routine and mode). Set
// ZENTREL_MUTATED_RECORD to a file name to write the digests found.
TEST(MutatedRoutines, ColourAsRecorded) {
  std::vector<fs::path> files;
  for (const char* folder : {"routines", "golden"})
    for (const auto& entry : fs::directory_iterator(fs::path(ZENTREL_TESTS) / folder))
      if (entry.path().extension() == ".m") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  std::map<std::string, std::uint64_t> recorded;
  {
    std::ifstream in(fs::path(ZENTREL_TESTS) / "mutated_digests.txt");
    std::string name;
    std::uint64_t digest = 0;
    while (in >> name >> digest) recorded[name] = digest;
  }
  std::mt19937 random(34);
  std::ostringstream found;
  for (const auto& file : files) {
    const Lines original = testing::routineLines(file);
    for (const bool mac : {false, true}) {
      std::uint64_t h = 14695981039346656037ull;
      for (int variant = 0; variant < 6; ++variant) {
        Lines lines = original;
        mutate(lines, random, 1 + variant * static_cast<int>(lines.size()) / 10);
        const Colouring whole = colour(mac, lines, 0, static_cast<std::int32_t>(lines.size()), nullptr);
        add(h, whole);
        for (int edit = 0; edit < 2 && !lines.empty(); ++edit) {
          const std::size_t at = random() % lines.size();
          Lines edited = lines;
          mutate(edited, random, 1);
          edited.resize(lines.size(), u"");
          add(h, colour(mac, edited, at, 1, &whole.states));
        }
      }
      const std::string name = file.parent_path().filename().string() + "/" + file.filename().string() +
                               (mac ? "#mac" : "#int");
      found << name << " " << h << "\n";
      const auto known = recorded.find(name);
      if (known == recorded.end()) ADD_FAILURE() << name << " has no recorded digest";
      else EXPECT_EQ(h, known->second) << name << " is coloured differently from the recorded colouring";
    }
  }
  if (const char* record = std::getenv("ZENTREL_MUTATED_RECORD")) std::ofstream(record) << found.str();
}

}  // namespace
}  // namespace kesto::zentrel
