// Windows-style conversion calls over the code pages of <text/CodePage.h>.
//
// Lengths of -1 mean "up to and including the terminating NUL". With an output size of 0
// the calls return the size needed. A too small output buffer returns 0 (nothing partial
// is reported as success).
#pragma once

#include <cstdint>

inline constexpr unsigned int CP_ACP = 0;
inline constexpr unsigned int CP_OEMCP = 1;
inline constexpr unsigned int CP_UTF8 = 65001;

// Returns the number of UTF-16 units written (or needed), 0 on failure.
int MultiByteToWideChar(unsigned int codePage, std::uint32_t flags, const char* multiByte,
                        int multiByteLength, char16_t* wide, int wideLength);

// Returns the number of bytes written (or needed), 0 on failure. defaultChar replaces
// unmappable characters ('?' when null); *usedDefaultChar (when given) is set to 1 if that
// happened. Both must be null for CP_UTF8.
int WideCharToMultiByte(unsigned int codePage, std::uint32_t flags, const char16_t* wide,
                        int wideLength, char* multiByte, int multiByteLength,
                        const char* defaultChar, int* usedDefaultChar);
