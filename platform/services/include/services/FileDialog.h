// The file dialog through a port: headless (cancels) by default, scripted in tests, Qt in
// the program.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kesto::services {

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  std::string title;     // UTF-8; empty: the platform's own
  std::string filter;    // "description|patterns|description|patterns...", patterns split by ";"
  int filterIndex = 1;   // the pair shown first, from 1
  std::string fileName;  // initial name or path
  std::string initialDir;
};

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  // The chosen path (UTF-8), nullopt when the user cancels.
  virtual std::optional<std::string> show(const FileDialogRequest& request) = 0;
};

// Cancels every dialog: nobody is there to choose.
class HeadlessFileDialog final : public FileDialogPort {
 public:
  std::optional<std::string> show(const FileDialogRequest& request) override;
};

// Records every dialog and answers from a script; cancels when the script is used up.
class ScriptedFileDialog final : public FileDialogPort {
 public:
  void choose(std::string path);  // queues a chosen file for the next dialog
  void cancel();                  // queues a cancel
  std::optional<std::string> show(const FileDialogRequest& request) override;
  std::vector<FileDialogRequest> shown() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileDialogRequest> shown_;
};

// The filter's pairs as (description, patterns); a last description without patterns is
// dropped.
std::vector<std::pair<std::string, std::string>> filterPairs(const std::string& filter);

std::optional<std::string> fileDialog(const FileDialogRequest& request);
// nullptr goes back to the headless port.
void setFileDialogPort(std::shared_ptr<FileDialogPort> port);

}  // namespace kesto::services
