#include "KestoServerProcess.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <utility>

namespace kesto::testing {

std::uint16_t portAfter(const std::string& banner, const std::string& marker) {
  const auto at = banner.find(marker);
  return at == std::string::npos ? 0 : static_cast<std::uint16_t>(std::atoi(banner.c_str() + at + marker.size()));
}

StartedServer startKestoServer(const std::vector<std::string>& options) {
  std::vector<std::string> args{"kestoserver", "--object-port", "0", "--odbc-port", "0"};
  args.insert(args.end(), options.begin(), options.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  StartedServer started;
  started.pid = ::fork();
  if (started.pid < 0) throw std::runtime_error("fork failed");
  if (started.pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execv(KESTOSERVER_PATH, argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  started.output = out[0];
  pollfd p{out[0], POLLIN, 0};
  while (started.banner.find('\n') == std::string::npos && ::poll(&p, 1, 60000) > 0) {
    std::array<char, 256> buf{};
    const ssize_t n = ::read(out[0], buf.data(), buf.size());
    if (n <= 0) break;
    started.banner.append(buf.data(), static_cast<std::size_t>(n));
  }
  return started;
}

KestoServerProcess::KestoServerProcess(const std::vector<std::string>& options) {
  static std::atomic<int> counter{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("kestoserver-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder_);
  std::vector<std::string> args{"--data", folder_.string(), "--demo-files", (folder_ / "demo").string()};
  args.insert(args.end(), options.begin(), options.end());
  StartedServer started = startKestoServer(args);
  pid_ = started.pid;
  output_ = started.output;
  objectPort_ = portAfter(started.banner, "127.0.0.1:");
  odbcPort_ = portAfter(started.banner, "ODBC on port ");
  if (objectPort_ == 0 || odbcPort_ == 0) {
    terminate();
    throw std::runtime_error("kestoserver did not start: " + started.banner);
  }
}

KestoServerProcess::~KestoServerProcess() {
  terminate();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string KestoServerProcess::connectText() const {
  return "cn_iptcp:127.0.0.1[" + std::to_string(objectPort_) + "]:Ferrix";
}

int KestoServerProcess::terminate(int limitMs) {
  const struct Closer {
    int& fd;
    ~Closer() {
      if (fd >= 0) ::close(std::exchange(fd, -1));
    }
  } closer{output_};
  if (pid_ <= 0) return 0;
  ::kill(pid_, SIGTERM);
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace kesto::testing
