#include "HiveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace kesto::registry::detail {
namespace {

[[noreturn]] void throwSystemError(const std::string& what, const std::filesystem::path& file) {
  throw RegistryError(what + " \"" + file.string() + "\": " + std::strerror(errno));
}

// Closes a descriptor on every exit.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

void writeAll(int fd, const std::string& data, const std::filesystem::path& file) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwSystemError("cannot write registry file", file);
    }
    done += static_cast<std::size_t>(n);
  }
}

std::filesystem::path withSuffix(const std::filesystem::path& file, const char* suffix) {
  std::filesystem::path result = file;
  result += suffix;
  return result;
}

}  // namespace

HiveFile::HiveFile(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<HiveFile::Stamp> HiveFile::currentStamp() const {
  struct stat info {};
  if (::stat(file_.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    throwSystemError("cannot inspect registry file", file_);
  }
  return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

bool HiveFile::sameStamp(const std::optional<Stamp>& a, const std::optional<Stamp>& b) {
  if (!a || !b) return !a && !b;
  return a->device == b->device && a->inode == b->inode && a->size == b->size &&
         a->modified.tv_sec == b->modified.tv_sec && a->modified.tv_nsec == b->modified.tv_nsec;
}

KeyNode& HiveFile::read() {
  const std::optional<Stamp> stamp = currentStamp();
  if (!loaded_ || !sameStamp(stamp, stamp_)) {
    // Invalidate first: when the load throws, the next call tries again.
    loaded_ = false;
    stamp_ = stamp;
    load();
    loaded_ = true;
  }
  return root_;
}

void HiveFile::load() {
  if (!stamp_) {
    root_ = KeyNode{};
    return;
  }
  std::ifstream in(file_, std::ios::binary);
  if (!in) throwSystemError("cannot open registry file", file_);
  std::ostringstream content;
  content << in.rdbuf();
  const nlohmann::json document = nlohmann::json::parse(content.str(), nullptr, false);
  if (document.is_discarded()) {
    throw RegistryError("damaged registry file \"" + file_.string() + "\": not JSON");
  }
  root_ = fromJson(document);
}

bool HiveFile::modify(const std::function<bool(KeyNode&)>& change) {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  if (error) {
    throw RegistryError("cannot create registry folder \"" + file_.parent_path().string() +
                        "\": " + error.message());
  }
  const std::filesystem::path lockFile = withSuffix(file_, ".lock");
  Descriptor lock(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lock.get() < 0) throwSystemError("cannot open registry lock", lockFile);
  while (::flock(lock.get(), LOCK_EX) != 0) {
    if (errno != EINTR) throwSystemError("cannot lock registry", lockFile);
  }
  try {
    const bool changed = change(read());
    if (changed) save();
    return changed;
  } catch (...) {
    loaded_ = false;
    throw;
  }
}

void HiveFile::save() {
  const std::string data = toJson(root_).dump(1);
  // One fixed temporary name is enough: only the holder of the lock writes it, and a
  // leftover from a killed process is simply overwritten.
  const std::filesystem::path temporary = withSuffix(file_, ".tmp");
  {
    Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (out.get() < 0) throwSystemError("cannot create registry file", temporary);
    writeAll(out.get(), data, temporary);
    if (::fsync(out.get()) != 0) throwSystemError("cannot flush registry file", temporary);
  }
  if (::rename(temporary.c_str(), file_.c_str()) != 0) {
    throwSystemError("cannot replace registry file", file_);
  }
  Descriptor folder(::open(file_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());  // best effort: the rename is already visible
  stamp_ = currentStamp();
}

}  // namespace kesto::registry::detail
