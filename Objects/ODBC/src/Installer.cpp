#include "Installer.h"

#include <dlfcn.h>

#include <vector>

namespace kesto::odbc::installer {
namespace {

using GetProfileString = int (*)(const char*, const char*, const char*, char*, int, const char*);
using WriteProfileString = int (*)(const char*, const char*, const char*, const char*);
using RemoveDsn = int (*)(const char*);

// A function of the installer library, bound once; null when the library or name is missing.
template <typename F>
F bound(const char* name) {
    static void* lib = dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_LOCAL);
    return lib ? reinterpret_cast<F>(dlsym(lib, name)) : nullptr;
}

}  // namespace

std::string profileString(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& file) {
    static const auto get = bound<GetProfileString>("SQLGetPrivateProfileString");
    if (!get) return fallback;
    std::vector<char> buf(4096);
    for (;;) {
        const int n = get(section.c_str(), key.c_str(), fallback.c_str(), buf.data(), static_cast<int>(buf.size()),
                          file.c_str());
        if (n < 0) return fallback;
        if (static_cast<std::size_t>(n) + 1 < buf.size()) return std::string(buf.data(), static_cast<std::size_t>(n));
        if (buf.size() >= (1u << 20)) return std::string(buf.data(), buf.size() - 1);
        buf.resize(buf.size() * 4);  // the value may have been cut: read it again whole
    }
}

bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file) {
    static const auto put = bound<WriteProfileString>("SQLWritePrivateProfileString");
    return put && put(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

bool removeDataSource(const std::string& dsn) {
    static const auto remove = bound<RemoveDsn>("SQLRemoveDSNFromIni");
    static const auto put = bound<WriteProfileString>("SQLWritePrivateProfileString");
    if (!remove || remove(dsn.c_str()) == 0) return false;
    // The installer drops only the source's own section; its line in the list of data
    // sources goes with a null value.
    return put && put("ODBC Data Sources", dsn.c_str(), nullptr, "odbc.ini") != 0;
}

}  // namespace kesto::odbc::installer
