// The answer of the ODBC port to a client that finds no free place.
#pragma once

#include <net/Listener.h>

#include <cstddef>

namespace kesto::server::odbc {

// Reads the client's first request (the handshake) and answers it with a general error
// whose body is the text "too many connections ..." as an 8-bit string element.
void refuseConnection(net::Connection& connection, std::size_t maxConnections);

}  // namespace kesto::server::odbc
