// The driver's 8-bit code page: ISO-8859-1, the one unixODBC's driver manager converts with,
// so that text round-trips through the manager's wide entry points.
#pragma once

#include <string>
#include <string_view>

namespace kesto::odbc {

// Every byte maps to the code point of the same value.
std::u16string widen(std::string_view bytes);

// Code points above U+00FF become '?'; usedDefault (when given) tells whether that happened.
std::string narrow(std::u16string_view text, bool* usedDefault = nullptr);

// Length of a NUL-terminated UTF-16 text, for callers that hold raw pointers.
std::size_t wideLength(const char16_t* text);

}  // namespace kesto::odbc

namespace kesto::odbc {

// Text from the installer's files: UTF-8 when it is valid UTF-8, else ISO-8859-1.
std::u16string fromProfileText(std::string_view bytes);

}  // namespace kesto::odbc
