#include "DialogPlugin.h"

#include "DriverModule.h"

#include <dlfcn.h>

#include <mutex>

namespace kesto::odbc::dialogs {
namespace {

std::mutex mutex;
std::filesystem::path chosenPath;
std::filesystem::path loadedPath;
Plugin loaded{};

template <typename F>
bool bind(void* lib, const char* name, F& into) {
    into = reinterpret_cast<F>(dlsym(lib, name));
    return into != nullptr;
}

std::string loadError(const std::filesystem::path& path, const char* why) {
    return "The setup dialogs cannot be shown: " + path.string() + ": " + (why ? why : "unknown error");
}

}  // namespace

std::filesystem::path pluginPath() {
    std::lock_guard lock(mutex);
    return chosenPath.empty() ? driverModulePath().parent_path() / KESTO_ODBC_UI_LIBRARY : chosenPath;
}

void setPluginPath(std::filesystem::path path) {
    std::lock_guard lock(mutex);
    chosenPath = std::move(path);
}

const Plugin* plugin(std::string& error) {
    const std::filesystem::path path = pluginPath();
    std::lock_guard lock(mutex);
    if (!loadedPath.empty() && loadedPath == path) return &loaded;
    // Never unloaded: its Qt application and widgets may outlive any one call.
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!lib) {
        error = loadError(path, dlerror());
        return nullptr;
    }
    int (*version)() = nullptr;
    if (!bind(lib, "kesto_odbc_ui_abi_version", version) || version() != KESTO_ODBC_UI_ABI_VERSION) {
        error = loadError(path, "not a dialog plug-in of this driver version");
        return nullptr;
    }
    Plugin p{};
    if (!bind(lib, "kesto_odbc_setup_dialog", p.setupDialog) || !bind(lib, "kesto_odbc_login_prompt", p.loginPrompt) ||
        !bind(lib, "kesto_odbc_choose_data_source", p.chooseDataSource)) {
        error = loadError(path, dlerror());
        return nullptr;
    }
    loaded = p;
    loadedPath = path;
    return &loaded;
}

}  // namespace kesto::odbc::dialogs
