// What the login tells the server about the client machine and program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kesto::odbc {

std::u16string osUserName();     // at most 16 characters
std::u16string computerName();   // at most 20 characters
std::u16string executableName(); // file name of the program, at most 20 characters
// u16 OS major, u16 minor, u32 build, u16 platform id, u16 processor architecture.
std::array<std::uint8_t, 12> systemRecord();
// The address sent at login for a connection to host.
std::string clientAddress(const std::string& host);

}  // namespace kesto::odbc
