#include "mlink/Frame.h"
#include "mlink/MLink.h"

#include <gtest/gtest.h>

#include <string>

using namespace kesto::mlink;

TEST(Frame, ItemsAreCheckedAgainstTheCapacity) {
  char buffer[64] = {};
  std::size_t used = kHeaderSize;
  EXPECT_TRUE(appendItem(buffer, used, "ab"));  // 56 + 4
  EXPECT_EQ(used, 60u);
  EXPECT_FALSE(appendItem(buffer, used, "abc"));  // would need 5 more
  EXPECT_TRUE(appendItem(buffer, used, "ab"));
  EXPECT_EQ(used, 64u);
  EXPECT_EQ(getU16(buffer + 56), 2);

  std::string message = makeHeader(17, Request, ObjectRequest);
  EXPECT_FALSE(appendItem(message, std::string(65536, 'x')));
  EXPECT_FALSE(appendItem(message, std::string(65480, 'x')));  // one byte past the capacity
  EXPECT_TRUE(appendItem(message, std::string(65479, 'x')));
  EXPECT_EQ(message.size(), kMessageCapacity);
  EXPECT_FALSE(appendItem(message, ""));  // message full
}

TEST(Frame, ItemReaderStopsAtAnItemThatRunsPastTheEnd) {
  std::string message = makeHeader(1, Reply);
  appendItem(message, "1");
  appendItem(message, "");
  message += std::string("\x05\x00" "ab", 4);  // claims 5 bytes, has 2
  ItemReader r(message);
  EXPECT_EQ(r.next(), "1");
  EXPECT_EQ(r.next(), "");
  EXPECT_FALSE(r.next());
  EXPECT_TRUE(r.malformed());

  EXPECT_FALSE(validMessageLength(55));
  EXPECT_TRUE(validMessageLength(56));
  EXPECT_TRUE(validMessageLength(65537));
  EXPECT_FALSE(validMessageLength(65538));
  EXPECT_EQ(tcpFrame("abc"), std::string("\x03\0\0\0abc", 7));
}

TEST(MMsg, ItemLengthsAreUnsignedSixteenBit) {
  MMsg m(65537);
  EXPECT_EQ(m.Used, 56);
  const std::string big(40000, 'q');
  ASSERT_EQ(m.AppendDataToMessage(big.data(), static_cast<short>(40000)), 1);
  EXPECT_EQ(getU16(m.Buffer + 56), 40000);
  EXPECT_EQ(m.AppendDataToMessage(big.data(), static_cast<short>(30000)), 0);  // does not fit
  EXPECT_EQ(m.Used, 56 + 40002);

  std::string out(40000, '\0');
  short length = 0;
  ASSERT_EQ(m.RetrieveDataFromMessage(&length, out.data(), static_cast<short>(40000)), 1);
  EXPECT_EQ(static_cast<unsigned short>(length), 40000);
  EXPECT_EQ(out, big);
  EXPECT_EQ(m.RetrieveDataFromMessage(&length, out.data(), 10), 0);
}

TEST(MMsg, RetrieveCopiesNoMoreThanMaxAndSkipsTheRest) {
  MMsg m(65537);
  m.AppendDataToMessage("0123456789", 10);
  m.AppendDataToMessage("next", 4);
  char small[4] = {};
  short length = -1;
  ASSERT_EQ(m.RetrieveDataFromMessage(&length, small, 4), 1);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(std::string(small, 4), "0123");
  ASSERT_EQ(m.RetrieveDataFromMessage(&length, small, 4), 1);
  EXPECT_EQ(std::string(small, 4), "next");

  m.InitMessage();
  EXPECT_EQ(m.Used, 56);
  EXPECT_EQ(m.RetrieveDataFromMessage(&length, small, 4), 0);
  EXPECT_EQ(length, 0);
}
