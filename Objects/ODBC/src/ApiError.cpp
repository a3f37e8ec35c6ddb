// SQLError: one pending error per handle, reported once.
#include "AnsiText.h"
#include "Api.h"
#include "Connection.h"
#include "DriverModule.h"
#include "Environment.h"
#include "Statement.h"
#include "Trace.h"

#include <cstring>

namespace kesto::odbc::api {
SQLRETURN error(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    HandleBase* handle = nullptr;
    Connection* connection = nullptr;
    if (hstmt) {
        auto* stmt = static_cast<Statement*>(hstmt);
        handle = stmt;
        connection = stmt->connection;
    } else if (hdbc) {
        connection = static_cast<Connection*>(hdbc);
        handle = connection;
    } else if (henv) {
        handle = static_cast<Environment*>(henv);
    }
    const bool tracing = handle ? handle->trace : trace::enabled();
    if (tracing)
        trace::line(trace::Enter, "SQLError",
                    trace::format("henv = %#.8lx hdbc = %#.8lx  hstmt = %#.8lx", trace::handleNumber(henv), trace::handleNumber(hdbc),
                                  trace::handleNumber(hstmt)));
    if (!handle) {
        if (tracing) trace::line(trace::Error, "SQLError", "Invalid handle(s)");
        if (tracing) trace::line(trace::Leave, "SQLError", trace::format("Returning %d", SQL_INVALID_HANDLE));
        return SQL_INVALID_HANDLE;
    }
    const int c = handle->errorCode == code::EndOfData ? 0 : handle->errorCode;
    if (c == 0) {
        handle->errorCode = 0;
        if (native) *native = 0;
        if (message && cbMax > 0) std::memset(message, 0, static_cast<std::size_t>(cbMax));
        if (pcb) *pcb = 0;
        if (tracing) trace::line(trace::Leave, "SQLError", trace::format("Returning %d", SQL_NO_DATA_FOUND));
        return SQL_NO_DATA_FOUND;
    }
    handle->sqlState = sqlStateOf(c);
    if (state) {
        std::memcpy(state, handle->sqlState.data(), 5);
        state[5] = '\0';
    }
    if (native) *native = c;
    const std::string text = !handle->pendingDetail().empty() ? std::string(handle->pendingDetail())
                             : connection                      ? connection->fetchServerErrorText(c)
                                                               : errorText(c);
    handle->detail.clear();
    handle->detailCode = 0;
    const std::string m = diagnosticMessage(handle->sqlState, c, executablePath(), text);
    SQLRETURN r = SQL_SUCCESS;
    if (pcb) *pcb = static_cast<SQLSMALLINT>(std::min<std::size_t>(m.size(), SHRT_MAX));
    if (message && cbMax > 0) {
        const auto room = static_cast<std::size_t>(cbMax);
        const std::size_t n = std::min(m.size(), room - 1);
        std::memcpy(message, m.data(), n);
        message[n] = '\0';
        if (m.size() >= room) r = SQL_SUCCESS_WITH_INFO;
    }
    handle->errorCode = 0;
    if (tracing) {
        trace::text("error message", text);
        trace::line(trace::Leave, "SQLError", trace::format("state = %s native = %ld", handle->sqlState.c_str(), long(c)));
    }
    return r;
}

}  // namespace kesto::odbc::api
