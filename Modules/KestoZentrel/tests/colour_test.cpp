#include "Harness.h"

#include <gtest/gtest.h>

namespace kesto::zentrel {
namespace {

using testing::colour;

struct MaskCase {
  const char16_t* line;
  const char* mask;
};

// A line and the attribute of each of its characters ('.' normal, 'C' command, 'v' local,
// '+' operator, '9' number, ',' delimiter, 's' string, ';' comment, '!' error, 'L' label,
// 'd' dots, 'F' function, '$' system variable, 'G' global, 'X' extrinsic, 'f' format).
TEST(ColourMask, OrdinaryLines) {
  const MaskCase cases[] = {
      {u" S X=1 W X", ".C.v+9.C.v"},
      {u" I X S Y=1", ".C.v.C.v+9"},
      {u" I  S Y=1", ".C..C.v+9"},
      {u" Q ;c", ".C.;;"},
      {u"LBL ;note", "LLL.;;;;;"},
      {u" . . S X=1", ".d.d.C.v+9"},
      {u" ..S X=1", ".ddC.v+9"},
      {u" S X=$P(A,\",\",2)", ".C.v+FF,v,sss,9,"},
      {u" S ^G(1)=$H", ".C.GG,9,+$$"},
      {u" D LBL^RTN(1) Q", ".C.LLL,RRR,9,.C"},
      {u" W !,\"a\"\"b\",?10", ".C.f,ssssss,f99"},
      {u" S X=$$F^R(1)", ".C.v+XXL,R,9,"},
      {u" S X=1E-3+.5", ".C.v+9999+99"},
      {u" S X=1W Y", ".C.v+9!.!"},
      {u";x", "!!"},
  };
  for (const auto& c : cases) {
    auto result = colour(c.line);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.masks.at(0), c.mask) << std::string(c.line, c.line + std::char_traits<char16_t>::length(c.line));
  }
}

}  // namespace
}  // namespace kesto::zentrel
