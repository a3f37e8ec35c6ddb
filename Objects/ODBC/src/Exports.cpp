// The ODBC 2.50 functions the driver exports by name. Each forwards to the driver's own
// implementation, so calls inside the driver never bind to a manager's same-named symbols.
#include "Api.h"
#include "Connection.h"
#include "Statement.h"

using namespace kesto::odbc;

namespace {
HandleBase* stmtOf(SQLHSTMT h) { return static_cast<Statement*>(h); }
HandleBase* dbcOf(SQLHDBC h) { return static_cast<Connection*>(h); }
}  // namespace

extern "C" {

int LoadByOrdinal(void) { return 0; }

BOOL ConfigDSN(HWND, WORD, LPCSTR, LPCSTR) { return 0; }

SQLRETURN SQL_API SQLAllocEnv(SQLHENV* phenv) { return api::allocEnv(phenv); }
SQLRETURN SQL_API SQLAllocConnect(SQLHENV henv, SQLHDBC* phdbc) { return api::allocConnect(henv, phdbc); }
SQLRETURN SQL_API SQLAllocStmt(SQLHDBC hdbc, SQLHSTMT* phstmt) { return api::allocStmt(hdbc, phstmt); }
SQLRETURN SQL_API SQLConnect(SQLHDBC hdbc, SQLCHAR* dsn, SQLSMALLINT cbDsn, SQLCHAR* uid, SQLSMALLINT cbUid,
                             SQLCHAR* auth, SQLSMALLINT cbAuth) {
    return api::connect(hdbc, dsn, cbDsn, uid, cbUid, auth, cbAuth);
}
SQLRETURN SQL_API SQLDriverConnect(SQLHDBC hdbc, SQLHWND hwnd, SQLCHAR* in, SQLSMALLINT cbIn, SQLCHAR* out,
                                   SQLSMALLINT cbOutMax, SQLSMALLINT* pcbOut, SQLUSMALLINT completion) {
    return api::driverConnect(hdbc, hwnd, in, cbIn, out, cbOutMax, pcbOut, completion);
}
SQLRETURN SQL_API SQLDisconnect(SQLHDBC hdbc) { return api::disconnect(hdbc); }
SQLRETURN SQL_API SQLFreeConnect(SQLHDBC hdbc) { return api::freeConnect(hdbc); }
SQLRETURN SQL_API SQLFreeEnv(SQLHENV henv) { return api::freeEnv(henv); }
SQLRETURN SQL_API SQLTransact(SQLHENV henv, SQLHDBC hdbc, SQLUSMALLINT type) { return api::transact(henv, hdbc, type); }
SQLRETURN SQL_API SQLGetConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLPOINTER value) {
    return api::getConnectOption(hdbc, option, value);
}
SQLRETURN SQL_API SQLSetConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLULEN value) {
    return api::setConnectOption(hdbc, option, value);
}
SQLRETURN SQL_API SQLGetFunctions(SQLHDBC hdbc, SQLUSMALLINT function, SQLUSMALLINT* exists) {
    return api::getFunctions(hdbc, function, exists);
}
SQLRETURN SQL_API SQLGetInfo(SQLHDBC hdbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    return api::getInfo(hdbc, type, value, cbMax, pcb);
}
SQLRETURN SQL_API SQLError(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt, SQLCHAR* state, SQLINTEGER* native,
                           SQLCHAR* message, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    return api::error(henv, hdbc, hstmt, state, native, message, cbMax, pcb);
}
SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT hstmt, SQLUSMALLINT option) { return api::freeStmt(hstmt, option); }
SQLRETURN SQL_API SQLSetStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value) {
    return api::setStmtOption(hstmt, option, value);
}
SQLRETURN SQL_API SQLGetStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLPOINTER value) {
    return api::getStmtOption(hstmt, option, value);
}

// Statement work comes with the statement layer.
SQLRETURN SQL_API SQLBindCol(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*) {
    return api::notCapable(stmtOf(h), "SQLBindCol");
}
SQLRETURN SQL_API SQLCancel(SQLHSTMT h) { return api::notCapable(stmtOf(h), "SQLCancel"); }
SQLRETURN SQL_API SQLColAttributes(SQLHSTMT h, SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT, SQLSMALLINT*,
                                   SQLLEN*) {
    return api::notCapable(stmtOf(h), "SQLColAttributes");
}
SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT h, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLSMALLINT*, SQLULEN*,
                                 SQLSMALLINT*, SQLSMALLINT*) {
    return api::notCapable(stmtOf(h), "SQLDescribeCol");
}
SQLRETURN SQL_API SQLExecDirect(SQLHSTMT h, SQLCHAR*, SQLINTEGER) { return api::notCapable(stmtOf(h), "SQLExecDirect"); }
SQLRETURN SQL_API SQLExecute(SQLHSTMT h) { return api::notCapable(stmtOf(h), "SQLExecute"); }
SQLRETURN SQL_API SQLFetch(SQLHSTMT h) { return api::notCapable(stmtOf(h), "SQLFetch"); }
SQLRETURN SQL_API SQLGetCursorName(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*) {
    return api::notCapable(stmtOf(h), "SQLGetCursorName");
}
SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT h, SQLSMALLINT*) { return api::notCapable(stmtOf(h), "SQLNumResultCols"); }
SQLRETURN SQL_API SQLPrepare(SQLHSTMT h, SQLCHAR*, SQLINTEGER) { return api::notCapable(stmtOf(h), "SQLPrepare"); }
SQLRETURN SQL_API SQLRowCount(SQLHSTMT h, SQLLEN*) { return api::notCapable(stmtOf(h), "SQLRowCount"); }
SQLRETURN SQL_API SQLSetCursorName(SQLHSTMT h, SQLCHAR*, SQLSMALLINT) { return api::notCapable(stmtOf(h), "SQLSetCursorName"); }
SQLRETURN SQL_API SQLSetParam(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLULEN, SQLSMALLINT, SQLPOINTER,
                              SQLLEN*) {
    return api::notCapable(stmtOf(h), "SQLSetParam");
}
SQLRETURN SQL_API SQLColumns(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*,
                             SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLColumns");
}
SQLRETURN SQL_API SQLGetData(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*) {
    return api::notCapable(stmtOf(h), "SQLGetData");
}
SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT h, SQLSMALLINT) { return api::notCapable(stmtOf(h), "SQLGetTypeInfo"); }
SQLRETURN SQL_API SQLParamData(SQLHSTMT h, SQLPOINTER*) { return api::notCapable(stmtOf(h), "SQLParamData"); }
SQLRETURN SQL_API SQLPutData(SQLHSTMT h, SQLPOINTER, SQLLEN) { return api::notCapable(stmtOf(h), "SQLPutData"); }
SQLRETURN SQL_API SQLSpecialColumns(SQLHSTMT h, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*,
                                    SQLSMALLINT, SQLUSMALLINT, SQLUSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLSpecialColumns");
}
SQLRETURN SQL_API SQLStatistics(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                SQLUSMALLINT, SQLUSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLStatistics");
}
SQLRETURN SQL_API SQLTables(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*,
                            SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLTables");
}
SQLRETURN SQL_API SQLColumnPrivileges(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                      SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLColumnPrivileges");
}
SQLRETURN SQL_API SQLDescribeParam(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT*, SQLULEN*, SQLSMALLINT*, SQLSMALLINT*) {
    return api::notCapable(stmtOf(h), "SQLDescribeParam");
}
SQLRETURN SQL_API SQLExtendedFetch(SQLHSTMT h, SQLUSMALLINT, SQLLEN, SQLULEN*, SQLUSMALLINT*) {
    return api::notCapable(stmtOf(h), "SQLExtendedFetch");
}
SQLRETURN SQL_API SQLForeignKeys(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                 SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLForeignKeys");
}
SQLRETURN SQL_API SQLMoreResults(SQLHSTMT h) { return api::notCapable(stmtOf(h), "SQLMoreResults"); }
SQLRETURN SQL_API SQLNativeSql(SQLHDBC h, SQLCHAR*, SQLINTEGER, SQLCHAR*, SQLINTEGER, SQLINTEGER*) {
    return api::notCapable(dbcOf(h), "SQLNativeSql");
}
SQLRETURN SQL_API SQLNumParams(SQLHSTMT h, SQLSMALLINT*) { return api::notCapable(stmtOf(h), "SQLNumParams"); }
SQLRETURN SQL_API SQLParamOptions(SQLHSTMT h, SQLULEN, SQLULEN*) { return api::notCapable(stmtOf(h), "SQLParamOptions"); }
SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLPrimaryKeys");
}
SQLRETURN SQL_API SQLProcedureColumns(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                      SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLProcedureColumns");
}
SQLRETURN SQL_API SQLProcedures(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLProcedures");
}
SQLRETURN SQL_API SQLSetScrollOptions(SQLHSTMT h, SQLUSMALLINT, SQLLEN, SQLUSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLSetScrollOptions");
}
SQLRETURN SQL_API SQLTablePrivileges(SQLHSTMT h, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    return api::notCapable(stmtOf(h), "SQLTablePrivileges");
}
SQLRETURN SQL_API SQLBindParameter(SQLHSTMT h, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLULEN, SQLSMALLINT,
                                   SQLPOINTER, SQLLEN, SQLLEN*) {
    return api::notCapable(stmtOf(h), "SQLBindParameter");
}

}  // extern "C"
