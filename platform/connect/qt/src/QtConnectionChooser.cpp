#include "connect/qt/QtConnectionChooser.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

namespace kesto::connect::qt {

ConnectionWindow::ConnectionWindow(const char* title, const std::vector<SavedConnection>& saved,
                                   QWidget* parent)
    : QDialog(parent), saved_(saved) {
  setObjectName(QStringLiteral("Verbindungsauswahl"));
  setWindowTitle(title && *title ? QString::fromUtf8(title) : QStringLiteral("Verbindung wählen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Gespeicherte Verbindungen:"), this));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("Verbindungen"));
  for (const SavedConnection& connection : saved_)
    list_->addItem(QString::fromUtf8(connection.name));
  layout->addWidget(list_);
  layout->addWidget(new QLabel(QStringLiteral("Verbindungstext:"), this));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("Verbindungstext"));
  text_->setPlaceholderText(QStringLiteral("cn_iptcp:127.0.0.1[1973]:Ferrix"));
  layout->addWidget(text_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  layout->addWidget(buttons_);
  connect(list_, &QListWidget::currentRowChanged, this, &ConnectionWindow::picked);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(text_, &QLineEdit::textChanged, this, &ConnectionWindow::update);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (!saved_.empty()) list_->setCurrentRow(0);
  update();
  resize(420, 320);
}

void ConnectionWindow::picked() {
  const int row = list_->currentRow();
  if (row >= 0 && static_cast<std::size_t>(row) < saved_.size())
    text_->setText(QString::fromUtf8(saved_[static_cast<std::size_t>(row)].connectText));
}

void ConnectionWindow::update() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(!text_->text().trimmed().isEmpty());
}

std::string ConnectionWindow::choice() const {
  const std::string typed = text_->text().trimmed().toStdString();
  const int row = list_->currentRow();
  if (row >= 0 && static_cast<std::size_t>(row) < saved_.size() &&
      saved_[static_cast<std::size_t>(row)].connectText == typed)
    return choiceText(saved_[static_cast<std::size_t>(row)]);
  return typed;
}

std::optional<std::string> QtConnectionChooser::choose(const char* title,
                                                       const std::vector<SavedConnection>& saved) {
  ConnectionWindow window(title, saved, QApplication::activeWindow());
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return window.choice();
}

void installQtConnectionChooser() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error("installQtConnectionChooser needs a QApplication");
  setConnectionChooser(std::make_shared<QtConnectionChooser>());
}

}  // namespace kesto::connect::qt
