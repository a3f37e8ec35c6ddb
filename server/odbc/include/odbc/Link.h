// What an ODBC session reads its requests from and writes its replies to: a socket, or the
// shared memory of a driver that started the server.
#pragma once

#include <model/Database.h>
#include <odbc/Session.h>
#include <odbclink/Protocol.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kesto::server::odbc {

struct Request {
    std::uint32_t sequence = 0;
    std::uint32_t statement = 0;
    std::string code;  // two letters
    std::string body;
};

// Largest body the server reads; a larger announcement ends the session with 413.
inline constexpr std::size_t kMaxRequestBody = 64u * 1024u * 1024u;

enum class ReadResult { Ok, Closed, TooLarge };

// The message header (kesto::odbc::protocol::kHeaderSize bytes): body length, sequence number,
// statement id (each 32-bit little-endian), then the request's two letters or the reply's
// 16-bit code.
// Fills `out`'s numbers and code from a request header; returns the body length it announces.
std::uint32_t decodeRequestHeader(const char* header, Request& out);
// A reply header for `request`.
void encodeReplyHeader(char* header, std::uint32_t bodyLength, const Request& request, std::uint16_t returnCode);

class Link {
public:
    virtual ~Link() = default;
    // The next request; Closed when the client has gone or the server stops.
    virtual ReadResult read(Request& out) = 0;
    virtual bool write(const Request& request, std::uint16_t returnCode, const std::string& body) = 0;
    // The client has logged in: from now on it may stay idle between requests.
    virtual void loggedIn() {}
    // Asked every few milliseconds while a statement runs: true when it must stop, because the
    // client has gone, the server stops, or the client sent CC for `runningStatement`.
    virtual bool stopRequested(std::uint32_t runningStatement) = 0;
};

// Serves requests until the client disconnects (DC) or the link closes.
void serveLink(Link& link, model::Database& database, const SessionOptions& options);

}  // namespace kesto::server::odbc
