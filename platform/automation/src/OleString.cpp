#include <automation/OleString.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>

// A BSTR points just past a 4-byte byte length; two NUL bytes follow the data, so the
// text is terminated whatever its (possibly odd) byte length.
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
constexpr std::size_t kTerminator = 2;
std::atomic<long> liveStrings{0};

std::uint32_t storedLength(BSTR text) {
  std::uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - kPrefix, kPrefix);
  return bytes;
}

BSTR allocateBytes(const void* data, std::size_t bytes) {
  if (bytes > std::numeric_limits<std::uint32_t>::max() - kPrefix - kTerminator) return nullptr;
  auto* block = static_cast<char*>(std::malloc(kPrefix + bytes + kTerminator));
  if (!block) return nullptr;
  const auto length = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &length, kPrefix);
  if (data)
    std::memcpy(block + kPrefix, data, bytes);
  else
    std::memset(block + kPrefix, 0, bytes);
  std::memset(block + kPrefix + bytes, 0, kTerminator);
  ++liveStrings;
  return reinterpret_cast<BSTR>(block + kPrefix);
}

std::size_t textLength(LPCOLESTR text) {
  std::size_t n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

BSTR SysAllocString(LPCOLESTR text) {
  if (!text) return nullptr;
  return allocateBytes(text, textLength(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(LPCOLESTR text, UINT length) {
  if (length > std::numeric_limits<std::uint32_t>::max() / sizeof(OLECHAR)) return nullptr;
  return allocateBytes(text, std::size_t{length} * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT byteLength) {
  return allocateBytes(bytes, byteLength);
}

int SysReAllocString(BSTR* target, LPCOLESTR text) {
  if (!target) return FALSE;
  // The new string is made before the old one is freed: `text` may point into it.
  BSTR fresh = text ? SysAllocString(text) : SysAllocStringLen(nullptr, 0);
  if (!fresh) return FALSE;
  SysFreeString(*target);
  *target = fresh;
  return TRUE;
}

int SysReAllocStringLen(BSTR* target, LPCOLESTR text, UINT length) {
  if (!target) return FALSE;
  BSTR fresh = SysAllocStringLen(text, length);
  if (!fresh) return FALSE;
  SysFreeString(*target);
  *target = fresh;
  return TRUE;
}

void SysFreeString(BSTR text) {
  if (!text) return;
  --liveStrings;
  std::free(reinterpret_cast<char*>(text) - kPrefix);
}

UINT SysStringLen(BSTR text) { return text ? storedLength(text) / sizeof(OLECHAR) : 0; }

UINT SysStringByteLen(BSTR text) { return text ? storedLength(text) : 0; }

namespace kesto::automation {

long liveBstrCount() { return liveStrings.load(); }

}  // namespace kesto::automation
