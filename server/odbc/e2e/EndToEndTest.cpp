// The driver through unixODBC against kestoserver over TCP: isql, pyodbc, scrolling,
// data-source setup and a server that dies mid-fetch.
#include "OdbcHandles.h"
#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace kesto::e2e {
namespace {

namespace fs = std::filesystem;

class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        root = fs::path(::testing::TempDir()) / ("kesto-odbc-e2e-" + std::to_string(::getpid()));
        fs::create_directories(root);
        server = std::make_unique<ServerProcess>(root / "data");
        registerDriver(root / "ini", server->odbcPort(), "Setup = " KESTO_ODBC_DRIVER "\n");
        registerDriver(root / "ini-nomap", server->odbcPort(), "ExFetchMapping = 0\n");
        for (const char* folder : {"ini", "ini-nomap"})
            addDataSource(root / folder, "KestoStatic", server->odbcPort(), "Static Cursors = 1\n");
        ::setenv("ODBCSYSINI", (root / "ini").c_str(), 1);
        ::setenv("ODBCINI", (root / "ini" / "odbc.ini").c_str(), 1);
    }
    void TearDown() override {
        server.reset();
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    // Environment variables that point unixODBC at one registration.
    std::string iniVariables(const char* folder) const {
        return "ODBCSYSINI=" + (root / folder).string() + " ODBCINI=" + (root / folder / "odbc.ini").string() + " ";
    }

    fs::path root;
    std::unique_ptr<ServerProcess> server;
};

Environment* env = static_cast<Environment*>(::testing::AddGlobalTestEnvironment(new Environment));

// Both ways the driver manager can run SQLFetch: mapped to SQLExtendedFetch, or passed on.
const char* const kRegistrations[] = {"ini", "ini-nomap"};

CommandResult isql(const char* registration, const std::string& script) {
    const fs::path file = env->root / (std::string("script-") + registration + ".sql");
    std::ofstream(file) << script;
    return runCommand(env->iniVariables(registration) + preloadPrefix() + "isql -v -b KestoDSN DEMO demo < " + file.string());
}

TEST(Isql, RunsSelectInsertUpdateAndDeleteScripts) {
    for (const char* registration : kRegistrations) {
        const std::string table = std::string("Isql_") + (registration[3] ? "b" : "a");
        const CommandResult r = isql(registration, "CREATE TABLE " + table + " (A INTEGER PRIMARY KEY, B VARCHAR(10))\n"
                                                   "INSERT INTO " + table + " VALUES (1, 'eins')\n"
                                                   "INSERT INTO " + table + " VALUES (2, 'zwei')\n"
                                                   "UPDATE " + table + " SET B = 'ZWEI' WHERE A = 2\n"
                                                   "DELETE FROM " + table + " WHERE A = 1\n"
                                                   "SELECT A, B FROM " + table + "\n"
                                                   "SELECT Nummer, Lieferant FROM Bestellung WHERE Nummer > 4\n"
                                                   "DROP TABLE " + table + "\n");
        EXPECT_EQ(r.status, 0) << registration << "\n" << r.output;
        EXPECT_NE(r.output.find("ZWEI"), std::string::npos) << registration << "\n" << r.output;
        EXPECT_EQ(r.output.find("eins"), std::string::npos) << registration << "\n" << r.output;
        EXPECT_NE(r.output.find("700005"), std::string::npos) << registration << "\n" << r.output;
        EXPECT_EQ(r.output.find("ERROR"), std::string::npos) << registration << "\n" << r.output;
    }
}

TEST(Isql, HelpListsTablesAndColumns) {
    const CommandResult tables = isql("ini", "help\n");
    EXPECT_NE(tables.output.find("Dokumente"), std::string::npos) << tables.output;
    EXPECT_NE(tables.output.find("VBestellung"), std::string::npos) << tables.output;
    const CommandResult columns = isql("ini", "help Typen\n");
    EXPECT_NE(columns.output.find("Betrag"), std::string::npos) << columns.output;
    EXPECT_NE(columns.output.find("NUMERIC"), std::string::npos) << columns.output;
}

void runPyodbc(const char* registration, const char* suffix) {
    const CommandResult r = runCommand(env->iniVariables(registration) + preloadPrefix() + "PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 " KESTO_E2E_DIR
                                       "/pyodbc_check.py 'DSN=KestoDSN;UID=DEMO;PWD=demo' " + suffix);
    EXPECT_EQ(r.status, 0) << registration << "\n" << r.output;
    EXPECT_EQ(r.output.find("FAIL"), std::string::npos) << registration << "\n" << r.output;
}

TEST(Pyodbc, QueriesRowsLongValuesAndCatalogsWithFetchMapped) { runPyodbc("ini", "A"); }

TEST(Pyodbc, QueriesRowsLongValuesAndCatalogsWithFetchPassedOn) { runPyodbc("ini-nomap", "B"); }

std::string stateOf(SQLSMALLINT type, SQLHANDLE h) {
    SQLCHAR state[6] = "";
    SQLCHAR text[512] = "";
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    SQLGetDiagRec(type, h, 1, state, &native, text, sizeof text, &len);
    return reinterpret_cast<char*>(state) + std::string(" ") + reinterpret_cast<char*>(text);
}

void connect(Handles& h, const char* dsn, SQLINTEGER version) {
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.henv)));
    SQLSetEnvAttr(h.henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(version)), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, h.henv, &h.hdbc)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLConnect(h.hdbc, (SQLCHAR*)dsn, SQL_NTS, (SQLCHAR*)"DEMO", SQL_NTS, (SQLCHAR*)"demo", SQL_NTS)))
        << stateOf(SQL_HANDLE_DBC, h.hdbc);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h.hdbc, &h.hstmt)));
}

TEST(StaticCursor, ScrollsAsTheFetchTableSays) {
    Handles h;
    connect(h, "KestoStatic", SQL_OV_ODBC2);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"CREATE TABLE Scroll (N INTEGER)", SQL_NTS)))
        << stateOf(SQL_HANDLE_STMT, h.hstmt);
    SQLINTEGER n = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLPrepare(h.hstmt, (SQLCHAR*)"INSERT INTO Scroll (N) VALUES (?)", SQL_NTS)));
    SQLBindParameter(h.hstmt, 1, SQL_PARAM_INPUT, SQL_C_LONG, SQL_INTEGER, 0, 0, &n, 0, nullptr);
    for (n = 1; n <= 50; ++n) ASSERT_TRUE(SQL_SUCCEEDED(SQLExecute(h.hstmt))) << stateOf(SQL_HANDLE_STMT, h.hstmt);
    // The cursor type can be set only on a statement that is not prepared.
    SQLFreeHandle(SQL_HANDLE_STMT, h.hstmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h.hdbc, &h.hstmt)));

    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC)))
        << stateOf(SQL_HANDLE_STMT, h.hstmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetStmtOption(h.hstmt, SQL_ROWSET_SIZE, 10))) << stateOf(SQL_HANDLE_STMT, h.hstmt);
    SQLULEN cursorType = 0;
    SQLGetStmtOption(h.hstmt, SQL_CURSOR_TYPE, &cursorType);
    ASSERT_EQ(cursorType, static_cast<SQLULEN>(SQL_CURSOR_STATIC));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(h.hstmt, (SQLCHAR*)"SELECT N FROM Scroll ORDER BY N", SQL_NTS)))
        << stateOf(SQL_HANDLE_STMT, h.hstmt);
    SQLINTEGER values[10] = {};
    SQLLEN lengths[10] = {};
    SQLBindCol(h.hstmt, 1, SQL_C_LONG, values, 0, lengths);
    auto fetch = [&](SQLUSMALLINT type, SQLLEN row) -> SQLINTEGER {
        SQLULEN got = 0;
        SQLUSMALLINT status[10] = {};
        const SQLRETURN rc = SQLExtendedFetch(h.hstmt, type, row, &got, status);
        if (rc == SQL_NO_DATA) return 0;
        EXPECT_TRUE(SQL_SUCCEEDED(rc)) << stateOf(SQL_HANDLE_STMT, h.hstmt);
        return values[0];
    };
    const struct {
        SQLLEN from;
        SQLUSMALLINT type;
        SQLLEN row;
        SQLINTEGER first;  // 0 = no data
    } cases[] = {
        {25, SQL_FETCH_PRIOR, 0, 15}, {5, SQL_FETCH_PRIOR, 0, 1},     {1, SQL_FETCH_PRIOR, 0, 0},
        {25, SQL_FETCH_RELATIVE, -30, 0}, {5, SQL_FETCH_RELATIVE, -7, 1}, {25, SQL_FETCH_RELATIVE, 5, 30},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(fetch(SQL_FETCH_ABSOLUTE, c.from), c.from);
        EXPECT_EQ(fetch(c.type, c.row), c.first) << "from " << c.from << " type " << c.type << " row " << c.row;
    }
    EXPECT_EQ(fetch(SQL_FETCH_LAST, 0), 41);
    EXPECT_EQ(fetch(SQL_FETCH_FIRST, 0), 1);
    SQLFreeStmt(h.hstmt, SQL_CLOSE);
    SQLExecDirect(h.hstmt, (SQLCHAR*)"DROP TABLE Scroll", SQL_NTS);
}

TEST(DataSourceSetup, AddsAndRemovesADataSource) {
    const fs::path ini = env->root / "ini" / "odbc.ini";
    auto text = [&] {
        std::ifstream in(ini);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const char add[] = "DSN=KestoNeu\0UID=DEMO\0PWD=demo\0DATABASE=FERRIX\0";
    ASSERT_TRUE(SQLConfigDataSource(nullptr, ODBC_ADD_DSN, "Norvane ODBC", add));
    const std::string added = text();
    EXPECT_NE(added.find("[KestoNeu]"), std::string::npos) << added;
    EXPECT_NE(added.find("Namespace"), std::string::npos) << added;
    ASSERT_TRUE(SQLConfigDataSource(nullptr, ODBC_REMOVE_DSN, "Norvane ODBC", "DSN=KestoNeu\0"));
    EXPECT_EQ(text().find("[KestoNeu]"), std::string::npos) << text();
}

TEST(ServerGone, AKilledServerGivesACommunicationLinkError) {
    ServerProcess doomed(env->root / "doomed-data");
    addDataSource(env->root / "ini", "KestoDoomed", doomed.odbcPort(), "");
    Handles h;
    connect(h, "KestoDoomed", SQL_OV_ODBC3);
    // Far more rows than one reply holds.
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(
        h.hstmt, (SQLCHAR*)"SELECT a.ArtNr, b.ArtNr FROM BestellPos a, BestellPos b, BestellPos c, BestellPos d", SQL_NTS)))
        << stateOf(SQL_HANDLE_STMT, h.hstmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(h.hstmt)));
    doomed.kill();
    SQLRETURN rc = SQL_SUCCESS;
    for (int i = 0; i < 30000 && SQL_SUCCEEDED(rc); ++i) rc = SQLFetch(h.hstmt);
    ASSERT_EQ(rc, SQL_ERROR);
    EXPECT_EQ(stateOf(SQL_HANDLE_STMT, h.hstmt).substr(0, 5), "08S01") << stateOf(SQL_HANDLE_STMT, h.hstmt);
}

}  // namespace
}  // namespace kesto::e2e
