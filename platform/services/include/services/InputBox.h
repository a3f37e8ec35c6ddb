// Input boxes through a port: a prompt, a title and a default text; the answer is the
// text entered, or nothing when the user cancelled. Headless by default (cancels),
// scripted in tests, Qt in the program.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::services {

struct InputBoxRequest {
  std::string prompt;        // UTF-8
  std::string title;         // UTF-8
  std::string defaultText;   // UTF-8
};

class InputBoxPort {
 public:
  virtual ~InputBoxPort() = default;
  // The text entered (UTF-8), or nullopt when cancelled.
  virtual std::optional<std::string> show(const InputBoxRequest& request) = 0;
};

// Writes "title: prompt" to a stream and cancels: without a user nobody can answer.
class HeadlessInputBox final : public InputBoxPort {
 public:
  explicit HeadlessInputBox(std::ostream& out);
  std::optional<std::string> show(const InputBoxRequest& request) override;

 private:
  std::ostream& out_;
};

// Records every box and answers from a script; an unscripted box cancels.
class ScriptedInputBox final : public InputBoxPort {
 public:
  void answer(std::string text);  // queues a text for the next box
  void cancel();                  // queues a cancel
  std::optional<std::string> show(const InputBoxRequest& request) override;

  std::vector<InputBoxRequest> shown() const;
  std::size_t pendingAnswers() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::optional<std::string>> answers_;
  std::vector<InputBoxRequest> shown_;
};

// Shows a box through the installed port.
std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                    std::string_view defaultText = {});

// nullptr goes back to the headless port on stderr.
void setInputBoxPort(std::shared_ptr<InputBoxPort> port);

}  // namespace kesto::services
