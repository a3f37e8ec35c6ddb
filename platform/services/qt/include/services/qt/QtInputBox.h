// Input boxes as a modal dialog over the active window: the prompt above a line edit,
// "OK" and "Abbrechen".
#pragma once

#include <services/InputBox.h>

namespace kesto::services::qt {

class QtInputBox final : public InputBoxPort {
 public:
  // Closing the dialog without a button cancels.
  std::optional<std::string> show(const InputBoxRequest& request) override;
};

}  // namespace kesto::services::qt
