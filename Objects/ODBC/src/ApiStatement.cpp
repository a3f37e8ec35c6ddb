// Statement entry points: bindings, execution, data at execution, fetching and freeing.
#include "Api.h"
#include "ApiSupport.h"

namespace kesto::odbc::api {
namespace {

std::string handleText(const void* h) { return trace::format("hstmt = %#.8lx", trace::handleNumber(h)); }

}  // namespace

SQLRETURN bindCol(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb) {
    const char* name = "SQLBindCol";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx icol = %u fCType = %d cbValueMax = %ld", trace::handleNumber(hstmt), icol, cType,
                             long(cbMax));
    });
    if (!s) return SQL_INVALID_HANDLE;
    if (icol == 0) return leaveWith(*s, name, refuse(*s, name, code::BadColumn, "Invalid column number"));
    return leaveWith(*s, name, guarded(*s, [&] {
        s->bindColumn(icol, cType, value, cbMax, pcb);
        return SQL_SUCCESS;
    }));
}

SQLRETURN bindParameter(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT type, SQLSMALLINT cType, SQLSMALLINT sqlType,
                        SQLULEN colDef, SQLSMALLINT scale, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb) {
    const char* name = "SQLBindParameter";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx ipar = %u fParamType = %d fCType = %d fSQLType = %d cbColDef = %lu ibScale = %d "
                             "rgbValue = %#.8lx cbValueMax = %ld",
                             trace::handleNumber(hstmt), ipar, type, cType, sqlType, static_cast<unsigned long>(colDef), scale,
                             trace::handleNumber(value), long(cbMax));
    });
    if (!s) return SQL_INVALID_HANDLE;
    if (ipar == 0) return leaveWith(*s, name, refuse(*s, name, code::BadParameter, "Invalid parameter number"));
    return leaveWith(*s, name, guarded(*s, [&] {
        s->bindParameter(ipar, type, cType, sqlType, colDef, scale, value, cbMax, pcb);
        return SQL_SUCCESS;
    }));
}

SQLRETURN setParam(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN colDef,
                   SQLSMALLINT scale, SQLPOINTER value, SQLLEN* pcb) {
    return bindParameter(hstmt, ipar, SQL_PARAM_INPUT, cType, sqlType, colDef, scale, value, -1, pcb);
}

SQLRETURN cancel(SQLHSTMT hstmt) {
    const char* name = "SQLCancel";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    // A statement running on another thread: the server stops it and that thread gets the
    // error; this thread leaves the statement's state alone.
    if (s->connection && s->statementId != 0 && s->connection->busyStatement.load() == s->statementId) {
        const bool sent = s->connection->sendCancel(s->statementId);
        if (s->trace) trace::line(trace::Leave, name, trace::format("Cancel sent: %d", sent ? 1 : 0));
        return SQL_SUCCESS;
    }
    s->errorCode = 0;
    if (!s->connection) return leaveWith(*s, name, refuse(*s, name, code::Limit, "Null hConnection"));
    return leaveWith(*s, name, guarded(*s, [&] { return s->close(); }));
}

static SQLRETURN runText(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER cb, const char* name, bool direct) {
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    std::u16string text;
    const bool ok = widenArgument(sql, cb, text);
    if (s->trace) trace::text(nullptr, narrow(text));
    if (!ok) return leaveWith(*s, name, refuse(*s, name, code::BadLength, "Invalid string or buffer length"));
    const SQLRETURN r = guarded(*s, [&] { return direct ? s->executeDirect(text) : s->prepare(text); });
    if (direct || !s->trace) return leaveWith(*s, name, r);
    trace::line(trace::Leave, name,
                trace::format("StatementType = %u ColumnCount = %u ParameterCount = %u returning %d", unsigned(s->kind),
                              unsigned(s->columnCount), unsigned(s->markerCount), r));
    return r;
}

SQLRETURN execDirect(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER cb) { return runText(hstmt, sql, cb, "SQLExecDirect", true); }

SQLRETURN prepare(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER cb) { return runText(hstmt, sql, cb, "SQLPrepare", false); }

SQLRETURN execute(SQLHSTMT hstmt) {
    const char* name = "SQLExecute";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    if (s->kind == kind::None) return leaveWith(*s, name, refuse(*s, name, code::FunctionSequence, "Statement not prepared"));
    return leaveWith(*s, name, guarded(*s, [&]() -> SQLRETURN {
        s->lastPutParameter = 0;
        const int v = s->markerCount ? s->validateParameters() : 0;
        if (v == SQL_NEED_DATA) {
            s->flags |= NeedData;
            return SQL_NEED_DATA;
        }
        if (v) {
            if (s->trace) trace::line(trace::Error, name, trace::format("ValidateParameters returned %d", v));
            return SQL_ERROR;
        }
        return s->execute();
    }));
}

SQLRETURN fetch(SQLHSTMT hstmt) {
    const char* name = "SQLFetch";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    SQLRETURN r = SQL_SUCCESS;
    if (!s->hasResultSet) {
        r = refuse(*s, name, 24000, "Invalid cursor state");
    } else {
        r = guarded(*s, [&]() -> SQLRETURN {
            if (s->isStatic()) {
                s->prepareRowset();
                const SQLULEN saved = s->rowsetSize;
                s->rowsetSize = 1;
                SQLULEN fetched = 0;
                const int f = s->staticCursorFetch(SQL_FETCH_NEXT, 1, fetched);
                s->rowsetSize = saved;
                return static_cast<SQLRETURN>(f);
            }
            const int f = s->fetchMoreData();
            if (f == SQL_NO_DATA_FOUND) return SQL_NO_DATA_FOUND;
            if (f) {
                if (s->trace) trace::line(trace::Error, name, trace::format("Fetch returned %d", f));
                return SQL_ERROR;
            }
            const int p = s->processRow();
            if (p < 0) {
                if (s->trace) trace::line(trace::Error, name, trace::format("ProcessRow returned %d", p));
                return SQL_ERROR;
            }
            if (s->trace)
                for (const auto& c : s->columns)
                    if (c.bound && !(c.lengthPointer && *c.lengthPointer == SQL_NULL_DATA)) trace::value(c.data, c.cType, c.name);
            return static_cast<SQLRETURN>(p);
        });
    }
    if (s->trace)
        trace::line(trace::Leave, name, trace::format("Rows processed = %lu returning %d", static_cast<unsigned long>(s->rowCount), r));
    return r;
}

SQLRETURN extendedFetch(SQLHSTMT hstmt, SQLUSMALLINT type, SQLLEN irow, SQLULEN* pcrow, SQLUSMALLINT* status) {
    const char* name = "SQLExtendedFetch";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx fFetchType = %u irow = %ld", trace::handleNumber(hstmt), type, long(irow));
    });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    SQLULEN fetched = 0;
    SQLRETURN r = SQL_SUCCESS;
    if (!s->hasResultSet) r = refuse(*s, name, 24000, trace::format("Invalid statement type %d", s->kind));
    else r = guarded(*s, [&] { return s->extendedFetch(type, irow, fetched, status); });
    if (pcrow) *pcrow = fetched;
    if (s->trace)
        trace::line(trace::Leave, name, trace::format("Rows processed = %lu returning %d", static_cast<unsigned long>(fetched), r));
    return r;
}

SQLRETURN freeStmt(SQLHSTMT hstmt, SQLUSMALLINT option) {
    const char* name = "SQLFreeStmt";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx option = %d", trace::handleNumber(hstmt), option);
    });
    if (!s) return SQL_INVALID_HANDLE;
    const bool tracing = s->trace;
    s->errorCode = 0;
    SQLRETURN r = SQL_SUCCESS;
    switch (option) {
    case SQL_CLOSE: r = guarded(*s, [&] { return s->close(); }); break;
    case SQL_DROP:
        r = guarded(*s, [&] { return s->releaseStatement(); });
        if (r == SQL_SUCCESS) {
            if (s->connection) s->connection->unregisterStatement(s);
            delete s;
            s = nullptr;
        }
        break;
    case SQL_UNBIND: s->unbindColumns(); break;
    case SQL_RESET_PARAMS: s->resetParameters(); break;
    default: break;
    }
    if (tracing) trace::line(trace::Leave, name, trace::format("Returning %d", r));
    return r;
}

SQLRETURN paramData(SQLHSTMT hstmt, SQLPOINTER* token) {
    const char* name = "SQLParamData";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    if (!(s->flags & NeedData)) return leaveWith(*s, name, refuse(*s, name, code::FunctionSequence, "Out of sequence"));
    return leaveWith(*s, name, guarded(*s, [&] { return s->paramData(token); }));
}

SQLRETURN putData(SQLHSTMT hstmt, SQLPOINTER data, SQLLEN cb) {
    const char* name = "SQLPutData";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx cbValue = %ld", trace::handleNumber(hstmt), long(cb));
    });
    if (!s) return SQL_INVALID_HANDLE;
    s->errorCode = 0;
    return leaveWith(*s, name, guarded(*s, [&] { return s->putData(data, cb); }));
}

SQLRETURN paramOptions(SQLHSTMT hstmt, SQLULEN crow, SQLULEN* pirow) {
    const char* name = "SQLParamOptions";
    Statement* s = enterStatement(hstmt, name, [&] {
        return trace::format("hstmt = %#.8lx crow = %lu pirow = %#.8lx", trace::handleNumber(hstmt),
                             static_cast<unsigned long>(crow), trace::handleNumber(pirow));
    });
    if (!s) return SQL_INVALID_HANDLE;
    if (crow >= 65536) return leaveWith(*s, name, refuse(*s, name, code::Limit, trace::format("Max. crow of %u exceeded", 65535u)));
    s->parameterSets = crow;
    s->processedSets = pirow;
    return leaveWith(*s, name, SQL_SUCCESS);
}

SQLRETURN moreResults(SQLHSTMT hstmt) {
    const char* name = "SQLMoreResults";
    Statement* s = enterStatement(hstmt, name, [&] { return handleText(hstmt); });
    if (!s) return SQL_INVALID_HANDLE;
    return leaveWith(*s, name, SQL_NO_DATA_FOUND);
}

}  // namespace kesto::odbc::api
