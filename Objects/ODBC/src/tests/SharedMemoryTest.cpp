// The shared-memory transport against the real kestoserver that it starts itself, from an
// installation folder laid out as the driver expects (<home>/bin/kestoserver, <home>/mgr).
#include "Connection.h"
#include "SharedMemoryTransport.h"
#include <odbclink/ShmLayout.h>
#include <odbclink/ShmObjects.h>
#include "ShmStart.h"

#include <demo/Seed.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <iterator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
namespace shm = kesto::odbc::shm;
using kesto::odbc::SharedMemoryTransport;
using kesto::odbc::Timeout;

bool endsWithin(pid_t pid, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!shm::processEnded(pid)) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::vector<std::uint8_t> handshake(std::uint32_t sequence) {
    std::vector<std::uint8_t> m = {2, 0, 0, 0, static_cast<std::uint8_t>(sequence), 0, 0, 0, 0, 0, 0, 0, 'H', 'S', 1, 0};
    return m;
}

// A private installation folder per test, the current directory while it runs.
class SharedMemoryStart : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::path(::testing::TempDir()) / ("kesto-shm-" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "bin");
        ::setenv("KESTO_ODBC_HOME", home.c_str(), 1);
        // The server's output file goes to the current directory.
        previous = fs::current_path();
        fs::current_path(home);
    }
    void TearDown() override {
        fs::current_path(previous);
        ::unsetenv("KESTO_ODBC_HOME");
        fs::remove_all(home);
    }
    // Output (stderr included) of a shell command run in the installation folder.
    std::string runHere(const std::string& command) {
        const fs::path out = home / "command.out";
        [[maybe_unused]] const int status = std::system(("cd " + home.string() + " && " + command + " > " + out.string() + " 2>&1").c_str());
        std::ifstream in(out);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The real server, its data seeded ahead so that starting stays well inside a login timeout.
    void useServer() {
        fs::create_symlink(KESTOSERVER_PATH, home / "bin" / "kestoserver");
        kesto::server::demo::prepareDataFolder(home / "mgr", false);
    }
    void useScript(const std::string& body) {
        const fs::path p = home / "bin" / "kestoserver";
        std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(p, fs::perms::owner_all);
    }
    fs::path home, previous;
};

TEST(StartupPoll, SleepsDoubleWithinTheLimit) {
    shm::StartupPoll limited(Timeout::of(10));
    std::vector<long> sleeps;
    while (auto s = limited.next()) sleeps.push_back(*s);
    ASSERT_GE(sleeps.size(), 4u);
    EXPECT_EQ((std::vector<long>(sleeps.begin(), sleeps.begin() + 4)), (std::vector<long>{1, 2, 4, 8}));
    EXPECT_EQ(std::accumulate(sleeps.begin(), sleeps.end(), 0L), 10000L);
    for (std::size_t i = 1; i < sleeps.size(); ++i) EXPECT_LE(sleeps[i], 2 * sleeps[i - 1]) << i;

    shm::StartupPoll zero(Timeout::of(0));
    EXPECT_FALSE(zero.next());

    shm::StartupPoll unlimited(Timeout::none());
    long last = 0;
    for (int i = 0; i < 14; ++i) last = *unlimited.next();
    EXPECT_EQ(last, 1024);
    EXPECT_EQ(*unlimited.next(), 1024);
}

TEST(ServerCommand, IsAnArgumentVectorWithTheNamespaceCut) {
    const auto c = shm::serverCommand("/opt/kesto", std::u16string(60, u'N') + u" \"x");
    ASSERT_EQ(c.arguments.size(), 4u);
    EXPECT_EQ(c.program, "/opt/kesto/bin/kestoserver");
    EXPECT_EQ(c.arguments[0], c.program);
    EXPECT_EQ(c.arguments[1], "-s/opt/kesto/mgr");
    EXPECT_EQ(c.arguments[2], "-U" + std::string(50, 'N'));
    EXPECT_EQ(c.arguments[3], "SharedMemory^%qserver");
    EXPECT_EQ(shm::serverCommand("/r", u"Fe \"rrix\"").arguments[2], "-UFe \"rrix\"");  // one argument, quotes kept
    EXPECT_EQ(shm::objectName("ODBC", 4711, shm::kMapping), "ODBC4711SHMEM");
}

TEST_F(SharedMemoryStart, ServesUntilDisconnectThenLeavesNothing) {
    useServer();
    SharedMemoryTransport t(u"FERRIX");
    ASSERT_EQ(t.connect(Timeout::of(30)), 0);
    const pid_t server = t.serverPid();
    EXPECT_FALSE(shm::anyNameExists(shm::namePrefix(), server));
    ASSERT_EQ(t.send(handshake(1), Timeout::of(10), {}), 0);
    std::vector<std::uint8_t> reply;
    ASSERT_EQ(t.receive(reply, 0, Timeout::of(10)), 0);
    ASSERT_EQ(reply.size(), 18u);
    EXPECT_EQ(reply[4], 1);
    EXPECT_EQ(reply[12] | reply[13] << 8, 0);

    std::vector<std::uint8_t> dc = {0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 'D', 'C'};
    ASSERT_EQ(t.send(dc, Timeout::of(10), {}), 0);
    t.close();
    EXPECT_TRUE(endsWithin(server, std::chrono::seconds(10)));
    EXPECT_FALSE(shm::anyNameExists(shm::namePrefix(), server));
}

TEST_F(SharedMemoryStart, KilledServerGivesLinkDownNotAHang) {
    useServer();
    SharedMemoryTransport t(u"FERRIX");
    ASSERT_EQ(t.connect(Timeout::of(30)), 0);
    const pid_t server = t.serverPid();
    ASSERT_EQ(t.send(handshake(1), Timeout::none(), {}), 0);
    std::vector<std::uint8_t> reply;
    ASSERT_EQ(t.receive(reply, 0, Timeout::none()), 0);
    ::kill(server, SIGKILL);
    ASSERT_TRUE(endsWithin(server, std::chrono::seconds(10)));
    // Mid-request: the reply never comes, and the wait without limit still ends.
    EXPECT_EQ(t.receive(reply, 0, Timeout::none()), 455);
    EXPECT_EQ(t.send(handshake(2), Timeout::none(), {}), 455);
    t.close();
    EXPECT_FALSE(shm::anyNameExists(shm::namePrefix(), server));
}

TEST_F(SharedMemoryStart, ConnectionLogsInAndReportsTheKilledServerAsLinkFailure) {
    useServer();
    kesto::odbc::Connection c(nullptr);
    c.transportKind = kesto::odbc::TransportKind::SharedMemory;
    c.nameSpace = u"FERRIX";
    c.user = u"DEMO";
    c.password = u"demo";
    ASSERT_EQ(c.connect(), SQL_SUCCESS) << c.errorCode;
    const pid_t server = static_cast<SharedMemoryTransport&>(*c.transport).serverPid();
    ::kill(server, SIGKILL);
    ASSERT_TRUE(endsWithin(server, std::chrono::seconds(10)));
    c.beginRequest("OE");
    c.writer.writeInteger(402);
    EXPECT_EQ(c.exchange(Timeout::none()), 455);
    EXPECT_EQ(kesto::odbc::sqlStateOf(455), "08S01");
    EXPECT_FALSE(c.connected());
    EXPECT_FALSE(shm::anyNameExists(shm::namePrefix(), server));
}

TEST_F(SharedMemoryStart, ServerEndsWhenItsClientIsKilled) {
    useServer();
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t client = ::fork();
    ASSERT_GE(client, 0);
    if (client == 0) {
        SharedMemoryTransport t(u"FERRIX");
        const pid_t server = t.connect(Timeout::of(30)) == 0 ? t.serverPid() : 0;
        [[maybe_unused]] auto n = ::write(report[1], &server, sizeof server);
        ::pause();
        ::_exit(0);
    }
    ::close(report[1]);
    pid_t server = 0;
    ASSERT_EQ(::read(report[0], &server, sizeof server), static_cast<ssize_t>(sizeof server));
    ::close(report[0]);
    ::kill(client, SIGKILL);
    ::waitpid(client, nullptr, 0);
    ASSERT_GT(server, 0);
    EXPECT_TRUE(endsWithin(server, std::chrono::seconds(10)));
    EXPECT_FALSE(shm::anyNameExists(shm::namePrefix(), server));
}

TEST_F(SharedMemoryStart, ServerThatNeverGetsReadyGives454AndIsStopped) {
    useScript("exec sleep 60");
    SharedMemoryTransport t(u"");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(t.connect(Timeout::of(1)), 454);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
    EXPECT_TRUE(endsWithin(t.serverPid(), std::chrono::seconds(10)));
}

TEST_F(SharedMemoryStart, MissingOrFailingProgramGives454AtOnce) {
    SharedMemoryTransport missing(u"");
    EXPECT_EQ(missing.connect(Timeout::none()), 454);
    useScript("exit 3");
    SharedMemoryTransport failing(u"");
    EXPECT_EQ(failing.connect(Timeout::none()), 454);
}

TEST_F(SharedMemoryStart, IsqlConnectsQueriesAndQuitsOverSharedMemory) {
    useServer();
    const fs::path ini = home / "ini";
    const std::string reg = std::string(KESTO_SOURCE_DIR "/scripts/odbc-register.sh --dir ") + ini.string() +
                            " --driver " KESTO_ODBC_DRIVER " --dsn KestoShm --protocol Shared";
    ASSERT_EQ(std::system(reg.c_str()), 0);
    // isql is not sanitized: the sanitizer runtimes must come first when it loads the driver.
    const std::string env = "ODBCSYSINI=" + ini.string() + " ODBCINI=" + (ini / "odbc.ini").string() +
                            " ASAN_OPTIONS=detect_leaks=0 " +
                            (KESTO_PRELOAD[0] ? "LD_PRELOAD=" KESTO_PRELOAD " " : "");
    const std::string ok =
        runHere("printf 'SELECT Nummer FROM Bestellung WHERE Nummer > 4\\nquit\\n' | " + env + "isql -v KestoShm DEMO demo");
    EXPECT_NE(ok.find("Connected!"), std::string::npos) << ok;
    EXPECT_NE(ok.find("rows fetched"), std::string::npos) << ok;
    // The server's output went to the file in the client's current directory.
    EXPECT_TRUE(fs::exists(home / "KestoODBC_SM"));
    const std::string bad = runHere("echo quit | " + env + "isql -v KestoShm DEMO nope");
    EXPECT_NE(bad.find("Invalid Username/Password"), std::string::npos) << bad;
}

}  // namespace
