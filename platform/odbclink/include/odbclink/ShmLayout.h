// The shared-memory link as both ends see it: object names and the words of the mapping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace kesto::odbc::shm {

inline constexpr std::size_t kMappingSize = 2097216;

// Offsets of u32 words from the start of the view.
inline constexpr std::size_t kClientPid = 8;
inline constexpr std::size_t kRequestAreaOffset = 16 + 4;
inline constexpr std::size_t kRequestTaken = 16 + 8;
inline constexpr std::size_t kRequestLength = 16 + 12;
inline constexpr std::size_t kReplyAreaOffset = 40 + 4;
inline constexpr std::size_t kReplyLength = 40 + 12;
inline constexpr std::size_t kReplyRead = 40 + 16;

// The server's layout of the two data areas: 1 MiB each after the control blocks.
inline constexpr std::size_t kAreaSize = 1048576;
inline constexpr std::size_t kRequestArea = 64;
inline constexpr std::size_t kReplyArea = kRequestArea + kAreaSize;
static_assert(kReplyArea + kAreaSize == kMappingSize);

inline constexpr std::string_view kReady = "EVENT0";
inline constexpr std::string_view kRequestWritten = "EVENT1";
inline constexpr std::string_view kReplyWritten = "EVENT2";
inline constexpr std::string_view kServerAlive = "MUTEX1";
inline constexpr std::string_view kClientOwns = "MUTEX2";
inline constexpr std::string_view kMapping = "SHMEM";
inline constexpr std::string_view kAllSuffixes[] = {kReady, kRequestWritten, kReplyWritten,
                                                     kServerAlive, kClientOwns, kMapping};

// "Global\ODBC" for a terminal-server client (CLIENTNAME set), else "ODBC".
std::string namePrefix();

// prefix + server pid + suffix.
std::string objectName(std::string_view prefix, pid_t serverPid, std::string_view suffix);

// True when an area of `length` bytes at `offset` lies inside the mapping.
constexpr bool fitsMapping(std::size_t offset, std::size_t length) {
    return offset <= kMappingSize && length <= kMappingSize - offset;
}

}  // namespace kesto::odbc::shm
