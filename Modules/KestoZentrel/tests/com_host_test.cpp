// An editor host's view: the server registers itself, both classes are created through
// the component library by CLSID, and a host colours, checks and expands routines.
#include "HostHarness.h"

#include <automation/Bstr.h>
#include <registry/Registry.h>

#include <climits>
#include <cstring>
#include <cstdlib>

namespace kesto::zentrel {
namespace {

namespace reg = kesto::registry;
using kesto::automation::Bstr;
using kesto::automation::formatGuid;
using testing::Host;
using testing::Ref;

TEST_F(Host, RegistrationWritesClassesNamesAndCategory) {
  const std::string intClsid = formatGuid(CLSID_KestoZentrel), macClsid = formatGuid(CLSID_KestoZentrel_MAC);
  const auto lang = reg::values(reg::Hive::ClassesRoot, "Moniker\\lang");
  ASSERT_EQ(lang.size(), 5u);
  for (const auto& [name, value] : lang)
    EXPECT_EQ(reg::toText(value), name == "INT" ? intClsid : macClsid) << name;
  char resolved[PATH_MAX];
  ASSERT_NE(realpath(ZENTREL_LIBRARY, resolved), nullptr);
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot, "CLSID\\" + macClsid + "\\InprocServer32", ""), std::string(resolved));
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot, "CLSID\\" + macClsid, ""), "KestoZentrel_MAC");
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot, "KestoZentrel\\CLSID", ""), intClsid);
  EXPECT_TRUE(reg::keyExists(reg::Hive::ClassesRoot, "CLSID\\" + intClsid + "\\Implemented Categories\\" +
                                                         formatGuid(CATID_ZentrelLanguage)));

  // Unregistering keeps a name another class has taken over.
  const CLSID other{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  ASSERT_EQ(COM_RegisterLanguageName("ZTL", other, 1), S_OK);
  EXPECT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(reg::keyExists(reg::Hive::ClassesRoot, "CLSID\\" + intClsid));
  EXPECT_FALSE(reg::keyExists(reg::Hive::ClassesRoot, "KestoZentrel_MAC"));
  const auto left = reg::values(reg::Hive::ClassesRoot, "Moniker\\lang");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].first, "ZTL");
}

TEST_F(Host, BothClassesAnswerTheirInterfaces) {
  const IID interfaces[] = {IUnknown::iid, ILanguageService::iid, ILineColourizer::iid, ILanguageInfo::iid,
                            IRoutineLabels::iid, IKeywordExpander::iid};
  for (const CLSID& clsid : {CLSID_KestoZentrel, CLSID_KestoZentrel_MAC}) {
    Ref<ILanguageService> object;
    create(clsid, object);
    for (const IID& iid : interfaces) {
      Ref<IUnknown> answer;
      EXPECT_EQ(object->QueryInterface(iid, answer.out()), S_OK);
      EXPECT_NE(answer.p, nullptr);
    }
    void* none = &none;
    EXPECT_EQ(object->QueryInterface(IAllocator::iid, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    Ref<ILanguageInfo> info;
    object->QueryInterface(ILanguageInfo::iid, info.out());
    Bstr text;
    ASSERT_EQ(info->GetDisplayName(text.put()), S_OK);
    EXPECT_EQ(text.toUtf8(), "Kesto Zentrel");
    ASSERT_EQ(info->GetProgID(text.put()), S_OK);
    EXPECT_EQ(text.toUtf8(), clsid == CLSID_KestoZentrel ? "KestoZentrel" : "KestoZentrel_MAC");
    EXPECT_EQ(object->Reserved7(0), E_NOTIMPL);
  }
  auto getClassObject = entry<HRESULT (*)(REFCLSID, REFIID, void**)>("GetClassObject");
  ASSERT_NE(getClassObject, nullptr);
  void* untouched = &untouched;
  EXPECT_EQ(getClassObject(IAllocator::iid, IComponentFactory::iid, &untouched), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(untouched, &untouched);
  EXPECT_EQ(call("CanUnloadNow"), S_OK);
}

TEST_F(Host, ColoursAndChecksRoutinesInBothModes) {
  const std::u16string routine = u"START ; entry\n S X=1 W X\n#define Y 2\n Q";
  Ref<IAllocator> allocator{testing::newAllocator()};
  for (const CLSID& clsid : {CLSID_KestoZentrel, CLSID_KestoZentrel_MAC}) {
    const bool mac = clsid == CLSID_KestoZentrel_MAC;
    Ref<ILineColourizer> colourizer;
    create(clsid, colourizer);
    auto text = source(routine);
    std::int32_t start = 0, done = 0;
    ASSERT_EQ(colourizer->ColourLines(allocator.p, allocator.p, text.p, 0, 1, 4, &start, &done), S_OK);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(done, 4);
    const auto coloured = masks(text.p);
    EXPECT_EQ(coloured.at(0), "LLLLL.;;;;;;;");
    EXPECT_EQ(coloured.at(1), ".C.v+9.C.v");
    EXPECT_EQ(coloured.at(2).substr(0, 7), mac ? "PPPPPPP" : "!!!!!!!");
    EXPECT_EQ(coloured.at(3), ".C");

    Ref<ILanguageService> service;
    colourizer->QueryInterface(ILanguageService::iid, service.out());
    auto again = source(routine);
    EXPECT_EQ(service->ParseLines(allocator.p, again.p, 0), S_OK);
  }
}

TEST_F(Host, ExpandsKeywords) {
  Ref<IKeywordExpander> expander;
  create(CLSID_KestoZentrel_MAC, expander);
  const struct {
    const char16_t* word;
    std::uint32_t attribute;
    std::int32_t direction, caseStyle;
    std::uint32_t flags;
    HRESULT hr;
    const char* result;
  } cases[] = {
      {u"h", 5, 0, 0, 1, S_OK, "hang"},        {u"h", 5, 0, 0, 0, S_OK, "halt"},
      {u"H", 5, 0, 3, 0, S_OK, "Halt"},        {u"H", 5, 0, 1, 1, S_OK, "HANG"},
      {u"s", 5, 0, 1, 0, S_OK, "SET"},         {u"WRITE", 5, 1, 0, 0, S_OK, "W"},
      {u"$p", 17, 0, 3, 0, S_OK, "$Piece"},    {u"$h", 28, 0, 1, 0, S_OK, "$HOROLOG"},
      {u"s", 0x0811, 0, 1, 0, S_FALSE, ""},    {u"s", 6, 0, 1, 0, S_FALSE, ""},
      {u"nonsense", 5, 0, 1, 0, S_FALSE, ""},  {u"s", 5, 2, 1, 0, E_INVALIDARG, ""},
  };
  for (const auto& c : cases) {
    Bstr word(c.word), result;
    EXPECT_EQ(expander->ExpandKeyword(word.get(), c.attribute, c.direction, c.caseStyle, c.flags, result.put()), c.hr)
        << word.toUtf8() << " " << c.attribute;
    EXPECT_EQ(result.toUtf8(), c.result) << word.toUtf8();
  }
  EXPECT_EQ(expander->ExpandKeyword(nullptr, 5, 0, 0, 0, nullptr), E_POINTER);
}

TEST_F(Host, ListsLabelsThatOutliveTheSource) {
  Ref<IRoutineLabels> labels;
  create(CLSID_KestoZentrel, labels);
  Ref<IEnumRoutineLabels> list;
  {
    auto text = source(u"START ; go\n S X=1\n10 Q\n2ab W 1\nFoo(a,b) Q a\n ;end");
    ASSERT_EQ(labels->ListRoutineLabels(text.p, &list.p), S_OK);
  }
  std::uint32_t count = 0;
  list->Count(&count);
  ASSERT_EQ(count, 4u);
  const RoutineLabelItem* items[8] = {};
  std::uint32_t fetched = 0;
  EXPECT_EQ(list->Next(8, items, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 4u);
  const std::pair<std::u16string, std::int32_t> expected[] = {{u"START", 0}, {u"10", 2}, {u"2ab", 3}, {u"Foo", 4}};
  for (std::uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(std::u16string(items[i]->begin, items[i]->end), expected[i].first);
    EXPECT_EQ(items[i]->lineIndex, expected[i].second);
  }
  // Fetching all that is asked for is S_OK, also when it reaches the end.
  list->Reset();
  EXPECT_EQ(list->Next(4, items, &fetched), S_OK);
  EXPECT_EQ(list->SetIndex(3), S_OK);
  EXPECT_EQ(list->SetIndex(4), S_FALSE);
  EXPECT_EQ(list->SetIndex(0xFFFFFFFFu), S_FALSE);
  std::uint32_t index = 0;
  list->GetIndex(&index);
  EXPECT_EQ(index, 4u);
  EXPECT_EQ(labels->ListRoutineLabels(nullptr, &list.p), E_POINTER);
}

TEST_F(Host, EnumeratesColourAttributes) {
  Ref<ILanguageInfo> info;
  create(CLSID_KestoZentrel, info);
  Ref<IEnumColourAttributes> attributes;
  ASSERT_EQ(info->EnumAttributes(&attributes.p), S_OK);
  ColourAttributeItem* items[50] = {};
  std::uint32_t fetched = 0;
  EXPECT_EQ(attributes->Next(50, items, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 44u);
  EXPECT_EQ(items[42]->id, 42);
  EXPECT_EQ(std::u16string(items[42]->name), u"Brace");
  EXPECT_EQ(items[42]->foreground, 0x00800080u);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(items[3]);
  std::uint32_t foreground = 0, background = 0;
  std::memcpy(&foreground, bytes + 516, 4);
  std::memcpy(&background, bytes + 520, 4);
  EXPECT_EQ(foreground, 0x000000FFu);
  EXPECT_EQ(background, 0x80000005u);
  for (auto* item : items) COM_MemFree(item);
  EXPECT_EQ(attributes->Next(1, items, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  EXPECT_EQ(attributes->SetIndex(0xFFFFFFFFu), S_FALSE);
  EXPECT_EQ(attributes->SetIndex(43), S_OK);
  Ref<IEnumColourAttributes> copy;
  ASSERT_EQ(attributes->Clone(&copy.p), S_OK);
  std::uint32_t index = 0;
  copy->GetIndex(&index);
  EXPECT_EQ(index, 43u);
  attributes->MoveToEnd();
  attributes->GetIndex(&index);
  EXPECT_EQ(index, 0u);

  Bstr name;
  EXPECT_EQ(info->GetAttribute(43, name.put()), S_OK);
  EXPECT_EQ(name.toUtf8(), "Javascript");
  for (std::uint32_t bad : {44u, 65536u, 0xFFFFFFFFu}) EXPECT_EQ(info->GetAttribute(bad, name.put()), E_FAIL) << bad;
}

}  // namespace
}  // namespace kesto::zentrel
