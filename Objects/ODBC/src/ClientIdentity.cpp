#include "ClientIdentity.h"

#include "AnsiText.h"
#include "DriverModule.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netdb.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace kesto::odbc {
namespace {

// The Windows values this record always carried: a Windows NT platform on x64.
constexpr std::uint16_t kPlatformId = 2;
constexpr std::uint16_t kArchitecture = 9;

void putLe(std::array<std::uint8_t, 12>& r, std::size_t at, std::uint32_t v, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) r[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::u16string osUserName() {
    std::vector<char> buf(4096);
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &found) != 0 || !found) return {};
    return widen(std::string(found->pw_name).substr(0, 16));
}

std::u16string computerName() {
    char name[256] = "";
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return widen(std::string(name).substr(0, 20));
}

std::u16string executableName() {
    const std::string path = executablePath();
    const auto slash = path.find_last_of('/');
    return fromProfileText(path.substr(slash == std::string::npos ? 0 : slash + 1)).substr(0, 20);
}

std::array<std::uint8_t, 12> systemRecord() {
    std::array<std::uint8_t, 12> r{};
    utsname u{};
    unsigned major = 0, minor = 0, build = 0;
    if (uname(&u) == 0) {
        char* p = u.release;
        major = static_cast<unsigned>(std::strtoul(p, &p, 10));
        if (*p == '.') minor = static_cast<unsigned>(std::strtoul(p + 1, &p, 10));
        if (*p == '.') build = static_cast<unsigned>(std::strtoul(p + 1, &p, 10));
    }
    putLe(r, 0, major, 2);
    putLe(r, 2, minor, 2);
    putLe(r, 4, build, 4);
    putLe(r, 8, kPlatformId, 2);
    putLe(r, 10, kArchitecture, 2);
    return r;
}

std::string clientAddress(const std::string& host) {
    if (host.rfind("127.", 0) == 0) {
        const auto colon = host.find(':');
        return colon == std::string::npos ? std::string("127.0.0.1") : host.substr(0, colon);
    }
    char name[256] = "";
    if (gethostname(name, sizeof name - 1) != 0) return "127.0.0.1";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    std::string result = "127.0.0.1";
    if (getaddrinfo(name, nullptr, &hints, &found) == 0 && found) {
        char text[INET_ADDRSTRLEN] = "";
        if (inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text, sizeof text))
            result = text;
    }
    if (found) freeaddrinfo(found);
    return result;
}

}  // namespace kesto::odbc
