// The ODBC installer functions, bound at run time by name (the driver links no ODBC library).
#pragma once

#include <string>

namespace kesto::odbc::installer {

// A value of an installer file ("ODBC.INI", "ODBCINST.INI"); the default when the key or the
// installer library is missing. The 8-bit entry points are used: the wide ones of this
// libodbcinst mangle bytes above 127.
std::string profileString(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& file);

}  // namespace kesto::odbc::installer
