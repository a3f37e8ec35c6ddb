#include "services/FileDialog.h"

#include "PortSlot.h"

namespace kesto::services {
namespace {

detail::PortSlot<FileDialogPort>& slot() {
  static detail::PortSlot<FileDialogPort> instance([] { return std::make_shared<HeadlessFileDialog>(); });
  return instance;
}

}  // namespace

std::optional<std::string> HeadlessFileDialog::show(const FileDialogRequest&) { return std::nullopt; }

void ScriptedFileDialog::choose(std::string path) {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::move(path));
}

void ScriptedFileDialog::cancel() {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::nullopt);
}

std::optional<std::string> ScriptedFileDialog::show(const FileDialogRequest& request) {
  std::lock_guard lock(mutex_);
  shown_.push_back(request);
  if (answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

std::vector<FileDialogRequest> ScriptedFileDialog::shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::vector<std::pair<std::string, std::string>> filterPairs(const std::string& filter) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= filter.size()) {
    const std::size_t bar = filter.find('|', start);
    if (bar == std::string::npos) {
      pieces.push_back(filter.substr(start));
      break;
    }
    pieces.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) pairs.emplace_back(pieces[i], pieces[i + 1]);
  return pairs;
}

std::optional<std::string> fileDialog(const FileDialogRequest& request) { return slot().get()->show(request); }

void setFileDialogPort(std::shared_ptr<FileDialogPort> port) { slot().set(std::move(port)); }

}  // namespace kesto::services
