#include "services/MessageBox.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "PortSlot.h"

namespace kesto::services {
namespace {

detail::PortSlot<MessageBoxPort>& slot() {
  static detail::PortSlot<MessageBoxPort> instance(
      [] { return std::make_shared<HeadlessMessageBox>(std::cerr); });
  return instance;
}

}  // namespace

std::vector<int> buttonsOf(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

int defaultButton(unsigned flags) {
  const std::vector<int> buttons = buttonsOf(flags);
  const std::size_t index = (flags & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

HeadlessMessageBox::HeadlessMessageBox(std::ostream& out) : out_(out) {}

int HeadlessMessageBox::show(const MessageBoxRequest& request) {
  out_ << request.title << ": " << request.text << std::endl;
  return defaultButton(request.flags);
}

void ScriptedMessageBox::answer(int button) {
  std::lock_guard lock(mutex_);
  answers_.push_back(button);
}

int ScriptedMessageBox::show(const MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  shown_.push_back(request);
  if (answers_.empty()) return defaultButton(request.flags);
  const int button = answers_.front();
  answers_.pop_front();
  const std::vector<int> buttons = buttonsOf(request.flags);
  if (std::find(buttons.begin(), buttons.end(), button) == buttons.end()) {
    throw std::logic_error("scripted answer " + std::to_string(button) +
                           " is not a button of the box \"" + request.text + "\"");
  }
  return button;
}

std::vector<MessageBoxRequest> ScriptedMessageBox::shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::size_t ScriptedMessageBox::pendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

int messageBox(std::string_view text, std::string_view title, unsigned flags) {
  return slot().get()->show(MessageBoxRequest{std::string(text), std::string(title), flags});
}

void setMessageBoxPort(std::shared_ptr<MessageBoxPort> port) { slot().set(std::move(port)); }

std::shared_ptr<MessageBoxPort> messageBoxPort() { return slot().get(); }

}  // namespace kesto::services
