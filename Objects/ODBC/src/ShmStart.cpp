#include "ShmStart.h"

#include "AnsiText.h"
#include "DriverModule.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kesto::odbc::shm {
namespace {

bool readAll(int fd, void* data, std::size_t length) {
    auto* p = static_cast<char*>(data);
    while (length) {
        const ssize_t n = ::read(fd, p, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

// Between fork and exec only async-signal-safe calls: everything else is prepared before.
[[noreturn]] void execServer(const ServerCommand& command, char* const* argv, int report) {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    int io = ::open(command.outputFile.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW, 0600);
    if (io < 0) io = ::open("/dev/null", O_RDWR);
    const int null = ::open("/dev/null", O_WRONLY);
    if (io >= 0) {
        ::dup2(io, 0);
        ::dup2(io, 1);
    }
    if (null >= 0) ::dup2(null, 2);
    ::execv(command.program.c_str(), argv);
    const int err = errno;
    [[maybe_unused]] const ssize_t n = ::write(report, &err, sizeof err);
    ::_exit(127);
}

}  // namespace

bool processEnded(pid_t pid) {
    if (::kill(pid, 0) != 0) return errno == ESRCH;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    // The state letter follows the parenthesised command name.
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

std::filesystem::path installationRoot() {
    if (const char* home = std::getenv("KESTO_ODBC_HOME"); home && *home) return home;
    return installRoot();
}

ServerCommand serverCommand(const std::filesystem::path& root, std::u16string_view nameSpace) {
    ServerCommand c;
    c.program = (root / "bin" / "kestoserver").string();
    std::string ns = narrow(nameSpace);
    if (ns.size() > 50) ns.resize(50);
    c.arguments = {c.program, "-s" + (root / "mgr").string(), "-U" + ns, "SharedMemory^%qserver"};
    c.outputFile = "KestoODBC_SM";
    return c;
}

Started startDetached(const ServerCommand& command) {
    std::vector<char*> argv;
    for (const auto& a : command.arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return {-1, errno};
    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(report[0]);
        ::close(report[1]);
        return {-1, err};
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t server = ::fork();
        if (server == 0) execServer(command, argv.data(), report[1]);
        // The middle process only reports the pid (or -errno) and leaves.
        const pid_t told = server > 0 ? server : -errno;
        [[maybe_unused]] const ssize_t n = ::write(report[1], &told, sizeof told);
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    Started result;
    pid_t told = 0;
    if (!readAll(report[0], &told, sizeof told)) {
        result.error = EIO;
    } else if (told <= 0) {
        result.error = -told;
    } else {
        // End of the pipe without a word: exec closed it, the program runs.
        int execError = 0;
        if (readAll(report[0], &execError, sizeof execError)) result.error = execError;
        else result.pid = told;
    }
    ::close(report[0]);
    return result;
}

StartupPoll::StartupPoll(Timeout timeout)
    : limited_(!timeout.unlimited), remaining_(static_cast<long>(timeout.seconds) * 1000) {}

std::optional<long> StartupPoll::next() {
    const long sleep = sleep_;
    if (!limited_) {
        if (sleep_ <= 999) sleep_ *= 2;
        return sleep;
    }
    // The sleeps use up the whole limit: the last one is cut to what is left.
    if (remaining_ <= 0) return std::nullopt;
    const long cut = std::min(sleep, remaining_);
    remaining_ -= cut;
    if (sleep_ < remaining_ / 2) sleep_ *= 2;
    return cut;
}

}  // namespace kesto::odbc::shm
