// The list object's automation face: its dispatch table and its enumerator.
#include <kestoobject/Syslist.h>

#include <kestoobject/ErrorTexts.h>

namespace kesto::object {

using namespace automation;

const DispatchTable<CSyslist>& CSyslist::dispatchTable() {
  static const DispatchTable<CSyslist> table(
      std::string(text(TextId::Title)),
      {
          member<CSyslist>(u"IsMultibyte", 1, kGet, {}, VT_BOOL,
                           [](CSyslist& l, DispatchCall& c) { c.result() = Variant(l.isMultibyte()); }),
          member<CSyslist>(u"IsMultibyte", 1, kPut, {in(VT_BOOL)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) { l.setMultibyte(c.arg(0).toBool()); }),
          member<CSyslist>(u"Count", 2, kGet, {}, VT_I4,
                           [](CSyslist& l, DispatchCall& c) {
                             c.result() = Variant(static_cast<std::int32_t>(l.count()));
                           }),
          member<CSyslist>(u"Set", 3, kMethod, {in(VT_VARIANT)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) { l.set(c.arg(0)); }),
          member<CSyslist>(u"Get", 4, kMethod, {}, VT_BSTR,
                           [](CSyslist& l, DispatchCall& c) {
                             const auto b = l.bytes();
                             c.result() = Variant::bytes(
                                 {reinterpret_cast<const char*>(b.data()), b.size()});
                           }),
          member<CSyslist>(u"Clear", 5, kMethod, {}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall&) { l.clear(); }),
          member<CSyslist>(u"Remove", 6, kMethod, {in(VT_I2)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) { l.remove(c.arg(0).toInt16()); }),
          member<CSyslist>(u"Add", 7, kMethod, {in(VT_VARIANT)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) { l.add(c.arg(0)); }),
          member<CSyslist>(u"ItemList", 8, kGet, {in(VT_I2)}, VT_DISPATCH,
                           [](CSyslist& l, DispatchCall& c) {
                             const ComPtr<CSyslist> inner = l.itemList(c.arg(0).toInt16());
                             c.result() = Variant(static_cast<IDispatch*>(inner.get()));
                           }),
          member<CSyslist>(u"ItemList", 8, kPutRef, {in(VT_I2), in(VT_DISPATCH)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) {
                             l.putItemList(c.arg(0).toInt16(), c.arg(1).dispatch());
                           }),
          member<CSyslist>(u"Item", 9, kGet, {in(VT_I2)}, VT_VARIANT,
                           [](CSyslist& l, DispatchCall& c) { c.result() = l.item(c.arg(0).toInt16()); }),
          member<CSyslist>(u"Item", 9, kPut, {in(VT_I2), in(VT_VARIANT)}, VT_EMPTY,
                           [](CSyslist& l, DispatchCall& c) { l.putItem(c.arg(0).toInt16(), c.arg(1)); }),
          member<CSyslist>(u"_NewEnum", DISPID_NEWENUM, kGet, {}, VT_UNKNOWN,
                           [](CSyslist& l, DispatchCall& c) {
                             c.result() = Variant(static_cast<IUnknown*>(static_cast<IEnumVARIANT*>(&l)));
                           }),
      });
  return table;
}

HRESULT CSyslist::Next(ULONG count, VARIANT* values, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (count > 0 && values == nullptr) return E_POINTER;
  ULONG given = 0;
  try {
    const long total = this->count();
    while (given < count) {
      ++enumPosition_;
      if (enumPosition_ > total) {
        enumPosition_ = 0;
        break;
      }
      values[given] = item(enumPosition_).detach();
      ++given;
    }
  } catch (...) {
    for (ULONG i = 0; i < given; ++i) VariantClear(&values[i]);
    return translateCurrentException(nullptr, {});
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

HRESULT CSyslist::Skip(ULONG count) {
  long total = 0;
  try {
    total = this->count();
  } catch (...) {
    return translateCurrentException(nullptr, {});
  }
  ULONG skipped = 0;
  while (skipped < count && enumPosition_ < total) {
    ++enumPosition_;
    ++skipped;
  }
  return skipped == count ? S_OK : S_FALSE;
}

HRESULT CSyslist::Reset() {
  enumPosition_ = 0;
  return S_OK;
}

HRESULT CSyslist::Clone(IEnumVARIANT** copy) {
  if (copy) *copy = nullptr;
  return E_UNEXPECTED;
}

}  // namespace kesto::object
