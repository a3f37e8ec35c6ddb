// The three handles of one ODBC connection, freed in order.
#pragma once

#include <sql.h>
#include <sqlext.h>

namespace kesto::e2e {

struct Handles {
    SQLHENV henv = nullptr;
    SQLHDBC hdbc = nullptr;
    SQLHSTMT hstmt = nullptr;
    ~Handles() {
        if (hstmt) SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        if (hdbc) {
            SQLDisconnect(hdbc);
            SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
        }
        if (henv) SQLFreeHandle(SQL_HANDLE_ENV, henv);
    }
};

}  // namespace kesto::e2e
