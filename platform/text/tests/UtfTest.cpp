#include <gtest/gtest.h>

#include "text/CodePage.h"

using kesto::text::isValidUtf8;
using kesto::text::utf16ToUtf8;
using kesto::text::utf8ToUtf16;

TEST(Utf8ToUtf16, DecodesValidAndReplacesInvalidSequences) {
  struct Case {
    std::string in;
    std::u16string out;
    bool valid;
  };
  const Case cases[] = {
      {"Preis 9,99 \xE2\x82\xAC", u"Preis 9,99 €", true},
      {"\xF0\x9F\x98\x80", u"\U0001F600", true},
      {"\xEF\xBF\xBD", u"\uFFFD", true},
      {"a\x80" "b", u"a\uFFFDb", false},          // stray continuation byte
      {"\xC3", u"\uFFFD", false},                 // truncated at the end
      {"\xC3(", u"\uFFFD(", false},               // continuation missing
      {"\xC0\x80", u"\uFFFD", false},             // overlong NUL
      {"\xED\xA0\x80", u"\uFFFD", false},         // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD", false},     // above U+10FFFF
      {"\xFF", u"\uFFFD", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8ToUtf16(c.in), c.out) << c.in;
    EXPECT_EQ(isValidUtf8(c.in), c.valid) << c.in;
  }
}

TEST(Utf16ToUtf8, EncodesPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(utf16ToUtf8(u"Größe €"), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC");
  EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  const std::u16string lone{char16_t(0xD800), u'x', char16_t(0xDC00)};
  EXPECT_EQ(utf16ToUtf8(lone), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}
