// Message boxes as QMessageBox, with the German button texts of the platform.
#pragma once

#include <services/MessageBox.h>

#include <QString>

namespace kesto::services::qt {

class QtMessageBox final : public MessageBoxPort {
 public:
  // Modal over the active window; closing the box without a button answers Cancel where
  // the box has it, else its only button, else its default button.
  int show(const MessageBoxRequest& request) override;
};

// The German text of a button (IDOK ...).
QString buttonText(int button);

}  // namespace kesto::services::qt
