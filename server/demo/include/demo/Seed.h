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
  bool writeFiles = true;  // write the demo pictures into demoFolder while seeding
};

// Creates the tables and fills them; the caller holds the transaction. With a demo folder
// its picture files are written there too (writeDemoFiles).
void seed(model::Database& db, const SeedOptions& options = {});

// Opens the data folder the way the server does: creates and seeds it on first start,
// re-seeds it when reset is set, leaves it alone otherwise.
void prepareDataFolder(const std::filesystem::path& folder, bool reset, const SeedOptions& options = {});

// Writes the demo picture files below the folder ("bilder/brisal.bmp" ...); a file that
// exists already is kept. Throws std::runtime_error when a file cannot be written.
void writeDemoFiles(const std::filesystem::path& folder);

// The demo login that works for the application and for ODBC connections.
inline constexpr const char* kDemoUser = "DEMO";
inline constexpr const char* kDemoPassword = "demo";

}  // namespace kesto::server::demo
