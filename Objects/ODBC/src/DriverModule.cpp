#include "DriverModule.h"

#include <services/Paths.h>

#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace kesto::odbc {
namespace {
void anchor() {}
}  // namespace

std::filesystem::path driverModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&anchor), &info) && info.dli_fname) {
        std::error_code ec;
        auto p = std::filesystem::canonical(info.dli_fname, ec);
        return ec ? std::filesystem::path(info.dli_fname) : p;
    }
    return {};
}

std::filesystem::path installRoot() { return driverModulePath().parent_path().parent_path(); }

std::filesystem::path helpFilePath() { return installRoot() / "Help" / "KestoDSN.hlp"; }

std::filesystem::path windowsDirectory() {
    // $KESTO_WINDIR names the folder outright (created private when missing); else the
    // per-user stand-in shared with the object library.
    if (const char* named = std::getenv("KESTO_WINDIR"); named && *named) {
        const std::filesystem::path folder(named);
        std::error_code ec;
        if (std::filesystem::create_directories(folder, ec))
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
        return folder;
    }
    return kesto::services::windowsDirectory();
}

std::string executablePath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace kesto::odbc
