#include "LineTokenizer.h"

#include <gtest/gtest.h>

namespace kesto::kestocom {
namespace {

struct KindCase {
  std::u16string line;
  std::vector<std::uint16_t> kinds;
};

// Blanks are classed by the line grammar: line start 22, argument blank 3, command gap 5.
TEST(LineTokenizer, ClassifiesBlanksByTheLineGrammar) {
  const KindCase cases[] = {
      {u" S X=1 W X", {22, 8, 3, 8, 29, 9, 5, 8, 3, 8, 2}},
      {u" I  S Y=1", {22, 8, 5, 8, 3, 8, 29, 9, 2}},
      {u" Q ;c", {22, 8, 3, 23, 1, 2}},
      {u" . . S", {22, 10, 22, 10, 22, 8, 2}},
      {u"LBL(a, b) Q", {8, 14, 8, 21, 3, 8, 20, 22, 8, 2}},
      {u" W \"a b\"\"\"", {22, 8, 3, 13, 1, 13, 13, 13, 2}},
      {u" S x=1 /* c", {22, 8, 3, 8, 29, 9, 5, 25, 24, 1, 2}},
  };
  for (const auto& c : cases) {
    TokenizedLine out;
    tokenizeLine(c.line, false, out);
    std::vector<std::uint16_t> kinds;
    for (const auto& t : out.tokens) kinds.push_back(t.kind);
    EXPECT_EQ(kinds, c.kinds) << std::string(c.line.begin(), c.line.end());
  }
}

TEST(LineTokenizer, CarriedBlockCommentIsColouredAndSkipped) {
  TokenizedLine out;
  tokenizeLine(u" b */ S", true, out);
  EXPECT_TRUE(out.beganInComment);
  EXPECT_FALSE(out.endsInComment);
  EXPECT_EQ(out.words[0], attributeWord(7));
  EXPECT_EQ(out.tokens.front().begin, 5u);
}

// Runs, single characters and characters past ASCII, each token at its first character.
TEST(LineTokenizer, GivesEachTokenItsBegin) {
  TokenizedLine out;
  tokenizeLine(u" S Ab12=\u00e9\u00e9\tq", false, out);
  std::vector<std::pair<std::uint16_t, std::uint32_t>> tokens;
  for (const auto& t : out.tokens) tokens.emplace_back(t.kind, t.begin);
  const std::vector<std::pair<std::uint16_t, std::uint32_t>> expected = {
      {22, 0}, {8, 1}, {3, 2}, {8, 3}, {9, 5}, {29, 7}, {1, 8}, {1, 9}, {5, 10}, {8, 11}, {2, 12}};
  EXPECT_EQ(tokens, expected);
}

// A tab's word differs from every other character's, wherever the tab stands.
TEST(LineTokenizer, GivesEveryTabItsOwnWord) {
  for (std::size_t length = 1; length < 20; ++length)
    for (std::size_t tab = 0; tab < length; ++tab) {
      std::u16string line(length, u'x');
      line[tab] = u'\t';
      TokenizedLine out;
      tokenizeLine(line, false, out);
      ASSERT_EQ(out.words.size(), length);
      for (std::size_t i = 0; i < length; ++i)
        EXPECT_EQ(out.words[i], attributeWord(i == tab ? 2 : 1)) << length << " " << tab << " " << i;
    }
}

}  // namespace
}  // namespace kesto::kestocom
