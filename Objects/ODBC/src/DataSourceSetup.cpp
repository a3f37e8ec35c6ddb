// ConfigDSN: adds, changes or removes a data source in "ODBC.INI" for the ODBC installer.
// With a window the setup dialog (from the dialog plug-in) does the adding and changing.
#include "Api.h"
#include "DataSourceEditor.h"
#include "Installer.h"
#include "Trace.h"

#include <odbcinst.h>

#include <dlfcn.h>

#include <cstring>
#include <string>
#include <string_view>

namespace kesto::odbc::api {
namespace {

constexpr const char* kDriverSection = "Norvane ODBC";

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The installer's error for its caller (SQLInstallerError), bound like the other installer
// functions; the trace gets the same text.
void reportFailure(const std::string& text) {
    using PostError = decltype(&SQLPostInstallerError);
    static void* lib = dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_LOCAL);
    static const auto post = lib ? reinterpret_cast<PostError>(dlsym(lib, "SQLPostInstallerError")) : nullptr;
    if (post) post(ODBC_ERROR_REQUEST_FAILED, text.c_str());
    if (trace::enabled()) trace::line(trace::Error, "ConfigDSN", text);
}

}  // namespace

BOOL configDsn(HWND parent, WORD request, LPCSTR, LPCSTR attributes) {
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
    if (parent && (request == ODBC_ADD_DSN || request == ODBC_CONFIG_DSN)) {
        // A change without a name has nothing to open: the dialog starts as for a new source.
        std::string error;
        const int shown = setup::runSetupDialog(parent, request == ODBC_CONFIG_DSN ? dsn : std::string(), error);
        if (shown < 0) reportFailure(error);
        result = shown == KESTO_ODBC_UI_OK;
    } else if (request == ODBC_ADD_DSN) {
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
