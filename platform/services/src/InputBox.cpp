#include "services/InputBox.h"

#include <iostream>

#include "PortSlot.h"

namespace kesto::services {
namespace {

detail::PortSlot<InputBoxPort>& slot() {
  static detail::PortSlot<InputBoxPort> instance([] { return std::make_shared<HeadlessInputBox>(std::cerr); });
  return instance;
}

}  // namespace

HeadlessInputBox::HeadlessInputBox(std::ostream& out) : out_(out) {}

std::optional<std::string> HeadlessInputBox::show(const InputBoxRequest& request) {
  out_ << request.title << ": " << request.prompt << std::endl;
  return std::nullopt;
}

void ScriptedInputBox::answer(std::string text) {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::move(text));
}

void ScriptedInputBox::cancel() {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::nullopt);
}

std::optional<std::string> ScriptedInputBox::show(const InputBoxRequest& request) {
  std::lock_guard lock(mutex_);
  shown_.push_back(request);
  if (answers_.empty()) return std::nullopt;
  std::optional<std::string> antwort = std::move(answers_.front());
  answers_.pop_front();
  return antwort;
}

std::vector<InputBoxRequest> ScriptedInputBox::shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::size_t ScriptedInputBox::pendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

std::optional<std::string> inputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
  return slot().get()->show(InputBoxRequest{std::string(prompt), std::string(title), std::string(defaultText)});
}

void setInputBoxPort(std::shared_ptr<InputBoxPort> port) { slot().set(std::move(port)); }

}  // namespace kesto::services
