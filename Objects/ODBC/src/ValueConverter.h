// Stores a reply element into an application buffer of an ODBC C type.
// Results: 0, 1004 cut, 22003 out of range, 22005 not a number, 22008 bad date/time,
// 7006 unsupported C type, -1 no conversion for this element or column type.
#pragma once

#include "ReplyReader.h"

#include <sql.h>
#include <sqlext.h>

namespace kesto::odbc {

struct ColumnTarget {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;  // the column's SQL type
    void* buffer = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;        // may be null
};

int convertElement(const Element& element, const ColumnTarget& target);

}  // namespace kesto::odbc
