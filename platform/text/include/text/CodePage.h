// 8-bit code pages of the ported programs and UTF conversions.
//
// The tables are our own and fixed, so results never depend on the machine's locale.
#pragma once

#include <string>
#include <string_view>

namespace kesto::text {

enum class CodePage {
  Ansi,  // Windows-1252
  Oem,   // code page 850
};

// The character a byte stands for. Every byte maps to one character in both tables.
char16_t toWideChar(unsigned char byte, CodePage cp = CodePage::Ansi);

// The byte for a character, or false when the code page has none.
bool toNarrowChar(char16_t ch, CodePage cp, unsigned char& byte);

std::u16string toWide(std::string_view bytes, CodePage cp = CodePage::Ansi);

// Characters the code page lacks become '?'; *usedDefault tells whether that happened.
std::string toNarrow(std::u16string_view text, CodePage cp = CodePage::Ansi,
                     bool* usedDefault = nullptr);
// The same with another replacement character.
std::string toNarrow(std::u16string_view text, CodePage cp, char defaultChar, bool* usedDefault);

// Invalid sequences (bad lead or continuation bytes, overlong forms, surrogates,
// code points above U+10FFFF, truncated ends) become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

// Lone surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

bool isValidUtf8(std::string_view bytes);

}  // namespace kesto::text
