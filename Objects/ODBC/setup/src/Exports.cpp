// The plug-in's C entry points. Nothing thrown may cross into the driver: a failure shows as
// "no dialog available".
#include "DataSourceDialog.h"
#include "PromptDialogs.h"
#include "UiApplication.h"

#include <kestoodbc/SetupUi.h>

#include <string>

#define KESTO_UI_EXPORT __attribute__((visibility("default")))

using namespace kesto::odbcui;

namespace {

template <typename Show>
int guarded(void* parent, Show show) {
    try {
        if (!ensureApplication()) return KESTO_ODBC_UI_UNAVAILABLE;
        return show(parentWidget(parent)) == QDialog::Accepted ? KESTO_ODBC_UI_OK : KESTO_ODBC_UI_CANCELLED;
    } catch (...) {
        return KESTO_ODBC_UI_UNAVAILABLE;
    }
}

}  // namespace

extern "C" {

KESTO_UI_EXPORT int kesto_odbc_ui_abi_version(void) { return KESTO_ODBC_UI_ABI_VERSION; }

KESTO_UI_EXPORT int kesto_odbc_setup_dialog(void* parent, const kesto_odbc_setup_host* host) {
    if (!host || !host->press) return KESTO_ODBC_UI_UNAVAILABLE;
    return guarded(parent, [host](QWidget* p) { return DataSourceDialog(*host, p).exec(); });
}

KESTO_UI_EXPORT int kesto_odbc_login_prompt(void* parent, const char* user, const char* password,
                                            void (*accept)(void*, const char*, const char*), void* context) {
    if (!accept) return KESTO_ODBC_UI_UNAVAILABLE;
    return guarded(parent, [&](QWidget* p) {
        LoginDialog dialog(
            QString::fromUtf8(user ? user : ""), QString::fromUtf8(password ? password : ""),
            [&](const QString& u, const QString& pw) {
                accept(context, u.toStdString().c_str(), pw.toStdString().c_str());
            },
            p);
        return dialog.exec();
    });
}

KESTO_UI_EXPORT int kesto_odbc_choose_data_source(void* parent, int (*accept)(void*, const char*), void* context) {
    if (!accept) return KESTO_ODBC_UI_UNAVAILABLE;
    return guarded(parent, [&](QWidget* p) {
        ChooseDataSourceDialog dialog([&](const QString& name) { return accept(context, name.toStdString().c_str()) != 0; },
                                      p);
        return dialog.exec();
    });
}

}  // extern "C"
