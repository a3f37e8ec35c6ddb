// The data-source setup dialog. It only shows and collects: what a button press saves,
// checks or tests is decided by the driver through the host's press function.
#pragma once

#include <kestoodbc/SetupUi.h>

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kesto::odbcui {

class DataSourceDialog : public QDialog {
    Q_OBJECT
public:
    DataSourceDialog(const kesto_odbc_setup_host& host, QWidget* parent);

    void reject() override;

private:
    void fill(const kesto_odbc_setup_form& start);
    void chooseTcp();
    void chooseShared();
    void press(int button);
    void openHelp();

    const kesto_odbc_setup_host& host_;
    QLineEdit* name_;
    QLineEdit* description_;
    QRadioButton* tcp_;
    QLineEdit* hostEdit_;
    QLineEdit* port_;
    QRadioButton* shared_;
    QLineEdit* configuration_;
    QLineEdit* nameSpace_;
    QCheckBox* log_;
    QCheckBox* disableQueryTimeout_;
    QCheckBox* staticCursors_;
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace kesto::odbcui
