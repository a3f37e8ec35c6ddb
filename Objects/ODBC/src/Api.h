// The driver's entry points, callable from inside the driver and from tests; the exported
// ODBC names (Exports.cpp) only forward here, so internal calls never reach a driver
// manager's functions of the same name.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include "Errors.h"

namespace kesto::odbc::api {

SQLRETURN allocEnv(SQLHENV* phenv);
SQLRETURN allocConnect(SQLHENV henv, SQLHDBC* phdbc);
SQLRETURN allocStmt(SQLHDBC hdbc, SQLHSTMT* phstmt);
SQLRETURN connect(SQLHDBC hdbc, SQLCHAR* dsn, SQLSMALLINT cbDsn, SQLCHAR* uid, SQLSMALLINT cbUid, SQLCHAR* auth,
                  SQLSMALLINT cbAuth);
SQLRETURN driverConnect(SQLHDBC hdbc, SQLHWND hwnd, SQLCHAR* in, SQLSMALLINT cbIn, SQLCHAR* out, SQLSMALLINT cbOutMax,
                        SQLSMALLINT* pcbOut, SQLUSMALLINT completion);
SQLRETURN disconnect(SQLHDBC hdbc);
SQLRETURN freeConnect(SQLHDBC hdbc);
SQLRETURN freeEnv(SQLHENV henv);
SQLRETURN transact(SQLHENV henv, SQLHDBC hdbc, SQLUSMALLINT type);
SQLRETURN getConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLPOINTER value);
SQLRETURN setConnectOption(SQLHDBC hdbc, SQLUSMALLINT option, SQLULEN value);
// The one ODBC 3 entry point: the driver manager passes a connection attribute to an ODBC 2
// driver only within the ODBC 2 option range, and answers HY092 for the connection timeout
// (113) itself, which clients such as pyodbc set as the query timeout of a connection.
SQLRETURN setConnectAttr(SQLHDBC hdbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);
SQLRETURN getFunctions(SQLHDBC hdbc, SQLUSMALLINT function, SQLUSMALLINT* exists);
SQLRETURN getInfo(SQLHDBC hdbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT cbMax, SQLSMALLINT* pcb);
SQLRETURN error(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                SQLSMALLINT cbMax, SQLSMALLINT* pcb);

// Statement entry points.
SQLRETURN freeStmt(SQLHSTMT hstmt, SQLUSMALLINT option);
SQLRETURN setStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value);
SQLRETURN getStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLPOINTER value);
SQLRETURN bindCol(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb);
SQLRETURN bindParameter(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT type, SQLSMALLINT cType, SQLSMALLINT sqlType,
                        SQLULEN colDef, SQLSMALLINT scale, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb);
SQLRETURN setParam(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN colDef,
                   SQLSMALLINT scale, SQLPOINTER value, SQLLEN* pcb);
SQLRETURN cancel(SQLHSTMT hstmt);
SQLRETURN execDirect(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER cb);
SQLRETURN prepare(SQLHSTMT hstmt, SQLCHAR* sql, SQLINTEGER cb);
SQLRETURN execute(SQLHSTMT hstmt);
SQLRETURN fetch(SQLHSTMT hstmt);
SQLRETURN extendedFetch(SQLHSTMT hstmt, SQLUSMALLINT type, SQLLEN irow, SQLULEN* pcrow, SQLUSMALLINT* status);
SQLRETURN paramData(SQLHSTMT hstmt, SQLPOINTER* token);
SQLRETURN putData(SQLHSTMT hstmt, SQLPOINTER data, SQLLEN cb);
SQLRETURN paramOptions(SQLHSTMT hstmt, SQLULEN crow, SQLULEN* pirow);
SQLRETURN moreResults(SQLHSTMT hstmt);
SQLRETURN describeCol(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLCHAR* name, SQLSMALLINT cbNameMax, SQLSMALLINT* pcbName,
                      SQLSMALLINT* pfSqlType, SQLULEN* pcbColDef, SQLSMALLINT* pibScale, SQLSMALLINT* pfNullable);
SQLRETURN colAttributes(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLUSMALLINT type, SQLPOINTER out, SQLSMALLINT cbMax,
                        SQLSMALLINT* pcb, SQLLEN* pfDesc);
SQLRETURN numResultCols(SQLHSTMT hstmt, SQLSMALLINT* pccol);
SQLRETURN rowCount(SQLHSTMT hstmt, SQLLEN* pcrow);
SQLRETURN getData(SQLHSTMT hstmt, SQLUSMALLINT icol, SQLSMALLINT cType, SQLPOINTER value, SQLLEN cbMax, SQLLEN* pcb);
SQLRETURN describeParam(SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT* pfSqlType, SQLULEN* pcbParamDef,
                        SQLSMALLINT* pibScale, SQLSMALLINT* pfNullable);
SQLRETURN numParams(SQLHSTMT hstmt, SQLSMALLINT* pcpar);
SQLRETURN getCursorName(SQLHSTMT hstmt, SQLCHAR* out, SQLSMALLINT cbMax, SQLSMALLINT* pcb);
SQLRETURN setCursorName(SQLHSTMT hstmt, SQLCHAR* cursor, SQLSMALLINT cb);
SQLRETURN setScrollOptions(SQLHSTMT hstmt, SQLUSMALLINT concurrency, SQLLEN keyset, SQLUSMALLINT rowset);
SQLRETURN nativeSql(SQLHDBC hdbc, SQLCHAR* in, SQLINTEGER cbIn, SQLCHAR* out, SQLINTEGER cbOutMax, SQLINTEGER* pcbOut);

// Catalog entry points.
SQLRETURN getTypeInfo(SQLHSTMT hstmt, SQLSMALLINT type);
SQLRETURN columns(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                  SQLCHAR* table, SQLSMALLINT cbTable, SQLCHAR* column, SQLSMALLINT cbColumn);
SQLRETURN specialColumns(SQLHSTMT hstmt, SQLUSMALLINT colType, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner,
                         SQLSMALLINT cbOwner, SQLCHAR* table, SQLSMALLINT cbTable, SQLUSMALLINT scope, SQLUSMALLINT nullable);
SQLRETURN statistics(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                     SQLCHAR* table, SQLSMALLINT cbTable, SQLUSMALLINT unique, SQLUSMALLINT accuracy);
SQLRETURN tables(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                 SQLCHAR* table, SQLSMALLINT cbTable, SQLCHAR* type, SQLSMALLINT cbType);
SQLRETURN columnPrivileges(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                           SQLCHAR* table, SQLSMALLINT cbTable, SQLCHAR* column, SQLSMALLINT cbColumn);
SQLRETURN foreignKeys(SQLHSTMT hstmt, SQLCHAR* pkQualifier, SQLSMALLINT cbPkQualifier, SQLCHAR* pkOwner, SQLSMALLINT cbPkOwner,
                      SQLCHAR* pkTable, SQLSMALLINT cbPkTable, SQLCHAR* fkQualifier, SQLSMALLINT cbFkQualifier,
                      SQLCHAR* fkOwner, SQLSMALLINT cbFkOwner, SQLCHAR* fkTable, SQLSMALLINT cbFkTable);
SQLRETURN primaryKeys(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                      SQLCHAR* table, SQLSMALLINT cbTable);
SQLRETURN procedureColumns(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                           SQLCHAR* proc, SQLSMALLINT cbProc, SQLCHAR* column, SQLSMALLINT cbColumn);
SQLRETURN procedures(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                     SQLCHAR* proc, SQLSMALLINT cbProc);
SQLRETURN tablePrivileges(SQLHSTMT hstmt, SQLCHAR* qualifier, SQLSMALLINT cbQualifier, SQLCHAR* owner, SQLSMALLINT cbOwner,
                          SQLCHAR* table, SQLSMALLINT cbTable);

// Data-source setup (ConfigDSN).
BOOL configDsn(HWND parent, WORD request, LPCSTR driver, LPCSTR attributes);

}  // namespace kesto::odbc::api
