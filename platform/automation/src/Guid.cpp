#include <automation/OleString.h>
#include <automation/Types.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <tuple>

namespace kesto::automation {

std::string formatGuid(const GUID& g) {
  char text[39];
  std::snprintf(text, sizeof text,
                "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                g.Data4[6], g.Data4[7]);
  return text;
}

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits from text at pos.
bool readHex(std::string_view text, std::size_t& pos, int digits, std::uint64_t& out) {
  out = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    if (pos >= text.size()) return false;
    const int d = hexDigit(text[pos]);
    if (d < 0) return false;
    out = out * 16 + static_cast<unsigned>(d);
  }
  return true;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

std::optional<GUID> parseGuid(std::string_view text) {
  const bool braced = !text.empty() && text.front() == '{';
  if (braced) {
    if (text.back() != '}') return std::nullopt;
    text = text.substr(1, text.size() - 2);
  }
  if (text.size() != 36) return std::nullopt;
  GUID g;
  std::size_t pos = 0;
  std::uint64_t v = 0;
  if (!readHex(text, pos, 8, v)) return std::nullopt;
  g.Data1 = static_cast<std::uint32_t>(v);
  if (!expect(text, pos, '-') || !readHex(text, pos, 4, v)) return std::nullopt;
  g.Data2 = static_cast<std::uint16_t>(v);
  if (!expect(text, pos, '-') || !readHex(text, pos, 4, v)) return std::nullopt;
  g.Data3 = static_cast<std::uint16_t>(v);
  if (!expect(text, pos, '-')) return std::nullopt;
  for (int i = 0; i < 8; ++i) {
    if (i == 2 && !expect(text, pos, '-')) return std::nullopt;
    if (!readHex(text, pos, 2, v)) return std::nullopt;
    g.Data4[i] = static_cast<std::uint8_t>(v);
  }
  return g;
}

bool GuidLess::operator()(const GUID& a, const GUID& b) const {
  return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3) ||
         (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3) &&
          std::memcmp(a.Data4, b.Data4, sizeof a.Data4) < 0);
}

}  // namespace kesto::automation

void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size ? size : 1); }
void CoTaskMemFree(void* p) { std::free(p); }

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity) {
  const std::string text = kesto::automation::formatGuid(guid);
  if (!buffer || capacity < static_cast<int>(text.size()) + 1) return 0;
  for (std::size_t i = 0; i < text.size(); ++i) buffer[i] = static_cast<OLECHAR>(text[i]);
  buffer[text.size()] = 0;
  return static_cast<int>(text.size()) + 1;
}

HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
  if (!text) return E_POINTER;
  *text = static_cast<LPOLESTR>(CoTaskMemAlloc(39 * sizeof(OLECHAR)));
  if (!*text) return E_OUTOFMEMORY;
  StringFromGUID2(clsid, *text, 39);
  return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
  if (!text || !clsid) return E_POINTER;
  std::string narrow;
  for (; *text; ++text) {
    if (*text > 0x7F || narrow.size() > 40) return CO_E_CLASSSTRING;
    narrow.push_back(static_cast<char>(*text));
  }
  const auto parsed = kesto::automation::parseGuid(narrow);
  if (!parsed) return CO_E_CLASSSTRING;
  *clsid = *parsed;
  return S_OK;
}
