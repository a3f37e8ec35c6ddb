// The debug log "KestoObject.log" in the Windows directory. Opened (created or emptied)
// at the first entry and kept open for the life of the module; every entry is flushed.
#pragma once

#include <cstdio>
#include <ctime>
#include <string_view>

namespace kesto::object {

inline constexpr std::string_view kLogFileName = "KestoObject.log";

class DebugLog {
 public:
  DebugLog() = default;
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;
  ~DebugLog() { close(); }

  // Appends one entry: the local time in ctime form, "Factory <id> connected to <connect
  // text>", then text and a blank line. When the file cannot be opened the entry is dropped
  // and false returned; the next entry tries again.
  bool write(std::time_t when, long factoryIdentity, std::string_view connectText,
             std::string_view text);

  bool isOpen() const { return file_ != nullptr; }
  void close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace kesto::object
