// Rows per second through the driver manager, over TCP on a loopback port (shm:0) and over
// shared memory (shm:1) side by side: 1,000,000 rows of five columns fetched with bound
// columns and SQLFetch, and rows inserted one statement at a time, with autocommit and in one
// transaction. Run with --benchmark_repetitions=N --benchmark_enable_random_interleaving=true
// so that the two transports alternate and share the machine's moods.
#include "ServerProcess.h"

#include <demo/Seed.h>
#include <model/Database.h>

#include <benchmark/benchmark.h>

#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kesto::server;

constexpr int kRows = 1000000;

// One data folder with the table, one kestoserver process for TCP, and an installation
// folder from which the driver starts a kestoserver of its own for each shared-memory
// connection, on the same data. Both data sources are registered for the whole run.
struct Fixture {
    fs::path root;
    std::unique_ptr<kesto::e2e::ServerProcess> server;

    Fixture() {
        root = fs::temp_directory_path() / ("kesto-odbc-bench-" + std::to_string(::getpid()));
        fs::create_directories(root / "home" / "bin");
        demo::prepareDataFolder(root / "data", false);
        {
            model::Database db(root / "data");
            db.exec("CREATE TABLE main.Viele (A INTEGER, B VARCHAR(20), C DOUBLE, D DATE, E INTEGER);"
                    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                    std::to_string(kRows) +
                    ") INSERT INTO main.Viele SELECT x, 'Zeile ' || x, x / 8.0, '2024-03-15', x % 1000 FROM n;"
                    "CREATE TABLE main.Eingefuegt (A INTEGER, B VARCHAR(40));");
        }
        server = std::make_unique<kesto::e2e::ServerProcess>(root / "data");
        kesto::e2e::registerDriver(root / "ini", server->odbcPort(), "");
        std::ofstream(root / "ini" / "odbc.ini", std::ios::app)
            << "\n[KestoShared]\nDriver = Norvane ODBC\nProtocol = Shared\nNamespace = FERRIX\n";
        fs::create_symlink(KESTOSERVER_PATH, root / "home" / "bin" / "kestoserver");
        fs::create_symlink(root / "data", root / "home" / "mgr");
        ::setenv("KESTO_ODBC_HOME", (root / "home").c_str(), 1);
        ::setenv("ODBCSYSINI", (root / "ini").c_str(), 1);
        ::setenv("ODBCINI", (root / "ini" / "odbc.ini").c_str(), 1);
        // The shared-memory server writes its output file into the current folder.
        fs::current_path(root / "home");
    }
    ~Fixture() {
        server.reset();
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

// Benchmark argument 0: TCP, 1: shared memory.
const char* dataSource(const benchmark::State& state) { return state.range(0) == 0 ? "KestoDSN" : "KestoShared"; }

struct Connected {
    SQLHENV henv = nullptr;
    SQLHDBC hdbc = nullptr;
    bool ok = false;
    explicit Connected(const char* dsn) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &henv);
        SQLSetEnvAttr(henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc);
        ok = SQL_SUCCEEDED(SQLConnect(hdbc, (SQLCHAR*)dsn, SQL_NTS, (SQLCHAR*)"DEMO", SQL_NTS, (SQLCHAR*)"demo", SQL_NTS));
    }
    ~Connected() {
        if (ok) SQLDisconnect(hdbc);
        SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
        SQLFreeHandle(SQL_HANDLE_ENV, henv);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void FetchMillionRows(benchmark::State& state) {
    fixture();
    Connected c(dataSource(state));
    SQLHDBC hdbc = c.hdbc;
    if (!c.ok) {
        state.SkipWithError("cannot connect");
        return;
    }
    std::int64_t rows = 0;
    for (auto _ : state) {
        SQLHSTMT hstmt = nullptr;
        SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt);
        SQLINTEGER a = 0, e = 0;
        SQLCHAR b[32], d[16];
        double c = 0;
        SQLLEN la = 0, lb = 0, lc = 0, ld = 0, le = 0;
        SQLBindCol(hstmt, 1, SQL_C_LONG, &a, 0, &la);
        SQLBindCol(hstmt, 2, SQL_C_CHAR, b, sizeof b, &lb);
        SQLBindCol(hstmt, 3, SQL_C_DOUBLE, &c, 0, &lc);
        SQLBindCol(hstmt, 4, SQL_C_CHAR, d, sizeof d, &ld);
        SQLBindCol(hstmt, 5, SQL_C_LONG, &e, 0, &le);
        if (!SQL_SUCCEEDED(SQLExecDirect(hstmt, (SQLCHAR*)"SELECT A, B, C, D, E FROM Viele", SQL_NTS))) {
            state.SkipWithError("query failed");
            break;
        }
        std::int64_t n = 0;
        while (SQL_SUCCEEDED(SQLFetch(hstmt))) ++n;
        if (n != kRows) state.SkipWithError("not every row arrived");
        rows += n;
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    }
    state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(FetchMillionRows)->ArgName("shm")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// 10,000 rows, one prepared INSERT executed per row, as executemany does: with autocommit
// each row is its own committed transaction; without, one commit ends them all.
void InsertRows(benchmark::State& state, bool autocommit) {
    constexpr int kInserts = 10000;
    fixture();
    Connected c(dataSource(state));
    if (!c.ok) {
        state.SkipWithError("cannot connect");
        return;
    }
    if (!autocommit) SQLSetConnectAttr(c.hdbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    SQLHSTMT hstmt = nullptr;
    SQLAllocHandle(SQL_HANDLE_STMT, c.hdbc, &hstmt);
    SQLINTEGER a = 0;
    SQLCHAR b[40] = "Zeile";
    SQLLEN la = 0, lb = SQL_NTS;
    SQLBindParameter(hstmt, 1, SQL_PARAM_INPUT, SQL_C_LONG, SQL_INTEGER, 0, 0, &a, 0, &la);
    SQLBindParameter(hstmt, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 40, 0, b, sizeof b, &lb);
    if (!SQL_SUCCEEDED(SQLPrepare(hstmt, (SQLCHAR*)"INSERT INTO Eingefuegt (A, B) VALUES (?, ?)", SQL_NTS))) {
        state.SkipWithError("prepare failed");
        return;
    }
    std::int64_t rows = 0;
    for (auto _ : state) {
        for (int i = 0; i < kInserts; ++i) {
            a = static_cast<SQLINTEGER>(rows + i);
            if (!SQL_SUCCEEDED(SQLExecute(hstmt))) {
                state.SkipWithError("insert failed");
                return;
            }
        }
        if (!autocommit && !SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, c.hdbc, SQL_COMMIT))) {
            state.SkipWithError("commit failed");
            return;
        }
        rows += kInserts;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}

void InsertRowsAutocommit(benchmark::State& state) { InsertRows(state, true); }
BENCHMARK(InsertRowsAutocommit)->ArgName("shm")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void InsertRowsOneTransaction(benchmark::State& state) { InsertRows(state, false); }
BENCHMARK(InsertRowsOneTransaction)->ArgName("shm")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
