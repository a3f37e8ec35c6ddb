#include "Installer.h"

#include <dlfcn.h>

#include <mutex>
#include <vector>

namespace kesto::odbc::installer {
namespace {

using GetProfileString = int (*)(const char*, const char*, const char*, char*, int, const char*);

GetProfileString boundGetter() {
    static GetProfileString fn = [] () -> GetProfileString {
        void* lib = dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!lib) return nullptr;
        return reinterpret_cast<GetProfileString>(dlsym(lib, "SQLGetPrivateProfileString"));
    }();
    return fn;
}

}  // namespace

std::string profileString(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& file) {
    const GetProfileString get = boundGetter();
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

}  // namespace kesto::odbc::installer
