// How the driver finds and starts its own server for a shared-memory connection.
#pragma once

#include "Transport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kesto::odbc::shm {

// The installation folder: $KESTO_ODBC_HOME when set (build trees and tests), else the
// driver's folder minus its last directory (the driver lies in <root>/bin).
std::filesystem::path installationRoot();

struct ServerCommand {
    std::string program;                 // <root>/bin/kestoserver
    std::vector<std::string> arguments;  // argv, program name first; no shell ever sees them
    std::string outputFile;              // standard input and output of the server
};

// argv: program, "-s<root>/mgr", "-U<namespace>" (ISO-8859-1, at most 50 bytes),
// "SharedMemory^%qserver"; output to "KestoODBC_SM" in the current directory.
ServerCommand serverCommand(const std::filesystem::path& root, std::u16string_view nameSpace);

struct Started {
    pid_t pid = -1;  // the server's pid when it started
    int error = 0;   // errno of the failed step otherwise
};

// Starts the program in its own session, re-parented away from the caller (no zombie).
Started startDetached(const ServerCommand& command);

// True when the process has ended, also while it waits to be reaped by its new parent.
bool processEnded(pid_t pid);

// Sleeps between looks for the server's ready event: 1, 2, 4 ... ms. With a limit, doubling
// stops at half the time still left and the sleeps add up to the limit; without one the sleep
// doubles up to 1024 ms and stays there.
class StartupPoll {
public:
    explicit StartupPoll(Timeout timeout);
    // The next sleep in milliseconds, or empty when the time is used up.
    std::optional<long> next();

private:
    bool limited_;
    long remaining_;
    long sleep_ = 1;
};

}  // namespace kesto::odbc::shm
