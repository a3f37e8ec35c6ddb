// d_ResultSet: a query cursor over a class proxy, with 16 parameter slots.
#include <kestoobject/KestoObject.h>

#include <kestoobject/Factory.h>
#include <kestoobject/ObjInstance.h>
#include <kestoobject/QueryCursor.h>

#include "ExportedSupport.h"

#include <utility>

using namespace kesto::object;
using kesto::automation::Variant;

namespace {

std::shared_ptr<QueryCursor> openCursor(d_Database* db, bool classProxyMade,
                                        std::u16string_view className,
                                        std::u16string_view queryOrStatement, bool dynamic) {
  Factory* factory = db ? db->factory() : nullptr;
  if (!factory || !classProxyMade) return nullptr;
  std::unique_ptr<QueryCursor> cursor =
      dynamic ? QueryCursor::ForStatement(*factory, className, queryOrStatement)
              : QueryCursor::ForClassQuery(*factory, className, queryOrStatement);
  if (!cursor->valid()) return nullptr;  // destroyed here; the last error says why
  return std::shared_ptr<QueryCursor>(std::move(cursor));
}

}  // namespace

d_ResultSet::d_ResultSet(d_Database* db, const char* className, const char* queryName)
    : d_Object(db, className, 1) {
  m_params.fill(Variant::missing());
  m_cursor = openCursor(db, m_proxy != nullptr, exported::fromAnsi(className),
                        exported::fromAnsi(queryName), false);
  valid = m_cursor ? 1 : 0;
}

d_ResultSet::d_ResultSet(d_Database* db, const char* statement)
    : d_Object(db, "%DynamicQuery", 1) {
  m_params.fill(Variant::missing());
  m_cursor = openCursor(db, m_proxy != nullptr, Factory::kDynamicQueryClass,
                        exported::fromAnsi(statement), true);
  valid = m_cursor ? 1 : 0;
}

d_ResultSet::d_ResultSet(const d_ResultSet& other)
    : d_Object(other), valid(other.valid), m_cursor(other.m_cursor), m_params(other.m_params) {}

d_ResultSet& d_ResultSet::operator=(const d_ResultSet& other) {
  d_ResultSet copy(other);
  swapResultSet(copy);
  return *this;
}

void d_ResultSet::swapResultSet(d_ResultSet& other) noexcept {
  std::swap(m_proxy, other.m_proxy);
  std::swap(m_db, other.m_db);
  std::swap(valid, other.valid);
  std::swap(m_cursor, other.m_cursor);
  std::swap(m_params, other.m_params);
}

d_ResultSet::~d_ResultSet() {
  for (Variant& slot : m_params) slot.clear();
  m_cursor.reset();  // the last copy closes an open query; that never throws
}

QueryCursor& d_ResultSet::cursor() {
  if (!m_cursor) RaiseClientError(std::string(text(TextId::QueryNotOpen)));
  return *m_cursor;
}

int d_ResultSet::Execute() {
  QueryCursor& c = cursor();
  const int count = std::min<int>(c.ParamCount(), kSlots);
  for (int i = 0; i < count; ++i)
    if (m_params[static_cast<std::size_t>(i)].isMissing())
      RaiseClientError("Parameter " + std::to_string(i + 1) + " missing");
  return c.Execute(m_params) != 0 ? 1 : 0;
}

int d_ResultSet::Next() { return cursor().Next(); }
short d_ResultSet::GetColumnCount() { return cursor().ColumnCount(); }
VARIANT d_ResultSet::GetData(short column) { return cursor().GetData(column).detach(); }
int d_ResultSet::Close() { return cursor().Close(); }
BSTR d_ResultSet::GetColumnName(short column) { return exported::newBstr(cursor().GetColumnName(column)); }
BSTR d_ResultSet::GetColumnHeader(short column) { return exported::newBstr(cursor().GetColumnHeader(column)); }
short d_ResultSet::GetParamCount() { return cursor().ParamCount(); }
BSTR d_ResultSet::GetParamName(short param) { return exported::newBstr(cursor().GetParamName(param)); }
int d_ResultSet::ContainsID() { return cursor().IdColumn(); }
void d_ResultSet::Prepare() { cursor().Prepare(m_params); }

int d_ResultSet::store(short slot, Variant value) {
  if (slot < 0 || slot >= kSlots) return 0;
  m_params[static_cast<std::size_t>(slot)] = std::move(value);
  return 1;
}

int d_ResultSet::SetParam(short slot, const char* text) {
  return store(slot, Variant(std::u16string_view(exported::fromAnsi(text))));
}

int d_ResultSet::SetParam(short slot, const OLECHAR* text) { return store(slot, Variant(text)); }

int d_ResultSet::SetParam(short slot, long value) {
  return store(slot, Variant(static_cast<std::int32_t>(value)));
}

int d_ResultSet::SetParam(short slot, double value) { return store(slot, Variant(value)); }

int d_ResultSet::SetParam(short slot, CY value) { return store(slot, Variant(value)); }

int d_ResultSet::SetParamDate(short slot, double date) { return store(slot, Variant::date(date)); }

int d_ResultSet::SetParam(short slot, const VARIANT& value) {
  switch (value.vt) {
    case VT_I2: return store(slot, Variant(static_cast<std::int32_t>(value.iVal)));
    case VT_BOOL: return store(slot, Variant(static_cast<std::int32_t>(value.boolVal)));
    case VT_I4: return store(slot, Variant(static_cast<std::int32_t>(value.lVal)));
    case VT_R4: return store(slot, Variant(static_cast<double>(value.fltVal)));
    case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR: return store(slot, Variant(value));
    default: return 0;
  }
}
