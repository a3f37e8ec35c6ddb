#include "odbc/Refusal.h"

#include "Frame.h"

#include <odbclink/Protocol.h>
#include <wire/List.h>

namespace kesto::server::odbc {

void refuseConnection(net::Connection& connection, std::size_t maxConnections) {
    Request request;
    if (readRequest(connection, request) == ReadResult::Closed) return;
    writeReply(connection, request, kesto::odbc::protocol::kGeneralError,
               wire::encodeText8(net::tooManyConnectionsText(maxConnections)));
}

}  // namespace kesto::server::odbc
