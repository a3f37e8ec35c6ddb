// Rows per second through the driver manager: 1,000,000 rows of five columns fetched from
// the server's ODBC side on a loopback port, with bound columns and SQLFetch.
#include <demo/Seed.h>
#include <model/Database.h>
#include <net/Listener.h>
#include <odbc/Session.h>

#include <benchmark/benchmark.h>

#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kesto::server;

constexpr int kRows = 1000000;

// One data folder with the table, one server and one registration for the whole run.
struct Fixture {
    fs::path root;
    std::unique_ptr<net::Listener> listener;
    odbc::SessionOptions options;

    Fixture() {
        root = fs::temp_directory_path() / ("kesto-odbc-bench-" + std::to_string(::getpid()));
        fs::create_directories(root);
        demo::prepareDataFolder(root / "data", false);
        {
            model::Database db(root / "data");
            db.exec("CREATE TABLE main.Viele (A INTEGER, B VARCHAR(20), C DOUBLE, D DATE, E INTEGER);"
                    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                    std::to_string(kRows) +
                    ") INSERT INTO main.Viele SELECT x, 'Zeile ' || x, x / 8.0, '2024-03-15', x % 1000 FROM n;");
        }
        listener = std::make_unique<net::Listener>([this](net::Connection& c) {
            model::Database db(root / "data");
            odbc::serveConnection(c, db, options);
        });
        listener->start();
        const std::string reg = std::string(KESTO_SOURCE_DIR "/scripts/odbc-register.sh --dir ") + (root / "ini").string() +
                                " --driver " KESTO_ODBC_DRIVER " --port " + std::to_string(listener->port());
        if (std::system(reg.c_str()) != 0) throw std::runtime_error("driver registration failed");
        ::setenv("ODBCSYSINI", (root / "ini").c_str(), 1);
        ::setenv("ODBCINI", (root / "ini" / "odbc.ini").c_str(), 1);
    }
    ~Fixture() {
        listener->stop();
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

void FetchMillionRows(benchmark::State& state) {
    static Fixture fixture;
    SQLHENV henv = nullptr;
    SQLHDBC hdbc = nullptr;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &henv);
    SQLSetEnvAttr(henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc);
    if (!SQL_SUCCEEDED(SQLConnect(hdbc, (SQLCHAR*)"KestoDSN", SQL_NTS, (SQLCHAR*)"DEMO", SQL_NTS, (SQLCHAR*)"demo", SQL_NTS))) {
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
    SQLDisconnect(hdbc);
    SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
    SQLFreeHandle(SQL_HANDLE_ENV, henv);
}
BENCHMARK(FetchMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
