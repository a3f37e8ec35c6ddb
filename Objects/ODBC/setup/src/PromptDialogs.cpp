#include "PromptDialogs.h"

#include "UiApplication.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kesto::odbcui {
namespace {

// OK and Cancel under the fields of a prompt.
void addButtons(QDialog* dialog, QVBoxLayout* layout) {
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", dialog);
    cancel->setObjectName("cancel");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

QLineEdit* edit(const char* objectName, const QString& value, QWidget* parent) {
    auto* e = new QLineEdit(value, parent);
    e->setObjectName(objectName);
    return e;
}

}  // namespace

LoginDialog::LoginDialog(const QString& user, const QString& password, Accept onAccept, QWidget* parent)
    : QDialog(parent), onAccept_(std::move(onAccept)) {
    setObjectName("login");
    setWindowTitle("Norvane Kesto ODBC Login");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("User Name", user_ = edit("userName", user, this));
    form->addRow("Password", password_ = edit("password", password, this));
    password_->setEchoMode(QLineEdit::Password);
    layout->addLayout(form);
    addButtons(this, layout);
}

void LoginDialog::accept() {
    if (user_->text().isEmpty()) {
        messageBox(this, "            Please fill in the User Name field", "Norvane Kesto ODBC Login");
        return;
    }
    onAccept_(user_->text(), password_->text());
    QDialog::accept();
}

ChooseDataSourceDialog::ChooseDataSourceDialog(Accept onAccept, QWidget* parent)
    : QDialog(parent), onAccept_(std::move(onAccept)) {
    setObjectName("chooseDataSource");
    setWindowTitle("Norvane Kesto ODBC");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Data Source Name", name_ = edit("dataSourceName", QString(), this));
    layout->addLayout(form);
    addButtons(this, layout);
}

void ChooseDataSourceDialog::accept() {
    if (!onAccept_(name_->text())) {
        messageBox(this, "          Data Source Does Not Exist", "Norvane Kesto ODBC");
        return;
    }
    QDialog::accept();
}

}  // namespace kesto::odbcui
