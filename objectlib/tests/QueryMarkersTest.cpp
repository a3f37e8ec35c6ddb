// The "?" markers of dynamic statements.
#include <kestoobject/QueryCursor.h>

#include <gtest/gtest.h>

namespace kesto::object {
namespace {

TEST(QueryMarkers, OnlyMarksOutsideLiteralsAreNumbered) {
  struct Case {
    const char* statement;
    const char* rewritten;
  };
  const Case cases[] = {
      {"a = ? AND b = '?' AND c = ?", "a = :q(0) AND b = '?' AND c = :q(1)"},
      {"x = \"?\" OR y = ?", "x = \"?\" OR y = :q(0)"},
      // A quote of the other kind inside a literal does not open or close anything.
      {"n = \"it's\" AND m = ?", "n = \"it's\" AND m = :q(0)"},
      {"s = 'say \"hi' AND t = ?", "s = 'say \"hi' AND t = :q(0)"},
      {"?????????? ?", "\x3aq(0):q(1):q(2):q(3):q(4):q(5):q(6):q(7):q(8):q(9) :q(10)"},
      {"no markers", "no markers"},
      {"'unterminated ?", "'unterminated ?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    EXPECT_EQ(RewriteStatementMarkers(std::string_view(c.statement)), c.rewritten);
    const std::string s(c.statement), r(c.rewritten);
    EXPECT_EQ(RewriteStatementMarkers(std::u16string_view(std::u16string(s.begin(), s.end()))),
              std::u16string(r.begin(), r.end()));
  }
}

}  // namespace
}  // namespace kesto::object
