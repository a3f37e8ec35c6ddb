// The ODBC protocol side of kestoserver: one session per client connection.
#pragma once

#include <net/Listener.h>
#include <model/Database.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kesto::server::odbc {

struct SessionOptions {
    // Strings travel as UTF-16 (1) or as 8-bit ISO-8859-1 text (0), told at the handshake.
    bool unicode = true;
    // Company whose staff logins are accepted.
    std::string company = "1";
    // Namespaces a client may log in to (compared without regard to case); an empty one
    // from the client means the first.
    std::vector<std::string> namespaces = {"FERRIX"};
    // Encoded row bytes after which a batch of rows is sent (tests make it small).
    std::size_t batchBytes = 60000;
    // Bytes of result rows one connection holds at once (static cursors, queries run with
    // several parameter sets); a statement that would hold more is refused. 0 = no limit.
    std::size_t maxResultBytes = std::size_t{256} << 20;
    // Answer to SQL_DBMS_VER.
    std::string serverVersion = "01.00.0000 Kesto stand-in";
};

// Serves requests until the client disconnects (DC) or the connection closes.
void serveConnection(net::Connection& connection, model::Database& database, const SessionOptions& options);

}  // namespace kesto::server::odbc
