#include <gtest/gtest.h>

#include <climits>

#include "text/CodePage.h"
#include "text/Numbers.h"

TEST(Numbers, CrtRulesWithSaturation) {
  struct Case {
    const char* in;
    int out;
  };
  const Case cases[] = {
      {"", 0},
      {"42", 42},
      {" \t\r\n\v\f-17x", -17},
      {"+5", 5},
      {"- 5", 0},
      {"12abc", 12},
      {"abc", 0},
      {"0x10", 0},
      {"00012", 12},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999999", INT_MAX},
      {"-99999999999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kesto::text::atoi(c.in), c.out) << c.in;
    EXPECT_EQ(kesto::text::wtoi(kesto::text::utf8ToUtf16(c.in)), c.out) << c.in;
  }
}

TEST(Numbers, WideDigitsOnlyAscii) {
  EXPECT_EQ(kesto::text::wtoi(u"7\uFF18"), 7);  // a fullwidth digit ends the number
  EXPECT_EQ(kesto::text::wtoi(u"\u00A07"), 0);  // a no-break space is no blank
}
