#include "ServerProcess.h"

#include "KestoServerProcess.h"

#include <array>
#include <chrono>
#include <iterator>
#include <sstream>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace kesto::e2e {

ServerProcess::ServerProcess(const std::filesystem::path& dataFolder, const std::vector<std::string>& options) {
    std::vector<std::string> args{"--data", dataFolder.string()};
    args.insert(args.end(), options.begin(), options.end());
    testing::StartedServer started = testing::startKestoServer(args);
    pid_ = started.pid;
    output_ = started.output;
    port_ = testing::portAfter(started.banner, "ODBC on port ");
    if (port_ == 0) {
        kill();
        throw std::runtime_error("kestoserver did not start: " + started.banner);
    }
}

ServerProcess::~ServerProcess() {
    if (pid_ > 0) terminate();
    closeOutput();
}

void ServerProcess::closeOutput() {
    if (output_ >= 0) ::close(std::exchange(output_, -1));
}

void ServerProcess::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    closeOutput();
}

long ServerProcess::terminate() {
    if (pid_ <= 0) return 0;
    const auto start = std::chrono::steady_clock::now();
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    closeOutput();
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

void ServerProcess::pause() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGSTOP);
    // The stop reaches the threads a moment later: wait until the process shows it.
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid_), &info, WSTOPPED | WNOWAIT);
}

void ServerProcess::resume() {
    if (pid_ > 0) ::kill(pid_, SIGCONT);
}

long ServerProcess::cpuTicks() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Fields after the command name (which may hold blanks): state is field 3, utime 14, stime 15.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::atol(field.c_str());
        if (i == 15) stime = std::atol(field.c_str());
    }
    return utime + stime;
}

long ServerProcess::residentKiB() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

CommandResult runCommand(const std::string& command) {
    CommandResult r;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), p)) r.output += buf.data();
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

void registerDriver(const std::filesystem::path& folder, int port, const std::string& driverLines) {
    const std::string command = std::string(KESTO_SOURCE_DIR "/scripts/odbc-register.sh --dir ") + folder.string() +
                                " --driver " KESTO_ODBC_DRIVER " --port " + std::to_string(port);
    const CommandResult r = runCommand(command);
    if (r.status != 0) throw std::runtime_error("registration failed: " + r.output);
    // The driver section is the only one in the file: lines appended belong to it.
    std::ofstream(folder / "odbcinst.ini", std::ios::app) << driverLines;
}

void addDataSource(const std::filesystem::path& folder, const std::string& name, int port, const std::string& extraLines) {
    std::ofstream(folder / "odbc.ini", std::ios::app)
        << "\n[" << name << "]\nDriver = Norvane ODBC\nProtocol = TCP\nHost = 127.0.0.1\nPort = " << port
        << "\nNamespace = FERRIX\n"
        << extraLines;
}

std::string preloadPrefix() {
    std::string prefix = "ASAN_OPTIONS=detect_leaks=0 ";
    if (KESTO_PRELOAD[0]) prefix += "LD_PRELOAD=" KESTO_PRELOAD " ";
    return prefix;
}

}  // namespace kesto::e2e
