#include <connect/ConnectionChooser.h>

#include <text/Compare.h>

#include <cstring>
#include <utility>

#include <dlfcn.h>

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

namespace {

using HostDialog = int (*)(const char*, char*, unsigned, unsigned*);

// The program's chooser, seen from a library that carries its own copy of this code: the
// program exports kesto_connect_host_dialog (see the Qt part), the library's copy is
// hidden, so the lookup finds the program's. Null when the program has none.
HostDialog hostDialog() {
  auto* found = reinterpret_cast<HostDialog>(::dlsym(RTLD_DEFAULT, "kesto_connect_host_dialog"));
  return found == &kesto_connect_host_dialog ? nullptr : found;
}

}  // namespace

int ConnectionDialog(void* /*reserved*/, std::string& text, const char* title, int /*flags*/) {
  std::shared_ptr<ConnectionChooser> chooser = installedChooser();
  if (!chooser) {
    if (const HostDialog host = hostDialog()) {
      std::vector<char> buffer(kMaxChoice);
      unsigned length = 0;
      const int chosen = host(title, buffer.data(), static_cast<unsigned>(buffer.size()), &length);
      if (chosen >= 0) {
        if (chosen > 0) text.assign(buffer.data(), length);
        return chosen > 0 ? 1 : 0;
      }
    }
    chooser = std::make_shared<CancellingChooser>();
  }
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

extern "C" int kesto_connect_host_dialog(const char* title, char* buffer, unsigned capacity,
                                         unsigned* length) {
  using namespace kesto::connect;
  std::shared_ptr<ConnectionChooser> chooser = installedChooser();
  if (!chooser || !buffer || !length) return -1;
  std::optional<std::string> choice = chooser->choose(title, savedConnections());
  if (!choice) return 0;
  if (choice->size() > capacity) return 0;  // no connect text is that long: as cancelled
  std::memcpy(buffer, choice->data(), choice->size());
  *length = static_cast<unsigned>(choice->size());
  return 1;
}
