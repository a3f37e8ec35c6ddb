#include <sqlite3.h>

#include "model/Database.h"
#include "model/ServerError.h"

namespace kesto::server::model {

namespace {

[[noreturn]] void fail(sqlite3* db) {
  throw ServerError(errc::SqlError, {sqlite3_errmsg(db)});
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    fail(db);
  }
  if (!stmt_) throw ServerError(errc::SqlError, {"leere Anweisung"});
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
  other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    db_ = other.db_;
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

int Statement::parameterCount() const { return sqlite3_bind_parameter_count(stmt_); }

void Statement::bind(int index, const Value& value) {
  int rc = SQLITE_OK;
  switch (value.kind()) {
    case Value::Kind::Null: rc = sqlite3_bind_null(stmt_, index); break;
    case Value::Kind::Integer: rc = sqlite3_bind_int64(stmt_, index, value.asInteger()); break;
    case Value::Kind::Real: rc = sqlite3_bind_double(stmt_, index, value.asReal()); break;
    case Value::Kind::Text:
      rc = sqlite3_bind_text64(stmt_, index, value.bytes().data(), value.bytes().size(),
                               SQLITE_TRANSIENT, SQLITE_UTF8);
      break;
    case Value::Kind::Blob:
      rc = sqlite3_bind_blob64(stmt_, index, value.bytes().data(), value.bytes().size(),
                               SQLITE_TRANSIENT);
      break;
  }
  if (rc != SQLITE_OK) fail(db_);
}

void Statement::bindAll(std::span<const Value> values) {
  for (std::size_t i = 0; i < values.size(); ++i) bind(static_cast<int>(i + 1), values[i]);
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  const int ext = sqlite3_extended_errcode(db_);
  const std::string message = sqlite3_errmsg(db_);
  sqlite3_reset(stmt_);
  if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
    throw ServerError(errc::DuplicateKey, {message});
  if ((ext & 0xFF) == SQLITE_FULL && dataFileLimit() > 0)
    throw ServerError(errc::SqlError, {"The data file has reached its size limit of " +
                                       std::to_string(dataFileLimit() / (1024 * 1024)) + " MiB (" + message + ")"});
  if ((ext & 0xFF) == SQLITE_INTERRUPT)
    throw ServerError(errc::SqlError, {"The statement was stopped: cancelled, timed out, its client gone or the server stopping"});
  throw ServerError(errc::SqlError, {message});
}

void Statement::reset() { sqlite3_reset(stmt_); }

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

std::string Statement::columnName(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? name : "";
}

Value Statement::column(int column) const {
  switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER: return Value::integer(sqlite3_column_int64(stmt_, column));
    case SQLITE_FLOAT: return Value::real(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT: {
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
      return Value::text(std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))));
    }
    case SQLITE_BLOB: {
      const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
      const auto n = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
      return Value::blob(p ? std::string(p, n) : std::string());
    }
    default: return Value::null();
  }
}

}  // namespace kesto::server::model
