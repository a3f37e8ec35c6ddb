// Turns application values (ODBC C types) into request elements suited to an SQL type.
// Results: 0 written, 1004 written but cut, 22003/22005/22008 refused, -1 unsupported,
// 460 too long for one element. A refused value writes nothing.
#pragma once

#include "RequestWriter.h"

#include <sql.h>
#include <sqlext.h>

#include <string_view>

namespace kesto::odbc {

// String writer modes.
enum class StringMode { WideToAnsi = 0, Wide = 1, AnsiToWide = 2, Bytes = 3, Hex = 5 };

// Means "no maximum" wherever a maximum length is taken.
inline constexpr SQLLEN kNoMaximum = SQL_NTS;

struct ValueBinding {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_CHAR;
    SQLULEN columnSize = 0;        // 0 = no maximum
    SQLLEN suppliedLength = 0;     // from the application's length slot at execution; 0 = none
};

int writeParameterValue(RequestWriter& w, const void* value, const ValueBinding& binding, SQLLEN length);

// value: UTF-16 units for the wide modes (length in bytes), bytes otherwise (SQL_NTS measures).
int writeString(RequestWriter& w, const void* value, SQLLEN length, StringMode mode, int sqlType, SQLLEN maximum);
// A string element in the connection's form (UTF-16 when the writer's Unicode flag is set);
// 460 when it exceeds an element.
int writeWide(RequestWriter& w, std::u16string_view text);
int writeNumber(RequestWriter& w, double value, int sqlType);
int writeNumericText(RequestWriter& w, std::string_view text, int sqlType);
int writeDate(RequestWriter& w, const DATE_STRUCT& d, int sqlType);
int writeTime(RequestWriter& w, const TIME_STRUCT& t, int sqlType);
int writeTimestamp(RequestWriter& w, const TIMESTAMP_STRUCT& ts, int sqlType);
int writeDateText(RequestWriter& w, std::string_view text);

// The number text rule: 15 significant digits, "." placed, no exponent. False for NaN/infinity.
bool numberText(double value, std::string& out);

}  // namespace kesto::odbc
