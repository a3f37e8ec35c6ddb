// Colours a text through a text source and renders each line's attributes as a mask of
// one character per source character.
#pragma once

#include "Language.h"

#include <kestocom/KestoCOM.h>

#include <string>
#include <vector>

namespace kesto::zentrel::testing {

// Attribute alphabet: index -> mask character.
inline char maskChar(std::uint16_t word) {
  static const char kAlphabet[] = "!.tLdCs;oQpPM,EXfFG@vmn9+R*S$HyNKirYaTVcbq{J";
  const std::uint16_t index = word & 0x1FF;
  return index < sizeof(kAlphabet) - 1 ? kAlphabet[index] : '?';
}

struct Coloured {
  HRESULT hr = E_FAIL;
  std::vector<std::string> masks;
};

inline IAllocator* newAllocator() {
  IAllocator* a = nullptr;
  COM_CreateInstance(CLSID_ComponentAllocator, nullptr, IAllocator::iid, reinterpret_cast<void**>(&a));
  return a;
}

// Each line's attributes as the source recorded them, one mask character per character.
inline std::vector<std::string> sourceMasks(ISourceScanner* source) {
  ITextSourceInfo* info = nullptr;
  source->QueryInterface(ITextSourceInfo::iid, reinterpret_cast<void**>(&info));
  std::int32_t count = 0;
  source->LineCount(&count);
  std::vector<std::string> masks;
  for (std::int32_t line = 1; line <= count; ++line) {
    const std::uint16_t* words = nullptr;
    std::int32_t n = 0;
    info->LineAttributes(line, &words, &n);
    std::string mask;
    for (std::int32_t i = 0; i < n; ++i) mask += maskChar(words[i]);
    masks.push_back(mask);
  }
  info->Release();
  return masks;
}

inline Coloured colour(const std::u16string& text, bool mac = false) {
  Coloured result;
  ISourceScanner* source = nullptr;
  COM_CreateTextSource(u"test", text.data(), text.size(), &source);
  IAllocator* allocator = newAllocator();
  result.hr = parseLines(mac, allocator, source, 0);
  result.masks = sourceMasks(source);
  allocator->Release();
  source->Release();
  return result;
}

}  // namespace kesto::zentrel::testing
