// The list object through its automation interface, as clients use it.
#include "DispatchErrors.h"

#include <kestoobject/Syslist.h>

#include <automation/Dispatch.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kesto::object {
namespace {

using automation::ComPtr;
using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;

std::string bytesOf(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

struct List {
  ComPtr<CSyslist> object = CSyslist::createEmpty();
  Dispatch d{object};

  std::string get() const { return d.call("Get").toBytes(); }
  void set(const std::string& bytes) const { d.call("Set", Variant::bytes(bytes)); }
  long count() const { return d.get("Count").toInt32(); }
  Variant item(int i) const { return d.get("Item", std::int16_t(i)); }
};

TEST(Syslist, NewListIsEmpty) {
  List l;
  EXPECT_EQ(l.count(), 0);
  EXPECT_EQ(l.get(), "");
  EXPECT_TRUE(l.item(1).isNull());
  EXPECT_EQ(l.object->capacity(), CSyslist::kNewCapacity);
}

TEST(Syslist, PutsEncodeAsSpecified) {
  struct Case {
    const char* name;
    bool multibyte;
    int index;  // 0 = Add
    Variant value;
    std::string bytes;
    long count;
  };
  const Case cases[] = {
      {"put past the end pads", false, 3, Variant(u"x"), bytesOf({1, 1, 4, 2, 'x', 0}), 3},
      {"add null", false, 0, Variant::null(), bytesOf({1}), 1},
      {"add 8-bit", true, 0, Variant(u"abc"), bytesOf({5, 1, 'a', 'b', 'c'}), 1},
      {"add UTF-16", false, 0, Variant(u"abc"), bytesOf({8, 2, 'a', 0, 'b', 0, 'c', 0}), 1},
      {"add empty text", true, 0, Variant(u""), bytesOf({2, 1}), 1},
      {"number as text", false, 0, Variant(std::int32_t(42)), bytesOf({6, 2, '4', 0, '2', 0}), 1},
      {"8-bit uses ANSI", true, 0, Variant(u"\u00e4\u20ac"), bytesOf({4, 1, 0xE4, 0x80}), 1},
      {"put at 0 is ignored", false, -1, Variant(u"x"), "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    List l;
    l.d.put("IsMultibyte", c.multibyte);
    if (c.index == 0)
      l.d.call("Add", c.value);
    else
      l.d.put("Item", std::int16_t(c.index < 0 ? 0 : c.index), c.value);
    EXPECT_EQ(l.get(), c.bytes);
    EXPECT_EQ(l.count(), c.count);
  }
}

TEST(Syslist, ReadsElementsByType) {
  List l;
  l.set(bytesOf({1, 3, 4, 7, 5, 1, 'a', 'b', 'c', 6, 2, 'd', 0, 'e', 0, 3, 5, 0xFF, 4, 6, 0xFE, 0x0F}));
  EXPECT_EQ(l.count(), 6);
  EXPECT_TRUE(l.item(1).isNull());
  EXPECT_EQ(l.item(2).vt(), VT_I4);
  EXPECT_EQ(l.item(2).toInt32(), 7);
  EXPECT_EQ(l.item(3).toString(), u"abc");
  EXPECT_EQ(l.item(4).toString(), u"de");
  EXPECT_EQ(l.item(5).toInt32(), -1);
  EXPECT_EQ(l.item(6).vt(), VT_R8);
  EXPECT_DOUBLE_EQ(l.item(6).toDouble(), 0.15);
  EXPECT_TRUE(l.item(7).isNull());
  EXPECT_TRUE(l.item(0).isNull());
  // Going back after reaching the end still finds the right element.
  EXPECT_EQ(l.item(3).toString(), u"abc");
  EXPECT_EQ(l.item(2).toInt32(), 7);
}

TEST(Syslist, ReplacingKeepsTheRestOfTheList) {
  List l;
  l.d.put("IsMultibyte", true);
  for (const char16_t* t : {u"a", u"bb", u"c"}) l.d.call("Add", Variant(t));
  EXPECT_EQ(l.item(2).toString(), u"bb");  // leaves a remembered position behind
  l.d.put("Item", std::int16_t(2), Variant(u"longer"));
  EXPECT_EQ(l.get(), bytesOf({3, 1, 'a', 8, 1, 'l', 'o', 'n', 'g', 'e', 'r', 3, 1, 'c'}));
  l.d.put("Item", std::int16_t(2), Variant::null());
  EXPECT_EQ(l.get(), bytesOf({3, 1, 'a', 1, 3, 1, 'c'}));
  EXPECT_EQ(l.item(3).toString(), u"c");
  EXPECT_EQ(l.count(), 3);
}

TEST(Syslist, RemoveTable) {
  struct Case {
    int index;
    std::string bytes;
    long count;
  };
  const std::string a = bytesOf({3, 1, 'a'}), b = bytesOf({3, 1, 'b'}), c = bytesOf({3, 1, 'c'});
  const Case cases[] = {
      {0, b + c, 2}, {1, b + c, 2}, {2, a + c, 2}, {3, a + b, 2}, {-1, a + b + c, 3}, {4, a + b + c, 3},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.index);
    List l;
    l.set(a + b + c);
    EXPECT_EQ(l.item(3).toString(), u"c");
    l.d.call("Remove", std::int16_t(k.index));
    EXPECT_EQ(l.get(), k.bytes);
    EXPECT_EQ(l.count(), k.count);
    // The last element is still read correctly after the change.
    EXPECT_EQ(l.item(static_cast<int>(k.count)).toString(), std::u16string(1, k.bytes.back()));
  }
}

TEST(Syslist, GrowsBeyondItsCapacity) {
  List l;
  l.d.put("IsMultibyte", true);
  const std::u16string piece(300, u'x');
  for (int i = 0; i < 5; ++i) l.d.call("Add", Variant(piece));
  EXPECT_EQ(l.count(), 5);
  EXPECT_EQ(l.get().size(), 5u * 304u);  // long form: 4 header bytes each
  EXPECT_GE(l.object->capacity(), l.get().size());
  EXPECT_EQ(l.item(5).toString(), piece);
}

TEST(Syslist, ClearAndSet) {
  List l;
  l.d.call("Add", Variant(u"x"));
  l.d.call("Clear");
  EXPECT_EQ(l.count(), 0);
  EXPECT_EQ(l.get(), "");
  l.d.call("Set", Variant(std::int32_t(5)));  // only byte strings are taken
  EXPECT_EQ(l.count(), 0);
  // A list far larger than the capacity is taken whole.
  std::string big;
  for (int i = 0; i < 600; ++i) big += bytesOf({3, 1, 'z'});
  l.set(big);
  EXPECT_EQ(l.count(), 600);
  EXPECT_EQ(l.get(), big);
}

TEST(Syslist, ReadErrors) {
  List l;
  l.set(bytesOf({3, 3, 0}));
  expectDispatchError([&] { l.item(1); }, 0, "Can not extract from List. Type 3.");
  l.set(bytesOf({3, 1, 'a', 9, 1, 'b'}));  // the second element runs past the end
  expectDispatchError([&] { l.count(); }, 9991, "Wrong list format");
}

TEST(Syslist, NestedListsThroughItemList) {
  List inner;
  inner.d.put("IsMultibyte", true);
  inner.d.call("Add", Variant(u"p"));
  inner.d.call("Add", Variant(u"q"));
  List outer;
  outer.d.putRef("ItemList", std::int16_t(2), Variant(static_cast<IDispatch*>(inner.object.get())));
  const std::string innerBytes = bytesOf({3, 1, 'p', 3, 1, 'q'});
  EXPECT_EQ(outer.get(), bytesOf({1, 8, 1}) + innerBytes);
  EXPECT_EQ(outer.count(), 2);

  Variant got = outer.d.get("ItemList", std::int16_t(2));
  ASSERT_EQ(got.vt(), VT_DISPATCH);
  Dispatch nested(got.dispatch());
  EXPECT_EQ(nested.get("Count").toInt32(), 2);
  EXPECT_EQ(nested.get("Item", std::int16_t(2)).toString(), u"q");

  EXPECT_EQ(outer.d.get("ItemList", std::int16_t(3)).dispatch(), nullptr);
  EXPECT_EQ(outer.d.get("ItemList", std::int16_t(0)).dispatch(), nullptr);

  expectDispatchError(
      [&] {
        outer.d.putRef("ItemList", std::int16_t(1),
                       Variant(static_cast<IDispatch*>(outer.object.get())));
      },
      0, "Recursion not allowed.");
}

TEST(Syslist, EnumeratesEachElementOnce) {
  List l;
  l.set(bytesOf({3, 1, 'a', 1, 3, 4, 9}));
  Variant unknown = l.d.get("_NewEnum");
  ASSERT_EQ(unknown.vt(), VT_UNKNOWN);
  ComPtr<IEnumVARIANT> e;
  ASSERT_EQ(unknown.raw().punkVal->QueryInterface(IID_IEnumVARIANT, e.putVoid()), S_OK);

  VARIANT v[4];
  ULONG fetched = 99;
  ASSERT_EQ(e->Next(1, v, &fetched), S_OK);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(Variant::attach(v[0]).toString(), u"a");
  ASSERT_EQ(e->Next(4, v, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_TRUE(Variant::attach(v[0]).isNull());
  EXPECT_EQ(Variant::attach(v[1]).toInt32(), 9);
  // The walk went back to the start.
  ASSERT_EQ(e->Next(1, v, nullptr), S_OK);
  EXPECT_EQ(Variant::attach(v[0]).toString(), u"a");

  EXPECT_EQ(e->Skip(2), S_OK);
  EXPECT_EQ(e->Skip(1), S_FALSE);
  EXPECT_EQ(e->Reset(), S_OK);
  ASSERT_EQ(e->Next(1, v, nullptr), S_OK);
  EXPECT_EQ(Variant::attach(v[0]).toString(), u"a");
  IEnumVARIANT* copy = reinterpret_cast<IEnumVARIANT*>(1);
  EXPECT_EQ(e->Clone(&copy), E_UNEXPECTED);
  EXPECT_EQ(copy, nullptr);
}

TEST(Syslist, EnumeratorSharesTheListsReferences) {
  List l;
  Variant unknown = l.d.get("_NewEnum");
  IUnknown* e = unknown.raw().punkVal;
  const ULONG before = l.object->AddRef();
  EXPECT_EQ(e->AddRef(), before + 1);
  e->Release();
  l.object->Release();
  EXPECT_EQ(CSyslist::native(e), l.object.get());
}

TEST(Syslist, ReadOnlyPropertiesRefuseAssignment) {
  List l;
  for (const char* name : {"Count", "_NewEnum"}) {
    SCOPED_TRACE(name);
    try {
      l.d.put(name, std::int32_t(3));
      FAIL() << "no error";
    } catch (const automation::ComError& e) {
      EXPECT_EQ(e.hr, DISP_E_MEMBERNOTFOUND);
    }
  }
}

TEST(Syslist, BuiltAroundBytes) {
  const std::string bytes = bytesOf({3, 1, 'a', 3, 1, 'b'});
  auto list = CSyslist::fromBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  EXPECT_EQ(list->capacity(), bytes.size() + 1);
  EXPECT_EQ(list->count(), 2);
  list->putElement(4, "z", 1, kListNarrow);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(list->bytes().data()), list->bytes().size()),
            bytes + bytesOf({1, 3, 1, 'z'}));
  EXPECT_EQ(list->count(), 4);
}

}  // namespace
}  // namespace kesto::object
