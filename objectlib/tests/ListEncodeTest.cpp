// Writing list elements: framing, integers and capacity.
#include <kestoobject/ListValue.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using kesto::object::ListEncodeInteger;
using kesto::object::ListEncodeItem;
using Bytes = std::vector<std::uint8_t>;

Bytes encode(const void* data, std::size_t n, std::uint8_t type) {
  Bytes out(70000, 0xCC);
  out.resize(ListEncodeItem(out.data(), out.size(), data, n, type));
  return out;
}

Bytes encodeInteger(std::int32_t value) {
  Bytes out(8, 0xCC);
  out.resize(ListEncodeInteger(out.data(), out.size(), value));
  return out;
}

TEST(ListEncode, SmallElements) {
  const char abc[] = "abc";
  const char16_t wide[] = u"ab";
  EXPECT_EQ(encode(nullptr, 0, 1), (Bytes{0x01}));
  EXPECT_EQ(encode(abc, 0, 2), (Bytes{0x02, 0x01}));  // empty data is 8-bit text
  EXPECT_EQ(encode(abc, 3, 1), (Bytes{0x05, 0x01, 'a', 'b', 'c'}));
  EXPECT_EQ(encode(wide, 4, 2), (Bytes{0x06, 0x02, 'a', 0, 'b', 0}));
}

TEST(ListEncode, ShortAndLongFormBoundaries) {
  struct Case {
    std::size_t n;
    Bytes header;
  };
  const Case cases[] = {
      {253, {0xFF, 0x01}},              // longest short form
      {254, {0x00, 0xFF, 0x00, 0x01}},  // shortest long form
      {300, {0x00, 0x2D, 0x01, 0x01}},
      {65534, {0x00, 0xFF, 0xFF, 0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const std::string data(c.n, 'x');
    const Bytes out = encode(data.data(), c.n, 1);
    ASSERT_EQ(out.size(), c.n + c.header.size());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + c.header.size()), c.header);
    EXPECT_EQ(std::string(out.begin() + c.header.size(), out.end()), data);
  }
}

TEST(ListEncode, RefusesDataTheLongFormCannotCount) {
  const std::string data(65535, 'x');
  EXPECT_TRUE(encode(data.data(), data.size(), 1).empty());
}

TEST(ListEncode, IntegersUseTheFewestBytes) {
  struct Case {
    std::int32_t value;
    Bytes bytes;
  };
  const Case cases[] = {
      {0, {0x02, 0x04}},
      {255, {0x03, 0x04, 0xFF}},
      {256, {0x04, 0x04, 0x00, 0x01}},
      {65536, {0x05, 0x04, 0x00, 0x00, 0x01}},
      {0x01000000, {0x06, 0x04, 0x00, 0x00, 0x00, 0x01}},
      {INT32_MAX, {0x06, 0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
      {-1, {0x03, 0x05, 0xFF}},
      {-256, {0x03, 0x05, 0x00}},
      {-257, {0x04, 0x05, 0xFF, 0xFE}},
      {INT32_MIN, {0x06, 0x05, 0x00, 0x00, 0x00, 0x80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(encodeInteger(c.value), c.bytes);
  }
}

TEST(ListEncode, WritesNothingWhenTheElementDoesNotFit) {
  const std::string data(254, 'x');
  struct Case {
    const void* data;
    std::size_t n;
    std::size_t capacity;
  };
  const Case cases[] = {
      {nullptr, 0, 0},
      {data.data(), 0, 1},
      {data.data(), 3, 4},
      {data.data(), 253, 254},
      {data.data(), 254, 257},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    Bytes out(c.capacity + 1, 0xCC);
    EXPECT_EQ(ListEncodeItem(out.data(), c.capacity, c.data, c.n, 1), 0u);
    EXPECT_EQ(out, Bytes(c.capacity + 1, 0xCC));
  }
  std::uint8_t small[3] = {0xCC, 0xCC, 0xCC};
  EXPECT_EQ(ListEncodeInteger(small, 3, 256), 0u);
  EXPECT_EQ(small[0], 0xCC);
}

}  // namespace
