// What the dialog tests share: a loopback server, installer files in a temporary folder, the
// host's QApplication and window, and a way to work the modal dialogs the driver opens.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace odbcui_test {

struct Setup {
    std::filesystem::path iniDir;
    std::uint16_t serverPort = 0;
    std::string driverPath = "/opt/kesto/lib/libKestoODBC.so";
    QWidget* window = nullptr;  // the host's window handed to the driver
};
const Setup& setup();

// A value straight from the installer's file (the installer caches what it read).
std::string iniValue(const std::string& file, const std::string& section, const std::string& key);
bool iniHasSection(const std::string& file, const std::string& section);
// Data sources in odbc.ini from the start: "Existing" (shared memory, every key set) and
// "Live" (TCP to the test server, no credentials).

// Runs `step` on the next modal dialog named `objectName` once the code under test shows it.
// A step that opens a further dialog schedules the next step before pressing the button.
void whenModal(const QString& objectName, std::function<void(QWidget*)> step);

// True when some modal dialog was open while `call` ran.
bool showedDialog(const std::function<void()>& call);

void setText(QWidget* dialog, const char* objectName, const QString& text);
QString textOf(QWidget* dialog, const char* objectName);
bool isChecked(QWidget* dialog, const char* objectName);
bool isEnabled(QWidget* dialog, const char* objectName);
void click(QWidget* dialog, const char* objectName);

// Confirms the next message box and records its text and title.
void confirmMessage(QString* text, QString* title = nullptr);

}  // namespace odbcui_test
