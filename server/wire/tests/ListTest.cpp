#include "wire/List.h"

#include <gtest/gtest.h>

#include <string>

using namespace kesto::server::wire;

namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty())
      out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list)
    out.push_back(static_cast<char>(b));
  return out;
}

}  // namespace

TEST(ListWriter, IntegersUseTheShortestForm) {
  struct Case {
    std::int64_t value;
    const char* encoded;
  } cases[] = {
      {0, "02 04"},          {-1, "03 05 FF"},       {255, "03 04 FF"},
      {256, "04 04 00 01"},  {-256, "03 05 00"},      {-257, "04 05 FF FE"},
      {128, "03 04 80"},     {-129, "03 05 7F"},   {0x7FFFFFFF, "06 04 FF FF FF 7F"},
  };
  for (const auto& c : cases) {
    const std::string encoded = encodeInteger(c.value);
    EXPECT_EQ(hex(encoded), c.encoded) << c.value;
    ListReader r(encoded);
    EXPECT_EQ(integerValue(r.next()), c.value);
  }
}

TEST(ListWriter, ShortAndLongFormMeetAt254Bytes) {
  const std::string short253 = encodeText8(std::string(253, 'x'));
  EXPECT_EQ(short253.size(), 255u);
  EXPECT_EQ(static_cast<unsigned char>(short253[0]), 255);

  const std::string long254 = encodeText8(std::string(254, 'x'));
  EXPECT_EQ(hex(long254.substr(0, 4)), "00 FF 00 01");
  EXPECT_EQ(long254.size(), 258u);

  const std::string empty = encodeText8("");
  EXPECT_EQ(hex(empty), "02 01");
}

TEST(ListWriter, RefusesWhatDoesNotFit) {
  ListWriter w(10);
  w.text8("12345678");  // 10 bytes exactly
  EXPECT_THROW(w.undefined(), CapacityError);
  EXPECT_EQ(w.size(), 10u);  // nothing half-written

  ListWriter big(200000);
  EXPECT_THROW(big.text8(std::string(65535, 'a')), CapacityError);
  big.text8(std::string(65534, 'a'));
  EXPECT_EQ(big.size(), 65538u);

  ListWriter nested(100);
  EXPECT_THROW(nested.encoded(bytes({5, 1, 'a'})), FormatError);
}

TEST(ListWriter, Utf16AndDecimal) {
  ListWriter w;
  w.text16(u"Ä1");
  w.decimal(15, -2);
  w.decimal(-15, 0);
  EXPECT_EQ(hex(w.bytes()), "06 02 C4 00 31 00 04 06 FE 0F 04 07 00 F1");
  ListReader r(w.bytes());
  EXPECT_EQ(utf16Value(r.next()), u"Ä1");
  EXPECT_DOUBLE_EQ(*decimalValue(r.next()), 0.15);
  EXPECT_DOUBLE_EQ(*decimalValue(r.next()), -15.0);
}

TEST(ListReader, ReadsTheElementForms) {
  // undefined, empty type 5 (-1), empty type 4 (0), long form of 300 bytes header
  std::string list = bytes({0x01, 0x02, 0x05, 0x02, 0x04, 0x00, 0x2D, 0x01, 0x01});
  list += std::string(300, 'z');
  list += bytes({0x06, 0x04, 0xFF, 0xFF, 0xFF, 0xFF});
  ListReader r(list);
  EXPECT_TRUE(r.next().undefined);
  EXPECT_EQ(integerValue(r.next()), -1);
  EXPECT_EQ(integerValue(r.next()), 0);
  Element e = r.next();
  EXPECT_EQ(e.type, Text8);
  EXPECT_EQ(e.data.size(), 300u);
  EXPECT_EQ(e.raw.size(), 304u);
  EXPECT_EQ(integerValue(r.next()), 4294967295);
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.tryNext());
  EXPECT_EQ(countElements(list), 5u);
}

TEST(ListReader, MalformedElementsFailCleanly) {
  const std::string cases[] = {
      bytes({0x05, 0x01, 'a'}),              // short form past the end
      bytes({0x00, 0x00, 0x00, 0x01}),       // long form without room for a type
      bytes({0x00, 0x10}),                   // long form cut in its length
      bytes({0x00, 0x05, 0x00, 0x01, 'a'}),  // long form past the end
      bytes({0x02, 0x01, 0x04}),             // second element cut short
  };
  for (const auto& c : cases) {
    EXPECT_THROW(countElements(c), FormatError) << hex(c);
    EXPECT_FALSE(elementSize(c.substr(c[0] == 2 ? 2 : 0)).has_value()) << hex(c);
  }
  ListReader empty("");
  EXPECT_THROW(empty.next(), FormatError);
}

TEST(ListReader, NumbersWhoseSignDisagreesAreRejected) {
  const std::string tooBig = bytes({0x0A, 0x04, 0, 0, 0, 0, 0, 0, 0, 0x80});
  EXPECT_FALSE(integerValue(ListReader(tooBig).next()));
  const std::string nineBytes = bytes({0x0B, 0x04, 1, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(integerValue(ListReader(nineBytes).next()));
  const std::string noExponent = bytes({0x02, 0x06});
  EXPECT_FALSE(decimalValue(ListReader(noExponent).next()));
  const std::string oddUtf16 = bytes({0x03, 0x02, 'a'});
  EXPECT_THROW(utf16Value(ListReader(oddUtf16).next()), FormatError);
}
