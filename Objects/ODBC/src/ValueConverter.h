// Stores a reply element into an application buffer of an ODBC C type.
// Results: 0, 1004 cut, 22003 out of range, 22005 not a number, 22008 bad date/time,
// 7006 unsupported C type, -1 no conversion for this element or column type.
#pragma once

#include "ReplyReader.h"

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace kesto::odbc {

struct ColumnTarget {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;  // the column's SQL type
    void* buffer = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;        // may be null
};

int convertElement(const Element& element, const ColumnTarget& target);

// "SQL_C_LONG" ...: the C type's name for messages.
const char* cTypeName(SQLSMALLINT cType);
// What a failed conversion of `element` into `cType` means, with the value, for the error
// text ("the value 3000000000 does not fit SQL_C_LONG").
std::string conversionProblem(const Element& element, SQLSMALLINT cType, int result);

}  // namespace kesto::odbc
