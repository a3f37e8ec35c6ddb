#include "Frame.h"

#include <array>
#include <sys/socket.h>

namespace kesto::server::odbc {
namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | u[1] << 8 | u[2] << 16 | static_cast<std::uint32_t>(u[3]) << 24;
}

void put32(char* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

std::uint32_t decodeRequestHeader(const char* header, Request& out) {
    out.sequence = le32(header + 4);
    out.statement = le32(header + 8);
    out.code.assign(header + 12, 2);
    return le32(header);
}

void encodeReplyHeader(char* header, std::uint32_t bodyLength, const Request& request, std::uint16_t returnCode) {
    put32(header, bodyLength);
    put32(header + 4, request.sequence);
    put32(header + 8, request.statement);
    header[12] = static_cast<char>(returnCode & 0xFF);
    header[13] = static_cast<char>(returnCode >> 8);
}

ReadResult readRequest(net::Connection& connection, Request& out) {
    std::array<char, kesto::odbc::protocol::kHeaderSize> header{};
    if (!connection.readExact(header)) return ReadResult::Closed;
    const std::uint32_t length = decodeRequestHeader(header.data(), out);
    out.body.clear();
    if (length > kMaxRequestBody) return ReadResult::TooLarge;
    if (length && !connection.readExact(out.body, length, kMaxRequestBody)) return ReadResult::Closed;
    return ReadResult::Ok;
}

bool writeReply(net::Connection& connection, const Request& request, std::uint16_t returnCode, const std::string& body) {
    std::string message(kesto::odbc::protocol::kHeaderSize, '\0');
    message.reserve(kesto::odbc::protocol::kHeaderSize + body.size());
    encodeReplyHeader(message.data(), static_cast<std::uint32_t>(body.size()), request, returnCode);
    message += body;
    return connection.writeAll(message);
}

bool SocketLink::stopRequested(std::uint32_t runningStatement) {
    if (!connection_.isOpen() || connection_.peerGone()) return true;
    // CC for the running statement waits in the socket: looked at, left there for the
    // session to read once the statement has stopped.
    std::array<char, kesto::odbc::protocol::kHeaderSize> header{};
    const ssize_t n = ::recv(connection_.nativeHandle(), header.data(), header.size(), MSG_PEEK | MSG_DONTWAIT);
    if (n != static_cast<ssize_t>(header.size())) return false;
    Request next;
    decodeRequestHeader(header.data(), next);
    return next.code == "CC" && next.statement == runningStatement;
}

}  // namespace kesto::server::odbc
