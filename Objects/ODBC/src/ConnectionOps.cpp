// Requests a connection sends on its own: disconnect, commit/rollback, options, error texts.
#include "AnsiText.h"
#include "Connection.h"
#include "Trace.h"

namespace kesto::odbc {

SQLRETURN Connection::disconnect() {
    if (!transport || !connected()) {
        // The link is already gone: nothing to tell the server.
        dropLink();
        errorCode = 0;
        return SQL_SUCCESS;
    }
    beginRequest("DC");
    if (send(Timeout::none())) {
        errorCode = code::Limit;
        if (trace) trace::line(trace::Error, "Disconnect", "Disconnect failed");
        return SQL_ERROR;
    }
    dropLink();
    errorCode = 0;
    return SQL_SUCCESS;
}

SQLRETURN Connection::transact(int type) {
    beginRequest(type == SQL_COMMIT ? "TC" : "TR");
    if (const int r = send(Timeout::none())) {
        if (trace) trace::line(trace::Error, "Transact", trace::format("Send returned %d", r));
        errorCode = code::SendFailed;
        return SQL_ERROR;
    }
    const int r = reader.receive(*transport, sequence, Timeout::none(), 0);
    if (breaksLink(r)) dropLink();
    errorCode = r;
    if (r) {
        if (trace) trace::line(trace::Error, "Transact", trace::format("Transact returned %d", r));
        return SQL_ERROR;
    }
    return SQL_SUCCESS;
}

SQLRETURN Connection::setTransactionOption(int option) {
    if (!connected()) {
        errorCode = code::NotConnected;
        return SQL_ERROR;
    }
    const char* request = option == 1   ? ((flags & Autocommit) ? "AN" : "AF")
                          : option == 2 ? ((flags & ReadOnly) ? "RO" : "RW")
                                        : (isolationLevel == 1 ? "RU" : "RC");
    beginRequest(request);
    if (const int r = send(Timeout::none())) {
        if (trace) trace::line(trace::Error, "SetTransactionOption", trace::format("Send returned %d", r));
        errorCode = code::SendFailed;
        return SQL_ERROR;
    }
    return SQL_SUCCESS;
}

std::string Connection::fetchServerErrorText(int errorCodeToExplain) {
    // The driver's own codes (time-outs, link failures, conversions) have no server text, and
    // a link with a reply still on its way must not be asked before the next statement.
    const int c = errorCodeToExplain;
    const bool driversOwn = (c >= code::Timeout && c < 500) || (c >= 10000 && c < 12000) || c == code::Truncated ||
                            c == code::Restricted || c == code::OutOfRange || c == code::DateTime || c == code::NotConnected;
    if (connected() && !driversOwn && !staleSequence_) {
        if (std::string text = serverErrorText(errorCodeToExplain); !text.empty()) return text;
    }
    return errorText(errorCodeToExplain);
}

std::string Connection::serverErrorText(int errorCodeToExplain) {
    if (transport) {
        beginRequest("OE");
        writer.writeInteger(errorCodeToExplain);
        // Bounded by the login timeout: an error report must not hang on a dead link.
        try {
            if (exchange(loginTimeout()) == 0 && reader.atElement()) {
                std::u16string text;
                reader.peekWideString(text);
                // An empty text (or one of NULs only) leaves the driver's own.
                while (!text.empty() && text.back() == u'\0') text.pop_back();
                if (!text.empty()) return narrow(text);
            }
        } catch (const MalformedReply&) {
            dropLink();
        }
    }
    return {};
}

}  // namespace kesto::odbc
