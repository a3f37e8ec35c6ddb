// SQL text as the driver sends it, turned into text SQLite runs.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::server::odbc {

// A statement text the server refuses before SQLite sees it; answered as a syntax error.
struct SqlTextError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The driver's own rule: a query is a text of at least two tokens whose first is SELECT
// (after blanks and one comment).
bool isQueryText(std::string_view text);

struct SqlForSqlite {
    std::string text;
    int markers = 0;  // highest parameter number the text refers to
};

// Parameter references ":%qpar(n)" become "?n", the owner "SQLUser" becomes "main", ODBC
// escapes become plain SQL and "a %STARTSWITH b" a prefix test. Quoted text is left alone.
// Throws SqlTextError for host variables and escapes it does not know.
SqlForSqlite translateSql(std::string_view text);

// What a parameter reference stands next to, for describing the parameter.
struct MarkerContext {
    std::string column;  // column compared with or assigned to, "" when unknown
};

// Per parameter number (index 0 = parameter 1): the column it belongs to, and the tables the
// statement names (INSERT columns count by position).
struct MarkerInfo {
    std::vector<MarkerContext> markers;
    std::vector<std::string> tables;  // as written, maybe "owner.table"
};
MarkerInfo describeMarkers(std::string_view sqliteText, int markers);

}  // namespace kesto::server::odbc
