// Reading list elements: framing, numbers, the decoded texts and their errors.
#include <kestoobject/ListReaders.h>
#include <kestoobject/ListValue.h>

#include <automation/DispatchException.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace kesto::object;
using kesto::automation::DispatchException;
using Bytes = std::vector<std::uint8_t>;

struct Decoded {
  bool ok = false;
  std::string text;
  int type = -1;
  std::size_t consumed = 0;
};

Decoded decode(const Bytes& bytes) {
  std::uint8_t out[70000];
  std::size_t length = 0;
  int type = -1;
  const std::uint8_t* next =
      ListDecodeItem(bytes.data(), bytes.data() + bytes.size(), out, sizeof out, length, type);
  Decoded result;
  if (next == nullptr) return result;
  result.ok = true;
  result.text.assign(reinterpret_cast<const char*>(out), length);
  result.type = type;
  result.consumed = static_cast<std::size_t>(next - bytes.data());
  return result;
}

Bytes withData(Bytes header, std::size_t n, std::uint8_t fill) {
  header.insert(header.end(), n, fill);
  return header;
}

TEST(ListDecode, ElementsToText) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::string text;
    int type;
  };
  const Case cases[] = {
      {"8-bit text", {0x05, 0x01, 'a', 'b', 'c'}, "abc", 1},
      {"UTF-16 text", {0x06, 0x02, 'a', 0, 'b', 0}, std::string("a\0b\0", 4), 2},
      {"empty 8-bit", {0x02, 0x01}, "", 1},
      {"zero", {0x02, 0x04}, "0", 1},
      {"empty negative", {0x02, 0x05}, "-1", 1},
      {"-1", {0x03, 0x05, 0xFF}, "-1", 1},
      {"-256", {0x03, 0x05, 0x00}, "-256", 1},
      {"256", {0x04, 0x04, 0x00, 0x01}, "256", 1},
      {"-257", {0x04, 0x05, 0xFF, 0xFE}, "-257", 1},
      {"int32 min", {0x06, 0x05, 0x00, 0x00, 0x00, 0x80}, "-2147483648", 1},
      {"beyond int32", {0x06, 0x04, 0xFF, 0xFF, 0xFF, 0xFF}, "4294967295.000000", 1},
      {"4-byte negative below int32", {0x06, 0x05, 0x00, 0x00, 0x00, 0x00},
       "-4294967296.000000", 1},
      {"5-byte integer", {0x07, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00}, "1.000000", 1},
      {"decimal 0.15", {0x04, 0x06, 0xFE, 0x0F}, "0.150000", 1},
      {"decimal -1.5", {0x04, 0x07, 0xFF, 0xF1}, "-1.500000", 1},
      {"decimal no mantissa", {0x03, 0x06, 0x00}, "0.000000", 1},
      {"decimal without exponent", {0x02, 0x06}, "", 1},
      {"9-byte integer", withData({0x0B, 0x04}, 9, 0x01), "", 1},
      {"8 bytes of type 4 with top bit", withData({0x0A, 0x04}, 8, 0xFF), "", 1},
      {"8 bytes of type 5 without top bit", withData({0x0A, 0x05}, 8, 0x00), "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Decoded d = decode(c.bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.type, c.type);
    EXPECT_EQ(d.consumed, c.bytes.size());
  }
}

TEST(ListDecode, ShortAndLongFormData) {
  const Decoded shortForm = decode(withData({0xFF, 0x01}, 253, 'x'));
  ASSERT_TRUE(shortForm.ok);
  EXPECT_EQ(shortForm.text, std::string(253, 'x'));
  const Decoded longForm = decode(withData({0x00, 0xFF, 0x00, 0x01}, 254, 'y'));
  ASSERT_TRUE(longForm.ok);
  EXPECT_EQ(longForm.text, std::string(254, 'y'));
  EXPECT_EQ(longForm.consumed, 258u);
}

TEST(ListDecode, MalformedElementsGiveNull) {
  const Bytes cases[] = {
      {},                       // nothing left
      {0x00, 0x00, 0x00},       // long form without room for a type
      {0x00, 0x05},             // long-form header cut off
      {0x05, 0x01, 'a', 'b'},   // data runs past the end
      {0x00, 0x10, 0x00, 0x01, 'a'},
  };
  for (const Bytes& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(decode(bytes).ok);
  }
}

TEST(ListDecode, UndefinedAndUnreadableTypesRaise) {
  try {
    (void)decode({0x01});
    FAIL() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 9991);
    EXPECT_EQ(e.description, "Undefined List element");
    EXPECT_EQ(e.source, "KestoObject");
  }
  for (const std::uint8_t type : {0, 3, 8, 255}) {
    SCOPED_TRACE(int{type});
    try {
      (void)decode({0x03, type, 0x41});
      FAIL() << "no exception";
    } catch (const DispatchException& e) {
      EXPECT_EQ(e.code, 0);
      EXPECT_EQ(e.description, "Can not extract from List. Type " + std::to_string(type) + ".");
    }
  }
}

TEST(ListDecode, DestinationTooSmallRaisesInsteadOfOverrunning) {
  const Bytes element{0x05, 0x01, 'a', 'b', 'c'};
  std::uint8_t out[4] = {0xCC, 0xCC, 0xCC, 0xCC};
  std::size_t length = 0;
  int type = 0;
  EXPECT_THROW((void)ListDecodeItem(element.data(), element.data() + element.size(), out, 2,
                                    length, type),
               DispatchException);
  EXPECT_EQ(out[0], 0xCC);
  // Number texts need room for their terminating NUL.
  const Bytes number{0x03, 0x04, 0x07};
  EXPECT_THROW(
      (void)ListDecodeItem(number.data(), number.data() + number.size(), out, 1, length, type),
      DispatchException);
  ASSERT_NE(ListDecodeItem(number.data(), number.data() + number.size(), out, 2, length, type),
            nullptr);
  EXPECT_EQ(out[0], '7');
  EXPECT_EQ(out[1], 0);
}

TEST(ListDecodeNumber, ResultCodes) {
  struct Case {
    const char* what;
    int type;
    Bytes data;
    int result;
  };
  const Case cases[] = {
      {"not a number type", 1, {0x01}, 0},
      {"int", 4, {0x07}, 4},
      {"9 bytes", 4, Bytes(9, 0x01), -101},
      {"decimal mantissa of 9 bytes", 6, Bytes(10, 0x01), -101},
      {"negative decimal with clear top bit", 7, withData({0x00}, 8, 0x00), -101},
      {"decimal", 6, {0x00, 0x01}, 8},
      {"-2^63 at exponent 127", 7, {0x7F, 0, 0, 0, 0, 0, 0, 0, 0x80}, -109},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListNumber number;
    EXPECT_EQ(ListDecodeNumber(c.data.data(), number, c.type, c.data.size()), c.result);
  }
}

TEST(ListDecodeNumber, DecimalValues) {
  struct Case {
    Bytes data;
    int type;
    double value;
  };
  const Case cases[] = {
      {{0xFE, 0x0F}, 6, 0.15},
      {{0x80, 0x01}, 6, 1e-128},
      {{0x7F, 0x01}, 6, 1e127},
      {{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, 6, 9223372036854775807.0},
      {{0x02}, 7, -100.0},  // no mantissa bytes: -1
      // -2^63 as 2^63/10 rounded up times -10^(e+1)
      {{0x00, 0, 0, 0, 0, 0, 0, 0, 0x80}, 7, 922337203685477581.0 * -10.0},
      {{0xFE, 0, 0, 0, 0, 0, 0, 0, 0x80}, 7, 922337203685477581.0 * -0.1},
      {{0, 0, 0, 0, 0, 0, 0, 0x80}, 5, 922337203685477581.0 * -10.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    ListNumber number;
    ASSERT_EQ(ListDecodeNumber(c.data.data(), number, c.type, c.data.size()), 8);
    EXPECT_EQ(number.kind, 1);
    EXPECT_DOUBLE_EQ(number.real, c.value);
  }
}

TEST(ListDecodeNumber, PowerTableCoversTheExponentByte) {
  EXPECT_EQ(ListPowerOfTen(0), 1.0);
  EXPECT_EQ(ListPowerOfTen(-1), 0.1);
  EXPECT_EQ(ListPowerOfTen(-128), 1e-128);
  EXPECT_EQ(ListPowerOfTen(127), 1e127);
  EXPECT_EQ(ListPowerOfTen(22), 1e22);
}

TEST(ListStepping, WalksShortLongAndUndefinedElements) {
  Bytes run{0x03, 0x01, 'a'};
  run.insert(run.end(), {0x00, 0x2D, 0x01, 0x01});  // long form, 300 data bytes
  run.insert(run.end(), 300, 'b');
  run.push_back(0x01);  // undefined
  run.insert(run.end(), {0x02, 0x04});
  const std::size_t sizes[] = {3, 304, 1, 2};
  const std::uint8_t* p = run.data();
  const std::uint8_t* end = run.data() + run.size();
  for (const std::size_t size : sizes) {
    EXPECT_EQ(ListElementSize(p, end), size);
    p += size;
  }
  EXPECT_EQ(p, end);
  EXPECT_EQ(ListElementSize(p, end), 0u);
  // The same run cut one byte short ends in an element that does not fit.
  EXPECT_EQ(ListElementSize(run.data() + 308, end - 1), 0u);
}

TEST(ListTrimTerminator, DropsOnlyATerminatorAfterWholeElements) {
  struct Case {
    Bytes bytes;
    std::size_t length;
  };
  const Case cases[] = {
      {{0x02, 0x01, 0x00}, 2},
      {{0x03, 0x01, 'a', 0x01, 0x00}, 4},
      {{0x02, 0x01}, 2},
      {{0x03, 0x01, 0x00}, 3},        // the NUL is the element's data
      {{0x02, 0x01, 0x00, 0x00}, 4},  // two NULs: no element ends before the last
      {{0x00}, 0},
      {{}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    EXPECT_EQ(ListTrimTerminator(c.bytes.data(), c.bytes.size()), c.length);
  }
}

}  // namespace
