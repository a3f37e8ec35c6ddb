// kestoserver as a child process on ephemeral loopback ports, and the driver registered
// for it in a temporary ODBCSYSINI folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kesto::e2e {

class ServerProcess {
public:
    // Starts kestoserver with its own data folder and any further options; throws when it
    // does not come up.
    explicit ServerProcess(const std::filesystem::path& dataFolder, const std::vector<std::string>& options = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int odbcPort() const { return port_; }
    int pid() const { return pid_; }
    // SIGKILL and reap; the port stops answering.
    void kill();
    // SIGTERM and reap; the milliseconds the process took to end.
    long terminate();
    // SIGSTOP / SIGCONT: a server that no longer answers but keeps its connections.
    void pause();
    void resume();
    // CPU time used so far (user + system), in clock ticks; resident memory in KiB.
    long cpuTicks() const;
    long residentKiB() const;

private:
    void closeOutput();

    int pid_ = -1;
    int output_ = -1;  // kept open: a server that writes to a closed pipe would die of SIGPIPE
    int port_ = 0;
};

// Output and exit status of a shell command (stderr included).
struct CommandResult {
    std::string output;
    int status = -1;
};
CommandResult runCommand(const std::string& command);

// Runs the project's registration script into `folder` for the given port; extra lines go
// into the driver section, extra DSN sections may follow.
void registerDriver(const std::filesystem::path& folder, int port, const std::string& driverLines);
void addDataSource(const std::filesystem::path& folder, const std::string& name, int port, const std::string& extraLines);

// Prefix for programs that load the driver: the sanitizer runtimes the driver needs.
std::string preloadPrefix();

}  // namespace kesto::e2e
