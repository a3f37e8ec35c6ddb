// The ODBC protocol's messages on a socket: requests read whole, replies written whole.
#pragma once

#include <odbc/Link.h>

#include <net/Listener.h>

namespace kesto::server::odbc {

ReadResult readRequest(net::Connection& connection, Request& out);
bool writeReply(net::Connection& connection, const Request& request, std::uint16_t returnCode, const std::string& body);

// A session's link over a client's socket.
class SocketLink : public Link {
public:
    explicit SocketLink(net::Connection& connection) : connection_(connection) {}
    ReadResult read(Request& out) override { return readRequest(connection_, out); }
    bool write(const Request& request, std::uint16_t returnCode, const std::string& body) override {
        return writeReply(connection_, request, returnCode, body);
    }
    void loggedIn() override { connection_.loggedIn(); }
    bool stopRequested(std::uint32_t runningStatement) override;

private:
    net::Connection& connection_;
};

}  // namespace kesto::server::odbc
