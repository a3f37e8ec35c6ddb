// The one QApplication of the test binary, and helpers shared by its tests.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <ostream>

#include <services/MessageBox.h>

class QLineEdit;

// Creates the application on first use (headless unless a platform is chosen).
void ensureTestApp();

// A shown, active window holding one line edit, so that focus can be checked.
class FeldFenster {
 public:
  FeldFenster();
  ~FeldFenster();
  QLineEdit& feld();
  // Moves the focus away from the field.
  void fokusWeg();

 private:
  struct Teile;
  std::unique_ptr<Teile> teile_;
};

// Installs a recording message box port for one test.
class BoxAufnahme {
 public:
  BoxAufnahme();
  ~BoxAufnahme();
  std::vector<kesto::services::MessageBoxRequest> gezeigt() const { return port_->shown(); }

 private:
  std::shared_ptr<kesto::services::ScriptedMessageBox> port_;
};

// Readable QString output in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
