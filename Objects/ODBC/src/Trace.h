// The driver's trace log "KestoODBC.log" in the stand-in Windows directory.
// The writers always write; callers test their handle's trace switch first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kesto::odbc::trace {

enum Kind : int { Plain = 0, Enter = 1, Leave = 2, Error = 3 };

// Once per process: decides the switch from the driver's "DEBUG" key and writes the banner
// (emptying the file). Safe to call from every entry point.
void processAttach();

// The process-wide switch decided at attach.
bool enabled();
// Tests: force the switch without reading the installer files.
void setEnabled(bool on);

std::filesystem::path logPath();

void line(int kind, std::string_view name, std::string_view text);

// printf-style; never cut, never overruns (the text lives in the returned string).
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// A framed block of 75-character pieces; title may be null.
void text(const char* title, std::string_view body);

// Rows of 14 bytes with offsets and a character column; title may be null.
void hexDump(const char* title, const std::uint8_t* data, std::size_t length);

// The dump of one bound value as a plain line.
void value(const void* data, int cType, std::u16string_view name);

// The text hexDump writes, without the file (for the transports' masked copies and tests).
std::string hexDumpText(const char* title, const std::uint8_t* data, std::size_t length);

// A handle as the enter lines print it ("%#.8lx").
inline unsigned long handleNumber(const void* h) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(h));
}

// Current indent; tests only.
int indent();
void resetIndent();

}  // namespace kesto::odbc::trace
