#include "TestApp.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

void ensureTestApp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own exit handlers still use it.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

struct FeldFenster::Teile {
  QWidget fenster;
  QLineEdit* feld = nullptr;
  QPushButton* anderes = nullptr;
};

FeldFenster::FeldFenster() {
  ensureTestApp();
  teile_ = std::make_unique<Teile>();
  auto* layout = new QVBoxLayout(&teile_->fenster);
  teile_->feld = new QLineEdit;
  teile_->anderes = new QPushButton(QStringLiteral("anderes"));
  layout->addWidget(teile_->feld);
  layout->addWidget(teile_->anderes);
  teile_->fenster.show();
  QApplication::setActiveWindow(&teile_->fenster);
  fokusWeg();
}

FeldFenster::~FeldFenster() = default;

QLineEdit& FeldFenster::feld() { return *teile_->feld; }

void FeldFenster::fokusWeg() {
  teile_->anderes->setFocus();
  QApplication::processEvents();
}

BoxAufnahme::BoxAufnahme() : port_(std::make_shared<kesto::services::ScriptedMessageBox>()) {
  kesto::services::setMessageBoxPort(port_);
}

BoxAufnahme::~BoxAufnahme() { kesto::services::setMessageBoxPort(nullptr); }

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
