// The common pattern of the statement entry points: enter line, guarded call, leave line.
#pragma once

#include "AnsiText.h"
#include "Connection.h"
#include "Statement.h"
#include "Trace.h"

#include <algorithm>
#include <new>
#include <string>

namespace kesto::odbc::api {

// The statement of a handle, after the enter line; enterText is only built while tracing.
template <typename Text>
Statement* enterStatement(SQLHSTMT h, const char* name, Text enterText) {
    auto* s = static_cast<Statement*>(h);
    if (s && s->trace) trace::line(trace::Enter, name, enterText());
    return s;
}

inline SQLRETURN leaveWith(const HandleBase& h, const char* name, SQLRETURN r) {
    if (h.trace) trace::line(trace::Leave, name, trace::format("Returning %d", r));
    return r;
}

inline SQLRETURN refuse(HandleBase& h, const char* name, int errorCode, const std::string& text) {
    h.errorCode = errorCode;
    if (h.trace) trace::line(trace::Error, name, text);
    return SQL_ERROR;
}

// Runs a statement operation; a reply that breaks the protocol drops the link (413).
template <typename F>
SQLRETURN guarded(Statement& s, F operation) {
    try {
        return operation();
    } catch (const MalformedReply& e) {
        if (s.trace) trace::line(trace::Error, "Reply", e.what());
        if (s.connection) s.connection->dropLink();
        s.errorCode = code::Protocol;
    } catch (const std::bad_alloc&) {
        s.errorCode = code::NoMemory;
    }
    return SQL_ERROR;
}

// Copies text into an application buffer: truncated when it does not fit with its NUL.
inline bool copyOut(const std::string& text, SQLCHAR* out, SQLLEN room) {
    if (!out || room <= 0) return !text.empty();
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(room) - 1);
    std::copy_n(text.data(), n, reinterpret_cast<char*>(out));
    out[n] = '\0';
    return text.size() >= static_cast<std::size_t>(room);
}


}  // namespace kesto::odbc::api
