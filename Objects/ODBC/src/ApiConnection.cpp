// Entry points for environments and connections.
#include "AnsiText.h"
#include "Api.h"
#include "Connection.h"
#include "ConnectPrompts.h"
#include "Environment.h"
#include "Statement.h"
#include "Trace.h"

#include <algorithm>
#include <new>

namespace kesto::odbc::api {
namespace {

SQLRETURN leave(const HandleBase& h, const char* name, SQLRETURN r) {
    if (h.trace) trace::line(trace::Leave, name, trace::format("Returning %d", r));
    return r;
}

SQLRETURN fail(HandleBase& h, const char* name, int errorCode, const std::string& text, SQLRETURN r = SQL_ERROR) {
    h.errorCode = errorCode;
    if (h.trace) trace::line(trace::Error, name, text);
    return r;
}

// The connection-string text of an enter line, with the password hidden.
std::string maskedConnectionString(std::string text) {
    std::size_t at = 0;
    while ((at = text.find("PWD=", at)) != std::string::npos) {
        if (at == 0 || text[at - 1] == ';') {
            const std::size_t end = std::min(text.find(';', at), text.size());
            text.replace(at + 4, end - at - 4, "*****");
        }
        at += 4;
    }
    return text;
}

// Shows one prompt of SQLDriverConnect: 0 when accepted, 100 when cancelled, -1 when it
// could not be shown.
SQLRETURN ask(Connection& dbc, prompt::Outcome (*show)(void*, Connection&, std::string&), SQLHWND hwnd) {
    std::string error;
    switch (show(hwnd, dbc, error)) {
    case prompt::Outcome::Accepted: return SQL_SUCCESS;
    case prompt::Outcome::Cancelled:
        if (dbc.trace) trace::line(trace::Error, "SQLDriverConnect", "Logon cancelled by user");
        return SQL_NO_DATA_FOUND;
    case prompt::Outcome::Failed: break;
    }
    return fail(dbc, "SQLDriverConnect", prompt::kDialogFailed, error);
}

}  // namespace

SQLRETURN allocEnv(SQLHENV* phenv) {
    trace::processAttach();
    const bool tracing = trace::enabled();
    if (tracing) trace::line(trace::Enter, "SQLAllocEnv", "");
    auto* env = new (std::nothrow) Environment;
    if (!env) {
        if (phenv) *phenv = nullptr;
        if (tracing) trace::line(trace::Error, "SQLAllocEnv", "Unable to allocate memory");
        return SQL_ERROR;
    }
    env->trace = tracing;
    if (phenv) *phenv = env;
    if (tracing) trace::line(trace::Leave, "SQLAllocEnv", trace::format("henv = %#.8lx returning %d", trace::handleNumber(env), 0));
    return SQL_SUCCESS;
}

SQLRETURN allocConnect(SQLHENV henv, SQLHDBC* phdbc) {
    auto* env = static_cast<Environment*>(henv);
    if (!env) return SQL_INVALID_HANDLE;
    if (env->trace) trace::line(trace::Enter, "SQLAllocConnect", trace::format("henv = %#.8lx", trace::handleNumber(env)));
    env->errorCode = 0;
    if (phdbc) *phdbc = nullptr;
    if (env->connections.size() >= Environment::kMaxConnections)
        return leave(*env, "SQLAllocConnect",
                     fail(*env, "SQLAllocConnect", code::Limit,
                          trace::format("Maximum of %d connections exceeded", int(Environment::kMaxConnections))));
    auto* dbc = new (std::nothrow) Connection(env);
    if (!dbc)
        return leave(*env, "SQLAllocConnect",
                     fail(*env, "SQLAllocConnect", code::NoMemory,
                          trace::format("Unable to allocate %lu bytes for connection", sizeof(Connection))));
    dbc->trace = env->trace;
    env->connections.push_back(dbc);
    if (phdbc) *phdbc = dbc;
    if (env->trace)
        trace::line(trace::Leave, "SQLAllocConnect", trace::format("hdbc = %#.8lx returning %d", trace::handleNumber(dbc), 0));
    return SQL_SUCCESS;
}

SQLRETURN allocStmt(SQLHDBC hdbc, SQLHSTMT* phstmt) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace) trace::line(trace::Enter, "SQLAllocStmt", trace::format("hdbc = %#.8lx", trace::handleNumber(dbc)));
    dbc->errorCode = 0;
    if (phstmt) *phstmt = nullptr;
    if (dbc->statementCount >= Connection::kMaxStatements)
        return leave(*dbc, "SQLAllocStmt",
                     fail(*dbc, "SQLAllocStmt", code::Limit,
                          trace::format("Maximum of %d statements exceeded", int(Connection::kMaxStatements))));
    auto* stmt = new (std::nothrow) Statement(dbc);
    if (!stmt) return leave(*dbc, "SQLAllocStmt", fail(*dbc, "SQLAllocStmt", code::SendFailed, "Unable to allocate memory"));
    stmt->trace = dbc->trace;
    dbc->registerStatement(stmt);
    if (phstmt) *phstmt = stmt;
    if (dbc->trace)
        trace::line(trace::Leave, "SQLAllocStmt", trace::format("hstmt = %#.8lx returning %d", trace::handleNumber(stmt), 0));
    return SQL_SUCCESS;
}

SQLRETURN connect(SQLHDBC hdbc, SQLCHAR* dsn, SQLSMALLINT cbDsn, SQLCHAR* uid, SQLSMALLINT cbUid, SQLCHAR* auth,
                  SQLSMALLINT cbAuth) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->errorCode = 0;
    std::u16string d, u, p;
    const bool lengthsOk = widenArgument(dsn, cbDsn, d) && widenArgument(uid, cbUid, u) && widenArgument(auth, cbAuth, p);
    if (dbc->trace)
        trace::line(trace::Enter, "SQLConnect", trace::format("hdbc = %#.8lx szDSN = %s", trace::handleNumber(dbc), narrow(d).c_str()));
    if (!lengthsOk) return leave(*dbc, "SQLConnect", fail(*dbc, "SQLConnect", code::BadLength, "Invalid string length"));
    dbc->dsn = d;
    dbc->user = u;
    dbc->password = p;
    dbc->readDataSourceSettings();
    return leave(*dbc, "SQLConnect", dbc->connect());
}

SQLRETURN driverConnect(SQLHDBC hdbc, SQLHWND hwnd, SQLCHAR* in, SQLSMALLINT cbIn, SQLCHAR* out, SQLSMALLINT cbOutMax,
                        SQLSMALLINT* pcbOut, SQLUSMALLINT completion) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->errorCode = 0;
    std::u16string text;
    const bool lengthOk = widenArgument(in, cbIn, text);
    if (dbc->trace)
        trace::line(trace::Enter, "SQLDriverConnect",
                    trace::format("hdbc = %#.8lx szConnStrIn = %s", trace::handleNumber(dbc),
                                  maskedConnectionString(narrow(text)).c_str()));
    if (!lengthOk)
        return leave(*dbc, "SQLDriverConnect", fail(*dbc, "SQLDriverConnect", code::BadLength, "Invalid string length"));
    dbc->parseConnectionString(text);
    if (dbc->driver.empty() && !dbc->dsn.empty()) dbc->readDataSourceSettings();
    // Prompts need the caller's window: without one every mode connects as NOPROMPT.
    const bool prompting = completion != SQL_DRIVER_NOPROMPT && hwnd;
    if (prompting) {
        SQLRETURN r = SQL_SUCCESS;
        if (dbc->dsn.empty() && dbc->host.empty() && dbc->nameSpace.empty()) r = ask(*dbc, prompt::chooseDataSource, hwnd);
        if (r == SQL_SUCCESS && (dbc->user.empty() || dbc->password.empty())) r = ask(*dbc, prompt::login, hwnd);
        if (r != SQL_SUCCESS) return leave(*dbc, "SQLDriverConnect", r);
    }
    if (dbc->connect() != SQL_SUCCESS) {
        // A refused login may be retried once with new credentials.
        const bool retry = prompting && (completion == SQL_DRIVER_PROMPT || completion == SQL_DRIVER_COMPLETE_REQUIRED) &&
                           sqlStateOf(dbc->errorCode) == "28000";
        if (!retry) return leave(*dbc, "SQLDriverConnect", SQL_ERROR);
        dbc->user.clear();
        dbc->password.clear();
        if (const SQLRETURN r = ask(*dbc, prompt::login, hwnd); r != SQL_SUCCESS) return leave(*dbc, "SQLDriverConnect", r);
        if (dbc->connect() != SQL_SUCCESS) return leave(*dbc, "SQLDriverConnect", SQL_ERROR);
    }

    std::u16string full = !dbc->dsn.empty() ? u"DSN=" + dbc->dsn : !dbc->driver.empty() ? u"DRIVER=" + dbc->driver : u"";
    full += u";SERVER=" + dbc->host + u";DATABASE=" + dbc->nameSpace + u";UID=" + dbc->user + u";PWD=" + dbc->password;
    const std::string bytes = narrow(full);
    SQLRETURN r = SQL_SUCCESS;
    if (out && cbOutMax > 0) {
        if (pcbOut) *pcbOut = static_cast<SQLSMALLINT>(std::min<std::size_t>(bytes.size(), SHRT_MAX));
        const auto room = static_cast<std::size_t>(cbOutMax);
        const std::size_t n = std::min(bytes.size(), room - 1);
        std::copy_n(bytes.data(), n, reinterpret_cast<char*>(out));
        out[n] = '\0';
        if (bytes.size() >= room) {
            dbc->errorCode = code::Truncated;
            r = SQL_SUCCESS_WITH_INFO;
        }
    }
    return leave(*dbc, "SQLDriverConnect", r);
}

SQLRETURN disconnect(SQLHDBC hdbc) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (dbc->trace) trace::line(trace::Enter, "SQLDisconnect", trace::format("hdbc = %#.8lx", trace::handleNumber(dbc)));
    return leave(*dbc, "SQLDisconnect", dbc->disconnect());
}

SQLRETURN freeConnect(SQLHDBC hdbc) {
    auto* dbc = static_cast<Connection*>(hdbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    const bool tracing = dbc->trace;
    if (tracing) trace::line(trace::Enter, "SQLFreeConnect", trace::format("hdbc = %#.8lx", trace::handleNumber(dbc)));
    if (auto* env = dbc->environment) {
        auto& list = env->connections;
        const auto it = std::find(list.begin(), list.end(), dbc);
        if (it != list.end()) {
            *it = list.back();
            list.pop_back();
        }
    }
    for (Statement* stmt : dbc->statements) delete stmt;
    delete dbc;
    if (tracing) trace::line(trace::Leave, "SQLFreeDisconnect", trace::format("Returning %d", 0));
    return SQL_SUCCESS;
}

SQLRETURN freeEnv(SQLHENV henv) {
    auto* env = static_cast<Environment*>(henv);
    if (!env) return SQL_INVALID_HANDLE;
    const bool tracing = env->trace;
    if (tracing) trace::line(trace::Enter, "SQLFreeEnv", trace::format("henv = %#.8lx", trace::handleNumber(env)));
    if (!env->connections.empty())
        return leave(*env, "SQLFreeEnv", fail(*env, "SQLFreeEnv", code::FunctionSequence, "Connections still allocated"));
    delete env;
    if (tracing) trace::line(trace::Leave, "SQLFreeEnv", trace::format("Returning %d", 0));
    return SQL_SUCCESS;
}

SQLRETURN transact(SQLHENV henv, SQLHDBC hdbc, SQLUSMALLINT type) {
    auto* env = static_cast<Environment*>(henv);
    auto* dbc = static_cast<Connection*>(hdbc);
    const bool tracing = dbc ? dbc->trace : env ? env->trace : trace::enabled();
    if (tracing)
        trace::line(trace::Enter, "SQLTransact",
                    trace::format("henv = %#.8lx hdbc = %#.8lx fType = %u", trace::handleNumber(env), trace::handleNumber(dbc), type));
    if (!env && !dbc) {
        if (tracing) trace::line(trace::Error, "SQLTransact", "Null handles");
        if (tracing) trace::line(trace::Leave, "SQLTransact", trace::format("Returning %d", SQL_INVALID_HANDLE));
        return SQL_INVALID_HANDLE;
    }
    auto one = [type](Connection& c) -> SQLRETURN {
        c.errorCode = 0;
        return (c.flags & Autocommit) ? SQL_SUCCESS : c.transact(type);
    };
    SQLRETURN r = SQL_SUCCESS;
    if (dbc) {
        r = one(*dbc);
    } else {
        // Every connection of the environment; the first failure is the answer.
        for (Connection* c : env->connections) {
            const SQLRETURN each = one(*c);
            if (each != SQL_SUCCESS && r == SQL_SUCCESS) r = each;
        }
    }
    if (tracing) trace::line(trace::Leave, "SQLTransact", trace::format("Returning %d", r));
    return r;
}

}  // namespace kesto::odbc::api
