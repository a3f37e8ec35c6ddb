// Command line of kestoserver.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "demo/Seed.h"
#include "objproto/Options.h"

namespace kesto::server::program {

struct ProgramOptions {
  objproto::ServerOptions object;
  std::uint16_t odbcPort = 1972;
  bool reset = false;
  demo::SeedOptions seed;  // where the seeded parameters point for pictures and rich texts
  bool allowRemote = false;
  // Largest size of each data file in MiB; 0 = no limit. A runaway statement must not fill
  // the disk.
  std::size_t maxDataMiB = 2048;
  // Largest text or blob a statement may build, in MiB: a runaway printf or randomblob
  // must not take the server's memory.
  std::size_t maxValueMiB = 64;
  // How long a session waits for another one's write lock before "database is locked".
  std::size_t lockWaitMs = 5000;
  // Result rows one ODBC connection may hold at once (static cursors), in MiB; 0 = no
  // limit. Queries must not exhaust the server's memory.
  std::size_t maxResultMiB = 256;
  // Started by the ODBC driver: "-s<dir>" (data folder), "-U<namespace>", and the routine
  // argument "SharedMemory^%qserver" serve one client over shared memory instead of listening.
  bool sharedMemory = false;
  std::string nameSpace;
};

// Parses the arguments after the program name; throws std::invalid_argument with a text
// for the user on anything it does not understand.
ProgramOptions parseOptions(const std::vector<std::string>& args);

// The default data folder: <root>/server, root from $KESTO_ROOT and the usual fallbacks.
std::filesystem::path defaultDataFolder();
// The default folder of the application's demo files: <root>/demo.
std::filesystem::path defaultDemoFolder();

extern const char* const kUsage;
// What each option does, one line each; --help prints it after kUsage.
extern const char* const kOptions;
extern const char* const kSharedMemoryRoutine;

}  // namespace kesto::server::program
