#include <kestoobject/ObjInstanceValue.h>

#include <kestoobject/ModuleState.h>
#include <kestoobject/Syslist.h>

#include <text/CodePage.h>

#include <gtest/gtest.h>

namespace kesto::object {
namespace {

using automation::Variant;

constexpr double kSecond = 1.0 / 86400.0;

TEST(ObjInstanceValueTest, DatesToServerText) {
  const struct {
    DATE date;
    std::u16string text;
  } cases[] = {
      {0.0, u""},
      {1.0, u"21549"},
      {1.0 + kSecond, u"21549,1"},  // one second is not lost
      {1.0 + 2 * kSecond, u"21549,2"},
      {1.0 + 10.0 / 24.0, u"21549,36000"},  // 10:00:00 must not become 09:59:59
      {1.0 + 86399.6 * kSecond, u"21550"},  // rounds into the next day
      {-1.25, u"21547,21600"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    EXPECT_EQ(DateToServerText(c.date), c.text);
  }
}

TEST(ObjInstanceValueTest, DatesFromServerText) {
  EXPECT_DOUBLE_EQ(DateFromServerText(u""), 0.0);
  EXPECT_DOUBLE_EQ(DateFromServerText(u"21549,36000"), 1.0 + 10.0 / 24.0);
  EXPECT_DOUBLE_EQ(DateFromServerText(u"21547,21600"), -1.25);
  EXPECT_DOUBLE_EQ(DateFromServerText(u"66914"), 45366.0);  // 2024-03-15
  EXPECT_EQ(TimeToServerText(0.5), u"43200");
  EXPECT_EQ(TimeToServerText(0.0), u"");
  EXPECT_DOUBLE_EQ(TimeFromServerText(u"43200"), 0.5);
}

TEST(ObjInstanceValueTest, ValuesToServerText) {
  LONG byRefLong = 7;
  VARIANT refLong{};
  refLong.vt = VT_I4 | VT_BYREF;
  refLong.plVal = &byRefLong;
  Variant inner(std::int16_t{-3});
  VARIANT refVariant{};
  refVariant.vt = VT_VARIANT | VT_BYREF;
  refVariant.pvarVal = inner.get();

  const struct {
    const char* what;
    VARIANT value;
    int conversion;
    bool raw;
    std::string expected;  // UTF-8 text or the raw bytes
  } cases[] = {
      {"short", Variant(std::int16_t{-5}).detach(), kConvInteger, false, "-5"},
      {"long", Variant(std::int32_t{123456}).detach(), kConvInteger, false, "123456"},
      {"double", Variant(12.5).detach(), kConvDouble, false, "12.500000"},
      {"boolean", Variant(true).detach(), kConvBoolean, false, "1"},
      {"date", Variant::date(1.0).detach(), kConvDate, false, "21549"},
      {"time", Variant::date(0.5).detach(), kConvTimeOrStatus, false, "43200"},
      {"text", Variant(u"Grün").detach(), kConvText, false, "Grün"},
      {"binary", Variant::bytes(std::string("\x01\x02\x03", 3)).detach(), kConvBinary, true,
       std::string("\x01\x02\x03", 3)},
      {"number given for binary", Variant(std::int32_t{5}).detach(), kConvBinary, true, "5"},
      {"long by reference", refLong, kConvInteger, false, "7"},
      {"variant by reference", refVariant, kConvInteger, false, "-3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ServerText out;
    ASSERT_TRUE(ValueToServerText(c.value, c.conversion, out, nullptr));
    EXPECT_EQ(out.Raw, c.raw);
    EXPECT_EQ(c.raw ? out.Bytes : kesto::text::utf16ToUtf8(out.Text), c.expected);
    if (!(c.value.vt & VT_BYREF)) {
      VARIANT owned = c.value;
      VariantClear(&owned);
    }
  }
}

TEST(ObjInstanceValueTest, TypesWithoutServerFormAreRefused) {
  ResetModuleState();
  ServerText out;
  EXPECT_FALSE(ValueToServerText(Variant(std::uint8_t{1}).raw(), kConvInteger, out, nullptr));
  EXPECT_EQ(moduleState().LastErrorText,
            "Variant of Variant ByRef Data type 17  is not currently supported ");
  ResetModuleState();
}

TEST(ObjInstanceValueTest, ListObjectsTravelAsTheirBytes) {
  auto list = CSyslist::createEmpty();
  list->add(Variant(u"a"));
  ServerText out;
  ASSERT_TRUE(ValueToServerText(Variant(static_cast<IDispatch*>(list.get())).raw(), kConvList,
                                out, nullptr));
  EXPECT_TRUE(out.Raw);
  EXPECT_EQ(out.Bytes, std::string("\x04\x02\x61\x00", 4));

  Variant back;
  ASSERT_TRUE(ServerTextToValue(out, VT_DISPATCH, kConvList, back));
  CSyslist* copy = CSyslist::native(back.dispatch());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->count(), 1);
}

TEST(ObjInstanceValueTest, ValuesFromServerText) {
  const auto read = [](std::u16string text, VARTYPE type, int conversion) {
    ServerText in;
    in.Text = std::move(text);
    Variant out;
    EXPECT_TRUE(ServerTextToValue(in, type, conversion, out));
    return out;
  };
  EXPECT_EQ(read(u"42", VT_I4, kConvInteger).toInt32(), 42);
  EXPECT_DOUBLE_EQ(read(u"12.5", VT_R8, kConvDouble).toDouble(), 12.5);
  EXPECT_FALSE(read(u"0", VT_BOOL, kConvBoolean).toBool());
  EXPECT_TRUE(read(u"1", VT_BOOL, kConvBoolean).toBool());
  EXPECT_DOUBLE_EQ(read(u"21549", VT_DATE, kConvDate).toDate(), 1.0);
  EXPECT_EQ(read(u"Zement", VT_BSTR, kConvText).toString(), u"Zement");
  EXPECT_EQ(read(u"kein Geld", VT_CY, kConvCurrency).toCurrency().int64, 0);
}

TEST(ObjInstanceValueTest, ByReferenceResultsFollowTheVariablesType) {
  ServerText answer;
  answer.Text = u"21549,36000";
  DATE date = 0;
  VARIANT target{};
  target.vt = VT_DATE | VT_BYREF;
  target.pdate = &date;
  ASSERT_TRUE(ServerTextToByRef(answer, kConvDate, target));
  EXPECT_DOUBLE_EQ(date, 1.0 + 10.0 / 24.0);

  answer.Text = u"neu";
  BSTR text = SysAllocString(u"alt");
  target.vt = VT_BSTR | VT_BYREF;
  target.pbstrVal = &text;
  ASSERT_TRUE(ServerTextToByRef(answer, kConvText, target));
  EXPECT_EQ(std::u16string(text), u"neu");
  SysFreeString(text);

  Variant empty;
  target.vt = VT_VARIANT | VT_BYREF;
  target.pvarVal = empty.get();
  ResetModuleState();
  EXPECT_FALSE(ServerTextToByRef(answer, kConvText, target));  // skipped, not an error
  EXPECT_EQ(moduleState().LastErrorText, "");
}

}  // namespace
}  // namespace kesto::object
