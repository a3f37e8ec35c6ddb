// ConfigDSN with and without a window: the setup dialog in the plug-in, worked through its
// widgets, and what it leaves in the installer's files.
#include "DialogFixture.h"

#include <Api.h>
#include <DataSourceEditor.h>
#include <DialogPlugin.h>

#include <gtest/gtest.h>

#include <QPixmap>
#include <QWidget>

#include <odbcinst.h>

#include <string>

namespace {

using namespace odbcui_test;
namespace api = kesto::odbc::api;

BOOL configDsn(HWND window, WORD request, const char* attributes) {
    return api::configDsn(window, request, "Norvane ODBC", attributes);
}

std::string value(const std::string& section, const std::string& key) { return iniValue("odbc.ini", section, key); }

// Fills the fields a TCP/IP data source needs.
void fillTcp(QWidget* d, const QString& name, const QString& port, const QString& user, const QString& password) {
    setText(d, "dataSourceName", name);
    click(d, "tcpIp");
    setText(d, "host", "127.0.0.1");
    setText(d, "port", port);
    setText(d, "nameSpace", "FERRIX");
    setText(d, "userName", user);
    setText(d, "password", password);
}

TEST(SetupDialog, AddWithOkWritesEveryKeyAndListsTheSource) {
    QWidget* parent = nullptr;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        parent = d->parentWidget();
        EXPECT_EQ(d->windowTitle(), "Norvane Kesto ODBC Data Source Setup");
        EXPECT_TRUE(isChecked(d, "tcpIp"));
        EXPECT_FALSE(isChecked(d, "sharedMemory"));
        EXPECT_EQ(textOf(d, "host"), "127.0.0.1");
        EXPECT_EQ(textOf(d, "port"), "1972");
        EXPECT_EQ(textOf(d, "dataSourceName"), "");
        setText(d, "dataSourceName", "Added");
        setText(d, "description", "Lager Süd");
        setText(d, "nameSpace", "FERRIX");
        setText(d, "userName", "DEMO");
        setText(d, "password", "pw");
        click(d, "odbcLog");
        click(d, "staticCursors");
        click(d, "ok");
    });
    EXPECT_TRUE(configDsn(setup().window, ODBC_ADD_DSN, "\0"));
    EXPECT_EQ(parent, setup().window) << "the host's widget owns the dialog";
    EXPECT_EQ(value("ODBC Data Sources", "Added"), "Norvane ODBC");
    const std::pair<const char*, std::string> expected[] = {
        {"Driver", setup().driverPath}, {"Protocol", "TCP"},      {"Host", "127.0.0.1"},   {"Port", "1972"},
        {"Namespace", "FERRIX"},        {"UID", "DEMO"},          {"Password", "pw"},      {"Description", "Lager Süd"},
        {"Query Timeout", "0"},         {"Static Cursors", "1"},
    };
    for (const auto& [key, v] : expected) EXPECT_EQ(value("Added", key), v) << key;
    EXPECT_EQ(iniValue("odbcinst.ini", "Norvane ODBC", "DEBUG"), "1");
}

TEST(SetupDialog, TheInstallerOpensItThroughTheDriverLibraryWithTheHostsWidget) {
    // The driver library finds the plug-in beside itself; the window travels as an opaque value.
    QWidget* parent = nullptr;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        parent = d->parentWidget();
        fillTcp(d, "ViaInstaller", "1972", "DEMO", "demo");
        click(d, "ok");
    });
    EXPECT_TRUE(SQLConfigDataSource(reinterpret_cast<HWND>(setup().window), ODBC_ADD_DSN, "Norvane ODBC", "\0"));
    EXPECT_EQ(parent, setup().window);
    EXPECT_EQ(value("ViaInstaller", "Protocol"), "TCP");
    EXPECT_EQ(value("ViaInstaller", "UID"), "DEMO");
}

TEST(SetupDialog, AWindowThatIsNoWidgetOfTheHostShowsTheDialogWithoutAParent) {
    int opaque = 0;
    QWidget* parent = setup().window;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        parent = d->parentWidget();
        click(d, "cancel");
    });
    EXPECT_FALSE(configDsn(reinterpret_cast<HWND>(&opaque), ODBC_ADD_DSN, "\0"));
    EXPECT_EQ(parent, nullptr);
}

TEST(SetupDialog, MissingRequiredFieldsKeepTheDialogOpen) {
    struct Case {
        const char* field;
        const char* message;
    };
    const Case cases[] = {
        {"dataSourceName", "Please fill in the Data Source Name field"},
        {"host", "Please fill in the Host (IP Address) field"},
        {"port", "Please fill in the Port field"},
        {"nameSpace", "Please fill in the Kesto Namespace field"},
    };
    for (const Case& c : cases) {
        QString message, title;
        bool stillOpen = false;
        whenModal("dataSourceSetup", [&](QWidget* d) {
            fillTcp(d, "Required", "1972", "u", "p");
            setText(d, c.field, "");
            confirmMessage(&message, &title);
            click(d, "ok");
            stillOpen = d->isVisible();
            click(d, "cancel");
        });
        EXPECT_FALSE(configDsn(setup().window, ODBC_ADD_DSN, "\0")) << c.field;
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(title, "Norvane Kesto ODBC");
        EXPECT_TRUE(stillOpen) << c.field;
    }
}

TEST(SetupDialog, CancelOfANewSourceRemovesWhatTheDialogWrote) {
    QString message;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        setText(d, "dataSourceName", "Scratch");
        click(d, "sharedMemory");
        EXPECT_FALSE(isEnabled(d, "host"));
        EXPECT_FALSE(isEnabled(d, "port"));
        confirmMessage(&message);
        click(d, "ok");
        // Written before the check that stopped the save.
        EXPECT_EQ(value("Scratch", "Protocol"), "Shared");
        click(d, "cancel");
    });
    EXPECT_FALSE(configDsn(setup().window, ODBC_ADD_DSN, "\0"));
    EXPECT_EQ(message, "Please fill in the Kesto Namespace field");
    EXPECT_FALSE(iniHasSection("odbc.ini", "Scratch"));
}

TEST(SetupDialog, CancelOfANewSourceNamedLikeAnExistingOneKeepsThatOne) {
    whenModal("dataSourceSetup", [&](QWidget* d) {
        fillTcp(d, "Live", QString::number(setup().serverPort), "", "");
        setText(d, "nameSpace", "");
        confirmMessage(nullptr);
        click(d, "ok");
        click(d, "cancel");
    });
    EXPECT_FALSE(configDsn(setup().window, ODBC_ADD_DSN, "\0"));
    EXPECT_TRUE(iniHasSection("odbc.ini", "Live"));
    EXPECT_EQ(value("ODBC Data Sources", "Live"), "Norvane ODBC");
}

TEST(SetupDialog, ChangingAnExistingSourceOpensWithItsValuesAndCancelRestoresThemAfterATest) {
    ASSERT_TRUE(SQLWritePrivateProfileString("Norvane ODBC", "DEBUG", "0", "ODBCINST.INI"));
    QString line;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        EXPECT_EQ(textOf(d, "dataSourceName"), "Existing");
        EXPECT_TRUE(isChecked(d, "sharedMemory"));
        EXPECT_FALSE(isChecked(d, "tcpIp"));
        EXPECT_FALSE(isEnabled(d, "host"));
        EXPECT_EQ(textOf(d, "host"), "");
        EXPECT_EQ(textOf(d, "configuration"), "CFG");
        EXPECT_EQ(textOf(d, "nameSpace"), "NS");
        EXPECT_EQ(textOf(d, "userName"), "olduser");
        EXPECT_EQ(textOf(d, "description"), "kept");
        EXPECT_FALSE(isChecked(d, "disableQueryTimeout"));
        EXPECT_TRUE(isChecked(d, "staticCursors"));
        EXPECT_FALSE(isChecked(d, "odbcLog"));
        fillTcp(d, "Existing", QString::number(setup().serverPort), "DEMO", "wrong");
        EXPECT_TRUE(isEnabled(d, "host"));
        click(d, "odbcLog");
        whenModal("testResultDialog", [&](QWidget* r) {
            line = textOf(r, "testResult");
            click(r, "ok");
        });
        click(d, "testConnection");
        EXPECT_EQ(value("Existing", "UID"), "DEMO") << "a test saves first";
        click(d, "cancel");
    });
    EXPECT_FALSE(configDsn(setup().window, ODBC_CONFIG_DSN, "DSN=Existing\0\0"));
    EXPECT_EQ(line.toStdString(), std::string(12, ' ') + "Connectivity test failed: Invalid Login (User Name/Password)");
    const std::pair<const char*, const char*> kept[] = {
        {"Protocol", "Shared"}, {"Namespace", "NS"},   {"UID", "olduser"},     {"Password", "oldpw"},
        {"Description", "kept"}, {"Query Timeout", "0"}, {"Static Cursors", "1"}, {"Configuration", "CFG"},
    };
    for (const auto& [key, v] : kept) EXPECT_EQ(value("Existing", key), v) << key;
    EXPECT_EQ(iniValue("odbcinst.ini", "Norvane ODBC", "DEBUG"), "0") << "the log switch is restored too";
}

TEST(SetupDialog, ASourceWithoutTheTimeoutKeyShowsTimeoutsDisabledAsTheDriverTakesThem) {
    whenModal("dataSourceSetup", [&](QWidget* d) {
        EXPECT_EQ(textOf(d, "dataSourceName"), "Live");
        EXPECT_TRUE(isChecked(d, "disableQueryTimeout"));
        d->grab().save(QString::fromStdString(::testing::TempDir() + "kesto-setup-live.png"));
        click(d, "cancel");
    });
    EXPECT_FALSE(configDsn(setup().window, ODBC_CONFIG_DSN, "DSN=Live\0\0"));
}

TEST(SetupDialog, TestConnectionShowsTheSummaryAndTheResultLine) {
    struct Case {
        bool serverUp;
        const char* password;
        std::string line;
    };
    const Case cases[] = {
        {true, "demo", std::string(30, ' ') + "Connectivity test completed succesfully!"},
        {false, "demo", "Connectivity test failed: Invalid Host/Port; Kesto Not Running; Network Down"},
    };
    for (const Case& c : cases) {
        // Port 1 on loopback refuses the connection.
        const QString port = c.serverUp ? QString::number(setup().serverPort) : "1";
        QString summary, line;
        whenModal("dataSourceSetup", [&](QWidget* d) {
            fillTcp(d, "Probe", port, "DEMO", c.password);
            setText(d, "description", "d");
            whenModal("testResultDialog", [&](QWidget* r) {
                summary = textOf(r, "summary");
                line = textOf(r, "testResult");
                click(r, "ok");
            });
            click(d, "testConnection");
            click(d, "ok");
        });
        EXPECT_TRUE(configDsn(setup().window, ODBC_ADD_DSN, "\0"));
        EXPECT_EQ(line.toStdString(), c.line);
        const std::string expected = "Driver = " + setup().driverPath +
                                     "\nDriver Version = 4.0.818.0\n\nData Source Name = Probe\nProtocol = TCP/IP"
                                     "\nHost (IP Address) = 127.0.0.1\nPort = " + port.toStdString() +
                                     "\nKesto Namespace = FERRIX\nUser Name = DEMO\nDescription = d"
                                     "\nDisable Query Timeout = 0\nStatic Cursors Support = 0";
        EXPECT_EQ(summary.toStdString(), expected);
    }
}

TEST(SetupDialog, TestConnectionWithoutAUserNameAsksForIt) {
    QString message;
    bool tested = false;
    whenModal("dataSourceSetup", [&](QWidget* d) {
        fillTcp(d, "NoUser", "1972", "", "");
        confirmMessage(&message);
        click(d, "testConnection");
        tested = true;
        click(d, "ok");
    });
    EXPECT_TRUE(configDsn(setup().window, ODBC_ADD_DSN, "\0"));
    EXPECT_TRUE(tested);
    EXPECT_EQ(message, "In order to test the connection, you need to type in the User Name field");
}

TEST(SetupDialog, WithoutAWindowNothingIsShown) {
    BOOL result = 0;
    EXPECT_FALSE(showedDialog([&] { result = configDsn(nullptr, ODBC_CONFIG_DSN, "DSN=Headless\0DATABASE=OTHER\0\0"); }));
    EXPECT_TRUE(result);
    EXPECT_EQ(value("Headless", "Namespace"), "OTHER");
}

TEST(SetupDialog, AMissingPluginIsReportedToTheInstallerNotACrash) {
    kesto::odbc::dialogs::setPluginPath("/nonexistent/libkestoodbc-ui.so");
    const BOOL result = configDsn(setup().window, ODBC_ADD_DSN, "\0");
    kesto::odbc::dialogs::setPluginPath(KESTO_ODBC_UI_PLUGIN);
    EXPECT_FALSE(result);
    DWORD code = 0;
    char text[512] = "";
    WORD length = 0;
    ASSERT_EQ(SQLInstallerError(1, &code, text, sizeof text, &length), SQL_SUCCESS);
    EXPECT_EQ(code, static_cast<DWORD>(ODBC_ERROR_REQUEST_FAILED));
    EXPECT_NE(std::string(text).find("The setup dialogs cannot be shown: /nonexistent/libkestoodbc-ui.so"),
              std::string::npos)
        << text;
}

TEST(SetupDialog, TestLinesFollowTheResultCode) {
    using kesto::odbc::setup::DataSourceEditor;
    EXPECT_EQ(DataSourceEditor::testLine(450), DataSourceEditor::testLine(461));
    EXPECT_EQ(DataSourceEditor::testLine(454), "    Connectivity test failed: Unable to Connect Using Shared Memory");
    EXPECT_EQ(DataSourceEditor::testLine(455), "    Connectivity test failed: Shared Memory Server Not Responding");
    EXPECT_EQ(DataSourceEditor::testLine(-1), std::string(43, ' ') + "Connectivity test failed.");
}

}  // namespace
