// What the data-source setup dialog does with its fields: the values it opens with, the
// checked save in a fixed order with its summary, the connectivity test, and Cancel's undo.
// The dialog itself lives in the plug-in; texts here are UTF-8, as ODBC.INI stores them.
#pragma once

#include <kestoodbc/SetupUi.h>

#include <set>
#include <string>

namespace kesto::odbc::setup {

// Title of the setup's message boxes.
inline constexpr const char* kMessageTitle = "Norvane Kesto ODBC";

class DataSourceEditor {
public:
    // An existing data source's values are read and kept for Cancel; an empty name is a new one.
    explicit DataSourceEditor(std::string existingName);
    DataSourceEditor(const DataSourceEditor&) = delete;
    DataSourceEditor& operator=(const DataSourceEditor&) = delete;

    const kesto_odbc_setup_form& startForm() const { return start_; }

    // OK, Test Connection or Cancel; the answer's texts live until the next press.
    void press(int button, const kesto_odbc_setup_form& form, kesto_odbc_setup_answer& answer);

    // The summary built by the last save.
    const std::string& summary() const { return summary_; }

    // The test result line for a connectivity code.
    static std::string testLine(int code);
    // Connects through the driver's own entry points: 0, the native error code, or -1.
    static int testConnection(const std::string& name, const std::string& user, const std::string& password);

private:
    struct Values {
        std::string name, description, host, port, configuration, nameSpace, user, password, protocol;
        std::string queryTimeout, staticCursors;
    };

    // Writes the form in the fixed order; the message for the first empty required field,
    // else empty. Values before that field are written already.
    std::string save(const kesto_odbc_setup_form& form);
    void restore();
    void write(const std::string& key, const std::string& value);

    bool existing_;
    Values kept_;
    std::string keptDebug_;
    std::string currentName_;
    // Names this dialog wrote that were no data source before it: Cancel of a new source
    // removes these, and never a source that existed.
    std::set<std::string> created_;
    std::string summary_, line_, message_;
    kesto_odbc_setup_form start_{};
};

// Shows the setup dialog through the plug-in: KESTO_ODBC_UI_OK, _CANCELLED, or -1 with `error`.
int runSetupDialog(void* parent, const std::string& existingName, std::string& error);

}  // namespace kesto::odbc::setup
