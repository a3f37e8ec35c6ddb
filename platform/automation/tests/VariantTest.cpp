#include "StubDispatch.h"

#include <automation/Variant.h>

#include <gtest/gtest.h>

using namespace kesto::automation;

namespace {


ULONG refs(IUnknown* p) {
  p->AddRef();
  return p->Release();
}

}  // namespace

TEST(Variant, CopyIsDeepAndClearFrees) {
  const long before = liveBstrCount();
  VARIANT a, b;
  VariantInit(&a);
  VariantInit(&b);
  a.vt = VT_BSTR;
  a.bstrVal = SysAllocStringByteLen("xyz", 3);
  ASSERT_EQ(VariantCopy(&b, &a), S_OK);
  EXPECT_NE(b.bstrVal, a.bstrVal);
  EXPECT_EQ(SysStringByteLen(b.bstrVal), 3u);
  EXPECT_EQ(VariantCopy(&a, &a), S_OK);  // self copy keeps the value
  EXPECT_EQ(SysStringByteLen(a.bstrVal), 3u);
  VariantClear(&a);
  VariantClear(&b);
  EXPECT_EQ(a.vt, VT_EMPTY);
  EXPECT_EQ(liveBstrCount(), before);
}

TEST(Variant, InterfacesAreCountedByCopyAndClear) {
  auto object = StubDispatch::create();
  const ULONG start = refs(object.get());
  {
    Variant v(static_cast<IDispatch*>(object.get()));
    Variant copy = v;
    EXPECT_EQ(refs(object.get()), start + 2);
  }
  EXPECT_EQ(refs(object.get()), start);
}

TEST(Variant, CopyIndReadsThroughNestedByRef) {
  BSTR text = SysAllocString(u"innen");
  VARIANT inner;
  VariantInit(&inner);
  inner.vt = VT_BYREF | VT_BSTR;
  inner.pbstrVal = &text;
  VARIANT middle;
  VariantInit(&middle);
  middle.vt = VT_BYREF | VT_VARIANT;
  middle.pvarVal = &inner;
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &middle;

  VARIANT out;
  VariantInit(&out);
  ASSERT_EQ(VariantCopyInd(&out, &outer), S_OK);
  EXPECT_EQ(out.vt, VT_BSTR);
  EXPECT_NE(out.bstrVal, text);  // a copy, not the caller's string
  EXPECT_EQ(std::u16string_view(out.bstrVal), u"innen");
  VariantClear(&out);

  // Clearing a by-ref value frees nothing of the caller's.
  VariantClear(&outer);
  EXPECT_EQ(std::u16string_view(text), u"innen");
  SysFreeString(text);
}

TEST(Variant, CopyIndRefusesLoopsAndNullReferences) {
  VARIANT loop;
  VariantInit(&loop);
  loop.vt = VT_BYREF | VT_VARIANT;
  loop.pvarVal = &loop;
  VARIANT out;
  VariantInit(&out);
  EXPECT_EQ(VariantCopyInd(&out, &loop), E_INVALIDARG);
  VARIANT dangling;
  VariantInit(&dangling);
  dangling.vt = VT_BYREF | VT_I4;
  dangling.plVal = nullptr;
  EXPECT_EQ(VariantCopyInd(&out, &dangling), E_INVALIDARG);
  VARIANT bad;
  VariantInit(&bad);
  bad.vt = 0x0FFF;
  EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
}

TEST(Variant, WrapperConversionsThrowComError) {
  EXPECT_EQ(Variant("12,5").toDouble(), 12.5);
  EXPECT_EQ(Variant(7).toUtf8(), "7");
  EXPECT_TRUE(Variant::missing().isMissing());
  try {
    (void)Variant::null().toInt32();
    FAIL() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(e.hr, DISP_E_TYPEMISMATCH);
  }
}
