// A process that ends while the library still holds Factories ends cleanly.
#include "KestoServerProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>

namespace {

// Runs the host, its stderr collected; the exit status (or 128 + signal).
int runHost(const std::string& connect, const std::string& failing, std::string& errors) {
  int err[2];
  if (::pipe(err) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(err[1], STDERR_FILENO);
    ::close(err[0]);
    ::close(err[1]);
    // Leaks are the host's own choice here; every other report ends the process.
    ::setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
    ::execl(EXIT_HOST, "exit-host", KESTOOBJECT, connect.c_str(), failing.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(err[1]);
  std::array<char, 4096> buf{};
  for (ssize_t n; (n = ::read(err[0], buf.data(), buf.size())) > 0;) errors.append(buf.data(), static_cast<std::size_t>(n));
  ::close(err[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ProcessExit, EndsCleanlyWithLiveFactoriesAndAfterAFailedConnect) {
  kesto::testing::KestoServerProcess server;
  std::string errors;
  const std::string nowhere = "cn_iptcp:127.0.0.1[1]:Ferrix";
  EXPECT_EQ(runHost(server.connectText(), nowhere, errors), 0) << errors;
  EXPECT_EQ(errors.find("AddressSanitizer"), std::string::npos) << errors;
}

}  // namespace
