// The 14-byte message header of the ODBC protocol, as the server reads and writes it.
#pragma once

#include <net/Listener.h>

#include <cstdint>
#include <optional>
#include <string>

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

ReadResult readRequest(net::Connection& connection, Request& out);
bool writeReply(net::Connection& connection, const Request& request, std::uint16_t returnCode, const std::string& body);

}  // namespace kesto::server::odbc
