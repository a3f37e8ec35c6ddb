// The dialog plug-in (libkestoodbc-ui.so), opened on first use: the driver links no Qt, and
// callers without a window never load it.
#pragma once

#include <kestoodbc/SetupUi.h>

#include <filesystem>
#include <string>

namespace kesto::odbc::dialogs {

struct Plugin {
    int (*setupDialog)(void* parent, const kesto_odbc_setup_host* host);
    int (*loginPrompt)(void* parent, const char* user, const char* password,
                       void (*accept)(void*, const char*, const char*), void* context);
    int (*chooseDataSource)(void* parent, int (*accept)(void*, const char*), void* context);
};

// The loaded plug-in; null with `error` saying why it cannot be used.
const Plugin* plugin(std::string& error);

// Beside the driver library unless set otherwise (tests set it; empty restores the default).
std::filesystem::path pluginPath();
void setPluginPath(std::filesystem::path path);

// The text of a dialog result that showed nothing (KESTO_ODBC_UI_UNAVAILABLE).
inline constexpr const char* kNoDisplay = "The dialog cannot be shown: no display is available";

}  // namespace kesto::odbc::dialogs
