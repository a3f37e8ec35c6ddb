#include "ShellHarness.h"

#include <Parser/LineState.h>

namespace kesto::zentrel {
namespace {

using testing::colour;
using testing::lastLineError;

struct ErrorCase {
  const char16_t* text;
  std::int32_t kind;  // 0: accepted
};

std::string narrow(const char16_t* text) {
  std::string s;
  for (; *text; ++text) s += static_cast<char>(*text);
  return s;
}

TEST(Preprocessor, DirectivesAndMacrosInMacroRoutines) {
  const ErrorCase cases[] = {
      {u"#define X(a,b) a+b", 0},
      {u"#def1arg X(a,b) a", 16},
      {u"#def1arg X(a) a", 0},
      {u"#define X 1 ##continue 2", 11},
      {u"#sqlcompile select=odbc", 0},
      {u"#sqlcompile select=foo", 11},
      {u"#sqlcompile", 15},
      {u"#classcontext a.b:c", 0},
      {u"#classcontext a.b:c:d", 1},
      {u"#classcontext ..x", 0},
      {u"#classcontext a.", 15},
      {u"#ifdef DEBUG_MODE", 0},
      {u"#if X>1 ; only then", 0},
      {u"#library name 12", 0},
      {u"#import A,B,C", 0},
      {u"#frobnicate", 11},
      {u"#", 11},
      {u"#execute S X=1 W X", 0},
      {u" $$$M(.x)", 0},
      {u" $$$M(a,(b)", 3},
      {u" $$$M(a,,b)", 0},
      {u" $$$", 11},
      {u" ##function($$F^R(1))", 0},
      {u" ##function(F)", 11},
      {u" ##foo", 3},
      {u"#;anything at all", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(lastLineError(c.text, true), c.kind) << narrow(c.text);
}

TEST(Preprocessor, RoutineFileSyntaxIsRejectedInPlainRoutines) {
  for (const char16_t* line : {u"#define X 1", u" $$$M", u" ##function($$F)", u"#;c", u" &sql(x)"})
    EXPECT_EQ(lastLineError(line, false), 11) << narrow(line);
  // The next line is parsed as usual.
  auto result = colour(u"#define X 1\n S X=1", false);
  EXPECT_EQ(result.masks.at(0).substr(0, 7), "!!!!!!!");
  EXPECT_EQ(result.masks.at(1), ".C.v+9");
}

TEST(Preprocessor, Colours) {
  const struct {
    const char16_t* line;
    const char* mask;
  } cases[] = {
      {u"#define X(a,b) a+b", "PPPPPPP.n,n,n,.ppp"},
      {u"#define S \"t\"", "PPPPPPP.n.sss"},
      {u"#sqlcompile select=odbc", "PPPPPPPPPPP.mmmmmm+mmmm"},
      {u"#;note", ";;;;;;"},
      {u"#ifdef A ; c", "PPPPPP.n.;;;"},
      {u" $$$M(.x)", ".MMMM,+v,"},
      {u" $$$M(a,(b", ".MMMM,MM,M"},
      {u" ##function($$F)", "...nnnnnnnn,XXL,"},
  };
  for (const auto& c : cases) EXPECT_EQ(colour(c.line, true).masks.at(0), c.mask) << narrow(c.line);
}

TEST(Preprocessor, ContinuedDefinitionSpansLines) {
  const std::u16string text = u"#define X 1 ##continue\n  +2 ##continue\n  +3\n S Y=1";
  // The continuation lines keep no start state of their own; the next line starts afresh.
  const auto states = testing::lineStates(text, true);
  ASSERT_EQ(states.size(), 4u);
  EXPECT_EQ(states[0], "");
  for (int line : {1, 2}) EXPECT_TRUE(states[line] == "?" || states[line] == "-") << states[line];
  EXPECT_EQ(states[3], "");
  auto result = colour(text, true);
  EXPECT_EQ(result.masks.at(1), "..pp.pppppppppp");
  EXPECT_EQ(result.masks.at(2), "..pp");
  EXPECT_EQ(result.masks.at(3), ".C.v+9");
}

}  // namespace
}  // namespace kesto::zentrel
