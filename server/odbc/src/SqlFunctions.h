// What SQLite needs besides its own functions to run the driver's SQL: the scalar
// functions of ODBC escapes it lacks, and the rule that class tables (FRX) keep their shape.
#pragma once

struct sqlite3;

namespace kesto::server::odbc {

void installSqlFunctions(sqlite3* db);

}  // namespace kesto::server::odbc
