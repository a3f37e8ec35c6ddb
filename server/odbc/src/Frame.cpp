#include "Frame.h"

#include <odbclink/Protocol.h>

#include <array>

namespace kesto::server::odbc {
namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | u[1] << 8 | u[2] << 16 | static_cast<std::uint32_t>(u[3]) << 24;
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

}  // namespace

ReadResult readRequest(net::Connection& connection, Request& out) {
    std::array<char, kesto::odbc::protocol::kHeaderSize> header{};
    if (!connection.readExact(header)) return ReadResult::Closed;
    const std::uint32_t length = le32(header.data());
    out.sequence = le32(header.data() + 4);
    out.statement = le32(header.data() + 8);
    out.code.assign(header.data() + 12, 2);
    out.body.clear();
    if (length > kMaxRequestBody) return ReadResult::TooLarge;
    if (length && !connection.readExact(out.body, length, kMaxRequestBody)) return ReadResult::Closed;
    return ReadResult::Ok;
}

bool writeReply(net::Connection& connection, const Request& request, std::uint16_t returnCode, const std::string& body) {
    std::string message;
    message.reserve(kesto::odbc::protocol::kHeaderSize + body.size());
    put32(message, static_cast<std::uint32_t>(body.size()));
    put32(message, request.sequence);
    put32(message, request.statement);
    message.push_back(static_cast<char>(returnCode & 0xFF));
    message.push_back(static_cast<char>(returnCode >> 8));
    message += body;
    return connection.writeAll(message);
}

}  // namespace kesto::server::odbc
