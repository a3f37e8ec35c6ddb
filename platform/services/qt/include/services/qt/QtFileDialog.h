// The file dialog as QFileDialog, and today's date from Qt's local clock.
#pragma once

#include <services/FileDialog.h>
#include <services/Today.h>

#include <QString>

namespace kesto::services::qt {

class QtFileDialog final : public FileDialogPort {
 public:
  // Modal over the active window.
  std::optional<std::string> show(const FileDialogRequest& request) override;
};

// "desc|*.a;*.b|..." as Qt's "desc (*.a *.b);;..."; the descriptions stay as they are.
QString qtFilter(const std::string& filter);

class QtToday final : public TodayPort {
 public:
  Date today() override;
};

}  // namespace kesto::services::qt
