// The driver as unixODBC loads it: registered by the project's script in a temporary folder,
// connected to the stand-in server's ODBC side on an ephemeral loopback port.
#include <demo/Seed.h>
#include <odbc/Session.h>

#include <gtest/gtest.h>

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kesto::server::model::Database;

std::string run(const std::string& command) {
    std::string out;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return out;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), p)) out += buf.data();
    ::pclose(p);
    return out;
}

// One server and one registration for the whole binary: the manager reads its files once.
class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        root = fs::path(::testing::TempDir()) / ("kesto-odbc-dm-" + std::to_string(::getpid()));
        fs::create_directories(root);
        kesto::server::demo::prepareDataFolder(root / "data", false);
        listener = std::make_unique<kesto::server::net::Listener>([this](kesto::server::net::Connection& c) {
            Database db(root / "data");
            kesto::server::odbc::serveConnection(c, db, options);
        });
        listener->start();
        const std::string reg = std::string(KESTO_SOURCE_DIR "/scripts/odbc-register.sh --dir ") + (root / "ini").string() +
                                " --driver " KESTO_ODBC_DRIVER " --port " + std::to_string(listener->port()) + " --debug 1";
        ASSERT_EQ(std::system(reg.c_str()), 0);
        ::setenv("ODBCSYSINI", (root / "ini").c_str(), 1);
        ::setenv("ODBCINI", (root / "ini" / "odbc.ini").c_str(), 1);
    }
    void TearDown() override { listener->stop(); }

    fs::path root;
    kesto::server::odbc::SessionOptions options;
    std::unique_ptr<kesto::server::net::Listener> listener;
};

Environment* env = static_cast<Environment*>(::testing::AddGlobalTestEnvironment(new Environment));

struct Diagnostic {
    std::string state;
    SQLINTEGER native = 0;
    std::string text;
};

Diagnostic diagnosticOf(SQLSMALLINT type, SQLHANDLE h) {
    Diagnostic d;
    SQLCHAR state[6] = "";
    SQLCHAR text[1024] = "";
    SQLSMALLINT len = 0;
    if (SQL_SUCCEEDED(SQLGetDiagRec(type, h, 1, state, &d.native, text, sizeof text, &len))) {
        d.state = reinterpret_cast<char*>(state);
        d.text = reinterpret_cast<char*>(text);
    }
    return d;
}

class DriverManager : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &henv)));
        SQLSetEnvAttr(henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc)));
    }
    void TearDown() override {
        SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
        SQLFreeHandle(SQL_HANDLE_ENV, henv);
    }
    SQLRETURN connect(const char* user, const char* password) {
        return SQLConnect(hdbc, (SQLCHAR*)"KestoDSN", SQL_NTS, (SQLCHAR*)user, SQL_NTS, (SQLCHAR*)password, SQL_NTS);
    }
    SQLHENV henv = nullptr;
    SQLHDBC hdbc = nullptr;
};

TEST_F(DriverManager, ConnectsAsTheDemoUserAndAnswersInfo) {
    ASSERT_TRUE(SQL_SUCCEEDED(connect("DEMO", "demo"))) << diagnosticOf(SQL_HANDLE_DBC, hdbc).text;
    char text[64] = "";
    SQLSMALLINT len = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLGetInfo(hdbc, SQL_DBMS_VER, text, sizeof text, &len)));
    EXPECT_STREQ(text, "01.00.0000 Kesto stand-in");
    ASSERT_TRUE(SQL_SUCCEEDED(SQLGetInfo(hdbc, SQL_IDENTIFIER_QUOTE_CHAR, text, sizeof text, &len)));
    EXPECT_STREQ(text, "\"");
    // Autocommit off and a commit travel to the server and back.
    EXPECT_TRUE(SQL_SUCCEEDED(SQLSetConnectAttr(hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_OFF, 0)));
    EXPECT_TRUE(SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, hdbc, SQL_COMMIT)));
    EXPECT_TRUE(SQL_SUCCEEDED(SQLDisconnect(hdbc)));
}

TEST_F(DriverManager, WrongPasswordGivesTheDriversStateAndText) {
    ASSERT_EQ(connect("DEMO", "wrong"), SQL_ERROR);
    const Diagnostic d = diagnosticOf(SQL_HANDLE_DBC, hdbc);
    EXPECT_EQ(d.state, "28000");
    EXPECT_EQ(d.native, 402);
    EXPECT_NE(d.text.find("[Kesto ODBC][State : 28000][Native Code 402]"), std::string::npos) << d.text;
    EXPECT_NE(d.text.find("Invalid Username/Password"), std::string::npos) << d.text;
}

TEST_F(DriverManager, ConnectionStringWithoutFinalSemicolonKeepsThePassword) {
    SQLCHAR out[512] = "";
    SQLSMALLINT len = 0;
    const char* in = "DSN=KestoDSN;UID=DEMO;PWD=demo";
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(hdbc, nullptr, (SQLCHAR*)in, SQL_NTS, out, sizeof out, &len,
                                               SQL_DRIVER_NOPROMPT)))
        << diagnosticOf(SQL_HANDLE_DBC, hdbc).text;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), "DSN=KestoDSN;SERVER=127.0.0.1;DATABASE=FERRIX;UID=DEMO;PWD=demo");
    SQLDisconnect(hdbc);
}

TEST_F(DriverManager, ClosedPortGives08S01WithNative461) {
    const char* in = "DRIVER=Norvane ODBC;SERVER=127.0.0.1;UID=DEMO;PWD=demo;";
    // SERVER always means port 1972; nobody listens there in the test's loopback unless a real server runs.
    if (run("ss -ltn 2>/dev/null | grep -c ':1972 '").find('1') == 0) GTEST_SKIP() << "a server listens on 1972";
    ASSERT_EQ(SQLDriverConnect(hdbc, nullptr, (SQLCHAR*)in, SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT), SQL_ERROR);
    const Diagnostic d = diagnosticOf(SQL_HANDLE_DBC, hdbc);
    EXPECT_EQ(d.state, "08S01");
    EXPECT_EQ(d.native, 461);
}

TEST(Isql, ConnectsAndQuits) {
    // isql is not sanitized: the sanitizer runtimes must come first when it loads the driver.
    const std::string env = std::string("ASAN_OPTIONS=detect_leaks=0 ") + (KESTO_PRELOAD[0] ? "LD_PRELOAD=" KESTO_PRELOAD " " : "");
    const std::string ok = run("echo quit | " + env + "isql -v KestoDSN DEMO demo");
    EXPECT_NE(ok.find("Connected!"), std::string::npos) << ok;
    const std::string bad = run("echo quit | " + env + "isql -v KestoDSN DEMO nope");
    EXPECT_NE(bad.find("[28000]"), std::string::npos) << bad;
    EXPECT_NE(bad.find("Invalid Username/Password"), std::string::npos) << bad;

    // The driver section says DEBUG=1: the last process emptied the log and traced its calls.
    const fs::path log = fs::path(std::getenv("KESTO_ROOT")) / "windows" / "KestoODBC.log";
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\tDriver Name:\tKestoODBC.DLL"), std::string::npos) << log;
    EXPECT_NE(text.str().find("--> SQLAllocEnv: "), std::string::npos);
    EXPECT_NE(text.str().find(">> Sent: "), std::string::npos);
    EXPECT_EQ(text.str().find("nope"), std::string::npos) << "no password in the trace";
}

TEST(ConfigDsn, AddsAndRemovesADataSourceWithoutAWindow) {
    // The installer finds ConfigDSN through the driver section's Setup key.
    ASSERT_TRUE(SQLWritePrivateProfileString("Norvane ODBC", "Setup", KESTO_ODBC_DRIVER, "ODBCINST.INI"));
    ASSERT_TRUE(SQLConfigDataSource(nullptr, ODBC_ADD_DSN, "Norvane ODBC", "UID=early\0DSN=Extra\0UID=u\0DATABASE=NS\0\0"));
    char value[512] = "";
    SQLGetPrivateProfileString("Extra", "Driver", "", value, sizeof value, "ODBC.INI");
    EXPECT_STREQ(value, KESTO_ODBC_DRIVER);
    SQLGetPrivateProfileString("Extra", "UID", "", value, sizeof value, "ODBC.INI");
    EXPECT_STREQ(value, "u") << "pairs before DSN= are ignored";
    SQLGetPrivateProfileString("Extra", "Namespace", "", value, sizeof value, "ODBC.INI");
    EXPECT_STREQ(value, "NS");
    SQLGetPrivateProfileString("ODBC Data Sources", "Extra", "", value, sizeof value, "ODBC.INI");
    EXPECT_STREQ(value, "Norvane ODBC");
    EXPECT_FALSE(SQLConfigDataSource(nullptr, ODBC_ADD_DSN, "Norvane ODBC", "UID=u\0\0")) << "no DSN: nothing usable made";
    ASSERT_TRUE(SQLConfigDataSource(nullptr, ODBC_REMOVE_DSN, "Norvane ODBC", "DSN=Extra\0\0"));
    // Read the file itself: the installer caches what it read before.
    std::ifstream in(env->root / "ini" / "odbc.ini");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().find("[Extra]"), std::string::npos) << text.str();
    EXPECT_EQ(text.str().find("Extra"), std::string::npos) << "no stale line in the list: " << text.str();
    EXPECT_NE(text.str().find("[KestoDSN]"), std::string::npos);
}

TEST(Exports, ExactlyTheOdbcTwoFunctions) {
    const std::set<std::string> expected = {
        "SQLAllocConnect", "SQLAllocEnv", "SQLAllocStmt", "SQLBindCol", "SQLCancel", "SQLColAttributes", "SQLConnect",
        "SQLDescribeCol", "SQLDisconnect", "SQLError", "SQLExecDirect", "SQLExecute", "SQLFetch", "SQLFreeConnect",
        "SQLFreeEnv", "SQLFreeStmt", "SQLGetCursorName", "SQLNumResultCols", "SQLPrepare", "SQLRowCount",
        "SQLSetCursorName", "SQLSetParam", "SQLTransact", "SQLColumns", "SQLDriverConnect", "SQLGetConnectOption",
        "SQLGetData", "SQLGetFunctions", "SQLGetInfo", "SQLGetStmtOption", "SQLGetTypeInfo", "SQLParamData",
        "SQLPutData", "SQLSetConnectOption", "SQLSetStmtOption", "SQLSpecialColumns", "SQLStatistics", "SQLTables",
        "SQLColumnPrivileges", "SQLDescribeParam", "SQLExtendedFetch", "SQLForeignKeys", "SQLMoreResults",
        "SQLNativeSql", "SQLNumParams", "SQLParamOptions", "SQLPrimaryKeys", "SQLProcedureColumns", "SQLProcedures",
        "SQLSetScrollOptions", "SQLTablePrivileges", "SQLBindParameter", "ConfigDSN", "LoadByOrdinal",
        // The one ODBC 3 name: the manager lets no connection timeout through to an ODBC 2 driver.
        "SQLSetConnectAttr"};
    std::istringstream lines(run("nm -D --defined-only " KESTO_ODBC_DRIVER));
    std::set<std::string> found;
    for (std::string line; std::getline(lines, line);) {
        const auto space = line.find_last_of(' ');
        found.insert(line.substr(space + 1));
    }
    EXPECT_EQ(found, expected);
    const std::string libs = run("readelf -d " KESTO_ODBC_DRIVER);
    EXPECT_EQ(libs.find("libodbc"), std::string::npos) << "the driver links no driver manager";
}

}  // namespace
