#include <gtest/gtest.h>

#include "text/Compare.h"

using kesto::text::equalsNoCase;
using kesto::text::equalsNoCaseUtf8;

TEST(Compare, WideFoldsAsciiAndLatin1Letters) {
  EXPECT_TRUE(equalsNoCase(u"ÄRGER Über", u"ärger über"));
  EXPECT_TRUE(equalsNoCase(u"Bez1", u"BEZ1"));
  EXPECT_FALSE(equalsNoCase(u"×", u"÷"));    // U+00D7 and U+00F7 are no letters
  EXPECT_FALSE(equalsNoCase(u"ß", u"SS"));
  EXPECT_FALSE(equalsNoCase(u"Bez", u"Bez1"));
}

TEST(Compare, NarrowFoldsAsciiOnly) {
  EXPECT_TRUE(equalsNoCase(std::string_view("KestoObject"), std::string_view("kestoOBJECT")));
  EXPECT_FALSE(equalsNoCase(std::string_view("\xC4"), std::string_view("\xE4")));
  EXPECT_FALSE(equalsNoCase(std::string_view("@"), std::string_view("`")));
}

TEST(Compare, Utf8NamesFoldLikeWide) {
  EXPECT_TRUE(equalsNoCaseUtf8("Erklärung Hauptartikel", "ERKLÄRUNG hauptartikel"));
  EXPECT_FALSE(equalsNoCaseUtf8("Erklärung", "Erklarung"));
}
