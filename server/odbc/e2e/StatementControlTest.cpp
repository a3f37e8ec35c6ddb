// Statements that stop and a server that cannot be starved, seen by the driver through
// unixODBC against kestoserver: query timeouts, SQLCancel, killed clients, SIGTERM, the
// data-file limit, stalled requests, driver error texts, and pyodbc answers that must be
// SQLite's own. Each test has a server of its own.
#include "OdbcHandles.h"
#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kesto::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Never ends: counts upwards until it is stopped.
constexpr const char* kEndless =
    "SELECT count(*) FROM (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT x FROM n)";

// One server, and unixODBC pointed at a registration for it made by the project's script.
struct Served {
    explicit Served(const std::vector<std::string>& options = {}) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::path(::testing::TempDir()) / ("kesto-odbc-control-" + std::to_string(::getpid()) + "-" + test->name());
        fs::remove_all(root);
        fs::create_directories(root);
        server = std::make_unique<ServerProcess>(root / "data", options);
        registerDriver(root / "ini", server->odbcPort(), "");
        ::setenv("ODBCSYSINI", (root / "ini").c_str(), 1);
        ::setenv("ODBCINI", (root / "ini" / "odbc.ini").c_str(), 1);
    }
    ~Served() {
        server.reset();
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    // Waits until the server uses the processor (a statement runs); false after 10 s.
    bool busy() const {
        for (int i = 0; i < 50; ++i) {
            const long before = server->cpuTicks();
            std::this_thread::sleep_for(200ms);
            if (server->cpuTicks() - before >= 10) return true;
        }
        return false;
    }
    // Clock ticks (1/100 s) the server used in half a second.
    long ticksInHalfASecond() const {
        const long before = server->cpuTicks();
        std::this_thread::sleep_for(500ms);
        return server->cpuTicks() - before;
    }
    // A second from now the server works no more (less than a tenth of the processor).
    bool idleWithinASecond() const {
        std::this_thread::sleep_for(1s);
        return ticksInHalfASecond() < 5;
    }

    fs::path root;
    std::unique_ptr<ServerProcess> server;
};

std::string diagnostic(SQLHSTMT h, SQLHDBC connection = SQL_NULL_HDBC) {
    SQLCHAR state[6] = "";
    SQLCHAR text[1024] = "";
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    SQLError(SQL_NULL_HENV, connection, h, state, &native, text, sizeof text, &len);
    return reinterpret_cast<char*>(state) + std::string(" ") + reinterpret_cast<char*>(text);
}

void connect(Handles& h, const char* dataSource = "KestoDSN") {
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.henv)));
    SQLSetEnvAttr(h.henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC2), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, h.henv, &h.hdbc)));
    ASSERT_TRUE(SQL_SUCCEEDED(
        SQLConnect(h.hdbc, (SQLCHAR*)dataSource, SQL_NTS, (SQLCHAR*)"DEMO", SQL_NTS, (SQLCHAR*)"demo", SQL_NTS)))
        << diagnostic(SQL_NULL_HSTMT, h.hdbc);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h.hdbc, &h.hstmt)));
}

// Runs a statement on a thread of its own; the result says how it ended.
std::future<SQLRETURN> runAside(SQLHSTMT h, const char* sql) {
    return std::async(std::launch::async, [h, sql] { return SQLExecDirect(h, (SQLCHAR*)sql, SQL_NTS); });
}

// Runs one of the pyodbc scripts that compare answers with sqlite3 on the server's data file.
void runAgainstSqlite(const char* script) {
    Served s;
    const CommandResult r = runCommand(preloadPrefix() + "PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 " KESTO_E2E_DIR "/" +
                                       script + " 'DSN=KestoDSN;UID=DEMO;PWD=demo' " +
                                       (s.root / "data" / "sqluser.db").string());
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.find("FAIL"), std::string::npos) << r.output;
}

TEST(Pyodbc, AnswersAreSqlitesOwn) { runAgainstSqlite("pyodbc_semantics.py"); }

// Numbers bound as numbers, GROUP BY positions, column types and names, 64-bit integers,
// long values beside numbers, literals that are SQL, and values too long for their column.
TEST(Pyodbc, AnalystStatementsAnswerAsSqlite) { runAgainstSqlite("pyodbc_answers.py"); }

TEST(QueryTimeout, IsHonouredAndEndsTheWaitOnAStoppedServer) {
    Served s;
    Handles h;
    connect(h);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, 5)));
    SQLULEN timeout = 0;
    SQLGetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, &timeout);
    EXPECT_EQ(timeout, 5u);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, 1)));
    s.server->pause();
    const auto start = std::chrono::steady_clock::now();
    const SQLRETURN rc = SQLExecDirect(h.hstmt, (SQLCHAR*)"SELECT count(*) FROM Typen", SQL_NTS);
    const auto waited = std::chrono::steady_clock::now() - start;
    s.server->resume();
    ASSERT_EQ(rc, SQL_ERROR);
    EXPECT_EQ(diagnostic(h.hstmt).substr(0, 5), "S1T00");
    EXPECT_LT(waited, 4s);
}

TEST(QueryTimeout, AStatementThatRunsOutIsStoppedOnTheServerToo) {
    Served s;
    Handles h;
    connect(h);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, 1)));
    ASSERT_EQ(SQLExecDirect(h.hstmt, (SQLCHAR*)kEndless, SQL_NTS), SQL_ERROR);
    EXPECT_EQ(diagnostic(h.hstmt).substr(0, 5), "S1T00");
    EXPECT_TRUE(s.idleWithinASecond());
    // The connection goes on: the next statement gets its own answer.
    SQLFreeStmt(h.hstmt, SQL_CLOSE);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"SELECT count(*) FROM Typen", SQL_NTS)))
        << diagnostic(h.hstmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(h.hstmt)));
    SQLINTEGER count = 0;
    SQLLEN length = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLGetData(h.hstmt, 1, SQL_C_LONG, &count, 0, &length)));
    EXPECT_EQ(count, 4);
}

// A connection timeout set through SQLSetConnectAttr (what pyodbc's `cnxn.timeout` sets) is the
// default query timeout of the connection's statements; the manager used to refuse it (HY092).
TEST(QueryTimeout, TheConnectionTimeoutIsTheStatementsDefault) {
    Served s;
    Handles h;
    connect(h);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetConnectAttr(h.hdbc, SQL_ATTR_CONNECTION_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0)))
        << diagnostic(h.hstmt);
    SQLULEN timeout = 0;
    SQLGetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, &timeout);
    EXPECT_EQ(timeout, 1u);
    SQLHSTMT later = nullptr;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h.hdbc, &later)));
    SQLGetStmtOption(later, SQL_QUERY_TIMEOUT, &timeout);
    EXPECT_EQ(timeout, 1u);
    ASSERT_EQ(SQLExecDirect(later, (SQLCHAR*)kEndless, SQL_NTS), SQL_ERROR);
    EXPECT_EQ(diagnostic(later).substr(0, 5), "S1T00");
    SQLFreeHandle(SQL_HANDLE_STMT, later);
    // Other attributes still reach the driver as the options they are.
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetConnectAttr(h.hdbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)));
    SQLULEN autocommit = 1;
    SQLGetConnectOption(h.hdbc, SQL_AUTOCOMMIT, &autocommit);
    EXPECT_EQ(autocommit, static_cast<SQLULEN>(SQL_AUTOCOMMIT_OFF));
    EXPECT_EQ(SQLSetConnectAttr(h.hdbc, SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, nullptr, 0), SQL_ERROR);
}

// After a statement ran out of time, the connection answers the next call, whether the server
// stopped the statement or was itself stalled and answered late, over TCP and shared memory.
TEST(QueryTimeout, AStatementThatTimedOutLeavesItsConnectionUsable) {
    const struct {
        const char* how;
        const char* dataSource;
        bool stallServer;
        bool sameStatement;
    } cases[] = {
        {"TCP, endless statement, next call on it", "KestoDSN", false, true},
        {"TCP, endless statement, next call on another", "KestoDSN", false, false},
        {"TCP, stalled server, next call on it", "KestoDSN", true, true},
        {"TCP, stalled server, next call on another", "KestoDSN", true, false},
        {"shared memory, endless statement, next call on it", "KestoShared", false, true},
        {"shared memory, endless statement, next call on another", "KestoShared", false, false},
    };
    Served s;
    // The driver starts its own server for shared memory, from an installation folder, on the
    // same data; the server's output file lands in the current folder.
    const fs::path home = s.root / "home";
    fs::create_directories(home / "bin");
    fs::create_symlink(KESTOSERVER_PATH, home / "bin" / "kestoserver");
    fs::create_symlink(s.root / "data", home / "mgr");
    ::setenv("KESTO_ODBC_HOME", home.c_str(), 1);
    std::ofstream(s.root / "ini" / "odbc.ini", std::ios::app)
        << "\n[KestoShared]\nDriver = Norvane ODBC\nProtocol = Shared\nNamespace = FERRIX\nQuery Timeout = 0\n";
    const fs::path previous = fs::current_path();
    fs::current_path(home);
    for (const auto& c : cases) {
        Handles h;
        connect(h, c.dataSource);
        ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_QUERY_TIMEOUT, 1)));
        if (c.stallServer) s.server->pause();
        const SQLRETURN rc = SQLExecDirect(h.hstmt, (SQLCHAR*)(c.stallServer ? "SELECT count(*) FROM Typen" : kEndless), SQL_NTS);
        if (c.stallServer) s.server->resume();
        ASSERT_EQ(rc, SQL_ERROR) << c.how;
        EXPECT_EQ(diagnostic(h.hstmt).substr(0, 5), "S1T00") << c.how;
        SQLHSTMT next = h.hstmt;
        if (!c.sameStatement) {
            ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h.hdbc, &next)));
        }
        SQLFreeStmt(next, SQL_CLOSE);
        ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(next, (SQLCHAR*)"SELECT ID FROM Typen WHERE ID > 2 ORDER BY ID", SQL_NTS)))
            << c.how << ": " << diagnostic(next);
        SQLINTEGER id = 0;
        SQLLEN length = 0;
        std::vector<SQLINTEGER> ids;
        while (SQL_SUCCEEDED(SQLFetch(next))) {
            SQLGetData(next, 1, SQL_C_LONG, &id, 0, &length);
            ids.push_back(id);
        }
        EXPECT_EQ(ids, (std::vector<SQLINTEGER>{3, 4})) << c.how;
        if (next != h.hstmt) SQLFreeHandle(SQL_HANDLE_STMT, next);
    }
    fs::current_path(previous);
    ::unsetenv("KESTO_ODBC_HOME");
}

// pyodbc's connection timeout is accepted and bounds the wait; the connection goes on after it.
TEST(QueryTimeout, PyodbcConnectionTimeoutBoundsTheWait) {
    Served s;
    const std::string script = std::string("import pyodbc\n"
                                           "c = pyodbc.connect('DSN=KestoDSN;UID=DEMO;PWD=demo', autocommit=True)\n"
                                           "c.timeout = 5\n"
                                           "c.timeout = 1\n"
                                           "try:\n"
                                           "    c.cursor().execute('") + kEndless + "')\n"
                                           "    print('FAIL no timeout')\n"
                                           "except pyodbc.Error as e:\n"
                                           "    print('timed out' if 'S1T00' in str(e) or 'HYT00' in str(e) else 'FAIL ' + str(e))\n"
                                           "print('count', c.cursor().execute('SELECT count(*) FROM Typen').fetchone()[0])\n";
    const fs::path file = s.root / "timeout.py";
    std::ofstream(file) << script;
    const CommandResult r = runCommand(preloadPrefix() + "/usr/bin/python3 " + file.string());
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("timed out"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("count 4"), std::string::npos) << r.output;
}

// The client past the server's connection cap learns why through the driver, as pyodbc shows it.
TEST(ConnectionLimit, PyodbcPastTheCapIsToldTooManyConnections) {
    Served s({"--max-connections", "1"});
    Handles first;
    connect(first);
    const CommandResult r = runCommand(preloadPrefix() +
                                       "/usr/bin/python3 -c \"import pyodbc\n"
                                       "try:\n"
                                       "    pyodbc.connect('DSN=KestoDSN;UID=DEMO;PWD=demo')\n"
                                       "    print('FAIL connected')\n"
                                       "except pyodbc.Error as e:\n"
                                       "    print(e)\"");
    EXPECT_NE(r.output.find("too many connections: the server serves 1 clients at once"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("FAIL"), std::string::npos) << r.output;
}

TEST(Errors, DriverErrorsHaveATextWhileConnected) {
    Served s;
    Handles h;
    connect(h);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"SELECT ID FROM Typen", SQL_NTS)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(h.hstmt)));
    SQLINTEGER value = 0;
    SQLLEN length = 0;
    ASSERT_EQ(SQLGetData(h.hstmt, 9, SQL_C_LONG, &value, 0, &length), SQL_ERROR);
    const std::string message = diagnostic(h.hstmt);
    // The text follows the header lines; the server has none for a driver code.
    const std::string text = message.substr(message.rfind("]\r\n") + 3);
    EXPECT_EQ(text, "Invalid column number") << message;
}

TEST(Cancel, SQLCancelStopsARunningStatementAndTheConnectionGoesOn) {
    Served s;
    Handles h;
    connect(h);
    auto running = runAside(h.hstmt, kEndless);
    ASSERT_TRUE(s.busy());
    ASSERT_EQ(SQLCancel(h.hstmt), SQL_SUCCESS);
    if (running.wait_for(5s) != std::future_status::ready) {
        s.server->kill();  // ends the wait, so that the test can report
        FAIL() << "the statement went on after SQLCancel";
    }
    EXPECT_EQ(running.get(), SQL_ERROR);
    EXPECT_NE(diagnostic(h.hstmt).find("stopped"), std::string::npos);
    EXPECT_LT(s.ticksInHalfASecond(), 10);
    SQLFreeStmt(h.hstmt, SQL_CLOSE);
    SQLINTEGER n = 0;
    SQLLEN length = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"SELECT count(*) FROM Typen", SQL_NTS)))
        << diagnostic(h.hstmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(h.hstmt)));
    SQLGetData(h.hstmt, 1, SQL_C_LONG, &n, 0, &length);
    EXPECT_EQ(n, 4);
}

TEST(KilledClient, LeavesTheServerIdleWithinASecond) {
    Served s;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string script = "exec env " + preloadPrefix() +
                                   "/usr/bin/python3 -c \"import pyodbc; pyodbc.connect('DSN=KestoDSN;UID=DEMO;PWD=demo')"
                                   ".cursor().execute('" + kEndless + "')\"";
        ::execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const bool started = s.busy();
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(started);
    EXPECT_TRUE(s.idleWithinASecond());
}

TEST(Stop, SigtermEndsARunningStatementWithinASecond) {
    Served s;
    Handles h;
    connect(h);
    auto running = runAside(h.hstmt, kEndless);
    ASSERT_TRUE(s.busy());
    EXPECT_LT(s.server->terminate(), 1000);
    ASSERT_EQ(running.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(running.get(), SQL_ERROR);
}

TEST(DataFileLimit, ARunawayInsertEndsAtTheLimitWithAClearError) {
    Served s({"--max-data-mb", "16"});
    Handles h;
    connect(h);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"CREATE TABLE Gross (T VARCHAR(200))", SQL_NTS)));
    ASSERT_EQ(SQLExecDirect(h.hstmt,
                            (SQLCHAR*)"INSERT INTO Gross (T) SELECT printf('%0150d', x) FROM (WITH RECURSIVE n(x) AS "
                                      "(SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT x FROM n)",
                            SQL_NTS),
              SQL_ERROR);
    EXPECT_NE(diagnostic(h.hstmt).find("size limit of 16 MiB"), std::string::npos) << diagnostic(h.hstmt);
    EXPECT_LE(fs::file_size(s.root / "data" / "sqluser.db"), 16u * 1024 * 1024);
}

TEST(Stalls, AnnouncedRequestsDoNotGrowTheServer) {
    Served s;
    const long before = s.server->residentKiB();
    std::vector<int> sockets;
    for (int i = 0; i < 10; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(s.server->odbcPort()));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        // A header announcing 64 MiB, then a few bytes of the body, then nothing.
        const unsigned char header[14] = {0, 0, 0, 4, 1, 0, 0, 0, 0, 0, 0, 0, 'D', 'Q'};
        ASSERT_EQ(::send(fd, header, sizeof header, 0), 14);
        ASSERT_EQ(::send(fd, "0123456789", 10, 0), 10);
        sockets.push_back(fd);
    }
    std::this_thread::sleep_for(500ms);
    EXPECT_LT(s.server->residentKiB() - before, 100 * 1024);
    for (int fd : sockets) ::close(fd);
}

}  // namespace
}  // namespace kesto::e2e
