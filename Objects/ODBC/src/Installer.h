// The ODBC installer functions, bound at run time by name (the driver links no ODBC library).
// The 8-bit entry points are used: the wide ones of this libodbcinst mangle bytes above 127.
#pragma once

#include <string>

namespace kesto::odbc::installer {

// A value of an installer file ("ODBC.INI", "ODBCINST.INI"); the default when the key or the
// installer library is missing.
std::string profileString(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& file);

// Writes one value; false when the installer refused or is missing.
bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file);

// Removes a data source's section and its "ODBC Data Sources" entry.
bool removeDataSource(const std::string& dsn);

}  // namespace kesto::odbc::installer
