// Types of result columns that SQLite declares none for (expressions, typeless columns), read
// from the query's text, so that a column is described the same before and after it has rows.
#pragma once

#include "SqlTypes.h"

#include <optional>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kesto::server::odbc {

// What the text says a column holds.
struct ExpressionType {
    enum Kind { Unknown, Known, Numeric } kind = Unknown;
    TypeInfo type;  // for Known
};

// One entry per result column of the query `sql` (the outermost select list); all Unknown
// when the list cannot be matched to `columns` (a "*", a compound the text does not show).
// `markers` types the parameters ?1, ?2 ... by the values bound to them; without it (a
// statement prepared before any value is known) they are Unknown.
std::vector<ExpressionType> selectListTypes(sqlite3* db, std::string_view sql, int columns,
                                            const std::vector<ExpressionType>& markers = {});

// What a parameter value makes of the expressions it stands in.
ExpressionType typeOfValue(int storageClass);

}  // namespace kesto::server::odbc
