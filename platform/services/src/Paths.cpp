#include "services/Paths.h"

#include <cstdlib>
#include <stdexcept>

namespace kesto::services {
namespace {

std::filesystem::path fromEnvironment() {
  if (const char* root = std::getenv("KESTO_ROOT"); root && *root) return root;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    return std::filesystem::path(data) / "kesto";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".local" / "share" / "kesto";
  }
  throw std::runtime_error("no folder for per-user data: KESTO_ROOT, XDG_DATA_HOME and HOME are unset");
}

std::filesystem::path ensureFolder(std::filesystem::path folder) {
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

std::filesystem::path rootFolder() { return ensureFolder(fromEnvironment()); }

std::filesystem::path windowsDirectory() { return ensureFolder(rootFolder() / "windows"); }

}  // namespace kesto::services
