#include "Connection.h"

#include "AnsiText.h"
#include "Installer.h"
#include "SharedMemoryTransport.h"
#include "Statement.h"
#include "TcpTransport.h"
#include "Trace.h"

#include <odbclink/Protocol.h>

#include <cstdlib>

namespace kesto::odbc {
namespace {

std::u16string dataSourceValue(const std::u16string& dsn, const char* key, const char* fallback = "") {
    return fromProfileText(installer::profileString(narrow(dsn), key, fallback, "ODBC.INI"));
}

void fillIfEmpty(std::u16string& field, const std::u16string& dsn, const char* key) {
    if (field.empty()) field = dataSourceValue(dsn, key);
}

}  // namespace

bool breaksLink(int c) {
    return c == code::Timeout || c == code::Sequence || c == code::Protocol || c == code::SharedMemoryStart ||
           c == code::SharedMemoryDown || (c >= 10000 && c < 12000);
}

Connection::Connection(Environment* env) : environment(env) {}

Connection::~Connection() {
    // The server session ends with the link; nothing is sent.
    if (transport) transport->close();
}

void Connection::parseConnectionString(std::u16string_view text) {
    // Every segment counts, the one after the last ";" too: ODBC makes that ";" optional.
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(u';', at);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view segment = text.substr(at, end - at);
        at = end + 1;
        if (segment.empty()) continue;
        const std::size_t eq = segment.find(u'=');
        const std::u16string_view key = eq == std::u16string_view::npos ? segment : segment.substr(0, eq);
        const std::u16string value(eq == std::u16string_view::npos ? segment : segment.substr(eq + 1));
        if (key == u"DRIVER") {
            if (dsn.empty()) driver = value;
        } else if (key == u"DSN") {
            if (driver.empty()) dsn = value;
        } else if (key == u"UID") {
            user = value;
        } else if (key == u"PWD") {
            password = value;
        } else if (key == u"DATABASE") {
            nameSpace = value;
        } else if (key == u"SERVER") {
            host = value;
            port = u"1972";
        } else if (key == u"CLIENTID") {
            const auto n = static_cast<std::uint32_t>(std::strtoul(narrow(value).c_str(), nullptr, 10));
            clientId = widen(trace::format("%u.%u.%u.%u", n >> 24, (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF));
        }
    }
}

void Connection::readDataSourceSettings() {
    if (dataSourceValue(dsn, "Protocol") == u"Shared") {
        transportKind = TransportKind::SharedMemory;
    } else {
        transportKind = TransportKind::Tcp;
        fillIfEmpty(host, dsn, "Host");
        fillIfEmpty(port, dsn, "Port");
    }
    fillIfEmpty(nameSpace, dsn, "Namespace");
    fillIfEmpty(user, dsn, "UID");
    fillIfEmpty(password, dsn, "Password");
}

SQLRETURN Connection::connect() {
    errorCode = 0;
    flags &= ~Connected;
    const bool shared = transportKind == TransportKind::SharedMemory;
    {
        std::lock_guard lock(linkMutex_);
        if (transport) transport->close();
        if (shared) transport = std::make_unique<SharedMemoryTransport>(nameSpace);
        else transport = std::make_unique<TcpTransport>(narrow(host), narrow(port));
        transport->trace = trace;
    }
    if (trace)
        trace::line(trace::Plain, {}, trace::format("\n%s\n", shared ? "<<<< Device Type = Shared Memory >>>>"
                                                                      : "<<<< Device Type = TCP/IP >>>>"));
    if (const int r = transport->connect(loginTimeout())) {
        if (trace) trace::line(trace::Error, "Connect", trace::format("Connect returned: %d", r));
        transport.reset();
        errorCode = code::SendFailed;
        return SQL_ERROR;
    }
    int loginResult = 0;
    try {
        loginResult = login();
    } catch (const MalformedReply&) {
        loginResult = code::Protocol;
    }
    if (const int r = loginResult) {
        if (trace) trace::line(trace::Error, "Connect", trace::format("Connect returned: %d", r));
        // The server's own words for a refused login (an unknown namespace ...), while the link is up.
        const std::string text = breaksLink(r) || r == code::BadLogin || !pendingDetail().empty()
                                     ? std::string()
                                     : serverErrorText(r);
        if (transport) transport->close();
        transport.reset();
        flags &= ~Connected;
        if (!text.empty()) failWith(r, text);
        else errorCode = r;
        return SQL_ERROR;
    }
    queryTimeoutEnabled = dataSourceValue(dsn, "Query Timeout", "1").substr(0, 1) != u"1";
    staticCursors = dataSourceValue(dsn, "Static Cursors", "0").substr(0, 1) == u"1";
    // Options the manager set before connecting reach the server now.
    if (autocommitPending && !(flags & Autocommit)) setTransactionOption(1);
    if (isolationPending && isolationLevel != 1) setTransactionOption(0);
    if (accessModePending && (flags & ReadOnly)) setTransactionOption(2);
    autocommitPending = isolationPending = accessModePending = false;
    errorCode = 0;
    return SQL_SUCCESS;
}

void Connection::registerStatement(Statement* statement) {
    for (std::size_t slot = 1; slot < kStatementSlots; ++slot) {
        if (!statements[slot]) {
            statements[slot] = statement;
            statement->slot = slot;
            ++statementCount;
            break;
        }
    }
    for (const auto& [option, value] : statementOptions) setStatementOption(*statement, option, value);
}

void Connection::unregisterStatement(Statement* statement) {
    if (statement->slot && statement->slot < kStatementSlots && statements[statement->slot] == statement) {
        statements[statement->slot] = nullptr;
        --statementCount;
    }
    statement->slot = 0;
}

SQLRETURN Connection::applyStatementOption(std::uint16_t option, SQLULEN value) {
    bool stored = false;
    for (auto& [o, v] : statementOptions) {
        if (o == option) {
            v = value;
            stored = true;
        }
    }
    if (!stored) statementOptions.emplace_back(option, value);
    bool info = false;
    for (std::size_t slot = 1; slot < kStatementSlots; ++slot) {
        if (!statements[slot]) continue;
        const SQLRETURN r = setStatementOption(*statements[slot], option, value);
        if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO) return SQL_ERROR;
        info = info || r == SQL_SUCCESS_WITH_INFO;
    }
    return info ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

void Connection::beginRequest(std::string_view requestCode, std::uint32_t statementId) {
    pendingSequence_ = ++sequence;
    pendingStatement_ = statementId;
    writer.unicode = unicode != 0;
    writer.begin(pendingSequence_, requestCode, statementId);
}

int Connection::send(Timeout timeout) {
    int r = 0;
    {
        std::lock_guard lock(linkMutex_);
        if (!transport) return code::SendFailed;
        r = writer.send(*transport, timeout);
    }
    if (r && breaksLink(r)) dropLink();
    return r;
}

bool Connection::sendCancel(std::uint32_t statementId) {
    // Shared memory has one request area, which the waiting thread may be using.
    if (transportKind != TransportKind::Tcp) return false;
    return writeCancel(statementId);
}

bool Connection::writeCancel(std::uint32_t statementId) {
    std::lock_guard lock(linkMutex_);
    if (!transport || statementId == 0) return false;
    // CC has no reply, so its sequence number is never matched: 0 keeps the counter, which
    // the waiting thread owns, untouched.
    RequestWriter cancel;
    cancel.begin(0, "CC", statementId);
    return cancel.send(*transport, Timeout::of(loginTimeoutSeconds)) == 0;
}

int Connection::exchange(Timeout timeout) { return exchange(timeout, reader); }

int Connection::exchange(Timeout timeout, ReplyReader& into) {
    if (const int r = send(timeout)) return r;
    return receive(timeout, into);
}

int Connection::receive(Timeout timeout, ReplyReader& into, bool raw) {
    if (!transport) return code::SendFailed;
    if (staleSequence_ && !passOverStaleReply(timeout, into)) return code::SendFailed;
    int r = 0;
    try {
        r = into.receive(*transport, pendingSequence_, timeout, pendingStatement_, raw);
    } catch (const MalformedReply&) {
        r = code::Protocol;
    }
    // A wait that timed out between messages leaves the link in step: the statement is told
    // to stop, its reply is passed over later, and the connection stays usable.
    if (r == code::Timeout && transport && !transport->stoppedMidMessage() && pendingStatement_ != 0) {
        writeCancel(pendingStatement_);
        staleSequence_ = pendingSequence_;
        staleStatement_ = pendingStatement_;
        return r;
    }
    if (breaksLink(r)) dropLink();
    return r;
}

bool Connection::passOverStaleReply(Timeout timeout, ReplyReader& into) {
    const std::uint32_t sequence = staleSequence_, statement = staleStatement_;
    staleSequence_ = staleStatement_ = 0;
    int r = 0;
    try {
        r = into.receive(*transport, sequence, timeout, statement, false);
    } catch (const MalformedReply&) {
        r = code::Protocol;
    }
    if (r == code::Timeout || breaksLink(r)) {
        dropLink();
        return false;
    }
    return true;
}

int Connection::sideExchange(std::string_view requestCode, std::uint32_t statementId, std::uint32_t handle,
                             const std::uint8_t* data, std::size_t length, Timeout timeout) {
    if (!transport) return code::SendFailed;
    RequestWriter side;
    const std::uint32_t seq = ++sequence;
    side.begin(seq, requestCode, statementId);
    side.writeRawU32(handle);
    if (length) side.writeRaw(data, length);
    int sent = 0;
    {
        std::lock_guard lock(linkMutex_);
        sent = transport ? side.send(*transport, timeout) : code::SendFailed;
    }
    if (sent) {
        if (breaksLink(sent)) dropLink();
        return code::SendFailed;
    }
    if (staleSequence_ && !passOverStaleReply(timeout, reader)) return code::SendFailed;
    int r = 0;
    try {
        r = reader.receive(*transport, seq, timeout, statementId);
    } catch (const MalformedReply&) {
        r = code::Protocol;
    }
    if (breaksLink(r)) dropLink();
    return r;
}

std::unique_ptr<ReplyReader> Connection::borrowReader() {
    if (readerPool.empty()) return std::make_unique<ReplyReader>();
    auto r = std::move(readerPool.back());
    readerPool.pop_back();
    return r;
}

void Connection::returnReader(std::unique_ptr<ReplyReader> r) {
    if (r) readerPool.push_back(std::move(r));
}

void Connection::dropLink() {
    std::lock_guard lock(linkMutex_);
    if (transport) transport->close();
    transport.reset();
    flags &= ~Connected;
}

}  // namespace kesto::odbc
