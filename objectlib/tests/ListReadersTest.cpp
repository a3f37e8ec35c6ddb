// Typed readers and VARIANTs on top of the element reader.
#include <kestoobject/ListReaders.h>

#include <automation/DispatchException.h>
#include <automation/Variant.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace kesto::object;
using kesto::automation::DispatchException;
using kesto::automation::Variant;
using Bytes = std::vector<std::uint8_t>;

const std::uint8_t* endOf(const Bytes& b) { return b.data() + b.size(); }

// Each case is {what, bytes, expected}: the reader must consume the element and give expected.
template <class Value, class Case, std::size_t N, class Reader>
void expectReads(const Case (&cases)[N], Reader read) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Value value{};
    EXPECT_EQ(read(c.bytes.data(), endOf(c.bytes), value), endOf(c.bytes));
    EXPECT_EQ(value, c.expected);
  }
}

TEST(ListReadInteger, TextAndNumbers) {
  struct Case {
    const char* what;
    Bytes bytes;
    int expected;
  };
  const Case cases[] = {
      {"8-bit text", {0x04, 0x01, '4', '2'}, 42},
      {"UTF-16 text", {0x06, 0x02, '-', 0, '7', 0}, -7},
      {"integer element", {0x03, 0x04, 0x07}, 7},
      {"negative element", {0x04, 0x05, 0xFF, 0xFE}, -257},
      {"not a number", {0x05, 0x01, 'a', 'b', 'c'}, 0},
      // Read through its text 4294967295.000000, which saturates instead of overflowing.
      {"beyond int", {0x06, 0x04, 0xFF, 0xFF, 0xFF, 0xFF}, INT_MAX},
  };
  expectReads<int>(cases, ListReadInteger);
}

TEST(ListReadWide, WidensEightBitTextAndKeepsUtf16) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"ANSI", {0x05, 0x01, 'P', 0x80, 0xE4}, u"P\u20AC\u00E4"},
      {"UTF-16", {0x06, 0x02, 0xAC, 0x20, 'x', 0}, u"\u20ACx"},
      {"odd UTF-16", {0x05, 0x02, 'a', 0, 'b'}, u"ab"},
      {"number", {0x03, 0x04, 0x07}, u"7"},
  };
  expectReads<std::u16string>(cases, ListReadWide);
}

TEST(ListReadNarrow, NarrowsUtf16AndKeepsEightBitText) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"ANSI", {0x04, 0x01, 'P', 0x80}, "P\x80"},
      {"UTF-16", {0x06, 0x02, 0xAC, 0x20, 0xE4, 0x00}, "\x80\xE4"},
      {"unmappable", {0x04, 0x02, 0x00, 0x4E}, "?"},
      {"decimal", {0x04, 0x06, 0xFE, 0x0F}, "0.150000"},
  };
  expectReads<std::string>(cases, ListReadNarrow);
}

TEST(ListTypedReaders, MalformedElementIsWrongListFormat) {
  const Bytes cut{0x05, 0x01, 'a'};
  const auto expectWrongFormat = [&](auto&& read) {
    try {
      read();
      ADD_FAILURE() << "no exception";
    } catch (const DispatchException& e) {
      EXPECT_EQ(e.code, 9991);
      EXPECT_EQ(e.description, "Wrong list format");
    }
  };
  int value = 0;
  std::u16string wide;
  std::string narrow;
  Variant variant;
  expectWrongFormat([&] { ListReadInteger(cut.data(), endOf(cut), value); });
  expectWrongFormat([&] { ListReadWide(cut.data(), endOf(cut), wide); });
  expectWrongFormat([&] { ListReadNarrow(cut.data(), endOf(cut), narrow); });
  expectWrongFormat([&] { ListItemToVariant(cut.data(), endOf(cut), variant.get()); });
}

TEST(ListItemToVariant, EachElementType) {
  struct Case {
    const char* what;
    Bytes bytes;
    VARTYPE vt;
    std::u16string text;  // VT_BSTR
    double number;        // VT_I4 and VT_R8
  };
  const Case cases[] = {
      {"undefined", {0x01}, VT_NULL, u"", 0},
      {"8-bit", {0x04, 0x01, 'a', 0x80}, VT_BSTR, u"a\u20AC", 0},
      {"empty 8-bit", {0x02, 0x01}, VT_BSTR, u"", 0},
      {"UTF-16", {0x04, 0x02, 'z', 0}, VT_BSTR, u"z", 0},
      {"empty UTF-16", {0x02, 0x02}, VT_BSTR, u"", 0},
      {"integer", {0x03, 0x04, 0x07}, VT_I4, u"", 7},
      {"empty type 4", {0x02, 0x04}, VT_I4, u"", 0},
      {"empty type 5", {0x02, 0x05}, VT_I4, u"", -1},
      {"decimal", {0x04, 0x06, 0xFE, 0x0F}, VT_R8, u"", 0.15},
      {"4 bytes of 0xFF", {0x06, 0x04, 0xFF, 0xFF, 0xFF, 0xFF}, VT_R8, u"", 4294967295.0},
      {"undecodable", {0x02, 0x06}, VT_NULL, u"", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Variant value = Variant(std::u16string_view(u"old"));  // replaced, not leaked
    EXPECT_EQ(ListItemToVariant(c.bytes.data(), endOf(c.bytes), value.get()), endOf(c.bytes));
    ASSERT_EQ(value.vt(), c.vt);
    if (c.vt == VT_BSTR) {
      const BSTR b = value.raw().bstrVal;
      EXPECT_EQ(std::u16string(b, SysStringLen(b)), c.text);
    } else if (c.vt == VT_I4) {
      EXPECT_EQ(value.raw().lVal, c.number);
    } else if (c.vt == VT_R8) {
      EXPECT_DOUBLE_EQ(value.raw().dblVal, c.number);
    }
  }
}

TEST(ListItemToVariant, KeepsOddUtf16BytesAndRejectsUnknownTypes) {
  const Bytes odd{0x05, 0x02, 'a', 0, 'b'};
  Variant value;
  ListItemToVariant(odd.data(), endOf(odd), value.get());
  ASSERT_EQ(value.vt(), VT_BSTR);
  EXPECT_EQ(SysStringByteLen(value.raw().bstrVal), 3u);

  const Bytes unknown{0x02, 0x03};
  try {
    ListItemToVariant(unknown.data(), endOf(unknown), value.get());
    FAIL() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.description, "Can not extract from List. Type 3.");
  }
}

TEST(WideToAnsiInPlace, ConvertsOverTheSameBuffer) {
  Bytes buffer{'P', 0, 0xAC, 0x20, 0xE4, 0x00, 0x00, 0x4E, 0x7F};  // odd last byte
  const std::size_t length = WideToAnsiInPlace(buffer.data(), buffer.size());
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + length), "P\x80\xE4?");
}

}  // namespace
