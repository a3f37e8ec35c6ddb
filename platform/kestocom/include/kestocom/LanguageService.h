// Interfaces of the language services: what an editor host asks of a language object, the
// enumerators it answers, and the registry and category objects that servers register
// themselves through. Slot order equals declaration order.
#pragma once

#include <kestocom/Interfaces.h>

#include <cstdint>

struct IEnumColourAttributes;
struct IEnumRoutineLabels;

// Parses a source through its scanner object; embedded languages are reached by this
// interface under "lang:" names.
struct ILanguageService : IUnknown {
  static constexpr IID iid{0x01015660, 0x037D, 0x11D3, {0xA0, 0x3A, 0xA8, 0x92, 0x48, 0x00, 0x00, 0x00}};
  virtual HRESULT ParseLines(IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) = 0;
  virtual HRESULT ParseExpression(IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) = 0;
  virtual HRESULT Reserved6(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                            std::int32_t) = 0;
  virtual HRESULT Reserved7(std::int32_t) = 0;
  virtual HRESULT Reserved8(std::int32_t, std::int32_t, std::int32_t, std::int32_t) = 0;

 protected:
  ~ILanguageService() = default;
};

struct ILineColourizer : IUnknown {
  static constexpr IID iid{0x12A7A5A0, 0xDF1D, 0x11D3, {0x80, 0xBD, 0x00, 0x50, 0xDA, 0x55, 0x4B, 0x43}};
  virtual HRESULT ColourLines(IAllocator* allocator, IAllocator* stateAllocator, ISourceScanner* source,
                              std::uint32_t flags, std::int32_t firstLine, std::int32_t lineCount,
                              std::int32_t* startLine, std::int32_t* linesDone) = 0;

 protected:
  ~ILineColourizer() = default;
};

struct ILanguageInfo : IUnknown {
  static constexpr IID iid{0x67ECB42E, 0x8D7A, 0x11D3, {0x95, 0x3F, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT EnumAttributes(IEnumColourAttributes** attributes) = 0;
  virtual HRESULT GetAttribute(std::uint32_t index, BSTR* name) = 0;
  virtual HRESULT GetDisplayName(BSTR* text) = 0;
  virtual HRESULT GetDescription(BSTR* text) = 0;
  virtual HRESULT GetProgID(BSTR* text) = 0;
  virtual HRESULT GetFlag(std::int32_t* one) = 0;

 protected:
  ~ILanguageInfo() = default;
};

struct IRoutineLabels : IUnknown {
  static constexpr IID iid{0xCF055FD8, 0xE641, 0x11D3, {0x95, 0x71, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT ListRoutineLabels(ISourceScanner* source, IEnumRoutineLabels** labels) = 0;

 protected:
  ~IRoutineLabels() = default;
};

struct IKeywordExpander : IUnknown {
  static constexpr IID iid{0x16D9A57B, 0x5C26, 0x443E, {0xB4, 0xB1, 0x07, 0xE8, 0x44, 0x6D, 0x51, 0xAB}};
  virtual HRESULT ExpandKeyword(BSTR word, std::uint32_t attributeWord, std::int32_t direction,
                                std::int32_t caseStyle, std::uint32_t flags, BSTR* result) = 0;

 protected:
  ~IKeywordExpander() = default;
};

// One colour attribute as the enumerator hands it out: a 524-byte heap block released
// with COM_MemFree.
struct ColourAttributeItem {
  std::uint16_t id;
  char16_t name[257];
  std::uint32_t foreground;  // offset 516
  std::uint32_t background;  // offset 520
};
static_assert(sizeof(ColourAttributeItem) == 524);

struct IEnumColourAttributes : IUnknown {
  static constexpr IID iid{0xD0549F18, 0xB881, 0x11D3, {0x95, 0x62, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT Count(std::uint32_t* count) = 0;
  virtual HRESULT GetIndex(std::uint32_t* index) = 0;
  virtual HRESULT SetIndex(std::uint32_t index) = 0;
  virtual HRESULT Next(std::uint32_t n, ColourAttributeItem** items, std::uint32_t* fetched) = 0;
  virtual HRESULT Skip(std::uint32_t n) = 0;
  virtual HRESULT MoveToEnd() = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumColourAttributes** copy) = 0;

 protected:
  ~IEnumColourAttributes() = default;
};

// A label of a routine: its text and its line index (line number - 1). The text belongs
// to the enumerator's container and stays valid while any enumerator over it lives.
struct RoutineLabelItem {
  const char16_t* begin;
  const char16_t* end;
  std::int32_t lineIndex;
};

struct IEnumRoutineLabels : IUnknown {
  static constexpr IID iid{0xCF055FD9, 0xE641, 0x11D3, {0x95, 0x71, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT Count(std::uint32_t* count) = 0;
  virtual HRESULT Next(std::uint32_t n, const RoutineLabelItem** items, std::uint32_t* fetched) = 0;
  virtual HRESULT Skip(std::uint32_t n) = 0;
  virtual HRESULT MoveToEnd() = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumRoutineLabels** copy) = 0;
  virtual HRESULT GetIndex(std::uint32_t* index) = 0;
  virtual HRESULT SetIndex(std::uint32_t index) = 0;

 protected:
  ~IEnumRoutineLabels() = default;
};

// Registry editing with a cursor: keys are opened below the current key.
struct IRegistryEditor : IUnknown {
  static constexpr IID iid{0xDB24C5E0, 0x8E70, 0x4108, {0xBB, 0x28, 0x45, 0x14, 0x71, 0x1F, 0xE5, 0x94}};
  virtual HRESULT OpenRoot(std::int32_t root, const char16_t* key) = 0;  // 1: the classes root
  virtual HRESULT CloseKey() = 0;
  virtual HRESULT OpenKey(const char16_t* name) = 0;
  virtual HRESULT CreateKey(const char16_t* name, std::int32_t open) = 0;
  virtual HRESULT DeleteKeyTree(const char16_t* name) = 0;
  virtual HRESULT SetValue(const char16_t* name, const char16_t* data) = 0;  // "" is the default value
  virtual HRESULT QueryValue(const char16_t* name, BSTR* data) = 0;  // S_FALSE when absent
  virtual HRESULT Reserved10() = 0;
  virtual HRESULT Reserved11() = 0;
  virtual HRESULT DeleteValue(const char16_t* name) = 0;

 protected:
  ~IRegistryEditor() = default;
};

struct ICategoryRegistrar : IUnknown {
  static constexpr IID iid{0xE6AFFC72, 0xB286, 0x11D3, {0x95, 0x60, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT Reserved3() = 0;
  virtual HRESULT RegisterCategory(REFGUID category, REFCLSID clsid) = 0;
  virtual HRESULT Reserved5() = 0;
  virtual HRESULT UnregisterCategory(REFGUID category, REFCLSID clsid) = 0;

 protected:
  ~ICategoryRegistrar() = default;
};

constexpr CLSID CLSID_RegistryEditor{0xCFDD5D0F, 0xB1AE, 0x48C0, {0xA1, 0x80, 0x54, 0x29, 0x8F, 0xB2, 0x3B, 0x95}};
constexpr CLSID CLSID_CategoryRegistrar{0xD6A1A65A, 0xB286, 0x11D3, {0x95, 0x60, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
