#include "StubDispatch.h"

#include <automation/Variant.h>

#include <services/Locale.h>

#include <gtest/gtest.h>

using namespace kesto::automation;

namespace {

struct Case {
  const char* name;
  Variant from;
  VARTYPE to;
  HRESULT hr;
  Variant expected;  // ignored when hr fails
};

Variant i2(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant cy(std::int64_t scaled) { return Variant(CY{scaled}); }
Variant date(double d) { return Variant::date(d); }

bool sameValue(const Variant& a, const Variant& b) {
  if (a.vt() != b.vt()) return false;
  if (a.vt() == VT_BSTR) return a.toBytes() == b.toBytes();
  return a.raw().llVal == b.raw().llVal;
}

std::string show(const Variant& v) {
  if (v.vt() == VT_BSTR) return "\"" + v.toUtf8() + "\"";
  try {
    return "vt " + std::to_string(v.vt()) + " " + v.toUtf8();
  } catch (const ComError&) {
    return "vt " + std::to_string(v.vt());
  }
}


}  // namespace

TEST(ChangeType, Table) {
  kesto::services::resetLocaleFacts();
  auto object = StubDispatch::create();
  const Case cases[] = {
      // numbers
      {"R8 rounds half to even (down)", Variant(2.5), VT_I4, S_OK, Variant(2)},
      {"R8 rounds half to even (up)", Variant(3.5), VT_I2, S_OK, i2(4)},
      {"negative half", Variant(-2.5), VT_I4, S_OK, Variant(-2)},
      {"I4 to I2 overflow", Variant(40000), VT_I2, DISP_E_OVERFLOW, {}},
      {"I4 to UI1 negative", Variant(-1), VT_UI1, DISP_E_OVERFLOW, {}},
      {"R8 to I4 overflow", Variant(3e9), VT_I4, DISP_E_OVERFLOW, {}},
      {"R8 to R4 overflow", Variant(1e300), VT_R4, DISP_E_OVERFLOW, {}},
      {"I2 to R8", i2(-7), VT_R8, S_OK, Variant(-7.0)},
      {"empty to I4", Variant(), VT_I4, S_OK, Variant(0)},
      // text in and out, German rules
      {"R8 to text", Variant(1234.5), VT_BSTR, S_OK, Variant(u"1234,5")},
      {"small R8 to text", Variant(0.0001), VT_BSTR, S_OK, Variant(u"0,0001")},
      {"tiny R8 to text", Variant(0.00001), VT_BSTR, S_OK, Variant(u"1E-05")},
      {"large R8 to text", Variant(1e20), VT_BSTR, S_OK, Variant(u"1E+20")},
      {"R4 to text", Variant(0.1f), VT_BSTR, S_OK, Variant(u"0,1")},
      {"text to R8", Variant(u" -1.234,5 "), VT_R8, S_OK, Variant(-1234.5)},
      {"text with exponent", Variant(u"1,5E3"), VT_I4, S_OK, Variant(1500)},
      {"dot is no decimal point", Variant(u"1.5"), VT_R8, DISP_E_TYPEMISMATCH, {}},
      {"word is no number", Variant(u"abc"), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {"text overflow", Variant(u"99999"), VT_I2, DISP_E_OVERFLOW, {}},
      // currency
      {"CY to text", cy(125000), VT_BSTR, S_OK, Variant(u"12,5")},
      {"negative CY to text", cy(-5), VT_BSTR, S_OK, Variant(u"-0,0005")},
      {"text to CY exact", Variant(u"12,3456"), VT_CY, S_OK, cy(123456)},
      {"text to CY rounds", Variant(u"0,00005"), VT_CY, S_OK, cy(0)},
      {"text to CY overflow", Variant(u"1E20"), VT_CY, DISP_E_OVERFLOW, {}},
      {"CY to I4 rounds half even", cy(25000), VT_I4, S_OK, Variant(2)},
      {"R8 to CY", Variant(1.23456), VT_CY, S_OK, cy(12346)},
      // dates
      {"date to text", date(45000.0), VT_BSTR, S_OK, Variant(u"15.03.2023")},
      {"date time to text", date(45000.5), VT_BSTR, S_OK, Variant(u"15.03.2023 12:00:00")},
      {"time alone", date(0.25), VT_BSTR, S_OK, Variant(u"06:00:00")},
      {"rounds to the second", date(45000.0 + 86399.6 / 86400), VT_BSTR, S_OK, Variant(u"16.03.2023")},
      {"German text to date", Variant(u"15.03.2023 12:00:00"), VT_DATE, S_OK, date(45000.5)},
      {"short year", Variant(u"1.3.24"), VT_DATE, S_OK, date(45352.0)},
      {"ISO text to date", Variant(u"2023-03-15 06:00:00"), VT_DATE, S_OK, date(45000.25)},
      {"no such day", Variant(u"31.02.2023"), VT_DATE, DISP_E_TYPEMISMATCH, {}},
      {"before the epoch", Variant(u"29.12.1899 06:00"), VT_DATE, S_OK, date(-1.25)},
      {"number to date", Variant(2), VT_DATE, S_OK, date(2.0)},
      {"date out of range", Variant(1e7), VT_DATE, DISP_E_OVERFLOW, {}},
      // booleans: text form pinned to "-1"/"0"
      {"true to text", Variant(true), VT_BSTR, S_OK, Variant(u"-1")},
      {"false to text", Variant(false), VT_BSTR, S_OK, Variant(u"0")},
      {"text True", Variant(u"true"), VT_BOOL, S_OK, Variant(true)},
      {"text Falsch", Variant(u"Falsch"), VT_BOOL, S_OK, Variant(false)},
      {"number to bool", Variant(0.5), VT_BOOL, S_OK, Variant(true)},
      {"bool to I2", Variant(true), VT_I2, S_OK, i2(-1)},
      // what does not convert
      {"null to text", Variant::null(), VT_BSTR, DISP_E_TYPEMISMATCH, {}},
      {"null to I4", Variant::null(), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {"error to I4", Variant::missing(), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {"object to text", Variant(static_cast<IDispatch*>(object.get())), VT_BSTR, DISP_E_TYPEMISMATCH, {}},
      {"object to I4", Variant(static_cast<IDispatch*>(object.get())), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {"text to object", Variant(u"x"), VT_DISPATCH, DISP_E_TYPEMISMATCH, {}},
      {"empty to text", Variant(), VT_BSTR, S_OK, Variant(u"")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VARIANT out;
    VariantInit(&out);
    const HRESULT hr = VariantChangeType(&out, c.from.get(), 0, c.to);
    EXPECT_EQ(hr, c.hr);
    Variant got = Variant::attach(out);
    if (SUCCEEDED(hr) && SUCCEEDED(c.hr)) {
      EXPECT_TRUE(sameValue(got, c.expected)) << show(got) << " != " << show(c.expected);
    }
  }
}

TEST(ChangeType, ByRefSourceAndInPlace) {
  std::int32_t n = 42;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = &n;
  VARIANT out;
  VariantInit(&out);
  ASSERT_EQ(VariantChangeType(&out, &ref, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string_view(out.bstrVal), u"42");
  // In place: the string is replaced by the number and freed.
  const long before = liveBstrCount();
  ASSERT_EQ(VariantChangeType(&out, &out, 0, VT_R8), S_OK);
  EXPECT_EQ(out.dblVal, 42.0);
  EXPECT_EQ(liveBstrCount(), before - 1);
}

TEST(ChangeType, BoolWordsOnRequest) {
  Variant t(true);
  VARIANT out;
  VariantInit(&out);
  ASSERT_EQ(VariantChangeType(&out, t.get(), VARIANT_ALPHABOOL, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string_view(out.bstrVal), u"True");
  ASSERT_EQ(VariantChangeType(&out, t.get(), VARIANT_LOCALBOOL, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string_view(out.bstrVal), u"Wahr");
  VariantClear(&out);
}

TEST(ChangeType, CurrencyFunctions) {
  CY value{};
  EXPECT_EQ(VarCyFromStr(u"1.234,56", LOCALE_USER_DEFAULT, 0, &value), S_OK);
  EXPECT_EQ(value.int64, 12345600);
  EXPECT_EQ(VarCyFromStr(u"kein Betrag", LOCALE_USER_DEFAULT, 0, &value), DISP_E_TYPEMISMATCH);
  BSTR text = nullptr;
  ASSERT_EQ(VarBstrFromCy(CY{-12345600}, LOCALE_USER_DEFAULT, 0, &text), S_OK);
  EXPECT_EQ(std::u16string_view(text), u"-1234,56");
  SysFreeString(text);
}
