#include "odbc/Session.h"

#include "Frame.h"
#include "Login.h"
#include "SqlFunctions.h"
#include "Statements.h"

#include <odbclink/Protocol.h>
#include <text/Compare.h>
#include <text/CodePage.h>
#include <wire/List.h>

#include <chrono>
#include <map>

namespace kesto::server::odbc {
namespace {

namespace protocol = kesto::odbc::protocol;

class Session {
public:
    Session(Link& link, model::Database& db, const SessionOptions& o)
        : link_(link), db_(db), options_(o), statements_(db, [this] { beginWork(); }) {
        installSqlFunctions(db.handle());
        statements_.setBatchLimits(BatchLimits{o.batchBytes});
        statements_.setResultLimit(o.maxResultBytes);
        db.setInterruptCheck([this] { return stopRunning(); });
    }
    ~Session() { db_.setInterruptCheck({}); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void run() {
        Request request;
        for (;;) {
            const ReadResult read = link_.read(request);
            if (read == ReadResult::Closed) break;
            if (read == ReadResult::TooLarge) {
                link_.write(request, protocol::kIncompatibleProtocol, {});
                break;
            }
            if (!handle(request)) break;
        }
        if (db_.transactionLevel() > 0) db_.transactionRollback();
    }

private:
    // Asked while a statement runs: the server is stopping, the client went away (killed,
    // or its query timeout dropped the link), or it sent CC for the running statement
    // (SQLCancel, a query timeout). The link is looked at every few milliseconds.
    bool stopRunning() {
        const auto now = std::chrono::steady_clock::now();
        if (now < nextLook_) return false;
        nextLook_ = now + std::chrono::milliseconds(5);
        return link_.stopRequested(running_);
    }

    // False ends the session.
    bool handle(const Request& r) {
        running_ = r.statement;
        // These never get a reply: the client does not read one.
        if (r.code == "DC") return false;
        if (r.code == "AN" || r.code == "AF" || r.code == "RU" || r.code == "RC" || r.code == "RO" || r.code == "RW") {
            if (loggedIn_) noReply(r.code);
            return true;
        }
        if (r.code == "CC" || r.code == "CS") {
            Failure ignored;
            if (loggedIn_) statements_.handle(r, ignored);
            return true;
        }
        if (r.code == "HS") return handshake(r);
        if (r.code == "CN") return login(r);
        // Also before login: the text of a refused login (an unknown namespace) is asked so.
        if (r.code == "OE") return errorText(r);
        if (!loggedIn_) return reply(r, protocol::kGeneralError);
        if (r.code == "TC" || r.code == "TR") return transact(r);
        if (Statements::handles(r.code)) {
            Failure failure;
            const auto out = statements_.handle(r, failure);
            if (!out) return true;  // CC, CS: the client reads no reply
            if (out->code != protocol::kOk && out->code != protocol::kEndOfData && out->code != code::ValueIsNull)
                lastErrors_[out->code] = failure.message;
            return reply(r, out->code, out->body);
        }
        return fail(r, protocol::kGeneralError, "Request " + r.code + " is not supported");
    }

    void noReply(const std::string& code) {
        if (code == "AF") {
            autocommit_ = false;
        } else if (code == "AN") {
            autocommit_ = true;
            if (db_.transactionLevel() > 0) db_.transactionCommit();
        } else if (code == "RO" || code == "RW") {
            statements_.setReadOnly(code == "RO");
        }
        // RU/RC: the isolation level is recorded by nobody.
    }

    // With autocommit off, work runs in a transaction that TC or TR ends.
    void beginWork() {
        if (!autocommit_ && db_.transactionLevel() == 0) db_.transactionStart();
    }

    bool reply(const Request& r, std::uint16_t code, const std::string& body = {}) {
        return link_.write(r, code, body);
    }

    bool fail(const Request& r, std::uint16_t code, std::string message) {
        lastErrors_[code] = std::move(message);
        return reply(r, code);
    }

    std::string encodeString(const std::string& utf8) const {
        if (utf8.empty()) return wire::encodeText8(std::string(1, '\0'));
        const std::u16string wide = text::utf8ToUtf16(utf8);
        if (unicode_) return wire::encodeText16(wide);
        std::string bytes;
        for (char16_t c : wide) bytes.push_back(c > 0xFF ? '?' : static_cast<char>(c));
        return wire::encodeText8(bytes);
    }

    bool handshake(const Request& r) {
        if (r.body.size() < 2) return reply(r, protocol::kIncompatibleProtocol);
        const auto word = static_cast<std::uint16_t>(static_cast<unsigned char>(r.body[0]) |
                                                     static_cast<unsigned char>(r.body[1]) << 8);
        if (word != protocol::kProtocolWord) return reply(r, protocol::kIncompatibleProtocol);
        unicode_ = options_.unicode;
        statements_.setEncoding(Encoding{unicode_});
        std::string body;
        const std::uint16_t words[] = {protocol::kProtocolWord, static_cast<std::uint16_t>(unicode_ ? 1 : 0)};
        for (std::uint16_t w : words) {
            body.push_back(static_cast<char>(w & 0xFF));
            body.push_back(static_cast<char>(w >> 8));
        }
        return reply(r, protocol::kOk, body);
    }

    bool knownNamespace(const std::string& name) const {
        if (name.empty()) return !options_.namespaces.empty();
        for (const auto& n : options_.namespaces)
            if (text::equalsNoCase(std::string_view(n), std::string_view(name))) return true;
        return false;
    }

    bool login(const Request& r) {
        LoginRequest request;
        try {
            request = decodeLogin(r.body);
        } catch (const wire::FormatError&) {
            return fail(r, protocol::kGeneralError, "Malformed login request");
        }
        if (!knownNamespace(request.nameSpace))
            return fail(r, protocol::kGeneralError, "Namespace " + request.nameSpace + " does not exist");
        if (!checkCredentials(db_, options_.company, request.user, request.password))
            return reply(r, protocol::kBadLogin);
        loggedIn_ = true;
        link_.loggedIn();
        wire::ListWriter body;
        body.encoded(encodeString(options_.serverVersion));
        body.integer(1);  // delimited identifiers: SQLite takes "quoted" names
        body.integer(1);  // login word
        return reply(r, protocol::kOk, body.bytes());
    }

    bool errorText(const Request& r) {
        std::int64_t code = 0;
        try {
            wire::ListReader reader(r.body);
            code = wire::integerValue(reader.next()).value_or(0);
        } catch (const wire::FormatError&) {
            return fail(r, protocol::kGeneralError, "Malformed error text request");
        }
        // No text at all lets the driver use its own table.
        const auto it = lastErrors_.find(code);
        if (it == lastErrors_.end() || it->second.empty()) return reply(r, protocol::kOk);
        return reply(r, protocol::kOk, encodeString(it->second));
    }

    bool transact(const Request& r) {
        try {
            if (db_.transactionLevel() > 0) {
                if (r.code == "TC") db_.transactionCommit();
                else db_.transactionRollback();
            }
        } catch (const std::exception& e) {
            return fail(r, protocol::kGeneralError, e.what());
        }
        return reply(r, protocol::kOk);
    }

    Link& link_;
    model::Database& db_;
    const SessionOptions& options_;
    bool unicode_ = false;
    bool loggedIn_ = false;
    bool autocommit_ = true;
    std::uint32_t running_ = 0;
    std::chrono::steady_clock::time_point nextLook_{};
    std::map<std::int64_t, std::string> lastErrors_;
    Statements statements_;
};

}  // namespace

void serveLink(Link& link, model::Database& database, const SessionOptions& options) {
    Session(link, database, options).run();
}

void serveConnection(net::Connection& connection, model::Database& database, const SessionOptions& options) {
    SocketLink link(connection);
    serveLink(link, database, options);
}

}  // namespace kesto::server::odbc
