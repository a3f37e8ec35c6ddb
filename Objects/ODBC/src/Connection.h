// The connection handle record: settings, transport, framing, statements and options.
#pragma once

#include "Errors.h"
#include "PreparedStore.h"
#include "ReplyReader.h"
#include "RequestWriter.h"
#include "Transport.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace kesto::odbc {

struct Environment;
struct Statement;

enum ConnectionFlag : std::uint32_t { Connected = 1, ReadOnly = 2, Autocommit = 4 };
enum class TransportKind : std::uint32_t { Tcp = 0, SharedMemory = 1 };

struct Connection : HandleBase {
    static constexpr std::size_t kStatementSlots = 1024;
    static constexpr std::size_t kMaxStatements = kStatementSlots - 1;

    explicit Connection(Environment* env);
    ~Connection();

    std::uint32_t flags = Autocommit;
    std::vector<std::pair<std::uint16_t, SQLULEN>> statementOptions;
    std::u16string dsn, user, password, nameSpace, serverVersion, driver, host, port, clientId;
    TransportKind transportKind = TransportKind::Tcp;
    std::unique_ptr<Transport> transport;
    RequestWriter writer;
    ReplyReader reader;
    std::uint32_t sequence = 0;
    Environment* environment = nullptr;
    std::array<Statement*, kStatementSlots> statements{};
    std::uint32_t statementIdCounter = 0;
    std::uint16_t unicode = 0;
    std::uint16_t protocolWord = 1;
    std::uint16_t loginWord = 1;
    std::uint16_t delimitedIdentifiers = 0;
    bool queryTimeoutEnabled = true;
    bool staticCursors = false;
    bool blobSupport = true;
    std::uint32_t loginTimeoutSeconds = 10;
    std::size_t statementCount = 0;
    std::uint32_t isolationLevel = 1;
    std::uint16_t cursorNameCounter = 0;
    PreparedStore preparedStore;
    // Idle readers that statements borrow for their lifetime.
    std::vector<std::unique_ptr<ReplyReader>> readerPool;
    // Options set before the connection existed on the server, sent after login.
    bool autocommitPending = false;
    bool isolationPending = false;
    bool accessModePending = false;

    bool connected() const { return flags & Connected; }
    Timeout loginTimeout() const { return Timeout::of(loginTimeoutSeconds); }

    // Settings.
    void parseConnectionString(std::u16string_view text);
    void readDataSourceSettings();

    // Transport, login and the DSN switches; 0 or -1 with the code stored.
    SQLRETURN connect();

    // Statement registry.
    void registerStatement(Statement* statement);
    void unregisterStatement(Statement* statement);
    SQLRETURN applyStatementOption(std::uint16_t option, SQLULEN value);

    // Connection-level requests.
    SQLRETURN disconnect();
    SQLRETURN transact(int type);
    // 0 isolation (RU/RC), 1 autocommit (AN/AF), 2 access mode (RO/RW); no reply is read.
    SQLRETURN setTransactionOption(int option);
    std::string fetchServerErrorText(int errorCode);
    // The server's text for a code (OE) while the link is up, also before login; "" when none.
    std::string serverErrorText(int errorCode);

    // Numbers and begins a request in the writer.
    void beginRequest(std::string_view requestCode, std::uint32_t statementId = 0);
    // Sends the request begun last; for requests without a reply.
    int send(Timeout timeout);
    // Sends it and receives its reply: the return code, a transport code, 452 or 413.
    // A link that can no longer be trusted (452, 413, a transport failure) is dropped.
    int exchange(Timeout timeout);
    // The same, receiving into a statement's reader.
    int exchange(Timeout timeout, ReplyReader& into);
    // Receives the reply to the request sent last.
    int receive(Timeout timeout, ReplyReader& into, bool raw = false);
    // A request built beside the one in the connection's writer (a long-value chunk): raw
    // 4-byte handle and data, answered into the connection's own reader. 461 when sending fails.
    int sideExchange(std::string_view requestCode, std::uint32_t statementId, std::uint32_t handle,
                     const std::uint8_t* data, std::size_t length, Timeout timeout);
    std::unique_ptr<ReplyReader> borrowReader();
    void returnReader(std::unique_ptr<ReplyReader> r);
    // Closes the transport and clears the connected flag, without a request.
    void dropLink();

    // The statement whose request is out and whose reply is awaited (0 = none). SQLCancel,
    // called on another thread meanwhile, sends CC for it beside the waiting thread.
    std::atomic<std::uint32_t> busyStatement{0};
    // CC for a running statement from another thread, on a writer of its own; false when
    // there is no TCP link.
    bool sendCancel(std::uint32_t statementId);

private:
    int login();
    // Held while bytes go out and while the transport is replaced, so that a cancel from
    // another thread neither interleaves with a request nor uses a transport being dropped.
    std::mutex linkMutex_;
    std::uint32_t pendingSequence_ = 0;
    std::uint32_t pendingStatement_ = 0;
    // The reply of a request whose wait timed out, still to come and to be passed over
    // (0 = none); its statement was told to stop.
    std::uint32_t staleSequence_ = 0;
    std::uint32_t staleStatement_ = 0;
    // Reads and drops the stale reply; false when it does not come (the link is then dropped).
    bool passOverStaleReply(Timeout timeout, ReplyReader& into);
    // CC on any link, from the thread that owns the link.
    bool writeCancel(std::uint32_t statementId);
};

// Error of a transport, framing or decoding step: the link is no longer in step.
bool breaksLink(int code);

}  // namespace kesto::odbc
