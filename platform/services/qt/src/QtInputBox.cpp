#include "services/qt/QtInputBox.h"

#include <QApplication>
#include <QInputDialog>

namespace kesto::services::qt {

std::optional<std::string> QtInputBox::show(const InputBoxRequest& request) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setObjectName(QStringLiteral("InputBox"));
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setLabelText(QString::fromStdString(request.prompt));
  dialog.setTextValue(QString::fromStdString(request.defaultText));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

}  // namespace kesto::services::qt
