#include "services/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace kesto::services::qt {

namespace {

QMessageBox::Icon iconOf(unsigned flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::ButtonRole roleOf(int button) {
  switch (button) {
    case IDOK: return QMessageBox::AcceptRole;
    case IDYES: return QMessageBox::YesRole;
    case IDNO: return QMessageBox::NoRole;
    case IDCANCEL:
    case IDABORT: return QMessageBox::RejectRole;
    default: return QMessageBox::ActionRole;
  }
}

}  // namespace

QString buttonText(int button) {
  switch (button) {
    case IDOK: return QStringLiteral("OK");
    case IDCANCEL: return QStringLiteral("Abbrechen");
    case IDABORT: return QStringLiteral("Abbrechen");
    case IDRETRY: return QStringLiteral("Wiederholen");
    case IDIGNORE: return QStringLiteral("Ignorieren");
    case IDYES: return QStringLiteral("Ja");
    case IDNO: return QStringLiteral("Nein");
    default: return QString();
  }
}

int QtMessageBox::show(const MessageBoxRequest& request) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(request.title));
  box.setText(QString::fromStdString(request.text));
  box.setIcon(iconOf(request.flags));

  const std::vector<int> buttons = buttonsOf(request.flags);
  const int preferred = defaultButton(request.flags);
  std::map<const QAbstractButton*, int> ids;
  QPushButton* escape = nullptr;
  for (const int id : buttons) {
    QPushButton* button = box.addButton(buttonText(id), roleOf(id));
    ids[button] = id;
    if (id == preferred) box.setDefaultButton(button);
    if (id == IDCANCEL || buttons.size() == 1) escape = button;
  }
  if (escape) box.setEscapeButton(escape);

  box.exec();
  const auto it = ids.find(box.clickedButton());
  if (it != ids.end()) return it->second;
  return escape ? ids[escape] : preferred;
}

}  // namespace kesto::services::qt
