#include <odbclink/ShmObjects.h>

#include <odbclink/ShmLayout.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto::odbc::shm {
namespace {

std::string posixName(const std::string& name) { return "/" + name; }

bool isEvent(std::string_view suffix) { return suffix.starts_with("EVENT"); }

[[noreturn]] void fail(const std::string& what, const std::string& name) {
    throw ShmError(what + " " + name + ": " + std::strerror(errno));
}

// A new object of that name, never a stale one left by a process with the same pid.
int createObject(const std::string& name, std::size_t size) {
    ::shm_unlink(posixName(name).c_str());
    const int fd = ::shm_open(posixName(name).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) fail("cannot create", name);
    if (size && ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        fail("cannot size", name);
    }
    return fd;
}

int openObject(const std::string& name) {
    return ::shm_open(posixName(name).c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0);
}

}  // namespace

std::string namePrefix() { return std::getenv("CLIENTNAME") ? "Global\\ODBC" : "ODBC"; }

std::string objectName(std::string_view prefix, pid_t serverPid, std::string_view suffix) {
    std::string name(prefix);
    name += std::to_string(static_cast<unsigned long>(serverPid));
    name += suffix;
    return name;
}

NamedEvent NamedEvent::create(const std::string& name) {
    ::sem_unlink(posixName(name).c_str());
    sem_t* s = ::sem_open(posixName(name).c_str(), O_CREAT | O_EXCL, 0600, 0);
    if (s == SEM_FAILED) fail("cannot create", name);
    return NamedEvent(s);
}

std::optional<NamedEvent> NamedEvent::open(const std::string& name) {
    sem_t* s = ::sem_open(posixName(name).c_str(), 0);
    if (s == SEM_FAILED) return std::nullopt;
    return NamedEvent(s);
}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept : sem_(other.sem_) { other.sem_ = nullptr; }

NamedEvent::~NamedEvent() {
    if (sem_) ::sem_close(sem_);
}

bool NamedEvent::post() {
    // Auto-reset: a second post before a wait is one signal, not two.
    int value = 0;
    if (::sem_getvalue(sem_, &value) == 0 && value > 0) return true;
    return ::sem_post(sem_) == 0;
}

NamedEvent::Wait NamedEvent::wait(int milliseconds) {
    timespec until{};
    ::clock_gettime(CLOCK_MONOTONIC, &until);
    until.tv_sec += milliseconds / 1000;
    until.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
    if (until.tv_nsec >= 1000000000L) {
        ++until.tv_sec;
        until.tv_nsec -= 1000000000L;
    }
    for (;;) {
        if (::sem_clockwait(sem_, CLOCK_MONOTONIC, &until) == 0) return Wait::Signalled;
        if (errno == ETIMEDOUT) return Wait::TimedOut;
        if (errno != EINTR) return Wait::Failed;
    }
}

NamedLock NamedLock::create(const std::string& name) { return NamedLock(createObject(name, 0)); }

std::optional<NamedLock> NamedLock::open(const std::string& name) {
    const int fd = openObject(name);
    if (fd < 0) return std::nullopt;
    return NamedLock(fd);
}

NamedLock::NamedLock(NamedLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

NamedLock::~NamedLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool NamedLock::tryLock() {
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EINTR) return false;
    }
}

void NamedLock::unlock() { ::flock(fd_, LOCK_UN); }

Mapping Mapping::create(const std::string& name) {
    const int fd = createObject(name, kMappingSize);
    void* view = ::mmap(nullptr, kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED) fail("cannot map", name);
    return Mapping(view);
}

std::optional<Mapping> Mapping::open(const std::string& name) {
    const int fd = openObject(name);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    void* view = MAP_FAILED;
    if (::fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) == kMappingSize)
        view = ::mmap(nullptr, kMappingSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED) return std::nullopt;
    return Mapping(view);
}

Mapping::Mapping(Mapping&& other) noexcept : view_(other.view_) { other.view_ = nullptr; }

Mapping::~Mapping() {
    if (view_) ::munmap(view_, kMappingSize);
}

// The words are shared with another process: every access is atomic and ordered.
std::uint32_t Mapping::load(std::size_t offset) const {
    return std::atomic_ref<std::uint32_t>(*reinterpret_cast<std::uint32_t*>(view_ + offset)).load();
}

void Mapping::store(std::size_t offset, std::uint32_t value) {
    std::atomic_ref<std::uint32_t>(*reinterpret_cast<std::uint32_t*>(view_ + offset)).store(value);
}

bool Mapping::write(std::size_t offset, const void* data, std::size_t length) {
    if (!fitsMapping(offset, length)) return false;
    if (length) std::memcpy(view_ + offset, data, length);
    return true;
}

bool Mapping::read(std::size_t offset, void* data, std::size_t length) const {
    if (!fitsMapping(offset, length)) return false;
    if (length) std::memcpy(data, view_ + offset, length);
    return true;
}

void removeNames(std::string_view prefix, pid_t serverPid) {
    for (std::string_view suffix : kAllSuffixes) {
        const std::string name = posixName(objectName(prefix, serverPid, suffix));
        if (isEvent(suffix)) ::sem_unlink(name.c_str());
        else ::shm_unlink(name.c_str());
    }
}

bool anyNameExists(std::string_view prefix, pid_t serverPid) {
    for (std::string_view suffix : kAllSuffixes) {
        const std::string name = objectName(prefix, serverPid, suffix);
        if (isEvent(suffix)) {
            if (NamedEvent::open(name)) return true;
        } else if (const int fd = openObject(name); fd >= 0) {
            ::close(fd);
            return true;
        }
    }
    return false;
}

}  // namespace kesto::odbc::shm
