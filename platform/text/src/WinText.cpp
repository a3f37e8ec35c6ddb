#include "text/WinText.h"

#include <cstring>
#include <string>

#include "text/CodePage.h"

namespace {

using kesto::text::CodePage;

// Input of length -1 runs up to and including the NUL; other negative lengths and 0 fail.
template <typename Char>
bool inputView(const Char* text, int length, std::basic_string_view<Char>& view) {
  if (!text || length == 0 || length < -1) return false;
  view = length == -1 ? std::basic_string_view<Char>(text, std::char_traits<Char>::length(text) + 1)
                      : std::basic_string_view<Char>(text, static_cast<std::size_t>(length));
  return true;
}

// Returns the size needed when outSize is 0, else copies when it fits; 0 on failure.
template <typename Char>
int deliver(const std::basic_string<Char>& result, Char* out, int outSize) {
  if (outSize < 0 || result.size() > static_cast<std::size_t>(INT32_MAX)) return 0;
  const int needed = static_cast<int>(result.size());
  if (outSize == 0) return needed;
  if (!out || needed > outSize) return 0;
  std::memcpy(out, result.data(), result.size() * sizeof(Char));
  return needed;
}

}  // namespace

int MultiByteToWideChar(unsigned int codePage, std::uint32_t /*flags*/, const char* multiByte,
                        int multiByteLength, char16_t* wide, int wideLength) {
  std::string_view in;
  if (!inputView(multiByte, multiByteLength, in)) return 0;
  std::u16string result;
  switch (codePage) {
    case CP_ACP: result = kesto::text::toWide(in, CodePage::Ansi); break;
    case CP_OEMCP: result = kesto::text::toWide(in, CodePage::Oem); break;
    case CP_UTF8: result = kesto::text::utf8ToUtf16(in); break;
    default: return 0;
  }
  return deliver(result, wide, wideLength);
}

int WideCharToMultiByte(unsigned int codePage, std::uint32_t /*flags*/, const char16_t* wide,
                        int wideLength, char* multiByte, int multiByteLength,
                        const char* defaultChar, int* usedDefaultChar) {
  std::u16string_view in;
  if (!inputView(wide, wideLength, in)) return 0;
  std::string result;
  if (codePage == CP_UTF8) {
    if (defaultChar || usedDefaultChar) return 0;
    result = kesto::text::utf16ToUtf8(in);
  } else if (codePage == CP_ACP || codePage == CP_OEMCP) {
    bool used = false;
    const CodePage cp = codePage == CP_OEMCP ? CodePage::Oem : CodePage::Ansi;
    result = kesto::text::toNarrow(in, cp, defaultChar ? *defaultChar : '?', &used);
    if (usedDefaultChar) *usedDefaultChar = used ? 1 : 0;
  } else {
    return 0;
  }
  return deliver(result, multiByte, multiByteLength);
}
