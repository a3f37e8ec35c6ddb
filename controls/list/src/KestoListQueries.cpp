// The list control's queries: connecting, preparing, running into the ListView, reading
// cells back and adjusting columns.
#include <controls/list/KestoList.h>

#include <QString>

namespace kesto::controls {

using namespace automation;

namespace {

constexpr DISPID kColumnHeaders = 2, kListItems = 7, kSelectedItem = 13;
constexpr DISPID kCount = 1, kClearAll = 3, kItem = 4, kAdd = 6, kAddItem = 2;
constexpr DISPID kAlignment = 1, kWidth = 8, kIndex = 4, kText = 10, kSubItems = 13;

DispatchException listError(std::uint16_t code, std::string text, std::uint32_t helpContext) {
  DispatchException e(code, std::move(text));
  e.helpFile = "KestoList.hlp";
  e.helpContext = helpContext;
  return e;
}

Variant get(const Dispatch& d, DISPID id) { return d.invoke(id, DISPATCH_PROPERTYGET, {}); }
Variant get(const Dispatch& d, DISPID id, Arg index) {
  return d.invoke(id, DISPATCH_PROPERTYGET, std::vector<Arg>{std::move(index)});
}
Dispatch object(const Variant& v) { return Dispatch(v.dispatch()); }

}  // namespace

Query& CKestoListCtrl::preparedQuery() const {
  if (!query_) throw listError(kErrorNoResultSet, listString(ListString::NoResultSet), 0xFFFFFFFFu);
  return *query_;
}

BOOL CKestoListCtrl::connect(const std::u16string& connection) {
  replaceDatabase(backend().newDatabase());
  return database_->open(connection.empty() ? nullptr : &connection) != 0 ? TRUE : FALSE;
}

BOOL CKestoListCtrl::resultSet(const std::u16string& className, const std::u16string& queryName) {
  return prepare(false, className, queryName);
}

BOOL CKestoListCtrl::dynamicSql(const std::u16string& statement) { return prepare(true, statement, {}); }

BOOL CKestoListCtrl::prepare(bool dynamic, const std::u16string& a, const std::u16string& b) {
  const Dispatch lv = listViewDispatch();  // no window, no headers: nothing changes then
  if (!database_ && !connect(u"")) return FALSE;
  dropQuery();
  std::unique_ptr<Query> made = dynamic ? database_->dynamicSql(a) : database_->classQuery(a, b);
  if (!made->valid()) {
    // An invalid query is never kept: the control has no prepared query afterwards.
    if (dynamic) throw listError(kErrorDynamicSql, "Failure to create Dynamic SQL", 0);
    return FALSE;
  }
  query_ = std::move(made);
  showColumnHeaders();
  return TRUE;
}

void CKestoListCtrl::showColumnHeaders() {
  const std::int16_t columns = query_->columnCount();
  const Dispatch headers = object(get(listViewDispatch(), kColumnHeaders));
  for (std::int16_t i = 1; i <= columns; ++i)
    headers.invoke(kAdd, DISPATCH_METHOD,
                   std::vector<Arg>{Arg::missing(), Arg::missing(), Arg(query_->columnHeader(i))});
  applyIdColumn();
  if (autosize_ && columns > 0) autosizeAll(columns);
}

BOOL CKestoListCtrl::run(std::span<const Variant> params) {
  Query& query = preparedQuery();
  const Dispatch lv = listViewDispatch();
  for (std::size_t k = 0; k < params.size() && k < 10; ++k) {
    if (params[k].vt() == VT_ERROR) break;  // an omitted argument ends the list
    query.setParam(static_cast<short>(k), params[k].raw());
  }
  query.execute();
  try {
    const Dispatch items = object(get(lv, kListItems));
    const std::int16_t columns = query.columnCount();
    // A 32-bit row number: long results are listed in full, in order.
    std::int32_t row = 0;
    while (query.next()) {
      ++row;
      if (row == static_cast<std::int32_t>(minToDisplay_) + 1)
        lv.invoke(activex::DISPID_REFRESH, DISPATCH_METHOD, {});
      if (maxToDisplay_ >= 1 && row > maxToDisplay_) break;
      Dispatch item;
      for (std::int16_t c = 1; c <= columns; ++c) {
        Variant value = query.getData(c);
        if (c == 1) {
          item = object(items.invoke(kAddItem, DISPATCH_METHOD,
                                     std::vector<Arg>{Arg(row), Arg::missing(), Arg(std::move(value))}));
          continue;
        }
        std::u16string text;
        VARIANT converted;
        VariantInit(&converted);
        if (SUCCEEDED(VariantChangeType(&converted, value.get(), 0, VT_BSTR)))
          text = Variant::attach(converted).toString();
        else
          text = QString::fromStdString(listString(ListString::ConversionFailed)).toStdU16String();
        if (!item) item = object(get(items, kItem, Arg(row)));
        item.invoke(kSubItems, DISPATCH_PROPERTYPUT,
                    std::vector<Arg>{Arg(static_cast<std::int16_t>(c - 1)), Arg(std::move(text))});
      }
    }
  } catch (...) {
    // The rows listed so far stay; the server query does not stay open behind them.
    try {
      query.close();
    } catch (const std::exception&) {
    }
    throw;
  }
  query.close();
  const std::int16_t columns = query.columnCount();
  if (autosize_ && columns > 0) autosizeAll(columns);
  return TRUE;
}

void CKestoListCtrl::clearData() {
  object(get(listViewDispatch(), kListItems)).invoke(kClearAll, DISPATCH_METHOD, {});
}

void CKestoListCtrl::clear() {
  object(get(listViewDispatch(), kColumnHeaders)).invoke(kClearAll, DISPATCH_METHOD, {});
  clearData();
  dropQuery();
}

std::u16string CKestoListCtrl::getData(std::int32_t index, std::int16_t column) {
  const Dispatch item = object(get(object(get(listViewDispatch(), kListItems)), kItem, Arg(index)));
  if (column == 1) return get(item, kText).toString();
  return get(item, kSubItems, Arg(static_cast<std::int16_t>(column - 1))).toString();
}

std::int32_t CKestoListCtrl::getSelectedIndex() {
  const Dispatch lv = listViewDispatch();
  if (get(object(get(lv, kListItems)), kCount).toInt32() == 0) return 0;
  const Variant selected = get(lv, kSelectedItem);
  if (!selected.dispatch()) return 0;
  return get(object(selected), kIndex).toInt32();
}

std::int32_t CKestoListCtrl::getIndexCount() {
  return get(object(get(listViewDispatch(), kListItems)), kCount).toInt32();
}

void CKestoListCtrl::setAlignment(std::int32_t column, std::int32_t alignment) {
  if (alignment < 0 || alignment > 2 || column < 2) return;
  const Dispatch headers = object(get(listViewDispatch(), kColumnHeaders));
  if (column > get(headers, kCount).toInt32()) return;
  object(get(headers, kItem, Arg(column)))
      .invoke(kAlignment, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(alignment)});
}

void CKestoListCtrl::setColumnWidth(std::int32_t column, float width) {
  if (!(width >= 0.0f) || column < 1) return;
  const Dispatch headers = object(get(listViewDispatch(), kColumnHeaders));
  if (column > get(headers, kCount).toInt32()) return;
  object(get(headers, kItem, Arg(column))).invoke(kWidth, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(width)});
}

std::int16_t CKestoListCtrl::getColumnCount() { return preparedQuery().columnCount(); }
std::int16_t CKestoListCtrl::getParamCount() { return preparedQuery().paramCount(); }
std::u16string CKestoListCtrl::getColumnName(std::int16_t n) { return preparedQuery().columnName(n); }
std::u16string CKestoListCtrl::getParamName(std::int16_t n) { return preparedQuery().paramName(n); }
std::u16string CKestoListCtrl::getColumnHeader(std::int16_t n) { return preparedQuery().columnHeader(n); }

std::int16_t CKestoListCtrl::getIdColumn() {
  if (!query_) return 0;
  const int id = query_->containsId();
  idColumn_ = id - 1;
  return static_cast<std::int16_t>(id);
}

std::u16string CKestoListCtrl::getDataByName(std::int32_t index, const std::u16string& columnName) {
  Query& query = preparedQuery();
  const QString wanted = QString::fromStdU16String(columnName);
  const std::int16_t columns = query.columnCount();
  for (std::int16_t i = 1; i <= columns; ++i)
    if (QString::fromStdU16String(query.columnName(i)).compare(wanted, Qt::CaseInsensitive) == 0)
      return getData(index, i);
  throw listError(kErrorNoResultSet, listString(ListString::NoColumn), 0xFFFFFFFFu);
}

void CKestoListCtrl::autosizeColumnByHeader(std::int16_t column) {
  autosizeColumn(column, activex::LVSCW_AUTOSIZE_USEHEADER);
}

void CKestoListCtrl::autosizeColumnByData(std::int16_t column) {
  autosizeColumn(column, activex::LVSCW_AUTOSIZE);
}

void CKestoListCtrl::autosizeAll(std::int16_t columns) {
  for (std::int16_t i = 1; i <= columns; ++i) autosizeColumnByHeader(i);
}

void CKestoListCtrl::autosizeColumn(std::int16_t column, activex::LONG_PTR how) {
  if (!query_) return;
  const int c = column - 1;
  if (hideId_ && c == idColumn_) return;  // a hidden ID column stays hidden
  if (c < 0 || c > query_->columnCount() - 1) return;
  listViewDispatch();
  listView_->SendMessage(activex::LVM_SETCOLUMNWIDTH, static_cast<activex::UINT_PTR>(c), how);
}

void CKestoListCtrl::applyIdColumn() {
  if (!query_) return;
  idColumn_ = query_->containsId() - 1;
  if (idColumn_ < 0) return;
  const Dispatch header =
      object(get(object(get(listViewDispatch(), kColumnHeaders)), kItem, Arg(idColumn_ + 1)));
  if (hideId_) {
    savedIdWidth_ = static_cast<float>(get(header, kWidth).toDouble());
    header.invoke(kWidth, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(0.0f)});
  } else if (savedIdWidth_ != 0.0f) {
    header.invoke(kWidth, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(savedIdWidth_)});
  }
  setModifiedFlag();
}

}  // namespace kesto::controls
