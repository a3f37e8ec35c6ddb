// Where the driver and its process live: module path, installation root, Windows directory.
#pragma once

#include <filesystem>
#include <string>

namespace kesto::odbc {

// Full path of the loaded driver library (or of the program that links the driver code).
std::filesystem::path driverModulePath();

// The driver's folder minus its last directory: the driver lies in <root>/bin.
std::filesystem::path installRoot();

// <root>/Help/KestoDSN.hlp, for the setup dialog's Help button.
std::filesystem::path helpFilePath();

// The stand-in Windows directory (created on demand).
std::filesystem::path windowsDirectory();

// Full path of the calling program's executable.
std::string executablePath();

}  // namespace kesto::odbc
