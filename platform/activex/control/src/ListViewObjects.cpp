#include "ListViewObjects.h"

namespace kesto::activex::listview {

using namespace automation;
using C = DispatchCall;

void indexOutOfBounds() { throw DispatchException(kListViewIndexError, "Index out of bounds"); }

long numberArgument(const Variant& v) {
  try {
    return v.toInt32();
  } catch (const ComError&) {
    throw DispatchException(0, "Type mismatch", DISP_E_TYPEMISMATCH);
  }
}

namespace {

// The ListView turns whatever it is given into text; nothing (empty, null) is no text.
QString textOf(const Variant& v) {
  if (v.isEmpty() || v.isNull() || v.isMissing()) return {};
  try {
    return QString::fromStdU16String(v.toString());
  } catch (const ComError&) {
    throw DispatchException(0, "Type mismatch", DISP_E_TYPEMISMATCH);
  }
}

}  // namespace

const DispatchTable<ColumnHeaders>& ColumnHeaders::dispatchTable() {
  using T = ColumnHeaders;
  static const DispatchTable<T> table(
      "ListView",
      {
          member<T>(u"Count", 1, kGet, {}, VT_I4, [](T& t, C& c) {
            c.result() = Variant(static_cast<std::int32_t>(t.control().model().columns().size()));
          }),
          member<T>(u"Clear", 3, kMethod, {}, VT_EMPTY, [](T& t, C&) { t.control().model().clearColumns(); }),
          member<T>(u"Item", 4, kGet, {in(VT_VARIANT)}, VT_DISPATCH,
                    [](T& t, C& c) {
                      const long i = numberArgument(c.arg(0));
                      if (i < 1 || static_cast<std::size_t>(i) > t.control().model().columns().size())
                        indexOutOfBounds();
                      auto header = ColumnHeader::create(ComPtr<ListViewControl>(&t.control()),
                                                         static_cast<std::size_t>(i - 1));
                      c.result() = Variant(static_cast<IDispatch*>(header.get()));
                    }),
          member<T>(u"Add", 6, kMethod,
                    {optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT),
                     optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT)},
                    VT_DISPATCH,
                    [](T& t, C& c) {
                      auto& model = t.control().model();
                      model.addColumn(c.given(2) ? textOf(c.arg(2)) : QString());
                      const std::size_t column = model.columns().size() - 1;
                      if (c.given(3)) model.setColumnWidth(column, static_cast<float>(c.arg(3).toDouble()));
                      if (c.given(4)) model.setColumnAlignment(column, numberArgument(c.arg(4)) % 3);
                      auto header = ColumnHeader::create(ComPtr<ListViewControl>(&t.control()), column);
                      c.result() = Variant(static_cast<IDispatch*>(header.get()));
                    }),
      });
  return table;
}

const DispatchTable<ColumnHeader>& ColumnHeader::dispatchTable() {
  using T = ColumnHeader;
  const auto check = [](T& t) {
    if (t.column() >= t.control().model().columns().size()) indexOutOfBounds();
  };
  static const DispatchTable<T> table(
      "ListView",
      {
          member<T>(u"Alignment", 1, kPut, {in(VT_I4)}, VT_EMPTY, [check](T& t, C& c) {
            check(t);
            const int a = c.arg(0).toInt32();
            if (a < 0 || a > 2) throw DispatchException(380, "Invalid property value");
            t.control().model().setColumnAlignment(t.column(), a);
          }),
          member<T>(u"Width", 8, kGet, {}, VT_R4, [check](T& t, C& c) {
            check(t);
            c.result() = Variant(t.control().model().columns()[t.column()].width);
          }),
          member<T>(u"Width", 8, kPut, {in(VT_R4)}, VT_EMPTY, [check](T& t, C& c) {
            check(t);
            const double w = c.arg(0).toDouble();
            if (w < 0) throw DispatchException(380, "Invalid property value");
            t.control().model().setColumnWidth(t.column(), static_cast<float>(w));
          }),
      });
  return table;
}

const DispatchTable<ListItems>& ListItems::dispatchTable() {
  using T = ListItems;
  static const DispatchTable<T> table(
      "ListView",
      {
          member<T>(u"Count", 1, kGet, {}, VT_I4, [](T& t, C& c) {
            c.result() = Variant(static_cast<std::int32_t>(t.control().model().rows()));
          }),
          member<T>(u"Add", 2, kMethod,
                    {optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT),
                     optional(VT_VARIANT), optional(VT_VARIANT)},
                    VT_DISPATCH,
                    [](T& t, C& c) {
                      auto& model = t.control().model();
                      std::size_t at = model.rows();
                      if (c.given(0)) {
                        const long index = numberArgument(c.arg(0));
                        if (index < 1 || static_cast<std::size_t>(index) > model.rows() + 1)
                          indexOutOfBounds();
                        at = static_cast<std::size_t>(index - 1);
                      }
                      auto row = model.insertRow(at, c.given(2) ? textOf(c.arg(2)) : QString());
                      auto item = ListItem::create(ComPtr<ListViewControl>(&t.control()), row, at);
                      c.result() = Variant(static_cast<IDispatch*>(item.get()));
                    }),
          member<T>(u"Clear", 3, kMethod, {}, VT_EMPTY, [](T& t, C&) {
            t.control().selectRow(-1);
            t.control().model().clearRows();
          }),
          member<T>(u"Item", 4, kGet, {in(VT_VARIANT)}, VT_DISPATCH, [](T& t, C& c) {
            auto& model = t.control().model();
            const long i = numberArgument(c.arg(0));
            if (i < 1 || static_cast<std::size_t>(i) > model.rows()) indexOutOfBounds();
            const auto at = static_cast<std::size_t>(i - 1);
            auto item = ListItem::create(ComPtr<ListViewControl>(&t.control()), model.rowPtr(at), at);
            c.result() = Variant(static_cast<IDispatch*>(item.get()));
          }),
      });
  return table;
}

std::size_t ListItem::position() {
  const long at = control_->model().indexOf(row_.get(), hint_);
  if (at < 0) throw DispatchException(35605, "Control has been deleted");
  hint_ = static_cast<std::size_t>(at);
  return hint_;
}

const DispatchTable<ListItem>& ListItem::dispatchTable() {
  using T = ListItem;
  static const DispatchTable<T> table(
      "ListView",
      {
          member<T>(u"Index", 4, kGet, {}, VT_I4, [](T& t, C& c) {
            c.result() = Variant(static_cast<std::int32_t>(t.position() + 1));
          }),
          member<T>(u"Text", 10, kGet, {}, VT_BSTR, [](T& t, C& c) {
            t.position();
            c.result() = Variant(std::u16string_view(t.row().text.toStdU16String()));
          }),
          member<T>(u"SubItems", 13, kGet, {in(VT_I2)}, VT_BSTR, [](T& t, C& c) {
            const std::size_t at = t.position();
            const long i = c.arg(0).toInt16();
            if (i < 1 || static_cast<std::size_t>(i) >= std::max<std::size_t>(1, t.control().model().columns().size()))
              indexOutOfBounds();
            const ListRow& r = t.control().model().row(at);
            const auto k = static_cast<std::size_t>(i);
            c.result() = Variant(std::u16string_view(k <= r.further.size() ? r.further[k - 1].toStdU16String()
                                                                          : std::u16string()));
          }),
          member<T>(u"SubItems", 13, kPut, {in(VT_I2), in(VT_BSTR)}, VT_EMPTY, [](T& t, C& c) {
            const std::size_t at = t.position();
            const long i = c.arg(0).toInt16();
            if (i < 1 || static_cast<std::size_t>(i) >= std::max<std::size_t>(1, t.control().model().columns().size()))
              indexOutOfBounds();
            t.control().model().setFurther(at, static_cast<std::size_t>(i),
                                           QString::fromStdU16String(c.arg(1).toString()));
          }),
      });
  return table;
}

}  // namespace kesto::activex::listview
