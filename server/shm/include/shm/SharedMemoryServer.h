// kestoserver started by the ODBC driver: one client, served over shared memory.
#pragma once

#include <odbc/Link.h>

#include <chrono>
#include <functional>

namespace kesto::server::shm {

struct SharedMemoryOptions {
    // Serves the ODBC session over the link it is given, on the calling thread.
    std::function<void(odbc::Link&)> session;
    // How long the server waits for its client to attach before it gives up.
    std::chrono::milliseconds attachLimit{30000};
    // Asked between waits; true ends the service (a stop signal).
    std::function<bool()> stopRequested = [] { return false; };
};

// Makes the link's named objects under this process's pid, serves the client that attaches
// until it disconnects, lets go or dies (or a stop is requested), then removes every name.
// Throws kesto::odbc::shm::ShmError when the objects cannot be made.
void serveSharedMemory(const SharedMemoryOptions& options);

}  // namespace kesto::server::shm
