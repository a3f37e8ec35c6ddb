// The ODBC 2.50 functions the driver exports by name. Each forwards to the driver's own
// implementation, so calls inside the driver never bind to a manager's same-named symbols.
#include "Api.h"

using namespace kesto::odbc;

extern "C" {

int LoadByOrdinal(void) { return 0; }

BOOL ConfigDSN(HWND parent, WORD request, LPCSTR driver, LPCSTR attributes) {
    return api::configDsn(parent, request, driver, attributes);
}

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
SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC hdbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
    return api::setConnectAttr(hdbc, attribute, value, length);
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

SQLRETURN SQL_API SQLBindCol(SQLHSTMT h, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER v, SQLLEN cbMax, SQLLEN* pcb) {
    return api::bindCol(h, icol, cType, v, cbMax, pcb);
}
SQLRETURN SQL_API SQLCancel(SQLHSTMT h) { return api::cancel(h); }
SQLRETURN SQL_API SQLColAttributes(SQLHSTMT h, SQLUSMALLINT icol, SQLUSMALLINT type, SQLPOINTER out, SQLSMALLINT cbMax,
                                   SQLSMALLINT* pcb, SQLLEN* pfDesc) {
    return api::colAttributes(h, icol, type, out, cbMax, pcb, pfDesc);
}
SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT h, SQLUSMALLINT icol, SQLCHAR* name, SQLSMALLINT cbMax, SQLSMALLINT* pcb,
                                 SQLSMALLINT* type, SQLULEN* colDef, SQLSMALLINT* scale, SQLSMALLINT* nullable) {
    return api::describeCol(h, icol, name, cbMax, pcb, type, colDef, scale, nullable);
}
SQLRETURN SQL_API SQLExecDirect(SQLHSTMT h, SQLCHAR* sql, SQLINTEGER cb) { return api::execDirect(h, sql, cb); }
SQLRETURN SQL_API SQLExecute(SQLHSTMT h) { return api::execute(h); }
SQLRETURN SQL_API SQLFetch(SQLHSTMT h) { return api::fetch(h); }
SQLRETURN SQL_API SQLGetCursorName(SQLHSTMT h, SQLCHAR* out, SQLSMALLINT cbMax, SQLSMALLINT* pcb) {
    return api::getCursorName(h, out, cbMax, pcb);
}
SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT h, SQLSMALLINT* pccol) { return api::numResultCols(h, pccol); }
SQLRETURN SQL_API SQLPrepare(SQLHSTMT h, SQLCHAR* sql, SQLINTEGER cb) { return api::prepare(h, sql, cb); }
SQLRETURN SQL_API SQLRowCount(SQLHSTMT h, SQLLEN* pcrow) { return api::rowCount(h, pcrow); }
SQLRETURN SQL_API SQLSetCursorName(SQLHSTMT h, SQLCHAR* name, SQLSMALLINT cb) { return api::setCursorName(h, name, cb); }
SQLRETURN SQL_API SQLSetParam(SQLHSTMT h, SQLUSMALLINT ipar, SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN colDef,
                              SQLSMALLINT scale, SQLPOINTER v, SQLLEN* pcb) {
    return api::setParam(h, ipar, cType, sqlType, colDef, scale, v, pcb);
}
SQLRETURN SQL_API SQLColumns(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t, SQLSMALLINT ct,
                             SQLCHAR* c, SQLSMALLINT cc) {
    return api::columns(h, q, cq, o, co, t, ct, c, cc);
}
SQLRETURN SQL_API SQLGetData(SQLHSTMT h, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER v, SQLLEN cbMax, SQLLEN* pcb) {
    return api::getData(h, icol, cType, v, cbMax, pcb);
}
SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT h, SQLSMALLINT type) { return api::getTypeInfo(h, type); }
SQLRETURN SQL_API SQLParamData(SQLHSTMT h, SQLPOINTER* token) { return api::paramData(h, token); }
SQLRETURN SQL_API SQLPutData(SQLHSTMT h, SQLPOINTER data, SQLLEN cb) { return api::putData(h, data, cb); }
SQLRETURN SQL_API SQLSpecialColumns(SQLHSTMT h, SQLUSMALLINT type, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co,
                                    SQLCHAR* t, SQLSMALLINT ct, SQLUSMALLINT scope, SQLUSMALLINT nullable) {
    return api::specialColumns(h, type, q, cq, o, co, t, ct, scope, nullable);
}
SQLRETURN SQL_API SQLStatistics(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t,
                                SQLSMALLINT ct, SQLUSMALLINT unique, SQLUSMALLINT accuracy) {
    return api::statistics(h, q, cq, o, co, t, ct, unique, accuracy);
}
SQLRETURN SQL_API SQLTables(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t, SQLSMALLINT ct,
                            SQLCHAR* ty, SQLSMALLINT cty) {
    return api::tables(h, q, cq, o, co, t, ct, ty, cty);
}
SQLRETURN SQL_API SQLColumnPrivileges(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t,
                                      SQLSMALLINT ct, SQLCHAR* c, SQLSMALLINT cc) {
    return api::columnPrivileges(h, q, cq, o, co, t, ct, c, cc);
}
SQLRETURN SQL_API SQLDescribeParam(SQLHSTMT h, SQLUSMALLINT ipar, SQLSMALLINT* type, SQLULEN* def, SQLSMALLINT* scale,
                                   SQLSMALLINT* nullable) {
    return api::describeParam(h, ipar, type, def, scale, nullable);
}
SQLRETURN SQL_API SQLExtendedFetch(SQLHSTMT h, SQLUSMALLINT type, SQLLEN irow, SQLULEN* pcrow, SQLUSMALLINT* status) {
    return api::extendedFetch(h, type, irow, pcrow, status);
}
SQLRETURN SQL_API SQLForeignKeys(SQLHSTMT h, SQLCHAR* pq, SQLSMALLINT cpq, SQLCHAR* po, SQLSMALLINT cpo, SQLCHAR* pt,
                                 SQLSMALLINT cpt, SQLCHAR* fq, SQLSMALLINT cfq, SQLCHAR* fo, SQLSMALLINT cfo, SQLCHAR* ft,
                                 SQLSMALLINT cft) {
    return api::foreignKeys(h, pq, cpq, po, cpo, pt, cpt, fq, cfq, fo, cfo, ft, cft);
}
SQLRETURN SQL_API SQLMoreResults(SQLHSTMT h) { return api::moreResults(h); }
SQLRETURN SQL_API SQLNativeSql(SQLHDBC h, SQLCHAR* in, SQLINTEGER cbIn, SQLCHAR* out, SQLINTEGER cbOutMax,
                               SQLINTEGER* pcbOut) {
    return api::nativeSql(h, in, cbIn, out, cbOutMax, pcbOut);
}
SQLRETURN SQL_API SQLNumParams(SQLHSTMT h, SQLSMALLINT* pcpar) { return api::numParams(h, pcpar); }
SQLRETURN SQL_API SQLParamOptions(SQLHSTMT h, SQLULEN crow, SQLULEN* pirow) { return api::paramOptions(h, crow, pirow); }
SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t,
                                 SQLSMALLINT ct) {
    return api::primaryKeys(h, q, cq, o, co, t, ct);
}
SQLRETURN SQL_API SQLProcedureColumns(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* p,
                                      SQLSMALLINT cp, SQLCHAR* c, SQLSMALLINT cc) {
    return api::procedureColumns(h, q, cq, o, co, p, cp, c, cc);
}
SQLRETURN SQL_API SQLProcedures(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* p,
                                SQLSMALLINT cp) {
    return api::procedures(h, q, cq, o, co, p, cp);
}
SQLRETURN SQL_API SQLSetScrollOptions(SQLHSTMT h, SQLUSMALLINT concurrency, SQLLEN keyset, SQLUSMALLINT rowset) {
    return api::setScrollOptions(h, concurrency, keyset, rowset);
}
SQLRETURN SQL_API SQLTablePrivileges(SQLHSTMT h, SQLCHAR* q, SQLSMALLINT cq, SQLCHAR* o, SQLSMALLINT co, SQLCHAR* t,
                                     SQLSMALLINT ct) {
    return api::tablePrivileges(h, q, cq, o, co, t, ct);
}
SQLRETURN SQL_API SQLBindParameter(SQLHSTMT h, SQLUSMALLINT ipar, SQLSMALLINT type, SQLSMALLINT cType, SQLSMALLINT sqlType,
                                   SQLULEN colDef, SQLSMALLINT scale, SQLPOINTER v, SQLLEN cbMax, SQLLEN* pcb) {
    return api::bindParameter(h, ipar, type, cType, sqlType, colDef, scale, v, cbMax, pcb);
}

}  // extern "C"
