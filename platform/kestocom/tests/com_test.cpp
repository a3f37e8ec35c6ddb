#include <kestocom/KestoCOM.h>

#include <gtest/gtest.h>

namespace {

TEST(LanguageNames, OnlyLangNamesParse) {
  std::int32_t eaten = -1;
  IComponentName* name = nullptr;
  EXPECT_EQ(COM_MkParseName(u"sql:X", &eaten, &name), MK_E_SYNTAX);
  EXPECT_EQ(name, nullptr);
  ASSERT_EQ(COM_MkParseName(u"LANG:nosuch", &eaten, &name), S_OK);
  EXPECT_EQ(eaten, 11);
  IUnknown* object = nullptr;
  EXPECT_EQ(name->Bind(u"", IUnknown::iid, reinterpret_cast<void**>(&object)), MK_E_NOOBJECT);
  name->Release();
}

TEST(Allocator, BlocksAreReusedAndCounted) {
  IAllocator* a = nullptr;
  ASSERT_EQ(COM_CreateInstance(CLSID_ComponentAllocator, nullptr, IAllocator::iid, reinterpret_cast<void**>(&a)), S_OK);
  void* p = a->Allocate(40);
  a->Free(p);
  EXPECT_EQ(a->Allocate(40), p);
  std::uint32_t inUse = 0, peak = 0, blocks = 0, chunks = 0;
  a->Statistics(&inUse, &peak, &blocks, &chunks);
  EXPECT_EQ(blocks, 1u);
  a->Release();
}

TEST(ClassObjects, UnregisteredClassIsReported) {
  IComponentFactory* f = nullptr;
  EXPECT_EQ(COM_GetClassFactory(CLSID{0x12345678, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}}, &f), REGDB_E_CLASSNOTREG);
}

}  // namespace
