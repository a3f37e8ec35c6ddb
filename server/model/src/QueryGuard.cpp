// Statements that clients write (dynamic SQL) may read and nothing else: no changes of
// rows or schema, no attached files, no pragma that sets anything, no transaction
// control (the session's transaction level belongs to TSTART and TCOMMIT), no VACUUM
// (which the authorizer never sees), one statement per text, and only functions that
// compute from their arguments.
#include "model/Database.h"

#include <sqlite3.h>

#include <array>
#include <string_view>

#include "model/ClassDef.h"
#include "model/ServerError.h"

namespace kesto::server::model {

namespace {

// Pragmas that only report, whatever their argument.
constexpr std::array<std::string_view, 8> kReportingPragmas = {
    "table_info", "table_xinfo", "index_list", "index_info",
    "index_xinfo", "foreign_key_list", "database_list", "collation_list"};

// SQLite's functions that only compute a value from their arguments and rows. Not here:
// anything that reaches into the library, its files or its settings (fts3_tokenizer,
// load_extension, sqlite_*), or builds large values from a small text (randomblob,
// zeroblob).
constexpr std::string_view kAllowedFunctions[] = {
    // scalar
    "abs", "char", "coalesce", "format", "glob", "hex", "ifnull", "iif", "instr", "length",
    "like", "likelihood", "likely", "lower", "ltrim", "max", "min", "nullif", "printf",
    "quote", "random", "replace", "round", "rtrim", "sign", "substr", "substring", "trim",
    "typeof", "unicode", "unlikely", "upper",
    // date and time
    "date", "time", "datetime", "julianday", "unixepoch", "strftime",
    // aggregate and window
    "avg", "count", "group_concat", "sum", "total", "row_number", "rank", "dense_rank",
    "percent_rank", "cume_dist", "ntile", "lag", "lead", "first_value", "last_value",
    "nth_value",
    // mathematics
    "acos", "acosh", "asin", "asinh", "atan", "atan2", "atanh", "ceil", "ceiling", "cos",
    "cosh", "degrees", "exp", "floor", "ln", "log", "log10", "log2", "mod", "pi", "pow",
    "power", "radians", "sin", "sinh", "sqrt", "tan", "tanh", "trunc",
    // JSON, reading only
    "json", "json_array", "json_array_length", "json_extract", "json_object", "json_quote",
    "json_type", "json_valid", "json_each", "json_tree", "json_group_array",
    "json_group_object", "->", "->>", "json_patch", "json_remove", "json_set"};

bool allowedFunction(const char* name) {
  if (!name) return false;
  for (const auto f : kAllowedFunctions)
    if (equalsNoCase(f, name)) return true;
  return false;
}

int authorize(void* data, int action, const char* a, const char* b, const char*, const char*) {
  if (!*static_cast<const bool*>(data)) return SQLITE_OK;
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
      return SQLITE_OK;
    case SQLITE_FUNCTION:
      return allowedFunction(b) ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_PRAGMA:
      if (a)
        for (const auto name : kReportingPragmas)
          if (equalsNoCase(name, a)) return SQLITE_OK;
      return SQLITE_DENY;
    default:
      return SQLITE_DENY;
  }
}

}  // namespace

void Database::installQueryGuard() { sqlite3_set_authorizer(db_, authorize, &queriesOnly_); }

Statement Database::prepareQuery(std::string_view sql) {
  struct Scope {
    bool& flag;
    explicit Scope(bool& f) : flag(f) { flag = true; }
    ~Scope() { flag = false; }
  } scope(queriesOnly_);
  Statement statement(db_, sql);
  if (!sqlite3_stmt_readonly(statement.handle()))
    throw ServerError(errc::SqlError, {"nur lesende Anweisungen sind erlaubt"});
  // What follows the first statement must be nothing but blanks and comments.
  const char* rest = sqlite3_sql(statement.handle());
  const std::string_view first = rest ? std::string_view(rest) : std::string_view();
  if (first.size() < sql.size()) {
    sqlite3_stmt* next = nullptr;
    const std::string tail(sql.substr(first.size()));
    const int rc = sqlite3_prepare_v2(db_, tail.c_str(), static_cast<int>(tail.size()), &next, nullptr);
    sqlite3_finalize(next);
    if (rc != SQLITE_OK || next)
      throw ServerError(errc::SqlError, {"nur eine Anweisung ist erlaubt"});
  }
  return statement;
}

}  // namespace kesto::server::model
