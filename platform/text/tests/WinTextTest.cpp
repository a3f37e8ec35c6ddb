#include <gtest/gtest.h>

#include "text/WinText.h"

TEST(MultiByteToWideChar, SizeQueryThenConversionIncludingTheNul) {
  const char* text = "Stra\xDF" "e";  // 1252
  const int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  ASSERT_EQ(needed, 7);
  char16_t buffer[7];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, needed), 7);
  EXPECT_EQ(std::u16string(buffer), u"Straße");
}

TEST(MultiByteToWideChar, FailsOnBadArgumentsAndShortBuffers) {
  char16_t buffer[2];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, buffer, 2), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, buffer, 2), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, buffer, 2), 0);
  EXPECT_EQ(MultiByteToWideChar(1250, 0, "a", 1, buffer, 2), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_OEMCP, 0, "\x84", 1, buffer, 2), 1);
  EXPECT_EQ(buffer[0], u'ä');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xC3\xA4", 2, buffer, 2), 1);
  EXPECT_EQ(buffer[0], u'ä');
}

TEST(WideCharToMultiByte, DefaultCharacterAndItsFlag) {
  char buffer[8];
  int used = -1;
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\u0100€", 3, buffer, 8, "#", &used), 3);
  EXPECT_EQ(std::string(buffer, 3), "a#\x80");
  EXPECT_EQ(used, 1);
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"ok", 2, buffer, 8, nullptr, &used), 2);
  EXPECT_EQ(used, 0);
}

TEST(WideCharToMultiByte, Utf8RefusesDefaultCharacterArguments) {
  char buffer[8];
  int used = 0;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ä", 1, buffer, 8, nullptr, &used), 0);
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ä", -1, nullptr, 0, nullptr, nullptr), 3);
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ä", -1, buffer, 3, nullptr, nullptr), 3);
  EXPECT_STREQ(buffer, "\xC3\xA4");
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ä", -1, buffer, 2, nullptr, nullptr), 0);
}
