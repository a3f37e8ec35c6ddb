// Dynamic SQL through the class "%DynamicQuery": SQLPrepare, SQLGetInfo, SQLExecute,
// SQLFetchRows, SQLClose. A handle names a prepared statement, which outlives SQLClose.
#include "Session.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

#include "SqlMarkers.h"

namespace kesto::server::objproto {

using model::ServerError;
using model::TypeCode;
namespace errc = model::errc;

namespace {

TypeCode typeOfDeclared(const char* declared) {
  std::string d = declared ? declared : "";
  std::transform(d.begin(), d.end(), d.begin(), [](unsigned char c) { return std::toupper(c); });
  if (d.find("INT") != std::string::npos || d == "BIT")
    return TypeCode::Integer;
  for (const char* number : {"REAL", "FLOA", "DOUB", "NUM", "DEC"})
    if (d.find(number) != std::string::npos)
      return TypeCode::Number;
  if (d.find("BLOB") != std::string::npos || d.find("BINARY") != std::string::npos)
    return TypeCode::Binary;
  return TypeCode::Text;
}

std::vector<model::QueryColumn> columnsOf(const model::Statement& st) {
  std::vector<model::QueryColumn> out;
  for (int i = 0; i < st.columnCount(); ++i)
    out.push_back({st.columnName(i), typeOfDeclared(sqlite3_column_decltype(st.handle(), i)), "",
                   model::TextForm::Display});
  return out;
}

}  // namespace

std::optional<CallResult> Session::callDynamic(std::string_view method,
                                               std::span<const wire::Element> args) {
  const auto arg = [&](std::size_t i) {
    return i < args.size() ? TextCodec::text(args[i]) : std::string();
  };
  const auto find = [&](const std::string& handle) -> DynamicStatement& {
    const auto it = dynamic_.find(handle);
    if (it == dynamic_.end())
      throw ServerError(errc::BadQueryHandle, {handle});
    return it->second;
  };

  CallResult result;
  result.returned = statusElement(std::nullopt);
  result.byRef = echo(args);
  try {
    if (model::equalsNoCase(method, "SQLPrepare")) {
      if (!arg(0).empty() && dynamic_.count(arg(0)))
        return result;  // a cursor's Prepare of an already prepared statement
      DynamicStatement st;
      st.sql = rewriteMarkers(arg(1), st.parameters);
      db_->prepareQuery(st.sql);  // reports SQL errors now
      const std::string handle = "D" + std::to_string(nextHandle_++);
      dynamic_.emplace(handle, std::move(st));
      result.byRef.resize(std::max<std::size_t>(result.byRef.size(), 1));
      result.byRef[0] = wire::encodeText8(handle);
    } else if (model::equalsNoCase(method, "SQLGetInfo")) {
      const DynamicStatement& st = find(arg(3));
      std::vector<model::QueryParam> params;
      for (int i = 0; i < st.parameters; ++i)
        params.push_back({"q" + std::to_string(i), TypeCode::Text});
      return queryInfo(columnsOf(db_->prepareQuery(st.sql)), params, 0, args);
    } else if (model::equalsNoCase(method, "SQLExecute")) {
      DynamicStatement& st = find(arg(0));
      auto cursor = std::make_unique<Cursor>();
      cursor->statement.emplace(db_->prepareQuery(st.sql));
      for (int i = 1; i <= cursor->statement->parameterCount(); ++i)
        cursor->statement->bind(i, model::Value::text(arg(static_cast<std::size_t>(i))));
      cursor->columns = columnsOf(*cursor->statement);
      st.cursor = std::move(cursor);
    } else if (model::equalsNoCase(method, "SQLFetchRows")) {
      DynamicStatement& st = find(arg(0));
      if (!st.cursor)
        throw ServerError(errc::BadQueryHandle, {arg(0)});
      return fetchRows(*st.cursor, args);
    } else if (model::equalsNoCase(method, "SQLClose")) {
      find(arg(0)).cursor.reset();
    } else {
      return std::nullopt;
    }
  } catch (const ServerError& e) {
    result.returned = statusElement(e);
  }
  return result;
}

}  // namespace kesto::server::objproto
