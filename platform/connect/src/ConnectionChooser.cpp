#include <connect/ConnectionChooser.h>

#include <text/Compare.h>

#include <utility>

namespace kesto::connect {

namespace {

class CancellingChooser : public ConnectionChooser {
 public:
  std::optional<std::string> choose(const char*, const std::vector<SavedConnection>&) override {
    return std::nullopt;
  }
};

std::shared_ptr<ConnectionChooser>& installedChooser() {
  static std::shared_ptr<ConnectionChooser> chooser;
  return chooser;
}

}  // namespace

void setConnectionChooser(std::shared_ptr<ConnectionChooser> chooser) {
  installedChooser() = std::move(chooser);
}

std::string choiceText(const SavedConnection& connection) {
  return "\"" + connection.name + "\":" + connection.connectText;
}

int ConnectionDialog(void* /*reserved*/, std::string& text, const char* title, int /*flags*/) {
  std::shared_ptr<ConnectionChooser> chooser = installedChooser();
  if (!chooser) chooser = std::make_shared<CancellingChooser>();
  std::optional<std::string> choice = chooser->choose(title, savedConnections());
  if (!choice) return 0;
  text = std::move(*choice);
  return 1;
}

void ScriptedConnectionChooser::answer(std::string text) {
  steps_.push_back({Kind::Text, std::move(text)});
}

void ScriptedConnectionChooser::pickSaved(std::string name) {
  steps_.push_back({Kind::Saved, std::move(name)});
}

void ScriptedConnectionChooser::cancel() { steps_.push_back({Kind::Cancel, {}}); }

std::optional<std::string> ScriptedConnectionChooser::choose(
    const char* title, const std::vector<SavedConnection>& saved) {
  titles_.emplace_back(title ? title : "");
  if (steps_.empty()) return std::nullopt;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  switch (step.kind) {
    case Kind::Text:
      return std::move(step.value);
    case Kind::Saved:
      for (const SavedConnection& connection : saved)
        if (text::equalsNoCaseUtf8(connection.name, step.value))
          return choiceText(connection);
      return std::nullopt;
    case Kind::Cancel:
      break;
  }
  return std::nullopt;
}

}  // namespace kesto::connect
