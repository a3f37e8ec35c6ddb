// The result of "Test Connection": the saved settings and one line about the test.
#pragma once

#include <QDialog>

namespace kesto::odbcui {

class TestResultDialog : public QDialog {
    Q_OBJECT
public:
    TestResultDialog(const QString& summary, const QString& result, QWidget* parent);
};

}  // namespace kesto::odbcui
