// Per-user folders.
#pragma once

#include <filesystem>

namespace kesto::services {

// $KESTO_ROOT, else $XDG_DATA_HOME/kesto, else $HOME/.local/share/kesto. Read afresh on
// every call and created when missing; throws std::filesystem::filesystem_error when it
// cannot be created and std::runtime_error when no variable names a folder.
std::filesystem::path rootFolder();

// The stand-in Windows directory: rootFolder()/"windows", created when missing.
std::filesystem::path windowsDirectory();

}  // namespace kesto::services
