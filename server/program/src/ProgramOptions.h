// Command line of kestoserver.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "objproto/Options.h"

namespace kesto::server::program {

struct ProgramOptions {
  objproto::ServerOptions object;
  std::uint16_t odbcPort = 1972;
  bool reset = false;
  bool allowRemote = false;
};

// Parses the arguments after the program name; throws std::invalid_argument with a text
// for the user on anything it does not understand.
ProgramOptions parseOptions(const std::vector<std::string>& args);

// The default data folder: <root>/server, root from $KESTO_ROOT and the usual fallbacks.
std::filesystem::path defaultDataFolder();

extern const char* const kUsage;

}  // namespace kesto::server::program
