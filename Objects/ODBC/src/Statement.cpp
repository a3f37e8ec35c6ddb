// Statement record lifecycle, C type rules and statement options.
#include "Statement.h"

#include "Connection.h"
#include "Trace.h"

namespace kesto::odbc {

Statement::Statement(Connection* c) : connection(c) {
    if (connection) reader = connection->borrowReader();
    else reader = std::make_unique<ReplyReader>();
}

Statement::~Statement() {
    if (connection) connection->returnReader(std::move(reader));
}

SQLRETURN Statement::fail(const char* name, int c, const std::string& text) {
    errorCode = c;
    if (trace) trace::line(trace::Error, name, text);
    return SQL_ERROR;
}

SQLSMALLINT resolveCType(SQLSMALLINT cType, SQLSMALLINT sqlType) {
    if (cType != SQL_C_DEFAULT) return cType;
    switch (sqlType) {
    case SQL_INTEGER: return SQL_C_LONG;
    case SQL_SMALLINT: return SQL_C_SHORT;
    case SQL_FLOAT:
    case SQL_DOUBLE: return SQL_C_DOUBLE;
    case SQL_REAL: return SQL_C_FLOAT;
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_BIT:
    case SQL_TINYINT: return sqlType;
    case SQL_LONGVARBINARY:
    case SQL_VARBINARY:
    case SQL_BINARY: return SQL_C_BINARY;
    default: break;
    }
    if (sqlType == 0 || sqlType < SQL_BIT || sqlType > SQL_VARCHAR) return -1;
    return SQL_C_CHAR;
}

SQLLEN fixedSize(SQLSMALLINT cType, SQLLEN given) {
    switch (cType) {
    case 4: case 7: case -16: case -18: return 4;
    case 5: case -15: case -17: return 2;
    case 8: case -25: case -27: return 8;
    case 9: case 10: return 6;
    case 11: return 16;
    case -6: case -7: case -26: case -28: return 1;
    default: return given;
    }
}

bool isLongType(SQLSMALLINT sqlType) { return sqlType == SQL_LONGVARBINARY || sqlType == SQL_LONGVARCHAR; }

SQLRETURN setStatementOption(Statement& s, std::uint16_t option, SQLULEN value) {
    const char* name = "SQLSetStmtOption";
    auto changed = [&](const char* text) {
        s.errorCode = code::ValueChanged;
        if (s.trace && text) trace::line(trace::Error, name, text);
        return SQL_SUCCESS_WITH_INFO;
    };
    switch (option) {
    case SQL_QUERY_TIMEOUT:
        if (s.connection && s.connection->queryTimeoutEnabled)
            s.queryTimeoutSeconds = value == 0 ? 2147483647u : static_cast<std::uint32_t>(std::min<SQLULEN>(value, 2147483647u));
        return SQL_SUCCESS;
    case SQL_MAX_ROWS: s.maxRows = value; return SQL_SUCCESS;
    case SQL_NOSCAN:
        if (value) return SQL_SUCCESS;
        return changed("Escape clauses always processed by the data source");
    case SQL_BIND_TYPE:
        if (value) {
            s.rowSize = value;
            s.optionBits |= RowWiseBinding;
        } else {
            s.optionBits &= ~RowWiseBinding;
        }
        return SQL_SUCCESS;
    case SQL_CURSOR_TYPE:
        if (s.connection && s.connection->staticCursors) {
            if (value == SQL_CURSOR_STATIC) {
                s.cursorType = SQL_CURSOR_STATIC;
            } else if (value == SQL_CURSOR_KEYSET_DRIVEN || value == SQL_CURSOR_DYNAMIC) {
                s.cursorType = SQL_CURSOR_STATIC;
                return changed(nullptr);
            } else {
                s.cursorType = SQL_CURSOR_FORWARD_ONLY;
            }
            return SQL_SUCCESS;
        }
        s.cursorType = SQL_CURSOR_FORWARD_ONLY;
        return value ? changed(nullptr) : SQL_SUCCESS;
    case SQL_CONCURRENCY:
        if (value == SQL_CONCUR_READ_ONLY) {
            s.optionBits |= ReadOnlyConcurrency;
            return SQL_SUCCESS;
        }
        s.optionBits &= ~ReadOnlyConcurrency;
        return value == SQL_CONCUR_LOCK ? SQL_SUCCESS : changed(nullptr);
    case SQL_ROWSET_SIZE:
        s.rowsetSize = value;
        s.flags |= Prepared;
        return SQL_SUCCESS;
    default:
        s.errorCode = code::NotCapable;
        if (s.trace) trace::line(trace::Error, name, "Option not supported");
        return SQL_ERROR;
    }
}

}  // namespace kesto::odbc
