#include "SampleObject.h"

#include <automation/Dispatch.h>

#include <gtest/gtest.h>

using namespace kesto::automation;

namespace {

// Raw Invoke with arguments given in call order.
HRESULT invoke(IDispatch* d, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result,
               EXCEPINFO* info = nullptr, UINT* argErr = nullptr) {
  std::reverse(args.begin(), args.end());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS p;
  p.rgvarg = args.empty() ? nullptr : args.data();
  p.cArgs = static_cast<UINT>(args.size());
  if (flags & DISPATCH_PROPERTYPUT) {
    p.rgdispidNamedArgs = &put;
    p.cNamedArgs = 1;
  }
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &p, result, info, argErr);
}

VARIANT i4(LONG v) {
  VARIANT x;
  VariantInit(&x);
  x.vt = VT_I4;
  x.lVal = v;
  return x;
}

}  // namespace

TEST(DispatchTable, NamesAreFoundWithoutRegardToCase) {
  auto s = sample::Sample::create();
  std::u16string name = u"nAmE";
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(s->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 4);
  std::u16string unknown = u"Nichts";
  names[0] = unknown.data();
  EXPECT_EQ(s->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
  // Named arguments are not offered: the call says so instead of binding them wrong.
  std::u16string add = u"Add", arg = u"b";
  LPOLESTR two[] = {add.data(), arg.data()};
  DISPID ids[2];
  EXPECT_EQ(s->GetIDsOfNames(IID_NULL, two, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 1);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST(DispatchTable, OptionalByRefAndMissingArguments) {
  Dispatch d(sample::Sample::create());
  EXPECT_EQ(d.call("Add", 1, 2).toInt32(), 3);
  EXPECT_EQ(d.call("Add", 1).toInt32(), 11);                  // not passed
  EXPECT_EQ(d.call("Add", 1, Arg::missing()).toInt32(), 11);  // passed as missing
  EXPECT_EQ(d.call("add", "4", 2.6).toInt32(), 7);            // converted to VT_I4
  Variant n(21);
  Variant old = d.call("Twice", byRef(n));
  EXPECT_EQ(old.vt(), VT_BSTR);  // result converted to the declared type
  EXPECT_EQ(old.toUtf8(), "21");
  EXPECT_EQ(n.toInt32(), 42);
  EXPECT_EQ(d.call("Stamp", "15.03.2023").toUtf8(), "15.03.2023");
}

TEST(DispatchTable, ByRefResultKeepsTheCallersType) {
  auto s = sample::Sample::create();
  BSTR text = SysAllocString(u"5");
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  VARIANT result;
  ASSERT_EQ(invoke(s.get(), 2, DISPATCH_METHOD, {ref}, &result), S_OK);
  EXPECT_EQ(std::u16string_view(text), u"10");
  VariantClear(&result);
  SysFreeString(text);
}

TEST(DispatchTable, ErrorsOfTheCall) {
  auto s = sample::Sample::create();
  VARIANT result;
  UINT argErr = 99;
  EXPECT_EQ(invoke(s.get(), 1, DISPATCH_METHOD, {}, &result), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(s.get(), 1, DISPATCH_METHOD, {i4(1), i4(2), i4(3)}, &result), DISP_E_BADPARAMCOUNT);
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(u"zwei");
  EXPECT_EQ(invoke(s.get(), 1, DISPATCH_METHOD, {i4(1), text}, &result, nullptr, &argErr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);  // rgvarg index: the last argument
  VariantClear(&text);
  EXPECT_EQ(invoke(s.get(), 77, DISPATCH_METHOD, {}, &result), DISP_E_MEMBERNOTFOUND);
  // Count is read-only: a put finds no member.
  EXPECT_EQ(invoke(s.get(), 5, DISPATCH_PROPERTYPUT, {i4(1)}, &result), DISP_E_MEMBERNOTFOUND);
  IID other{1, 2, 3, {}};
  DISPPARAMS none;
  EXPECT_EQ(s->Invoke(1, other, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST(DispatchTable, RaisedErrorArrivesAsFilledExcepInfo) {
  auto s = sample::Sample::create();
  VARIANT code = i4(9991), text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(u"Fehler ä");
  EXCEPINFO info;
  VARIANT result;
  ASSERT_EQ(invoke(s.get(), 3, DISPATCH_METHOD, {code, text}, &result, &info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.wCode, 9991);
  EXPECT_EQ(info.scode, 0);
  EXPECT_EQ(std::u16string_view(info.bstrDescription), u"Fehler ä");
  EXPECT_EQ(std::u16string_view(info.bstrSource), u"KestoTest");
  ClearExcepInfo(&info);
  VariantClear(&text);

  // Code 0 needs a failure scode; the client helper turns the record back into C++.
  Dispatch d(s.get());
  try {
    d.call("Fail", 0, "Recursion not allowed.");
    FAIL() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.scode, E_FAIL);
    EXPECT_EQ(e.description, "Recursion not allowed.");
    EXPECT_EQ(e.source, "KestoTest");
  }
}

TEST(DispatchTable, PropertiesThroughTheClientHelper) {
  Dispatch d(sample::Sample::create());
  EXPECT_EQ(d.get("Name").toUtf8(), "Anfang");
  d.put("Name", "Größe");
  EXPECT_EQ(d.get("name").toUtf8(), "Größe");
  try {
    d.put("Count", 4);
    FAIL() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(e.hr, DISP_E_MEMBERNOTFOUND);
  }
  EXPECT_THROW(d.call("Nichts"), ComError);
}
