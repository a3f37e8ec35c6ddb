// Who answers ConnectionDialog: the installed chooser (a window, see qt/, or a scripted one
// in tests); without one, the chooser of the program this code was loaded into, if it
// has one; else the dialog is cancelled.
#pragma once

#include <connect/Connect.h>

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kesto::connect {

class ConnectionChooser {
 public:
  virtual ~ConnectionChooser() = default;
  // The chosen text, or nothing when the user cancels. title is null when none was given.
  virtual std::optional<std::string> choose(const char* title,
                                            const std::vector<SavedConnection>& saved) = 0;
};

// The longest text a chooser may hand back through the program's chooser.
inline constexpr std::size_t kMaxChoice = 4096;

// Installs the chooser that ConnectionDialog asks; null brings back the default.
void setConnectionChooser(std::shared_ptr<ConnectionChooser> chooser);

// The text a chooser hands back for a saved connection: the quoted name, ":" and its
// connect text.
std::string choiceText(const SavedConnection& connection);

// Answers from a script, one step per dialog; an empty script cancels.
class ScriptedConnectionChooser : public ConnectionChooser {
 public:
  void answer(std::string text);    // hand back this text
  void pickSaved(std::string name); // the saved connection of that name (cancel if none)
  void cancel();

  std::optional<std::string> choose(const char* title,
                                    const std::vector<SavedConnection>& saved) override;

  // One entry per dialog shown: its title, "" when none was given.
  const std::vector<std::string>& titles() const { return titles_; }

 private:
  enum class Kind { Text, Saved, Cancel };
  struct Step {
    Kind kind;
    std::string value;
  };
  std::deque<Step> steps_;
  std::vector<std::string> titles_;
};

}  // namespace kesto::connect

// The program's installed chooser for libraries loaded into it: 1 with the choice in
// buffer (length bytes), 0 when cancelled, -1 when the program installed none.
extern "C" int kesto_connect_host_dialog(const char* title, char* buffer, unsigned capacity,
                                         unsigned* length);
