// Catalog requests (tables, columns, keys, statistics, types, procedures) answered from
// SQLite's schema. Owners: "SQLUser" is SQLite's main schema, "FRX" the attached one.
#pragma once

#include "Results.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kesto::server::odbc {

struct CatalogError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ODBC search pattern: "%" any run, "_" one character, "\" escapes; case is not compared.
bool matchesPattern(std::string_view pattern, std::string_view name);

// The result of catalog request `code` with its string arguments; throws CatalogError for
// an unknown code.
std::unique_ptr<StaticRows> runCatalog(sqlite3* db, std::string_view code, const std::vector<std::string>& args);

}  // namespace kesto::server::odbc
