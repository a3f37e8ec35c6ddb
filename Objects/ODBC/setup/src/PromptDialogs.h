// The prompts of a connection that lacks settings: the login (user name and password) and the
// choice of a data source.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace kesto::odbcui {

class LoginDialog : public QDialog {
    Q_OBJECT
public:
    using Accept = std::function<void(const QString& user, const QString& password)>;
    LoginDialog(const QString& user, const QString& password, Accept onAccept, QWidget* parent);
    void accept() override;

private:
    QLineEdit* user_;
    QLineEdit* password_;
    Accept onAccept_;
};

class ChooseDataSourceDialog : public QDialog {
    Q_OBJECT
public:
    // Returns false for a name that is no data source.
    using Accept = std::function<bool(const QString& name)>;
    ChooseDataSourceDialog(Accept onAccept, QWidget* parent);
    void accept() override;

private:
    QLineEdit* name_;
    Accept onAccept_;
};

}  // namespace kesto::odbcui
