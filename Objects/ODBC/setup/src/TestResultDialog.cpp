#include "TestResultDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kesto::odbcui {

TestResultDialog::TestResultDialog(const QString& summary, const QString& result, QWidget* parent) : QDialog(parent) {
    setObjectName("testResultDialog");
    setWindowTitle("Norvane Kesto ODBC Data Source Setup");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Kesto ODBC DSN Configuration Summary:", this));
    auto* summaryLabel = new QLabel(QString(summary).replace("\r\n", "\n"), this);
    summaryLabel->setObjectName("summary");
    summaryLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(summaryLabel);
    auto* resultLabel = new QLabel(result, this);
    resultLabel->setObjectName("testResult");
    resultLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(resultLabel);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kesto::odbcui
