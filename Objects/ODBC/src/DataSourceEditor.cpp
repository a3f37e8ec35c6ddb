#include "DataSourceEditor.h"

#include "AnsiText.h"
#include "Api.h"
#include "DialogPlugin.h"
#include "DriverModule.h"
#include "Installer.h"

#include <exception>

namespace kesto::odbc::setup {
namespace {

constexpr const char* kDriverSection = "Norvane ODBC";
constexpr const char* kDriverVersion = "4.0.818.0";

std::string text(const char* utf8) { return utf8 ? utf8 : ""; }
const char* flag(int on) { return on ? "1" : "0"; }

std::string dataSourceValue(const std::string& name, const char* key, const char* fallback = "") {
    return installer::profileString(name, key, fallback, "ODBC.INI");
}

std::string debugSwitch() { return installer::profileString(kDriverSection, "DEBUG", "", "ODBCINST.INI"); }
void setDebugSwitch(const std::string& value) {
    installer::writeProfileString(kDriverSection, "DEBUG", value, "ODBCINST.INI");
}

bool isDataSource(const std::string& name) {
    return !installer::profileString("ODBC Data Sources", name, "", "ODBC.INI").empty() ||
           !dataSourceValue(name, "Driver").empty();
}

// The driver's entry points take the 8-bit code page.
std::string ansi(const std::string& utf8) { return narrow(fromProfileText(utf8)); }
SQLCHAR* sqlText(std::string& s) { return reinterpret_cast<SQLCHAR*>(s.data()); }

}  // namespace

DataSourceEditor::DataSourceEditor(std::string existingName) : existing_(!existingName.empty()) {
    keptDebug_ = debugSwitch();
    if (existing_) {
        Values& k = kept_;
        k.name = std::move(existingName);
        k.protocol = dataSourceValue(k.name, "Protocol");
        k.host = dataSourceValue(k.name, "Host");
        k.port = dataSourceValue(k.name, "Port");
        k.configuration = dataSourceValue(k.name, "Configuration");
        k.nameSpace = dataSourceValue(k.name, "Namespace");
        k.user = dataSourceValue(k.name, "UID");
        k.password = dataSourceValue(k.name, "Password");
        k.description = dataSourceValue(k.name, "Description");
        // A missing key disables timeouts when connecting: show it so.
        k.queryTimeout = dataSourceValue(k.name, "Query Timeout", "1");
        k.staticCursors = dataSourceValue(k.name, "Static Cursors", "0");
        const bool shared = k.protocol == "Shared";
        start_ = {k.name.c_str(), k.description.c_str(), shared ? "" : k.host.c_str(), shared ? "" : k.port.c_str(),
                  shared ? k.configuration.c_str() : "", k.nameSpace.c_str(), k.user.c_str(), k.password.c_str(),
                  !shared, shared, 0, k.queryTimeout.rfind('1', 0) == 0, k.staticCursors.rfind('1', 0) == 0};
    } else {
        start_ = {"", "", "127.0.0.1", "1972", "", "", "", "", 1, 0, 0, 0, 0};
    }
    start_.log = keptDebug_ == "1";
}

void DataSourceEditor::write(const std::string& key, const std::string& value) {
    installer::writeProfileString(currentName_, key, value, "ODBC.INI");
}

std::string DataSourceEditor::save(const kesto_odbc_setup_form& f) {
    const std::string driver = installer::profileString(kDriverSection, "Driver", "", "ODBCINST.INI");
    summary_ = "Driver = " + driver + "\r\nDriver Version = " + kDriverVersion;
    currentName_ = text(f.name);
    if (currentName_.empty()) return "Please fill in the Data Source Name field";
    if (!created_.count(currentName_) && !isDataSource(currentName_)) created_.insert(currentName_);
    installer::writeProfileString("ODBC Data Sources", currentName_, kDriverSection, "ODBC.INI");
    write("Driver", driver);
    summary_ += "\r\n\r\nData Source Name = " + currentName_ + "\r\nProtocol = ";
    if (f.tcp) {
        summary_ += "TCP/IP";
        write("Protocol", "TCP");
        const std::string host = text(f.host), port = text(f.port);
        if (host.empty()) return "Please fill in the Host (IP Address) field";
        write("Host", host);
        summary_ += "\r\nHost (IP Address) = " + host;
        if (port.empty()) return "Please fill in the Port field";
        write("Port", port);
        summary_ += "\r\nPort = " + port;
    } else if (f.shared) {
        write("Protocol", "Shared");
        summary_ += "Shared Memory\r\nKesto Configuration = ";
    }
    const std::string nameSpace = text(f.name_space);
    if (nameSpace.empty()) return "Please fill in the Kesto Namespace field";
    write("Namespace", nameSpace);
    summary_ += "\r\nKesto Namespace = " + nameSpace;
    write("UID", text(f.user));
    summary_ += "\r\nUser Name = " + text(f.user);
    write("Password", text(f.password));
    write("Description", text(f.description));
    summary_ += "\r\nDescription = " + text(f.description);
    setDebugSwitch(flag(f.log));
    summary_ += std::string("\r\nDisable Query Timeout = ") + flag(f.disable_query_timeout);
    write("Query Timeout", flag(f.disable_query_timeout));
    summary_ += std::string("\r\nStatic Cursors Support = ") + flag(f.static_cursors);
    write("Static Cursors", flag(f.static_cursors));
    return {};
}

void DataSourceEditor::restore() {
    // A test may have switched the trace log for every data source: undo that too.
    setDebugSwitch(keptDebug_.empty() ? "0" : keptDebug_);
    if (!existing_) {
        for (const std::string& name : created_) installer::removeDataSource(name);
        return;
    }
    const Values& k = kept_;
    currentName_ = k.name;
    installer::writeProfileString("ODBC Data Sources", k.name, kDriverSection, "ODBC.INI");
    write("Protocol", k.protocol);
    // The dialog opened a source without "Shared" as TCP/IP, so a test may have written these.
    if (k.protocol != "Shared") {
        write("Host", k.host);
        write("Port", k.port);
    }
    write("Namespace", k.nameSpace);
    write("UID", k.user);
    write("Password", k.password);
    write("Description", k.description);
    write("Query Timeout", k.queryTimeout);
    write("Static Cursors", k.staticCursors);
}

void DataSourceEditor::press(int button, const kesto_odbc_setup_form& form, kesto_odbc_setup_answer& answer) {
    answer = {};
    answer.title = kMessageTitle;
    if (button == KESTO_ODBC_BUTTON_CANCEL) {
        restore();
        answer.close = 1;
        return;
    }
    message_ = save(form);
    if (message_.empty() && button == KESTO_ODBC_BUTTON_TEST && text(form.user).empty())
        message_ = "In order to test the connection, you need to type in the User Name field";
    if (!message_.empty()) {
        answer.message = message_.c_str();
        return;
    }
    if (button == KESTO_ODBC_BUTTON_OK) {
        answer.close = 1;
        return;
    }
    line_ = testLine(testConnection(currentName_, text(form.user), text(form.password)));
    answer.summary = summary_.c_str();
    answer.test_line = line_.c_str();
}

std::string DataSourceEditor::testLine(int code) {
    switch (code) {
    case 0: return std::string(30, ' ') + "Connectivity test completed succesfully!";
    case 402: return std::string(12, ' ') + "Connectivity test failed: Invalid Login (User Name/Password)";
    case 450:
    case 461: return "Connectivity test failed: Invalid Host/Port; Kesto Not Running; Network Down";
    case 454: return std::string(4, ' ') + "Connectivity test failed: Unable to Connect Using Shared Memory";
    case 455: return std::string(4, ' ') + "Connectivity test failed: Shared Memory Server Not Responding";
    default: return std::string(43, ' ') + "Connectivity test failed.";
    }
}

int DataSourceEditor::testConnection(const std::string& name, const std::string& user, const std::string& password) {
    SQLHENV env = nullptr;
    SQLHDBC dbc = nullptr;
    if (api::allocEnv(&env) != SQL_SUCCESS) return -1;
    if (api::allocConnect(env, &dbc) != SQL_SUCCESS) {
        api::freeEnv(env);
        return -1;
    }
    api::setConnectOption(dbc, SQL_LOGIN_TIMEOUT, 10);
    std::string n = ansi(name), u = ansi(user), p = ansi(password);
    int result = 0;
    if (api::connect(dbc, sqlText(n), SQL_NTS, sqlText(u), SQL_NTS, sqlText(p), SQL_NTS) == SQL_SUCCESS) {
        api::disconnect(dbc);
    } else {
        SQLINTEGER native = 0;
        api::error(nullptr, dbc, nullptr, nullptr, &native, nullptr, 0, nullptr);
        // A failure without a code must not read as success.
        result = native != 0 ? native : -1;
    }
    // Freed on failure too: the test may run many times while the dialog is open.
    api::freeConnect(dbc);
    api::freeEnv(env);
    return result;
}

namespace {

void pressThunk(void* context, int button, const kesto_odbc_setup_form* form, kesto_odbc_setup_answer* answer) {
    static std::string failure;
    try {
        static_cast<DataSourceEditor*>(context)->press(button, *form, *answer);
    } catch (const std::exception& e) {
        // Nothing may unwind into the plug-in's C frames.
        failure = e.what();
        *answer = {failure.c_str(), kMessageTitle, nullptr, nullptr, 0};
    }
}

}  // namespace

int runSetupDialog(void* parent, const std::string& existingName, std::string& error) {
    const dialogs::Plugin* plugin = dialogs::plugin(error);
    if (!plugin) return -1;
    DataSourceEditor editor(existingName);
    std::string help = helpFilePath().replace_extension(".html").string();
    const kesto_odbc_setup_host host{&editor, editor.startForm(), help.c_str(), &pressThunk};
    const int r = plugin->setupDialog(parent, &host);
    if (r == KESTO_ODBC_UI_UNAVAILABLE) {
        error = dialogs::kNoDisplay;
        return -1;
    }
    return r;
}

}  // namespace kesto::odbc::setup
