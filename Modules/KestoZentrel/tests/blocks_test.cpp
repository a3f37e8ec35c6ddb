#include "ShellHarness.h"

#include "BlockContexts.h"

namespace kesto::zentrel {
namespace {

using testing::lastLineError;
using testing::lineStates;
using States = std::vector<std::string>;

TEST(CodeBlocks, StartStatesAcrossLines) {
  const struct {
    const char16_t* text;
    States states;
  } cases[] = {
      // One IF context through both continuations, its kind 6 after else.
      {u" if a {\n } elseif b {\n } else {\n }\n S x=1", {"", "5", "5", "6", ""}},
      // A second } else closes the block; else is then the ELSE command.
      {u" if a {\n } else {\n } else  S x=1\n S y=1", {"", "5", "6", ""}},
      {u" do {\n S x=1\n } while x\n S y=1", {"", "9", "9", ""}},
      {u" for i=1:1:3 {\n S x=i\n }", {"", "7", "7"}},
      {u" while x {\n }", {"", "8"}},
      // Line scopes end with their line.
      {u" if x S y=1\n S z=1", {"", ""}},
      {u" if x {\n if y {\n }\n }", {"", "5", "55", "5"}},
      {u"Foo(a,b) PUBLIC {\n S x=a\n }\n S y=1", {"", "1", "1", ""}},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    EXPECT_EQ(lineStates(text, false), c.states) << std::string(text.begin(), text.end());
  }
}

TEST(CodeBlocks, Rejections) {
  const struct {
    const char16_t* text;
    std::int32_t kind;
    std::uint32_t options = 0xFFFFFFFFu;
  } cases[] = {
      {u" do {\n } foo", 33},
      {u" if a {\n } else {\n } elseif b {", 32},
      {u" if a {\n } else", 26},
      {u" if a {\n } elseif b", 26},
      {u" S x=1\n }", 29},
      {u" if x {", 23, 0xFFFFFFFFu & ~4u},
      {u"Foo(a) {\n }  S x=1", 30},
      {u" if a {\n } else {\n }", 0},
      {u" do {\n } WHILE x", 0},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    EXPECT_EQ(lastLineError(text, false, c.options), c.kind) << std::string(text.begin(), text.end());
  }
}

// A routine body needs option 2 and may not open inside a body or a brace block.
TEST(CodeBlocks, RoutineBodyOpening) {
  const struct {
    std::uint32_t options;
    std::uint8_t outer;  // context already open, 0: none
    std::int32_t kind;
  } cases[] = {
      {0xFFFFFFFFu, 0, 0},
      {0xFFFFFFFFu & ~2u, 0, 22},
      {0xFFFFFFFFu, 1, 3},
      {0xFFFFFFFFu, 5, 3},
      {0xFFFFFFFFu, 2, 0},
  };
  for (const auto& c : cases) {
    const std::u16string text = u" {";
    ISourceScanner* source = nullptr;
    COM_CreateTextSource(u"t", text.data(), text.size(), &source);
    std::int32_t kind = 0;
    {
      Scanner scanner(source);
      GlobalsScope scope(nullptr, &scanner);
      Parser parser(scanner, nullptr, false, c.options, true, 0);
      if (c.outer) parser.restoreLineState(std::vector<std::uint8_t>{1, 0, c.outer}.data());
      parser.tokens().look(peek::kCommand);
      try {
        parser.pushContext(peek::kCommand, makeContext(parser, 1));
      } catch (const CZTLParseException& e) {
        kind = e.kind();
      }
    }
    source->Release();
    EXPECT_EQ(kind, c.kind) << c.options << " " << int(c.outer);
  }
}

}  // namespace
}  // namespace kesto::zentrel
