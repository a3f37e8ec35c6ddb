#include <automation/Bstr.h>

#include <gtest/gtest.h>

#include <cstring>

using kesto::automation::Bstr;
using kesto::automation::liveBstrCount;

TEST(Bstr, OddByteLengthsSurvive) {
  const char bytes[] = {'\x05', '\x01', 'a', '\0', 'b'};
  for (UINT length : {0u, 1u, 3u, 5u}) {
    BSTR b = SysAllocStringByteLen(bytes, length);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringByteLen(b), length);
    EXPECT_EQ(SysStringLen(b), length / 2);
    EXPECT_EQ(std::memcmp(b, bytes, length), 0);
    // Two NUL bytes follow the data whatever its length.
    EXPECT_EQ(reinterpret_cast<const char*>(b)[length], '\0');
    EXPECT_EQ(reinterpret_cast<const char*>(b)[length + 1], '\0');
    SysFreeString(b);
  }
}

TEST(Bstr, NullMeansEmpty) {
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
  BSTR zeroed = SysAllocStringLen(nullptr, 3);
  EXPECT_EQ(SysStringLen(zeroed), 3u);
  EXPECT_EQ(zeroed[0], u'\0');
  SysFreeString(zeroed);
}

TEST(Bstr, EmbeddedNulAndReallocFromItself) {
  BSTR b = SysAllocStringLen(u"ab\0cd", 5);
  EXPECT_EQ(SysStringLen(b), 5u);
  // Reallocating from a pointer into the old string must read it before freeing it.
  ASSERT_TRUE(SysReAllocString(&b, b + 3));
  EXPECT_EQ(std::u16string_view(b, SysStringLen(b)), u"cd");
  ASSERT_TRUE(SysReAllocStringLen(&b, b, 1));
  EXPECT_EQ(std::u16string_view(b, SysStringLen(b)), u"c");
  SysFreeString(b);
}

TEST(Bstr, WrapperKeepsBytesAndCountsLiveStrings) {
  const long before = liveBstrCount();
  {
    Bstr odd = Bstr::fromBytes(std::string_view("\x01\x02\x03", 3));
    Bstr copy = odd;
    EXPECT_EQ(copy.byteLength(), 3u);
    EXPECT_EQ(copy.bytes(), std::string_view("\x01\x02\x03", 3));
    EXPECT_EQ(Bstr::fromUtf8("Größe €").view(), u"Größe €");
    EXPECT_EQ(Bstr(u"Maß").toUtf8(), "Maß");
    EXPECT_EQ(liveBstrCount(), before + 2);
  }
  EXPECT_EQ(liveBstrCount(), before);
}
