#include "ConnectPrompts.h"

#include "AnsiText.h"
#include "Connection.h"
#include "DialogPlugin.h"
#include "Installer.h"

#include <text/CodePage.h>

#include <exception>

namespace kesto::odbc::prompt {
namespace {

constexpr std::size_t kMaxField = 2048;

std::u16string field(const char* utf8) { return fromProfileText(utf8 ? utf8 : "").substr(0, kMaxField); }

Outcome outcomeOf(int result, std::string& error) {
    if (result == KESTO_ODBC_UI_OK) return Outcome::Accepted;
    if (result == KESTO_ODBC_UI_CANCELLED) return Outcome::Cancelled;
    error = dialogs::kNoDisplay;
    return Outcome::Failed;
}

// Callbacks run inside the plug-in's C frames: nothing may unwind through them.
int acceptDataSource(void* context, const char* name) noexcept {
    try {
        auto& dbc = *static_cast<Connection*>(context);
        const std::string section = name ? name : "";
        auto value = [&](const char* key) { return fromProfileText(installer::profileString(section, key, "", "ODBC.INI")); };
        if (section.empty() || value("Driver").empty()) return 0;
        dbc.dsn = field(name);
        dbc.user = value("UID");
        dbc.password = value("Password");
        dbc.nameSpace = value("Namespace");
        if (value("Protocol") != u"Shared") {
            dbc.host = value("Host");
            dbc.port = value("Port");
            dbc.transportKind = TransportKind::Tcp;
        } else {
            dbc.transportKind = TransportKind::SharedMemory;
        }
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

void acceptLogin(void* context, const char* user, const char* password) noexcept {
    try {
        auto& dbc = *static_cast<Connection*>(context);
        dbc.user = field(user);
        dbc.password = field(password);
    } catch (const std::exception&) {
    }
}

}  // namespace

Outcome chooseDataSource(void* window, Connection& dbc, std::string& error) {
    const dialogs::Plugin* plugin = dialogs::plugin(error);
    if (!plugin) return Outcome::Failed;
    return outcomeOf(plugin->chooseDataSource(window, &acceptDataSource, &dbc), error);
}

Outcome login(void* window, Connection& dbc, std::string& error) {
    const dialogs::Plugin* plugin = dialogs::plugin(error);
    if (!plugin) return Outcome::Failed;
    const std::string user = text::utf16ToUtf8(dbc.user), password = text::utf16ToUtf8(dbc.password);
    return outcomeOf(plugin->loginPrompt(window, user.c_str(), password.c_str(), &acceptLogin, &dbc), error);
}

}  // namespace kesto::odbc::prompt
