#include "DialogFixture.h"

#include <DialogPlugin.h>
#include <demo/Seed.h>
#include <odbc/Session.h>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace odbcui_test {
namespace {

namespace fs = std::filesystem;

Setup shared;

class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        root = fs::path(::testing::TempDir()) / ("kesto-odbc-ui-" + std::to_string(::getpid()));
        fs::remove_all(root);
        shared.iniDir = root / "ini";
        fs::create_directories(shared.iniDir);
        kesto::server::demo::prepareDataFolder(root / "data", false);
        listener = std::make_unique<kesto::server::net::Listener>([this](kesto::server::net::Connection& c) {
            kesto::server::model::Database db(root / "data");
            kesto::server::odbc::serveConnection(c, db, options);
        });
        listener->start();
        shared.serverPort = listener->port();
        std::ofstream(shared.iniDir / "odbcinst.ini")
            << "[Norvane ODBC]\nDriver = " << shared.driverPath << "\nSetup = " KESTO_ODBC_DRIVER "\nDEBUG = 0\n";
        // Written before the installer reads anything: it caches what it has read.
        std::ofstream(shared.iniDir / "odbc.ini")
            << "[ODBC Data Sources]\nExisting = Norvane ODBC\nLive = Norvane ODBC\n"
            << "[Existing]\nDriver = " << shared.driverPath << "\nProtocol = Shared\nConfiguration = CFG\n"
            << "Namespace = NS\nUID = olduser\nPassword = oldpw\nDescription = kept\nQuery Timeout = 0\n"
            << "Static Cursors = 1\n"
            << "[Live]\nDriver = " << shared.driverPath << "\nProtocol = TCP\nHost = 127.0.0.1\nPort = "
            << shared.serverPort << "\nNamespace = FERRIX\n";
        ::setenv("ODBCSYSINI", shared.iniDir.c_str(), 1);
        ::setenv("ODBCINI", (shared.iniDir / "odbc.ini").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = std::make_unique<QApplication>(argc, argv);
        window = std::make_unique<QWidget>();
        shared.window = window.get();
        kesto::odbc::dialogs::setPluginPath(KESTO_ODBC_UI_PLUGIN);
    }
    void TearDown() override {
        window.reset();
        app.reset();
        listener->stop();
        fs::remove_all(root);
    }

    fs::path root;
    kesto::server::odbc::SessionOptions options;
    std::unique_ptr<kesto::server::net::Listener> listener;
    int argc = 1;
    char name[16] = "odbcui-tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QWidget> window;
};

[[maybe_unused]] auto* environment = ::testing::AddGlobalTestEnvironment(new Environment);

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

fs::path fileOf(const std::string& file) { return shared.iniDir / file; }

template <typename W>
W* child(QWidget* dialog, const char* objectName) {
    W* w = dialog->findChild<W*>(objectName);
    EXPECT_NE(w, nullptr) << objectName;
    return w;
}

void poll(const QString& objectName, std::function<void(QWidget*)> step, int triesLeft) {
    QTimer::singleShot(0, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == objectName) return step(w);
        if (triesLeft > 0) return poll(objectName, step, triesLeft - 1);
        ADD_FAILURE() << "no dialog " << objectName.toStdString() << " appeared";
        // Close whatever is open so the test ends instead of hanging.
        while (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
}

}  // namespace

const Setup& setup() { return shared; }

std::string iniValue(const std::string& file, const std::string& section, const std::string& key) {
    std::ifstream in(fileOf(file));
    std::string current;
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (!line.empty() && line.front() == '[') {
            current = line.substr(1, line.size() - 2);
        } else if (current == section) {
            const auto eq = line.find('=');
            if (eq != std::string::npos && trim(line.substr(0, eq)) == key) return trim(line.substr(eq + 1));
        }
    }
    return "<absent>";
}

bool iniHasSection(const std::string& file, const std::string& section) {
    std::ifstream in(fileOf(file));
    std::stringstream text;
    text << in.rdbuf();
    return text.str().find("[" + section + "]") != std::string::npos;
}

void whenModal(const QString& objectName, std::function<void(QWidget*)> step) { poll(objectName, std::move(step), 1000); }

bool showedDialog(const std::function<void()>& call) {
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            seen = true;
            w->close();
        }
    });
    call();
    QApplication::processEvents();
    return seen;
}

void setText(QWidget* dialog, const char* objectName, const QString& text) {
    if (auto* e = child<QLineEdit>(dialog, objectName)) e->setText(text);
}

QString textOf(QWidget* dialog, const char* objectName) {
    if (auto* e = dialog->findChild<QLineEdit*>(objectName)) return e->text();
    if (auto* l = child<QLabel>(dialog, objectName)) return l->text();
    return {};
}

bool isChecked(QWidget* dialog, const char* objectName) {
    auto* b = child<QAbstractButton>(dialog, objectName);
    return b && b->isChecked();
}

bool isEnabled(QWidget* dialog, const char* objectName) {
    auto* w = child<QWidget>(dialog, objectName);
    return w && w->isEnabled();
}

void click(QWidget* dialog, const char* objectName) {
    if (auto* b = child<QAbstractButton>(dialog, objectName)) b->click();
}

void confirmMessage(QString* text, QString* title) {
    whenModal("messageBox", [text, title](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        if (text) *text = box->text();
        if (title) *title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
}

}  // namespace odbcui_test
