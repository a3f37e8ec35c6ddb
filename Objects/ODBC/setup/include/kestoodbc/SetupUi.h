/* The plain C interface between the ODBC driver and its dialog plug-in (libkestoodbc-ui.so).
 *
 * The driver links no Qt: it opens the plug-in with dlopen only when its caller hands it a
 * window. On this platform a "window" is an opaque non-null value. A Qt host passes a QWidget*
 * of its own (it becomes the dialogs' parent); any other non-null value shows the dialogs
 * without a parent. The plug-in checks a parent against the widgets of the running
 * QApplication before using it, and creates a QApplication itself when the process has none.
 *
 * All strings are UTF-8 and NUL-terminated; the plug-in never keeps a pointer it was given
 * after the call returns.
 *
 * Object names of the dialogs and their widgets (for hosts and tests that drive them):
 *   dataSourceSetup: dataSourceName, description, tcpIp, host, port, sharedMemory,
 *     configuration, nameSpace, odbcLog, disableQueryTimeout, staticCursors, userName,
 *     password, ok, cancel, testConnection, help.
 *   testResultDialog: summary, testResult, ok.
 *   login: userName, password, ok, cancel.
 *   chooseDataSource: dataSourceName, ok, cancel.
 *   messageBox: the message boxes of all of them.
 */
#ifndef KESTOODBC_SETUP_UI_H
#define KESTOODBC_SETUP_UI_H

#ifdef __cplusplus
extern "C" {
#endif

#define KESTO_ODBC_UI_LIBRARY "libkestoodbc-ui.so"
#define KESTO_ODBC_UI_ABI_VERSION 1

/* Results of the dialog functions. */
#define KESTO_ODBC_UI_OK 1
#define KESTO_ODBC_UI_CANCELLED 0
#define KESTO_ODBC_UI_UNAVAILABLE (-1) /* no display or no usable QApplication */

/* Buttons of the setup dialog, numbered as its controls. */
#define KESTO_ODBC_BUTTON_OK 1
#define KESTO_ODBC_BUTTON_CANCEL 2
#define KESTO_ODBC_BUTTON_TEST 1014

typedef struct kesto_odbc_setup_form {
    const char* name;
    const char* description;
    const char* host;
    const char* port;
    const char* configuration;
    const char* name_space;
    const char* user;
    const char* password;
    int tcp;    /* radio "TCP/IP" */
    int shared; /* radio "Shared Memory" */
    int log;
    int disable_query_timeout;
    int static_cursors;
} kesto_odbc_setup_form;

/* What the dialog does after a button: the driver fills it, the strings stay valid until the
 * next call into the driver. */
typedef struct kesto_odbc_setup_answer {
    const char* message; /* non-null: a message box titled `title`, the dialog stays open */
    const char* title;
    const char* summary;   /* non-null: the test result dialog with `summary` and `test_line` */
    const char* test_line;
    int close; /* nonzero: the dialog ends (OK for the OK button, cancelled for Cancel) */
} kesto_odbc_setup_answer;

typedef struct kesto_odbc_setup_host {
    void* context;
    kesto_odbc_setup_form start; /* the values the dialog opens with */
    const char* help_file;       /* opened by "Help" when the file exists; may be null */
    void (*press)(void* context, int button, const kesto_odbc_setup_form* form, kesto_odbc_setup_answer* answer);
} kesto_odbc_setup_host;

/* KESTO_ODBC_UI_ABI_VERSION of the plug-in; the driver refuses any other. */
int kesto_odbc_ui_abi_version(void);

/* The data-source setup dialog; OK, CANCELLED or UNAVAILABLE. */
int kesto_odbc_setup_dialog(void* parent, const kesto_odbc_setup_host* host);

/* The login dialog, opening with the values given; on OK with a user name it hands both
 * fields to accept. */
int kesto_odbc_login_prompt(void* parent, const char* user, const char* password,
                            void (*accept)(void* context, const char* user, const char* password), void* context);

/* The dialog that asks for a data source name; accept returns 0 for a name that is not a
 * data source, which keeps the dialog open. */
int kesto_odbc_choose_data_source(void* parent, int (*accept)(void* context, const char* name), void* context);

#ifdef __cplusplus
}
#endif

#endif
