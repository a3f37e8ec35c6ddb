// ConfigDSN: adds, changes or removes a data source in "ODBC.INI" for the ODBC installer.
// No setup window exists on this platform: every request runs as without a window.
#include "Api.h"
#include "Installer.h"
#include "Trace.h"

#include <odbcinst.h>

#include <cstring>
#include <string>
#include <string_view>

namespace kesto::odbc::api {
namespace {

constexpr const char* kDriverSection = "Norvane ODBC";

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

BOOL configDsn(HWND, WORD request, LPCSTR, LPCSTR attributes) {
    trace::processAttach();
    if (trace::enabled())
        trace::line(trace::Enter, "ConfigDSN", trace::format("fRequest = %u", static_cast<unsigned>(request)));
    // Pairs "key=value", each NUL-terminated, the list ended by an empty one. Pairs before the
    // first DSN= are ignored; after it UID, PWD and DATABASE are written at once.
    std::string dsn;
    for (const char* pair = attributes; pair && *pair; pair += std::strlen(pair) + 1) {
        const std::string_view p(pair);
        if (startsWith(p, "DSN=")) {
            dsn = std::string(p.substr(4, 2048));
            continue;
        }
        if (dsn.empty()) continue;
        if (startsWith(p, "UID=")) installer::writeProfileString(dsn, "UID", std::string(p.substr(4)), "ODBC.INI");
        else if (startsWith(p, "PWD=")) installer::writeProfileString(dsn, "Password", std::string(p.substr(4)), "ODBC.INI");
        else if (startsWith(p, "DATABASE=")) installer::writeProfileString(dsn, "Namespace", std::string(p.substr(9)), "ODBC.INI");
    }
    BOOL result = 1;
    if (request == ODBC_ADD_DSN) {
        // A new source must name the driver and be listed, or no manager can use it.
        if (dsn.empty()) {
            result = 0;
        } else {
            const std::string driver = installer::profileString(kDriverSection, "Driver", "", "ODBCINST.INI");
            installer::writeProfileString("ODBC Data Sources", dsn, kDriverSection, "ODBC.INI");
            installer::writeProfileString(dsn, "Driver", driver, "ODBC.INI");
        }
    } else if (request == ODBC_REMOVE_DSN) {
        if (!dsn.empty()) installer::removeDataSource(dsn);
    }
    if (trace::enabled()) trace::line(trace::Leave, "ConfigDSN", trace::format("Returning %d", result));
    return result;
}

}  // namespace kesto::odbc::api
