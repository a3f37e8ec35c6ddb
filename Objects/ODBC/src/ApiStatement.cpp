// Statement entry points of the connection level: freeing and options. Execution, fetching
// and catalog functions answer "driver not capable" until the statement layer exists.
#include "Api.h"
#include "Connection.h"
#include "Statement.h"
#include "Trace.h"

#include <cstring>

namespace kesto::odbc::api {
SQLRETURN freeStmt(SQLHSTMT hstmt, SQLUSMALLINT option) {
    auto* stmt = static_cast<Statement*>(hstmt);
    if (!stmt) return SQL_INVALID_HANDLE;
    const bool tracing = stmt->trace;
    if (tracing)
        trace::line(trace::Enter, "SQLFreeStmt", trace::format("hstmt = %#.8lx fOption = %u", trace::handleNumber(stmt), option));
    stmt->errorCode = 0;
    if (option == SQL_DROP) {
        if (stmt->connection) stmt->connection->unregisterStatement(stmt);
        delete stmt;
    } else if (option == SQL_RESET_PARAMS) {
        stmt->parameters.clear();
    }
    if (tracing) trace::line(trace::Leave, "SQLFreeStmt", trace::format("Returning %d", 0));
    return SQL_SUCCESS;
}

SQLRETURN setStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value) {
    auto* stmt = static_cast<Statement*>(hstmt);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->errorCode = 0;
    return setStatementOption(*stmt, option, value);
}

SQLRETURN getStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLPOINTER value) {
    auto* stmt = static_cast<Statement*>(hstmt);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->errorCode = 0;
    SQLULEN v = 0;
    for (const auto& [o, stored] : stmt->options)
        if (o == option) v = stored;
    if (value) std::memcpy(value, &v, sizeof v);
    return SQL_SUCCESS;
}

SQLRETURN notCapable(HandleBase* handle, const char* name) {
    if (!handle) return SQL_INVALID_HANDLE;
    if (handle->trace) trace::line(trace::Enter, name, trace::format("handle = %#.8lx", trace::handleNumber(handle)));
    handle->errorCode = code::NotCapable;
    if (handle->trace) {
        trace::line(trace::Error, name, "Function not supported");
        trace::line(trace::Leave, name, trace::format("Returning %d", SQL_ERROR));
    }
    return SQL_ERROR;
}

}  // namespace kesto::odbc::api
