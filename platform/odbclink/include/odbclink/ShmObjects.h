// Named kernel objects of the shared-memory link on Linux: events are POSIX semaphores,
// mutexes are flock()ed shared-memory files (freed when the holder dies), the mapping is
// a POSIX shared-memory object. Every object is owned by one RAII value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include <semaphore.h>
#include <sys/types.h>

namespace kesto::odbc::shm {

struct ShmError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An auto-reset event: post wakes one wait.
class NamedEvent {
public:
    // Removes a stale object of that name, then creates it unsignalled. Throws ShmError.
    static NamedEvent create(const std::string& name);
    // Empty when there is no such object (or it cannot be opened).
    static std::optional<NamedEvent> open(const std::string& name);

    NamedEvent(NamedEvent&& other) noexcept;
    NamedEvent& operator=(NamedEvent&& other) noexcept {
        std::swap(sem_, other.sem_);
        return *this;
    }
    ~NamedEvent();

    bool post();
    enum class Wait { Signalled, TimedOut, Failed };
    // Waits at most `milliseconds` (>= 0).
    Wait wait(int milliseconds);

private:
    explicit NamedEvent(sem_t* s) : sem_(s) {}
    sem_t* sem_;
};

// A mutex whose holder is a live process: the lock goes with the holder's death.
class NamedLock {
public:
    static NamedLock create(const std::string& name);
    static std::optional<NamedLock> open(const std::string& name);

    NamedLock(NamedLock&& other) noexcept;
    NamedLock& operator=(NamedLock&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~NamedLock();

    // Takes the lock without waiting; false when another holder has it.
    bool tryLock();
    void unlock();

private:
    explicit NamedLock(int fd) : fd_(fd) {}
    int fd_;
};

// The mapped view of kMappingSize bytes.
class Mapping {
public:
    static Mapping create(const std::string& name);
    // Empty when missing or not of the expected size.
    static std::optional<Mapping> open(const std::string& name);

    Mapping(Mapping&& other) noexcept;
    Mapping& operator=(Mapping&& other) noexcept {
        std::swap(view_, other.view_);
        return *this;
    }
    ~Mapping();

    std::uint32_t load(std::size_t offset) const;
    void store(std::size_t offset, std::uint32_t value);
    // Copies in or out of the view; false when the range leaves the view.
    bool write(std::size_t offset, const void* data, std::size_t length);
    bool read(std::size_t offset, void* data, std::size_t length) const;

private:
    explicit Mapping(void* view) : view_(static_cast<std::uint8_t*>(view)) {}
    std::uint8_t* view_;
};

// Removes every name of the link with that prefix and server pid; missing ones are fine.
void removeNames(std::string_view prefix, pid_t serverPid);

// True when any name of the link still exists.
bool anyNameExists(std::string_view prefix, pid_t serverPid);

}  // namespace kesto::odbc::shm
