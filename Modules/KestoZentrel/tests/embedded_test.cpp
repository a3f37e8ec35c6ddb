#include "ShellHarness.h"

namespace kesto::zentrel {
namespace {

using testing::colour;
using testing::lastLineError;

class Embedded : public testing::FreshRegistry {};

TEST_F(Embedded, ServicesColourTheirSections) {
  registerStub(testing::CLSID_SqlStub, "Test.SqlStub", "SQL");
  registerStub(testing::CLSID_HtmlStub, "Test.HtmlStub", "HTML");
  const struct {
    const char16_t* text;
    std::vector<std::string> masks;
  } cases[] = {
      {u" &sql(SELECT 1)", {".QQQQQQQQQQQQQQ"}},
      {u" &sql(SELECT (a) x) S y=1", {".QQQQQQQQQQQQQQQQQQ.C.v+9"}},
      {u" ##sql(x)", {"...QQQQQQ"}},
      // &js binds the HTML service; the section may run over lines.
      {u" &js<f(1);\n g()> W 1", {".QHHHHHHHH", "HHHHH.C.9"}},
      {u" &html<<b>x</b>>", {".QHHHHHHHHHHHHHH"}},
  };
  for (const auto& c : cases) {
    auto result = colour(c.text, true);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.masks, c.masks) << std::u16string(c.text).size();
  }
}

TEST_F(Embedded, MissingServiceLeavesPlainTextAndGoesOn) {
  registerStub(testing::CLSID_HtmlStub, "Test.HtmlStub", "HTML");
  auto result = colour(u" &sql(SELECT 1) S x=1\n S y=2", true);
  ASSERT_EQ(result.hr, S_OK);
  EXPECT_EQ(result.masks.at(0), ".QQQQQ........Q.C.v+9");
  EXPECT_EQ(result.masks.at(1), ".C.v+9");
}

TEST_F(Embedded, Rejections) {
  registerStub(testing::CLSID_SqlStub, "Test.SqlStub", "SQL");
  const struct {
    const char16_t* text;
    std::int32_t kind;
  } cases[] = {
      {u" &sql SELECT", 3}, {u" &foo(x)", 2}, {u" &", 15}, {u" &html x", 3}, {u" &sql(x", 9},
  };
  for (const auto& c : cases) EXPECT_EQ(lastLineError(c.text, true), c.kind) << std::u16string(c.text).size();
}

// "&" before SQL or HTML ends an expression in macro routines only; elsewhere it is AND.
TEST(EmbeddedAmpersand, EndsExpressionsInMacroRoutinesOnly) {
  for (bool mac : {false, true}) {
    const std::u16string text = u"x&sql";
    ISourceScanner* source = nullptr;
    COM_CreateTextSource(u"t", text.data(), text.size(), &source);
    bool block = false;
    {
      Scanner scanner(source);
      GlobalsScope scope(nullptr, &scanner);
      Parser parser(scanner, nullptr, mac, 0xFFFFFFFFu, true, 0);
      parser.tokens().look(peek::kAdjacent);
      parser.tokens().expect(attr::Local);
      ASSERT_EQ(parser.tokens().look(peek::kAdjacent), tok::kAmpersand);
      block = embeddedBlockFollows(parser);
      EXPECT_EQ(parser.tokens().look(peek::kAdjacent), tok::kAmpersand) << "position kept";
    }
    source->Release();
    EXPECT_EQ(block, mac);
  }
}

TEST(SqlField, BySyntaxSetting) {
  const struct {
    const char16_t* text;
    std::uint32_t flags;  // 2: setting 1, 4: setting 2
    std::int32_t kind;
  } cases[] = {
      {u"{Name}", 2, 0},  {u"{Name}", 4, 0},     {u"{Name}", 0, 20},    {u"{Name*N}", 4, 0},
      {u"{Name*N}", 2, 21}, {u"{Name*X}", 4, 15}, {u"{Name", 4, 28},     {u"{\"a b\"}", 2, 0},
      {u"{}", 2, 15},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    ISourceScanner* source = nullptr;
    COM_CreateTextSource(u"t", text.data(), text.size(), &source);
    IAllocator* allocator = testing::newAllocator();
    std::int32_t kind = 0;
    {
      Scanner scanner(source);
      GlobalsScope scope(allocator, &scanner);
      Parser parser(scanner, allocator, false, 0xFFFFFFFFu, true, c.flags);
      parser.tokens().look(peek::kAdjacent);
      try {
        EXPECT_EQ(parseSqlField(parser)->kind(), 38);
      } catch (const CZTLParseException& e) {
        kind = e.kind();
      }
    }
    allocator->Release();
    source->Release();
    EXPECT_EQ(kind, c.kind) << std::string(text.begin(), text.end()) << " " << c.flags;
  }
}

}  // namespace
}  // namespace kesto::zentrel
