// Statements that clients write (dynamic SQL) may read and nothing else: no changes of
// rows or schema, no attached files, no pragma that sets anything, no transaction
// control (the session's transaction level belongs to TSTART and TCOMMIT).
#include "model/Database.h"

#include <sqlite3.h>

#include <array>
#include <string_view>

#include "model/ClassDef.h"

namespace kesto::server::model {

namespace {

// Pragmas that only report, whatever their argument.
constexpr std::array<std::string_view, 8> kReportingPragmas = {
    "table_info", "table_xinfo", "index_list", "index_info",
    "index_xinfo", "foreign_key_list", "database_list", "collation_list"};

int authorize(void* data, int action, const char* a, const char*, const char*, const char*) {
  if (!*static_cast<const bool*>(data)) return SQLITE_OK;
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
      return SQLITE_OK;
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
  return Statement(db_, sql);
}

}  // namespace kesto::server::model
