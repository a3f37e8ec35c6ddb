// Statement entry points that describe and read: columns, parameters, column data, cursor
// names and statement options.
#include "Api.h"
#include "ApiSupport.h"

#include <cstring>

namespace kesto::odbc::api {
namespace {

std::string handleText(const void* h) { return trace::format("hstmt = %#.8lx", trace::handleNumber(h)); }

// The checks SQLDescribeCol and SQLColAttributes share; 0 when the column may be described.
SQLRETURN checkColumn(Statement& s, const char* name, SQLUSMALLINT icol, bool countOnly) {
    if (!s.hasResultSet) return refuse(s, name, 24000, "Statement not a SELECT");
    if (!countOnly && (icol == 0 || icol > s.columnCount))
        return refuse(s, name, code::BadColumn,
                      trace::format("Requested column exceeds %d columns in statement", int(s.columnCount)));
    return SQL_SUCCESS;
}

SQLLEN lengthOf(const ColumnRecord& c) {
    switch (c.sqlType) {
    case SQL_NUMERIC: case SQL_DECIMAL: return static_cast<SQLLEN>(c.precision) + 2;
    case SQL_INTEGER: case SQL_REAL: return 4;
    case SQL_SMALLINT: return 2;
    case SQL_FLOAT: case SQL_DOUBLE: return 8;
    case SQL_DATE: case SQL_TIME: return 6;
    case SQL_TIMESTAMP: return 16;
    case SQL_BIT: case SQL_TINYINT: return 1;
    case SQL_BIGINT: return 20;
    default: return static_cast<SQLLEN>(c.precision);
    }
}

SQLLEN displaySizeOf(const ColumnRecord& c) {
    switch (c.sqlType) {
    case SQL_NUMERIC: case SQL_DECIMAL: return static_cast<SQLLEN>(c.precision) + 2;
    case SQL_INTEGER: return 11;
    case SQL_SMALLINT: return 6;
    case SQL_FLOAT: case SQL_DOUBLE: return 22;
    case SQL_REAL: return 13;
    case SQL_DATE: return 10;
    case SQL_TIME: return 8;
    case SQL_TIMESTAMP: return 19;
    case SQL_BIT: return 1;
    case SQL_TINYINT: return 4;
    case SQL_BIGINT: return 20;
    default: return static_cast<SQLLEN>(c.precision);
    }
}

bool isSignedNumber(SQLSMALLINT t) {
    return t == SQL_NUMERIC || t == SQL_DECIMAL || t == SQL_INTEGER || t == SQL_SMALLINT || t == SQL_FLOAT ||
           t == SQL_REAL || t == SQL_DOUBLE || t == SQL_TINYINT || t == SQL_BIGINT;
}

const char* typeName(SQLSMALLINT t) {
    switch (t) {
    case SQL_NUMERIC: return "NUMERIC";
    case SQL_INTEGER: return "INTEGER";
    case SQL_SMALLINT: return "SMALLINT";
    case SQL_DOUBLE: return "DOUBLE";
    case SQL_DATE: return "DATE";
    case SQL_TIME: return "TIME";
    case SQL_TIMESTAMP: return "TIMESTAMP";
    case SQL_VARCHAR: return "VARCHAR";
    case SQL_LONGVARBINARY: return "LONGVARBINARY";
    case SQL_BINARY: return "BINARY";
    case SQL_LONGVARCHAR: return "LONGVARCHAR";
    default: return "UNKNOWN TYPE";
    }
}

// Text answer into an application buffer with its length; 1004 and 1 when cut.
SQLRETURN textAnswer(Statement& s, const std::string& text, SQLPOINTER out, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    if (pcb) *pcb = static_cast<SQLSMALLINT>(std::min<std::size_t>(text.size(), SHRT_MAX));
    if (!out) return SQL_SUCCESS;
    if (copyOut(text, static_cast<SQLCHAR*>(out), cbMax)) {
        s.errorCode = code::Truncated;
        return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
}

}  // namespace

SQLRETURN describeCol(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLCHAR* nameOut, SQLSMALLINT cbNameMax, SQLSMALLINT* pcbName,
                      SQLSMALLINT* pfSqlType, SQLULEN* pcbColDef, SQLSMALLINT* pibScale, SQLSMALLINT* pfNullable) {
    const char* name = "SQLDescribeCol";
    Statement* s = enterStatement(hstmt, name, [&] { return trace::format("hstmt = %#.8lx icol = %u", trace::handleNumber(hstmt), icol); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    SQLRETURN r = checkColumn(*s, name, icol, false);
    if (r == SQL_SUCCESS) {
        const ColumnRecord& c = s->columns[icol - 1];
        if (pfSqlType) *pfSqlType = c.sqlType;
        if (pcbColDef) *pcbColDef = c.precision;
        if (pibScale) *pibScale = c.scale;
        if (pfNullable) *pfNullable = c.nullable;
        r = textAnswer(*s, narrow(c.name), nameOut, cbNameMax, pcbName);
    }
    if (s->trace) trace::line(trace::Leave, name, trace::format("returning %d", r));
    return r;
}

SQLRETURN colAttributes(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLUSMALLINT type, SQLPOINTER out, SQLSMALLINT cbMax,
                        SQLSMALLINT* pcb, SQLLEN* pfDesc) {
    const char* name = "SQLColAttributes";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx icol = %u fDescType = %u", trace::handleNumber(hstmt), icol, type);
    });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    SQLRETURN r = checkColumn(*s, name, icol, type == SQL_COLUMN_COUNT);
    if (r == SQL_SUCCESS) {
        auto number = [&](SQLLEN v) {
            if (pfDesc) *pfDesc = v;
            return SQL_SUCCESS;
        };
        if (type == SQL_COLUMN_COUNT) {
            r = number(static_cast<SQLLEN>(s->columnCount));
        } else {
            const ColumnRecord& c = s->columns[icol - 1];
            switch (type) {
            case SQL_COLUMN_NAME: r = textAnswer(*s, narrow(c.name), out, cbMax, pcb); break;
            case SQL_COLUMN_TYPE: r = number(c.sqlType); break;
            case SQL_COLUMN_LENGTH: r = number(lengthOf(c)); break;
            case SQL_COLUMN_PRECISION: r = number(static_cast<SQLLEN>(c.precision)); break;
            case SQL_COLUMN_SCALE: r = number(c.scale); break;
            case SQL_COLUMN_DISPLAY_SIZE: r = number(displaySizeOf(c)); break;
            case SQL_COLUMN_NULLABLE: r = number(c.nullable); break;
            case SQL_COLUMN_UNSIGNED: r = number(isSignedNumber(c.sqlType) ? 0 : 1); break;
            case SQL_COLUMN_UPDATABLE: r = number(2); break;
            case SQL_COLUMN_CASE_SENSITIVE:
            case 1000: r = number(1); break;
            case SQL_COLUMN_SEARCHABLE: r = number(3); break;
            case SQL_COLUMN_TYPE_NAME: r = textAnswer(*s, typeName(c.sqlType), out, cbMax, pcb); break;
            case SQL_COLUMN_TABLE_NAME: r = textAnswer(*s, narrow(c.tableName), out, cbMax, pcb); break;
            case SQL_COLUMN_OWNER_NAME:
            case SQL_COLUMN_QUALIFIER_NAME: r = textAnswer(*s, "", out, cbMax, pcb); break;
            case SQL_COLUMN_LABEL: r = textAnswer(*s, narrow(c.label), out, cbMax, pcb); break;
            default: r = number(0); break;
            }
        }
    }
    if (s->trace) trace::line(trace::Leave, name, trace::format("returning %d", r));
    return r;
}

SQLRETURN numResultCols(SQLHSTMT hstmt, SQLSMALLINT* pccol) {
    const char* name = "SQLNumResultCols";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    const auto n = static_cast<SQLSMALLINT>(s->hasResultSet ? s->columnCount : 0);
    if (pccol) *pccol = n;
    if (s->trace) trace::line(trace::Leave, name, trace::format("pccol = %d returning %d", n, 0));
    return SQL_SUCCESS;
}

SQLRETURN rowCount(SQLHSTMT hstmt, SQLLEN* pcrow) {
    const char* name = "SQLRowCount";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    if (!pcrow) return leaveWith(*s, name, refuse(*s, name, code::Limit, "Null pcrow"));
    *pcrow = static_cast<SQLLEN>(s->rowCount);
    if (s->trace)
        trace::line(trace::Leave, name, trace::format("Row count = %lu returning %d", static_cast<unsigned long>(s->rowCount), 0));
    return SQL_SUCCESS;
}

SQLRETURN getData(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb) {
    const char* name = "SQLGetData";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx col = %u fCType = %d cbValueMax = %ld", trace::handleNumber(hstmt), icol, cType,
                             long(cbMax));
    });
    if (!s) return SQL_INVALID_HANDLE;
    if (!s->onRow || (icol > s->dataColumn && (s->flags & EndOfData)))
        return leaveWith(*s, name, refuse(*s, name, 24000, "Invalid cursor state"));
    if (icol > s->columnCount || icol <= s->highestBound || icol < s->dataColumn)
        return leaveWith(*s, name, refuse(*s, name, code::BadColumn,
                                          trace::format("Column out of range (# cols. = %u last col. read = %u)",
                                                        unsigned(s->columnCount), unsigned(s->dataColumn))));
    return leaveWith(*s, name, guarded(*s, [&] { return s->getData(icol, cType, value, cbMax, pcb); }));
}

SQLRETURN describeParam(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT* pfSqlType, SQLULEN* pcbParamDef,
                        SQLSMALLINT* pibScale, SQLSMALLINT* pfNullable) {
    const char* name = "SQLDescribeParam";
    Statement* s = enterStatement(hstmt, name, [&] { return trace::format("hstmt = #%.8lx ipar = %u", trace::handleNumber(hstmt), ipar); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    const ParameterRecord* p = nullptr;
    std::size_t seen = 0;
    for (std::size_t i = 0; i < std::min(s->markerCount, s->parameters.size()) && !p; ++i)
        if (s->parameters[i].isApplication() && ++seen == ipar) p = &s->parameters[i];
    if (!p) return leaveWith(*s, name, refuse(*s, name, code::BadParameter, "Invalid parameter number"));
    if (pfSqlType) *pfSqlType = p->sqlType;
    if (pcbParamDef) *pcbParamDef = p->columnSize;
    if (pibScale) *pibScale = p->scale;
    if (pfNullable) *pfNullable = p->nullable;
    return leaveWith(*s, name, SQL_SUCCESS);
}

SQLRETURN numParams(SQLHSTMT hstmt, SQLSMALLINT* pcpar) {
    const char* name = "SQLNumParams";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    if (!pcpar) return leaveWith(*s, name, refuse(*s, name, code::Limit, "Null pcpar"));
    std::size_t n = 0;
    for (std::size_t i = 0; i < std::min(s->markerCount, s->parameters.size()); ++i) n += s->parameters[i].isApplication();
    *pcpar = static_cast<SQLSMALLINT>(n);
    if (s->trace) trace::line(trace::Leave, name, trace::format("pcpar = %d returning %d", *pcpar, 0));
    return SQL_SUCCESS;
}

SQLRETURN getCursorName(SQLHSTMT hstmt, SQLCHAR* out, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    const char* name = "SQLGetCursorName";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    if (s->cursorName.empty() && s->connection)
        s->cursorName = trace::format("c%d", int(++s->connection->cursorNameCounter));
    const SQLRETURN r = textAnswer(*s, s->cursorName, out, cbMax, pcb);
    if (s->trace) trace::line(trace::Leave, name, trace::format("szCursor = %s returning %d", s->cursorName.c_str(), r));
    return r;
}

SQLRETURN setCursorName(SQLHSTMT hstmt, SQLCHAR* cursor, SQLSMALLINT cb) {
    const char* name = "SQLSetCursorName";
    std::u16string wide;
    const bool ok = widenArgument(cursor, cb, wide);
    const std::string text = narrow(wide);
    Statement* s = enterStatement(hstmt, name, [&] { return trace::format("hstmt = %#.8lx szCursor = %s", trace::handleNumber(hstmt), text.c_str()); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    if (!ok) return leaveWith(*s, name, refuse(*s, name, code::BadLength, "Invalid string or buffer length"));
    if (text.empty() || text.size() > 50) return leaveWith(*s, name, refuse(*s, name, 103, "Invalid cursor name"));
    if (Connection* c = s->connection)
        for (Statement* other : c->statements)
            if (other && other != s && other->cursorName == text)
                return leaveWith(*s, name, refuse(*s, name, 471, "name is not unique"));
    s->cursorName = text;
    return leaveWith(*s, name, SQL_SUCCESS);
}

SQLRETURN getStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLPOINTER value) {
    const char* name = "SQLGetStmtOption";
    Statement* s = enterStatement(hstmt, name, [&] { return trace::format("hstmt = %#.8lx fOption = %u", trace::handleNumber(hstmt), option); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    SQLULEN v = 0;
    SQLRETURN r = SQL_SUCCESS;
    switch (option) {
    case SQL_QUERY_TIMEOUT: v = s->queryTimeoutSeconds; break;
    case SQL_MAX_ROWS: v = s->maxRows; break;
    case SQL_NOSCAN: v = 1; break;
    case SQL_ASYNC_ENABLE:
    case SQL_USE_BOOKMARKS:
    case SQL_ROW_NUMBER: v = 0; break;
    case SQL_BIND_TYPE: v = (s->optionBits & RowWiseBinding) ? s->rowSize : 0; break;
    case SQL_CURSOR_TYPE: v = s->cursorType; break;
    case SQL_CONCURRENCY: v = (s->optionBits & ReadOnlyConcurrency) ? 1 : 2; break;
    case SQL_ROWSET_SIZE: v = s->rowsetSize; break;
    case SQL_RETRIEVE_DATA: v = 1; break;
    default: r = refuse(*s, name, code::NotCapable, "Option not supported");
    }
    if (r == SQL_SUCCESS && value) std::memcpy(value, &v, sizeof v);
    if (s->trace) trace::line(trace::Leave, name, trace::format("pvParam = %ld returning %d", long(v), r));
    return r;
}

SQLRETURN setStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value) {
    const char* name = "SQLSetStmtOption";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx fOption = %u vParam = %lu", trace::handleNumber(hstmt), option,
                             static_cast<unsigned long>(value));
    });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    return leaveWith(*s, name, setStatementOption(*s, option, value));
}

SQLRETURN setScrollOptions(SQLHSTMT hstmt, SQLUSMALLINT concurrency, SQLLEN keyset, SQLUSMALLINT rowset) {
    const char* name = "SQLSetScrollOptions";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx fConcurrency = %u crowKeyset = %ld crowRowset = %u", trace::handleNumber(hstmt),
                             concurrency, long(keyset), rowset);
    });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    SQLULEN type = 0;
    if (keyset == SQL_SCROLL_FORWARD_ONLY) type = SQL_CURSOR_FORWARD_ONLY;
    else if (keyset == SQL_SCROLL_KEYSET_DRIVEN) type = SQL_CURSOR_KEYSET_DRIVEN;
    else if (keyset == SQL_SCROLL_DYNAMIC) type = SQL_CURSOR_DYNAMIC;
    else if (keyset == SQL_SCROLL_STATIC) type = SQL_CURSOR_STATIC;
    else if (keyset == static_cast<SQLLEN>(rowset)) type = SQL_CURSOR_KEYSET_DRIVEN;
    else return leaveWith(*s, name, refuse(*s, name, code::NotCapable, "Option not supported"));
    setStatementOption(*s, SQL_CURSOR_TYPE, type);
    SQLRETURN r = setStatementOption(*s, SQL_ROWSET_SIZE, rowset);
    if (r == SQL_SUCCESS) r = setStatementOption(*s, SQL_CONCURRENCY, concurrency);
    return leaveWith(*s, name, r);
}

SQLRETURN nativeSql(SQLHDBC hdbc, SQLCHAR* in, SQLINTEGER cbIn, SQLCHAR* out, SQLINTEGER cbOutMax, SQLINTEGER* pcbOut) {
    const char* name = "SQLNativeSql";
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace) trace::line(trace::Enter, name, trace::format("hdbc = %#.8lx", trace::handleNumber(dbc)));
    dbc->errorCode = 0;
    std::u16string text;
    if (!widenArgument(in, cbIn, text)) return leaveWith(*dbc, name, refuse(*dbc, name, code::BadLength, "Invalid string or buffer length"));
    const std::string bytes = narrow(text);
    if (pcbOut) *pcbOut = static_cast<SQLINTEGER>(bytes.size());
    SQLRETURN r = SQL_SUCCESS;
    if (copyOut(bytes, out, cbOutMax)) {
        dbc->errorCode = code::Truncated;
        r = SQL_SUCCESS_WITH_INFO;
    }
    return leaveWith(*dbc, name, r);
}

}  // namespace kesto::odbc::api
