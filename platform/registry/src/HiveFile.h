// One hive kept in one file. Saves go to a temporary file that is then renamed over the
// hive, so readers see either the old or the new state, never a mix. Changes run under an
// exclusive lock on a lock file beside the hive, so that two processes do not lose each
// other's changes.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "KeyTree.h"

namespace kesto::registry::detail {

class HiveFile {
 public:
  explicit HiveFile(std::filesystem::path file);

  // The current tree, read again when the file changed since it was last read.
  KeyNode& read();

  // Runs change on the current tree under the lock and saves when it returns true.
  // When change throws or the save fails, the tree is read again from the file.
  bool modify(const std::function<bool(KeyNode&)>& change);

  const std::filesystem::path& file() const { return file_; }

 private:
  struct Stamp {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
  };

  std::optional<Stamp> currentStamp() const;  // nullopt when there is no file
  static bool sameStamp(const std::optional<Stamp>& a, const std::optional<Stamp>& b);
  void load();
  void save();

  std::filesystem::path file_;
  KeyNode root_;
  bool loaded_ = false;
  std::optional<Stamp> stamp_;
};

}  // namespace kesto::registry::detail
