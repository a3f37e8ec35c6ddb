#include "FlatColour.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Result {
  std::int32_t ok = 0;
  std::int32_t count = 0;
  std::uint8_t** states = nullptr;
  std::uint8_t** attributes = nullptr;
  ~Result() { NewSyntaxColorFree(count, states, attributes); }
};

struct Lines {
  explicit Lines(std::vector<std::u16string> l) : text(std::move(l)) {
    for (const auto& t : text) {
      lengths.push_back(static_cast<std::uint16_t>(t.size()));
      pointers.push_back(t.data());
    }
  }
  void colour(Result& r, std::int32_t minLines, const std::uint8_t* const* stored = nullptr) {
    r.ok = NewSyntaxColor(0, static_cast<std::int32_t>(text.size()), minLines, lengths.data(), pointers.data(),
                          stored, &r.count, &r.states, &r.attributes);
  }
  std::vector<std::u16string> text;
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> pointers;
};

std::vector<std::uint8_t> state(std::initializer_list<std::uint8_t> kinds) {
  std::vector<std::uint8_t> b{static_cast<std::uint8_t>(kinds.size()), 0};
  b.insert(b.end(), kinds);
  return b;
}

TEST(FlatColour, ColoursEveryCharacterAndGivesStartStates) {
  Lines lines({u"LBL(a,b) PUBLIC {", u" if a {", u"  S X=1", u" }", u" }", u""});
  Result r;
  lines.colour(r, 1);
  ASSERT_EQ(r.ok, 1);
  ASSERT_EQ(r.count, 6);
  const std::vector<std::vector<std::uint8_t>> expected = {state({}), state({1}), state({1, 5}), state({1, 5}),
                                                           state({1}), state({})};
  for (int i = 0; i < 6; ++i) {
    std::vector<std::uint8_t> got(r.states[i], r.states[i] + 2 + r.states[i][0]);
    EXPECT_EQ(got, expected[static_cast<std::size_t>(i)]) << "line " << i;
  }
  EXPECT_EQ(r.attributes[0][0], 3);  // label
  EXPECT_EQ(r.attributes[2][2], 5);  // command
  EXPECT_EQ(r.attributes[5][0], 0);  // an empty line still gets its 2 bytes
}

TEST(FlatColour, StopsAtTheFirstRepeatAfterTheMinimum) {
  Lines lines({u" S X=1", u" S Y=2", u" S Z=3", u" W X"});
  Result first;
  lines.colour(first, 1);
  ASSERT_EQ(first.count, 4);
  Result again;
  lines.colour(again, 2, first.states);
  EXPECT_EQ(again.ok, 1);
  EXPECT_EQ(again.count, 2);
}

TEST(FlatColour, ResumesInsideABlockFromAStoredState) {
  Lines lines({u"  S X=1", u" }"});
  auto stored = state({5});
  const std::uint8_t* states[] = {stored.data(), nullptr};
  Result r;
  lines.colour(r, 2, states);
  ASSERT_EQ(r.count, 2);
  EXPECT_EQ(r.states[1][0], 1);
  EXPECT_EQ(r.attributes[1][1], 42);  // the brace closes the block instead of an error
}

TEST(FlatColour, BlockCommentOverLinesGivesNullStates) {
  Lines lines({u" S X=1 /* a", u" b */ S Y=2", u" W X"});
  Result r;
  lines.colour(r, 3);
  ASSERT_EQ(r.count, 3);
  EXPECT_EQ(r.states[1][0], 0xFF);
  EXPECT_EQ(r.states[1][1], 0xFF);
  EXPECT_EQ(r.attributes[1][1], 7);
}

// No lines at all, with or without arrays: a call that colours nothing and succeeds.
TEST(FlatColour, NoLinesColourNothing) {
  std::uint16_t length = 0;
  const char16_t* text = u"";
  for (const bool arrays : {true, false}) {
    Result r;
    r.ok = NewSyntaxColor(0, 0, 1, arrays ? &length : nullptr, arrays ? &text : nullptr, nullptr, &r.count,
                          &r.states, &r.attributes);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.count, 0);
  }
}

TEST(FlatColour, RejectsBadArgumentsAndLeavesOutputsEmpty) {
  Result r;
  std::uint16_t length = 3;
  r.ok = NewSyntaxColor(0, -1, 0, &length, nullptr, nullptr, &r.count, &r.states, &r.attributes);
  EXPECT_EQ(r.ok, 0);
  EXPECT_EQ(r.states, nullptr);
  r.ok = NewSyntaxColor(0, 1, 0, &length, nullptr, nullptr, &r.count, &r.states, &r.attributes);
  EXPECT_EQ(r.ok, 0);
  EXPECT_EQ(r.count, 0);
}

// Random and mutated lines never crash, hang or read out of bounds; every line is coloured.
TEST(FlatColour, GarbageLinesAreColouredSafely) {
  const std::u16string seeds[] = {u" S X=$P(A,\",\",2) W !,X", u"LBL(a) { if a { Q 1 } }", u" F I=1:1:10 D X^Y(.A)",
                                  u" S ^G(\"a\",1)=$$F^R(@X@(1))", u" I X?1N.A W \"\"\"\" ;c"};
  const char16_t alphabet[] = u" \t.^@\"($%'-+),;*/#\\_=<>[]&!?:|{}~aZ19\u00e9";
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::u16string> text;
    for (int l = 0; l < 4; ++l) {
      std::u16string line = seeds[random() % std::size(seeds)];
      const int edits = static_cast<int>(random() % 8);
      for (int e = 0; e < edits; ++e) {
        const char16_t c = alphabet[random() % (std::size(alphabet) - 1)];
        const std::size_t at = random() % (line.size() + 1);
        if (random() % 2 && at < line.size()) line[at] = c;
        else line.insert(at, 1, c);
      }
      if (random() % 10 == 0) line = std::u16string(random() % 40, alphabet[random() % 10]);
      text.push_back(line);
    }
    Lines lines(text);
    Result r;
    lines.colour(r, 4);
    ASSERT_EQ(r.ok, 1);
    ASSERT_EQ(r.count, 4);
    for (int i = 0; i < 4; ++i)
      for (std::size_t c = 0; c < text[static_cast<std::size_t>(i)].size(); ++c) ASSERT_LE(r.attributes[i][c], 43);
  }
}

}  // namespace

// Attribute words as the scanner keeps them: this language's attribute in the low byte,
// the embedded languages mapped to their fixed attribute, other languages to none.
TEST(FlatColour, MapsAttributeWordsToAttributes) {
  const struct {
    std::uint16_t word;
    std::uint8_t attribute;
  } cases[] = {
      {0x0405, 5},   // language 1: its own attribute
      {0x0400, 0},   // an error
      {0x0518, 24},  // an attribute above the low byte keeps its low byte
      {0x0803, 9},   // language 2 is SQL
      {0x1407, 29},  // language 5 is HTML
      {0x0C05, 0},   // language 3 has no fixed attribute
      {0x0005, 0},   // language 0 neither
  };
  std::vector<std::uint16_t> words;
  std::vector<std::uint8_t> expected;
  for (const auto& c : cases) {
    words.push_back(c.word);
    expected.push_back(c.attribute);
  }
  std::vector<std::uint8_t> out(words.size(), 0xEE);
  kesto::zentrel::attributesOf(words.data(), words.size(), out.data());
  EXPECT_EQ(out, expected);
  // Lines of every length up to a few steps of eight, from every start: each character is
  // mapped alone, and nothing past the count is written.
  for (std::size_t first = 0; first < std::size(cases); ++first)
    for (std::size_t count = 0; count <= 27; ++count) {
      std::vector<std::uint16_t> line;
      std::vector<std::uint8_t> want;
      for (std::size_t i = 0; i < count; ++i) {
        line.push_back(words[(first + i * 3) % words.size()]);
        want.push_back(expected[(first + i * 3) % words.size()]);
      }
      std::vector<std::uint8_t> got(count + 1, 0xEE);
      kesto::zentrel::attributesOf(line.data(), count, got.data());
      want.push_back(0xEE);
      EXPECT_EQ(got, want) << "count " << count << " from " << first;
    }
}
