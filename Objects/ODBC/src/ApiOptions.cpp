// SQLGetConnectOption and SQLSetConnectOption.
#include "Api.h"
#include "Connection.h"
#include "Trace.h"

#include <cstdint>
#include <cstring>

namespace kesto::odbc::api {
namespace {

// The ODBC 2 statement options are 0..14.
bool isStatementOption(SQLUSMALLINT option) { return option <= 14; }

template <typename T>
void put(SQLPOINTER target, T value) {
    if (target) std::memcpy(target, &value, sizeof value);
}

}  // namespace

SQLRETURN getConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLPOINTER value) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace)
        trace::line(trace::Enter, "SQLGetConnectOption", trace::format("hdbc = %#.8lx fOption = %u", trace::handleNumber(dbc), option));
    SQLRETURN r = SQL_SUCCESS;
    long shown = 0;
    switch (option) {
    case SQL_ACCESS_MODE: put<SQLUINTEGER>(value, shown = (dbc->flags & ReadOnly) ? 1 : 0); break;
    case SQL_AUTOCOMMIT: put<SQLUINTEGER>(value, shown = (dbc->flags & Autocommit) ? 1 : 0); break;
    case SQL_LOGIN_TIMEOUT: put<SQLUINTEGER>(value, dbc->loginTimeoutSeconds); shown = dbc->loginTimeoutSeconds; break;
    case SQL_OPT_TRACE:
    case SQL_OPT_TRACEFILE: break;
    case SQL_TXN_ISOLATION: put<SQLUINTEGER>(value, dbc->isolationLevel); shown = dbc->isolationLevel; break;
    case SQL_CURRENT_QUALIFIER:
        if (value) static_cast<char*>(value)[0] = '\0';
        break;
    case SQL_ODBC_CURSORS: put<SQLULEN>(value, shown = 1); break;
    default:
        dbc->errorCode = code::NotCapable;
        if (dbc->trace) trace::line(trace::Error, "SQLGetConnectOption", "Option not supported");
        r = SQL_ERROR;
    }
    if (dbc->trace) trace::line(trace::Leave, "SQLGetConnectOption", trace::format("pvParam = %ld returning %d", shown, r));
    return r;
}

SQLRETURN setConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLULEN value) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    const char* name = "SQLSetConnectOption";
    if (dbc->trace)
        trace::line(trace::Enter, name,
                    trace::format("hdbc = %#.8lx fOption = %u vParam = %lu", trace::handleNumber(dbc), option,
                                  static_cast<unsigned long>(value)));
    dbc->errorCode = 0;
    SQLRETURN r = SQL_SUCCESS;
    auto sendOption = [&](int which) {
        if (!dbc->connected()) {
            // Applied once the login has made the connection (see Connection::connect).
            (which == 1 ? dbc->autocommitPending : which == 2 ? dbc->accessModePending : dbc->isolationPending) = true;
            return SQL_SUCCESS;
        }
        const SQLRETURN sent = dbc->setTransactionOption(which);
        if (sent != SQL_SUCCESS && dbc->trace)
            trace::line(trace::Error, name, trace::format("SetTransactionOption returned %d", sent));
        return sent == SQL_SUCCESS ? SQL_SUCCESS : SQL_ERROR;
    };
    if (isStatementOption(option)) {
        r = dbc->applyStatementOption(option, value);
        if (r != SQL_SUCCESS && dbc->trace) trace::line(trace::Error, name, trace::format("ApplyStatementOption returned %d", r));
    } else {
        switch (option) {
        case SQL_ACCESS_MODE:
            if (value == SQL_MODE_READ_ONLY) dbc->flags |= ReadOnly;
            else dbc->flags &= ~ReadOnly;
            // The server refuses statements that would write while the mode is read-only.
            r = sendOption(2);
            break;
        case SQL_AUTOCOMMIT:
            if (value == SQL_AUTOCOMMIT_ON) dbc->flags |= Autocommit;
            else dbc->flags &= ~Autocommit;
            r = sendOption(1);
            break;
        case SQL_LOGIN_TIMEOUT:
            dbc->loginTimeoutSeconds = value == 0 ? 2147483647u : static_cast<std::uint32_t>(value);
            break;
        case SQL_OPT_TRACE:
        case SQL_OPT_TRACEFILE:
        case SQL_ODBC_CURSORS: break;
        case SQL_TXN_ISOLATION:
            if (value == 1 || value == 2) {
                dbc->isolationLevel = static_cast<std::uint32_t>(value);
                r = sendOption(0);
            } else if (value == 8 || value == 16) {
                dbc->isolationLevel = 2;
                r = sendOption(0);
                if (r == SQL_SUCCESS) {
                    dbc->errorCode = code::ValueChanged;
                    r = SQL_SUCCESS_WITH_INFO;
                }
            } else {
                dbc->errorCode = code::Limit;
                if (dbc->trace)
                    trace::line(trace::Error, name, trace::format("Unsupported isolation level %d", static_cast<int>(value)));
                r = SQL_ERROR;
            }
            break;
        case SQL_CURRENT_QUALIFIER:
            dbc->errorCode = code::ValueChanged;
            if (dbc->trace) trace::line(trace::Error, name, "Current Qualifier set to \"\"");
            r = SQL_SUCCESS_WITH_INFO;
            break;
        default:
            dbc->errorCode = code::NotCapable;
            if (dbc->trace) trace::line(trace::Error, name, "Option not supported");
            r = SQL_ERROR;
        }
    }
    if (dbc->trace) trace::line(trace::Leave, name, trace::format("Returning %d", r));
    return r;
}

SQLRETURN setConnectAttr(SQLHDBC hdbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER /*length*/) {
    const auto number = static_cast<SQLULEN>(reinterpret_cast<std::uintptr_t>(value));
    // The connection's timeout is the default query timeout of its statements, as the
    // connection-level SQL_QUERY_TIMEOUT is in ODBC 2.50.
    if (attribute == SQL_ATTR_CONNECTION_TIMEOUT) return setConnectOption(hdbc, SQL_QUERY_TIMEOUT, number);
    // Everything else is an option as SQLSetConnectOption takes it (string options as their
    // pointer); a number beyond an option's 16 bits is none the driver knows.
    const bool fits = attribute >= 0 && attribute < 0xFFFF;
    return setConnectOption(hdbc, fits ? static_cast<SQLUSMALLINT>(attribute) : 0xFFFF, number);
}

}  // namespace kesto::odbc::api
