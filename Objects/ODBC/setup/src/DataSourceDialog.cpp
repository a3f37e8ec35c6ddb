#include "DataSourceDialog.h"

#include "TestResultDialog.h"
#include "UiApplication.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include <string>

namespace kesto::odbcui {
namespace {

QLineEdit* edit(const char* objectName, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    return e;
}

template <typename Button>
Button* button(const char* objectName, const char* text, QWidget* parent) {
    auto* b = new Button(QString::fromUtf8(text), parent);
    b->setObjectName(objectName);
    return b;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8 ? utf8 : ""); }

}  // namespace

DataSourceDialog::DataSourceDialog(const kesto_odbc_setup_host& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("dataSourceSetup");
    setWindowTitle("Norvane Kesto ODBC Data Source Setup");

    auto* source = new QGroupBox("Data Source", this);
    auto* sourceForm = new QFormLayout(source);
    sourceForm->addRow("Name", name_ = edit("dataSourceName", source));
    sourceForm->addRow("Description", description_ = edit("description", source));

    auto* connection = new QGroupBox("Connection", this);
    auto* connectionForm = new QFormLayout(connection);
    connectionForm->addRow(tcp_ = button<QRadioButton>("tcpIp", "TCP/IP", connection));
    connectionForm->addRow("Host Name (IP Address)", hostEdit_ = edit("host", connection));
    connectionForm->addRow("Port", port_ = edit("port", connection));
    connectionForm->addRow(shared_ = button<QRadioButton>("sharedMemory", "Shared Memory", connection));
    connectionForm->addRow("Kesto  Configuration", configuration_ = edit("configuration", connection));
    connectionForm->addRow("Kesto Namespace", nameSpace_ = edit("nameSpace", connection));
    configuration_->setEnabled(false);

    log_ = button<QCheckBox>("odbcLog", "ODBC Log", this);
    disableQueryTimeout_ = button<QCheckBox>("disableQueryTimeout", "Disable Query Timeout", this);
    staticCursors_ = button<QCheckBox>("staticCursors", "Static Cursors", this);

    auto* login = new QGroupBox("Login", this);
    auto* loginForm = new QFormLayout(login);
    loginForm->addRow("User Name", user_ = edit("userName", login));
    loginForm->addRow("Password", password_ = edit("password", login));
    password_->setEchoMode(QLineEdit::Password);

    auto* ok = button<QPushButton>("ok", "OK", this);
    auto* cancel = button<QPushButton>("cancel", "Cancel", this);
    auto* test = button<QPushButton>("testConnection", "Test Connection", this);
    auto* help = button<QPushButton>("help", "Help", this);
    ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok, cancel, test, help}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(connection);
    for (QCheckBox* c : {log_, disableQueryTimeout_, staticCursors_}) layout->addWidget(c);
    layout->addWidget(login);
    layout->addLayout(buttons);

    connect(tcp_, &QRadioButton::clicked, this, &DataSourceDialog::chooseTcp);
    connect(shared_, &QRadioButton::clicked, this, &DataSourceDialog::chooseShared);
    connect(ok, &QPushButton::clicked, this, [this] { press(KESTO_ODBC_BUTTON_OK); });
    connect(test, &QPushButton::clicked, this, [this] { press(KESTO_ODBC_BUTTON_TEST); });
    connect(cancel, &QPushButton::clicked, this, &DataSourceDialog::reject);
    connect(help, &QPushButton::clicked, this, &DataSourceDialog::openHelp);

    fill(host.start);
}

void DataSourceDialog::fill(const kesto_odbc_setup_form& start) {
    name_->setText(text(start.name));
    description_->setText(text(start.description));
    hostEdit_->setText(text(start.host));
    port_->setText(text(start.port));
    configuration_->setText(text(start.configuration));
    nameSpace_->setText(text(start.name_space));
    user_->setText(text(start.user));
    password_->setText(text(start.password));
    log_->setChecked(start.log);
    disableQueryTimeout_->setChecked(start.disable_query_timeout);
    staticCursors_->setChecked(start.static_cursors);
    if (start.shared) {
        shared_->setChecked(true);
        chooseShared();
    } else if (start.tcp) {
        tcp_->setChecked(true);
        chooseTcp();
    }
}

void DataSourceDialog::chooseTcp() {
    shared_->setChecked(false);
    hostEdit_->setEnabled(true);
    port_->setEnabled(true);
    configuration_->setEnabled(false);
}

void DataSourceDialog::chooseShared() {
    tcp_->setChecked(false);
    hostEdit_->setEnabled(false);
    port_->setEnabled(false);
}

void DataSourceDialog::press(int button) {
    // The form's strings live until the host has answered.
    const std::string texts[] = {name_->text().toStdString(),          description_->text().toStdString(),
                                 hostEdit_->text().toStdString(),     port_->text().toStdString(),
                                 configuration_->text().toStdString(), nameSpace_->text().toStdString(),
                                 user_->text().toStdString(),          password_->text().toStdString()};
    kesto_odbc_setup_form form{texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str(),
                               texts[4].c_str(), texts[5].c_str(), texts[6].c_str(), texts[7].c_str(),
                               tcp_->isChecked(),  shared_->isChecked(), log_->isChecked(),
                               disableQueryTimeout_->isChecked(), staticCursors_->isChecked()};
    kesto_odbc_setup_answer answer{};
    host_.press(host_.context, button, &form, &answer);
    if (answer.message) messageBox(this, text(answer.message), text(answer.title));
    if (answer.summary) {
        TestResultDialog result(text(answer.summary), text(answer.test_line), this);
        result.exec();
    }
    if (!answer.close) return;
    if (button == KESTO_ODBC_BUTTON_CANCEL)
        QDialog::reject();
    else
        accept();
}

void DataSourceDialog::reject() { press(KESTO_ODBC_BUTTON_CANCEL); }

void DataSourceDialog::openHelp() {
    const QString file = text(host_.help_file);
    if (!file.isEmpty() && QFileInfo::exists(file)) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace kesto::odbcui
