// SQLDriverConnect's prompts: shown only with a window and a completion mode that allows them.
#include "DialogFixture.h"

#include <Api.h>
#include <ConnectPrompts.h>
#include <Connection.h>
#include <DialogPlugin.h>

#include <gtest/gtest.h>

#include <QWidget>

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace {

using namespace odbcui_test;
namespace api = kesto::odbc::api;

class Prompt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(api::allocEnv(&henv), SQL_SUCCESS);
        ASSERT_EQ(api::allocConnect(henv, &hdbc), SQL_SUCCESS);
    }
    void TearDown() override {
        api::disconnect(hdbc);
        api::freeConnect(hdbc);
        api::freeEnv(henv);
    }
    SQLRETURN driverConnect(const std::string& in, SQLUSMALLINT completion, bool withWindow = true) {
        std::string text = in;
        SQLSMALLINT length = 0;
        out[0] = '\0';
        return api::driverConnect(hdbc, withWindow ? setup().window : nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                  SQL_NTS, reinterpret_cast<SQLCHAR*>(out), sizeof out, &length, completion);
    }
    int pendingCode() const { return static_cast<kesto::odbc::Connection*>(hdbc)->errorCode; }
    // Fills the login dialog and presses OK.
    static void login(const QString& user, const QString& password, QString* shownUser = nullptr) {
        whenModal("login", [=](QWidget* d) {
            if (shownUser) *shownUser = textOf(d, "userName");
            setText(d, "userName", user);
            setText(d, "password", password);
            click(d, "ok");
        });
    }

    SQLHENV henv = nullptr;
    SQLHDBC hdbc = nullptr;
    char out[512] = "";
};

TEST_F(Prompt, CompleteAsksForTheMissingPasswordWithTheUserFilledIn) {
    QString shownUser;
    login("DEMO", "demo", &shownUser);
    ASSERT_EQ(driverConnect("DSN=Live;UID=DEMO;", SQL_DRIVER_COMPLETE), SQL_SUCCESS);
    EXPECT_EQ(shownUser, "DEMO");
    EXPECT_NE(std::string(out).find(";UID=DEMO;PWD=demo"), std::string::npos) << out;
}

TEST_F(Prompt, NoPromptWithoutAWindowOrInNoPromptMode) {
    struct Case {
        SQLUSMALLINT completion;
        bool window;
    };
    for (const Case c : {Case{SQL_DRIVER_COMPLETE, false}, Case{SQL_DRIVER_PROMPT, false}, Case{SQL_DRIVER_NOPROMPT, true}}) {
        SQLRETURN r = SQL_SUCCESS;
        EXPECT_FALSE(showedDialog([&] { r = driverConnect("DSN=Live;UID=DEMO;", c.completion, c.window); }));
        EXPECT_EQ(r, SQL_ERROR) << "connected without a password";
        EXPECT_EQ(pendingCode(), 402);
    }
}

TEST_F(Prompt, CancelledLoginReturnsNoData) {
    whenModal("login", [](QWidget* d) { click(d, "cancel"); });
    EXPECT_EQ(driverConnect("DSN=Live;", SQL_DRIVER_COMPLETE), SQL_NO_DATA_FOUND);
}

TEST_F(Prompt, LoginWithoutAUserNameStaysOpen) {
    QString message, title;
    whenModal("login", [&](QWidget* d) {
        confirmMessage(&message, &title);
        click(d, "ok");
        setText(d, "userName", "DEMO");
        setText(d, "password", "demo");
        click(d, "ok");
    });
    EXPECT_EQ(driverConnect("DSN=Live;", SQL_DRIVER_COMPLETE), SQL_SUCCESS);
    EXPECT_EQ(message, "            Please fill in the User Name field");
    EXPECT_EQ(title, "Norvane Kesto ODBC Login");
}

TEST_F(Prompt, ARefusedLoginIsAskedAgainOnlyInPromptModes) {
    // PROMPT: the wrong password is refused, the fields come back empty, the second try connects.
    QString secondUser = "unset";
    whenModal("login", [&](QWidget* d) {
        setText(d, "userName", "DEMO");
        setText(d, "password", "wrong");
        login("DEMO", "demo", &secondUser);
        click(d, "ok");
    });
    EXPECT_EQ(driverConnect("DSN=Live;", SQL_DRIVER_PROMPT), SQL_SUCCESS);
    EXPECT_EQ(secondUser, "");
    TearDown();
    SetUp();

    // COMPLETE: no second chance.
    login("DEMO", "wrong");
    EXPECT_EQ(driverConnect("DSN=Live;", SQL_DRIVER_COMPLETE), SQL_ERROR);
    EXPECT_EQ(pendingCode(), 402);
}

TEST_F(Prompt, WithoutASourceTheDataSourceIsAskedForThenTheLogin) {
    QString message;
    whenModal("chooseDataSource", [&](QWidget* d) {
        setText(d, "dataSourceName", "Nowhere");
        confirmMessage(&message);
        click(d, "ok");
        setText(d, "dataSourceName", "Live");
        login("DEMO", "demo");
        click(d, "ok");
    });
    ASSERT_EQ(driverConnect("APP=x;", SQL_DRIVER_COMPLETE), SQL_SUCCESS);
    EXPECT_EQ(message, "          Data Source Does Not Exist");
    EXPECT_NE(std::string(out).find("DSN=Live;SERVER=127.0.0.1;DATABASE=FERRIX;UID=DEMO"), std::string::npos) << out;
}

TEST_F(Prompt, AMissingPluginFailsTheConnectWithAClearError) {
    kesto::odbc::dialogs::setPluginPath("/nonexistent/libkestoodbc-ui.so");
    const SQLRETURN r = driverConnect("DSN=Live;", SQL_DRIVER_COMPLETE);
    kesto::odbc::dialogs::setPluginPath(KESTO_ODBC_UI_PLUGIN);
    EXPECT_EQ(r, SQL_ERROR);
    EXPECT_EQ(pendingCode(), kesto::odbc::prompt::kDialogFailed);
    EXPECT_EQ(kesto::odbc::sqlStateOf(pendingCode()), "IM008");
}

}  // namespace
