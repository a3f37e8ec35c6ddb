#include <kestoobject/DebugLog.h>

#include <services/Paths.h>

#include <exception>

namespace kesto::object {

namespace {

std::FILE* openLog() {
  try {
    const auto path = services::windowsDirectory() / kLogFileName;
    return std::fopen(path.c_str(), "w");
  } catch (const std::exception&) {
    return nullptr;  // no Windows directory: the entry is dropped like any open failure
  }
}

// asctime's form, "Www Mmm dd hh:mm:ss yyyy", in English whatever the locale.
void writeStamp(std::FILE* file, std::time_t when) {
  static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm t{};
  if (localtime_r(&when, &t) == nullptr) t = std::tm{};
  std::fprintf(file, "%s %s %2d %02d:%02d:%02d %d\n", days[t.tm_wday % 7], months[t.tm_mon % 12],
               t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_year + 1900);
}

void writeText(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
}

}  // namespace

bool DebugLog::write(std::time_t when, long factoryIdentity, std::string_view connectText,
                     std::string_view text) {
  if (file_ == nullptr) file_ = openLog();
  if (file_ == nullptr) return false;
  writeStamp(file_, when);
  std::fprintf(file_, "Factory %ld connected to ", factoryIdentity);
  writeText(file_, connectText);
  writeText(file_, "\n");
  writeText(file_, text);
  writeText(file_, "\n\n");
  std::fflush(file_);
  return true;
}

void DebugLog::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace kesto::object
