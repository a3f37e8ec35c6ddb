#include "AnsiText.h"

namespace kesto::odbc {

std::u16string widen(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::string narrow(std::u16string_view text, bool* usedDefault) {
    std::string out;
    out.reserve(text.size());
    bool defaulted = false;
    for (char16_t c : text) {
        if (c > 0xFF) {
            out.push_back('?');
            defaulted = true;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    if (usedDefault) *usedDefault = defaulted;
    return out;
}

std::size_t wideLength(const char16_t* text) {
    std::size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

}  // namespace kesto::odbc

namespace kesto::odbc {

std::u16string fromProfileText(std::string_view b) {
    std::u16string out;
    for (std::size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > b.size()) return widen(b);
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < n; ++k) {
            const auto cc = static_cast<unsigned char>(b[i + k]);
            if ((cc & 0xC0) != 0x80) return widen(b);
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return widen(b);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return out;
}

}  // namespace kesto::odbc
