// kestoserver as a child process on ephemeral loopback ports with its own data folder, for
// tests that must meet a fault where a client meets it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kesto::testing {

// A kestoserver just started: its process, the read end of its standard output (to be kept
// open: a server that writes to a closed pipe dies of SIGPIPE) and its first output line.
struct StartedServer {
  int pid = -1;
  int output = -1;
  std::string banner;
};
// Forks and runs the server with `options` after `--object-port 0 --odbc-port 0`, and waits
// (bounded: seeding the demo data takes a while) for the banner that names its ports.
StartedServer startKestoServer(const std::vector<std::string>& options);
// The port the banner names after `marker`; 0 when it names none.
std::uint16_t portAfter(const std::string& banner, const std::string& marker);

class KestoServerProcess {
 public:
  // Starts the server with a fresh data folder and the given extra options; throws when it
  // does not come up.
  explicit KestoServerProcess(const std::vector<std::string>& options = {});
  ~KestoServerProcess();
  KestoServerProcess(const KestoServerProcess&) = delete;
  KestoServerProcess& operator=(const KestoServerProcess&) = delete;

  std::uint16_t objectPort() const { return objectPort_; }
  std::uint16_t odbcPort() const { return odbcPort_; }
  // "cn_iptcp:127.0.0.1[port]:Ferrix"
  std::string connectText() const;
  const std::filesystem::path& dataFolder() const { return folder_; }
  // SIGTERM; the exit status, or -1 when the process did not end within `limitMs`.
  int terminate(int limitMs = 20000);

 private:
  std::filesystem::path folder_;
  int pid_ = -1;
  int output_ = -1;  // kept open: a server that writes to a closed pipe would die of SIGPIPE
  std::uint16_t objectPort_ = 0;
  std::uint16_t odbcPort_ = 0;
};

}  // namespace kesto::testing
