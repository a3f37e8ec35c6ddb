#include <gtest/gtest.h>

#include <set>

#include "text/CodePage.h"

using kesto::text::CodePage;
using kesto::text::toNarrow;
using kesto::text::toWide;
using kesto::text::toWideChar;

class EveryByte : public testing::TestWithParam<CodePage> {};

TEST_P(EveryByte, RoundTripsAndMapsToDistinctCharacters) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = toWide(all, GetParam());
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(std::set<char16_t>(wide.begin(), wide.end()).size(), 256u);
  bool usedDefault = true;
  EXPECT_EQ(toNarrow(wide, GetParam(), &usedDefault), all);
  EXPECT_FALSE(usedDefault);
}

INSTANTIATE_TEST_SUITE_P(CodePages, EveryByte, testing::Values(CodePage::Ansi, CodePage::Oem),
                         [](const auto& info) {
                           return info.param == CodePage::Ansi ? "Ansi" : "Oem";
                         });

TEST(CodePage, KnownCharacters) {
  struct Case {
    CodePage cp;
    unsigned char byte;
    char16_t ch;
  };
  const Case cases[] = {
      {CodePage::Ansi, 0x80, u'€'},    {CodePage::Ansi, 0x81, 0x0081}, {CodePage::Ansi, 0x8D, 0x008D},
      {CodePage::Ansi, 0x8F, 0x008F},  {CodePage::Ansi, 0x90, 0x0090}, {CodePage::Ansi, 0x9D, 0x009D},
      {CodePage::Ansi, 0x9F, u'Ÿ'},    {CodePage::Ansi, 0xE4, u'ä'},   {CodePage::Ansi, 0x41, u'A'},
      {CodePage::Oem, 0x84, u'ä'},     {CodePage::Oem, 0x8E, u'Ä'},    {CodePage::Oem, 0xE1, u'ß'},
      {CodePage::Oem, 0xD5, u'ı'},     {CodePage::Oem, 0xFF, 0x00A0},  {CodePage::Oem, 0xB0, u'░'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toWideChar(c.byte, c.cp), c.ch) << int(c.byte);
    EXPECT_EQ(toNarrow(std::u16string(1, c.ch), c.cp), std::string(1, static_cast<char>(c.byte)));
  }
}

TEST(CodePage, EuroSign) {
  EXPECT_EQ(toNarrow(u"12,99 €", CodePage::Ansi), "12,99 \x80");
  bool usedDefault = false;
  EXPECT_EQ(toNarrow(u"€", CodePage::Oem, &usedDefault), "?");  // 850 has no euro sign
  EXPECT_TRUE(usedDefault);
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
  bool usedDefault = false;
  // U+0100 is in neither table; U+1F600 is one character in two units and gets one '?'.
  EXPECT_EQ(toNarrow(u"a\u0100b\U0001F600c", CodePage::Ansi, &usedDefault), "a?b?c");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(toNarrow(u"x\u20ACy", CodePage::Oem, '#', nullptr), "x#y");
}
