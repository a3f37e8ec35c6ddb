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
SQLRETURN getFunctions(SQLHDBC hdbc, SQLUSMALLINT function, SQLUSMALLINT* exists);
SQLRETURN getInfo(SQLHDBC hdbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT cbMax, SQLSMALLINT* pcb);
SQLRETURN error(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                SQLSMALLINT cbMax, SQLSMALLINT* pcb);

// Statement entry points of this level.
SQLRETURN freeStmt(SQLHSTMT hstmt, SQLUSMALLINT option);
SQLRETURN setStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLULEN value);
SQLRETURN getStmtOption(SQLHSTMT hstmt, SQLUSMALLINT option, SQLPOINTER value);
// Statement entry points whose work is not built yet: 469 "driver not capable".
SQLRETURN notCapable(HandleBase* handle, const char* name);

}  // namespace kesto::odbc::api
