// Class queries: <Query>GetInfo, Execute, FetchRows, Close and Prepare, and the rows
// that FetchRows sends in batches.
#include "Builtins.h"
#include "Session.h"

#include "model/ServerText.h"
#include "model/ValueForms.h"

namespace kesto::server::objproto {

using model::ServerError;
using model::TypeCode;
namespace errc = model::errc;

namespace {

constexpr std::string_view kSuffixes[] = {"GetInfo", "Execute", "FetchRows", "Close", "Prepare"};

// The row data element and the rest of the reply must fit one message.
constexpr std::size_t kMaxRowBytes = 60000;

}  // namespace

std::string Session::cell(const model::QueryColumn& column, const model::Value& value) const {
  if (value.isNull())
    return codec_.element("");
  switch (column.type) {
    case TypeCode::Binary:
    case TypeCode::List:
      return wire::encodeText8(value.bytes());
    case TypeCode::Text: {
      const std::string text = value.toText();
      if (text.empty())
        return std::string("\x03\x01\x00", 3);  // empty, not null
      return codec_.element(column.form == model::TextForm::Raw ? model::toSevenBit(text) : text);
    }
    default:
      return codec_.element(model::toWire(column.type, value));
  }
}

std::optional<std::string> Session::nextRow(Cursor& cursor) {
  if (cursor.pending) {
    std::optional<std::string> row = std::move(cursor.pending);
    cursor.pending.reset();
    return row;
  }
  if (cursor.done)
    return std::nullopt;
  if (cursor.statement) {
    if (!cursor.statement->step()) {
      cursor.done = true;
      return std::nullopt;
    }
    std::string row;
    for (std::size_t i = 0; i < cursor.columns.size(); ++i)
      row += cell(cursor.columns[i], cursor.statement->column(static_cast<int>(i)));
    return row;
  }
  if (cursor.nextRow >= cursor.rows.size()) {
    cursor.done = true;
    return std::nullopt;
  }
  return cursor.rows[cursor.nextRow++];
}

CallResult Session::fetchRows(Cursor& cursor, std::span<const wire::Element> args) {
  const std::size_t byteLimit = std::min(options_.fetchBatchBytes, kMaxRowBytes);
  std::string rows;
  std::size_t count = 0;
  while (auto row = nextRow(cursor)) {
    const bool full = (options_.fetchBatchRows != 0 && count == options_.fetchBatchRows) ||
                      rows.size() + row->size() > byteLimit;
    if (full && count > 0) {
      cursor.pending = std::move(row);
      break;
    }
    if (rows.size() + row->size() > kMaxRowBytes)
      throw ServerError(errc::ValueTooLong, {std::to_string(row->size())});
    rows += *row;
    ++count;
  }
  const bool atEnd = cursor.done && !cursor.pending;
  CallResult result;
  result.returned = statusElement(std::nullopt);
  result.byRef = echo(args);
  result.byRef.resize(5, codec_.element(""));
  result.byRef[2] = wire::encodeText8(rows);
  result.byRef[4] = wire::encodeInteger(atEnd ? 1 : 0);
  return result;
}

CallResult Session::queryInfo(const std::vector<model::QueryColumn>& columns,
                              const std::vector<model::QueryParam>& params, int idColumn,
                              std::span<const wire::Element> args) {
  wire::ListWriter columnInfo(wire::kMaxElementData);
  for (const auto& c : columns) {
    wire::ListWriter item;
    codec_.write(item, c.name);
    item.integer(static_cast<int>(c.type));
    codec_.write(item, c.header);
    columnInfo.encoded(nested(item.bytes()));
  }
  wire::ListWriter paramInfo(wire::kMaxElementData);
  for (const auto& p : params) {
    wire::ListWriter item;
    codec_.write(item, p.name);
    item.integer(static_cast<int>(p.type));
    paramInfo.encoded(nested(item.bytes()));
  }
  CallResult result;
  result.returned = statusElement(std::nullopt);
  result.byRef = echo(args);
  result.byRef.resize(std::max<std::size_t>(args.size(), 3), codec_.element(""));
  result.byRef[0] = nested(columnInfo.bytes());
  result.byRef[1] = nested(paramInfo.bytes());
  result.byRef[2] = wire::encodeInteger(idColumn);
  return result;
}

std::unique_ptr<Cursor> Session::compiledQueryInfo(std::string_view className) {
  const model::ClassDef& cls = findClass(className);
  auto cursor = std::make_unique<Cursor>();
  cursor->columns = builtinClass(kCompiledQuery, false)->queries[0].columns;
  for (const auto& q : cls.queries)
    cursor->rows.push_back(codec_.element(q.name) + codec_.element(std::to_string(q.params.size())) +
                           codec_.element(q.idColumn != 0 ? "1" : "0"));
  return cursor;
}

std::optional<CallResult> Session::callQuery(const model::ClassDef& cls, std::string_view method,
                                             std::span<const wire::Element> args) {
  const model::QueryDef* query = nullptr;
  std::string_view suffix;
  for (const auto& q : cls.queries)
    for (const auto s : kSuffixes)
      if (method.size() == q.name.size() + s.size() &&
          model::equalsNoCase(method.substr(0, q.name.size()), q.name) &&
          model::equalsNoCase(method.substr(q.name.size()), s)) {
        query = &q;
        suffix = s;
      }
  if (!query)
    return std::nullopt;

  const std::string handle = args.empty() ? std::string() : TextCodec::text(args[0]);
  try {
    if (suffix == "GetInfo")
      return queryInfo(query->columns, query->params, query->idColumn, args);

    CallResult result;
    result.returned = statusElement(std::nullopt);
    result.byRef = echo(args);
    if (suffix == "Execute") {
      cursors_.erase(handle);
      std::unique_ptr<Cursor> cursor;
      if (model::equalsNoCase(cls.name, kCompiledQuery)) {
        cursor = compiledQueryInfo(args.size() > 1 ? TextCodec::text(args[1]) : std::string());
      } else {
        std::vector<model::Value> values;
        for (std::size_t i = 1; i < args.size() && i <= query->params.size(); ++i) {
          std::string v = TextCodec::text(args[i]);
          if (query->params[i - 1].type == TypeCode::Text)
            v = model::fromSevenBit(v);
          values.push_back(model::Value::text(std::move(v)));
        }
        cursor = std::make_unique<Cursor>();
        cursor->columns = query->columns;
        cursor->statement.emplace(db_->run(*query, values));
      }
      const std::string fresh = "Q" + std::to_string(nextHandle_++);
      cursors_[fresh] = std::move(cursor);
      if (result.byRef.empty())
        result.byRef.emplace_back();
      result.byRef[0] = wire::encodeText8(fresh);
    } else if (suffix == "FetchRows") {
      const auto it = cursors_.find(handle);
      if (it == cursors_.end())
        throw ServerError(errc::BadQueryHandle, {handle});
      return fetchRows(*it->second, args);
    } else if (suffix == "Close") {
      cursors_.erase(handle);
    }
    return result;
  } catch (const ServerError& e) {
    CallResult failed;
    failed.returned = statusElement(e);
    failed.byRef = echo(args);
    return failed;
  }
}

}  // namespace kesto::server::objproto
