// The dialogs SQLDriverConnect shows for missing settings: the choice of a data source and the
// login. Shown through the dialog plug-in, owned by the caller's window.
#pragma once

#include <string>

#include "Errors.h"

namespace kesto::odbc {

struct Connection;

namespace prompt {

// Driver code of a prompt that could not be shown (no plug-in, no display).
inline constexpr int kDialogFailed = code::DialogFailed;

enum class Outcome { Accepted, Cancelled, Failed };

// Asks for a data source; an accepted name fills the DSN, credentials, namespace and
// transport from its section in "ODBC.INI".
Outcome chooseDataSource(void* window, Connection& dbc, std::string& error);

// Asks for the user name and password, starting with the connection's.
Outcome login(void* window, Connection& dbc, std::string& error);

}  // namespace prompt
}  // namespace kesto::odbc
