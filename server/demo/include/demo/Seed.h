#pragma once
// Demo data of a building-materials retailer, seeded deterministically: the same options
// give the same rows.

#include <filesystem>
#include <string>

#include "model/Database.h"

namespace kesto::server::demo {

struct SeedOptions {
  std::string today;  // "yyyy-mm-dd" the promotion dates are counted from; empty = the local date
  std::string demoFolder;  // picture and rich-text files of the application (absolute)
};

// Creates the tables and fills them; the caller holds the transaction.
void seed(model::Database& db, const SeedOptions& options = {});

// Opens the data folder the way the server does: creates and seeds it on first start,
// re-seeds it when reset is set, leaves it alone otherwise.
void prepareDataFolder(const std::filesystem::path& folder, bool reset, const SeedOptions& options = {});

// The demo login that works for the application and for ODBC connections.
inline constexpr const char* kDemoUser = "DEMO";
inline constexpr const char* kDemoPassword = "demo";

}  // namespace kesto::server::demo
