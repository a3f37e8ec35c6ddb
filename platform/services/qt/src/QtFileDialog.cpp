#include "services/qt/QtFileDialog.h"

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QStringList>

namespace kesto::services::qt {

QString qtFilter(const std::string& filter) {
  QStringList teile;
  for (const auto& [beschreibung, muster] : filterPairs(filter)) {
    const QString m = QString::fromStdString(muster).split(u';', Qt::SkipEmptyParts).join(u' ');
    teile << QString::fromStdString(beschreibung) + QStringLiteral(" (") + m + u')';
  }
  return teile.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialog::show(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     QString::fromStdString(request.initialDir));
  const bool speichern = request.mode == FileDialogMode::Save;
  dialog.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filter = qtFilter(request.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
  if (!filter.isEmpty()) {
    dialog.setNameFilters(filter);
    const int index = request.filterIndex >= 1 && request.filterIndex <= filter.size() ? request.filterIndex - 1 : 0;
    dialog.selectNameFilter(filter[index]);
  }
  if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

Date QtToday::today() {
  const QDate d = QDate::currentDate();
  return {d.year(), d.month(), d.day()};
}

}  // namespace kesto::services::qt
