// Interfaces of the component library: allocator, factories, the source scanner and the
// line collection it reads. Slot order equals declaration order; placeholder slots keep the
// places of the operations the language service calls.
#pragma once

#include <automation/Types.h>
#include <automation/Interfaces.h>

#include <cstddef>
#include <cstdint>

struct ILineCollection;

// The factory interface of component-library classes (not the standard class factory).
struct IComponentFactory : IUnknown {
  static constexpr IID iid{0x00000002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x50}};
  virtual HRESULT CreateInstance(REFIID riid, void** object) = 0;

 protected:
  ~IComponentFactory() = default;
};

struct IAllocator : IUnknown {
  static constexpr IID iid{0xFB890D5A, 0x7285, 0x11D3, {0x95, 0x34, 0x00, 0xC0, 0x4F, 0x60, 0xB2, 0xF5}};
  virtual HRESULT Init(std::uint32_t kind, std::uint32_t flags, std::uint32_t chunkSize) = 0;
  virtual void* Allocate(std::size_t bytes) = 0;
  virtual void Free(void* block) = 0;
  virtual HRESULT Reserved4() = 0;
  virtual HRESULT Statistics(std::uint32_t* inUse, std::uint32_t* peak, std::uint32_t* blocks,
                             std::uint32_t* chunks) = 0;

 protected:
  ~IAllocator() = default;
};

// One source line as the colouring scanner reads it. `runs` points just past an 8-byte
// header {u32 capacity in words (low 16 bits: words written), u32 0}.
struct LineObject {
  const char16_t* begin = nullptr;
  const char16_t* end = nullptr;
  std::uint16_t* runs = nullptr;
  void* reserved = nullptr;
};

struct ILineCollection : IUnknown {
  static constexpr IID iid{0x2FFF9510, 0xF1D2, 0x11D2, {0xA0, 0x28, 0x00, 0x80, 0xC7, 0x4A, 0xF1, 0x9F}};
  virtual HRESULT Count(std::int32_t* count) = 0;
  virtual HRESULT GetIndex(std::int32_t* index) = 0;
  virtual HRESULT SetIndex(std::int32_t index) = 0;
  virtual HRESULT Next(std::int32_t n, LineObject** items, std::int32_t* fetched) = 0;
  virtual HRESULT Skip(std::int32_t n) = 0;
  virtual HRESULT MoveToEnd() = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(ILineCollection** copy) = 0;

 protected:
  ~ILineCollection() = default;
};

// The scanner object: splits lines into raw tokens, keeps positions, per-line start
// states, colours and checkpoints. Line numbers count from 1, offsets in UTF-16 units.
struct ISourceScanner : IUnknown {
  static constexpr IID iid{0xE634A541, 0x5B1F, 0x11D3, {0x9E, 0x0C, 0x00, 0x90, 0x27, 0x12, 0xCA, 0x93}};
  virtual HRESULT Init(ILineCollection* lines, std::int32_t a, std::int32_t b) = 0;       // 3
  virtual HRESULT NotifyError(HRESULT hr) = 0;                                             // 4
  virtual HRESULT SeekLine(std::int32_t line) = 0;                                         // 5
  virtual HRESULT Start(std::int32_t a, std::int32_t b) = 0;                               // 6
  virtual HRESULT CurrentChar(std::uint16_t* ch) = 0;                                      // 7
  // An embedded section starts at the current token: generic lexical rules, and the
  // close kind matching the open kind at depth 0 reads as the end of the source.
  virtual HRESULT BeginEmbedded(const char16_t* language, std::uint32_t openKind,
                                std::uint32_t closeKind) = 0;                            // 8
  virtual HRESULT TokenKind(std::uint32_t* kind) = 0;                                      // 9
  virtual HRESULT Advance(std::uint32_t* kind) = 0;                                        // 10
  virtual HRESULT NextKind(std::uint32_t* kind) = 0;                                       // 11
  // The section ends: the close token becomes current, read by the source's own rules.
  virtual HRESULT EndEmbedded(const char16_t* language) = 0;                               // 12
  virtual HRESULT StateHere(const std::uint8_t** state) = 0;                               // 13
  virtual HRESULT SourceName(const char16_t** name) = 0;                                   // 14
  virtual HRESULT LineState(const std::uint8_t** state, std::int32_t line) = 0;            // 15
  virtual HRESULT StoreLineStates(std::int32_t first, std::int32_t count,
                                  const std::uint8_t* const* states) = 0;                  // 16
  virtual HRESULT ColourRest(std::uint32_t attribute, std::int32_t* result) = 0;           // 17
  virtual HRESULT LineCount(std::int32_t* count) = 0;                                      // 18
  virtual HRESULT Reserved19() = 0;                                                        // 19
  virtual HRESULT Reserved20() = 0;                                                        // 20
  virtual HRESULT ColourToken(std::uint32_t attribute) = 0;                                // 21
  virtual HRESULT Recover() = 0;                                                           // 22
  virtual HRESULT Line(std::int32_t* line) = 0;                                            // 23
  virtual HRESULT Offset(std::int32_t* offset) = 0;                                        // 24
  virtual HRESULT LineText(const char16_t** text) = 0;                                     // 25
  virtual HRESULT TokenBegin() = 0;                                                        // 26
  virtual HRESULT TokenEnd() = 0;                                                          // 27
  virtual HRESULT TokenText(const char16_t** begin, const char16_t** end) = 0;             // 28
  virtual HRESULT SaveCheckpoint(std::uint32_t* handle) = 0;                               // 29
  virtual HRESULT RestoreCheckpoint(std::uint32_t handle) = 0;                             // 30
  virtual HRESULT Reserved31() = 0;                                                        // 31
  virtual HRESULT Reserved32() = 0;                                                        // 32
  virtual HRESULT ReleaseCheckpoint(std::uint32_t handle) = 0;                             // 33
  virtual HRESULT Reserved34() = 0;                                                        // 34
  virtual HRESULT Reserved35() = 0;                                                        // 35
  virtual HRESULT Reserved36() = 0;                                                        // 36
  virtual HRESULT BeginRaw() = 0;                                                          // 37
  virtual HRESULT EndRaw() = 0;                                                            // 38
  virtual HRESULT PositionState(std::uint32_t* state) = 0;                                 // 39
  virtual HRESULT AtLineEnd(std::int32_t* atEnd) = 0;                                      // 40

 protected:
  ~ISourceScanner() = default;
};

// Second interface of the scanner object: brace-block notifications (0 open, 1 close).
struct IScannerBlocks : IUnknown {
  static constexpr IID iid{0x64865C16, 0xB18C, 0x4960, {0x84, 0xA8, 0x23, 0xA4, 0xC8, 0xBD, 0xBA, 0xAA}};
  virtual HRESULT Notify(std::int32_t action, std::int32_t flag, const char16_t* text) = 0;

 protected:
  ~IScannerBlocks() = default;
};

// One raw token of a line: its kind and where its characters begin; they run to the next
// token's begin (the end-of-line token begins at the line's length).
struct ScannerToken {
  std::uint16_t kind;
  std::uint32_t begin;
};

// The scanner object's token index on its line and its token mark (line counted from 0).
struct ScannerPlace {
  std::uint32_t token = 0;
  std::uint32_t markLine = 0;
  std::uint32_t markBegin = 0;
  std::uint32_t markEnd = 0;
};

// The answers of the scanner object's position questions (TokenKind, Line, Offset,
// PositionState, CurrentChar, LineText), kept current by every call that moves the scanner,
// and what a caller in the same process needs to step within a line, set the token mark and
// colour the marked token without a call: the current line's tokens and attribute words and
// the object's own place. Stepping directly is allowed only while `direct` is set (no
// embedded section is open) and never past the end-of-line token; it must leave the answers
// as the object's own step would, except `ch`: a caller that steps reads the character at
// `offset` from `text` itself (0 at the end), and `ch` may lag behind until the object moves.
struct ScannerView {
  std::uint32_t kind = 2;
  std::int32_t line = 1;
  std::int32_t offset = 0;
  std::uint32_t state = 1;
  std::uint16_t ch = 0;
  const char16_t* text = nullptr;
  std::uint32_t length = 0;
  bool direct = false;
  const ScannerToken* tokens = nullptr;
  std::uint16_t* words = nullptr;
  std::uint32_t wordCount = 0;
  ScannerPlace* place = nullptr;
};

// Third interface of the scanner object: its view, for a caller in the same process that
// reads tokens in a tight loop. The view lives as long as the object.
struct IScannerView : IUnknown {
  static constexpr IID iid{0x7A1C0E31, 0x4B52, 0x4C1E, {0x9D, 0x10, 0x5E, 0x2B, 0x61, 0x0A, 0x33, 0x03}};
  virtual ScannerView* View() = 0;

 protected:
  ~IScannerView() = default;
};

// What a text source records besides its text, for hosts and tests.
struct ITextSourceInfo : IUnknown {
  static constexpr IID iid{0x7A1C0E31, 0x4B52, 0x4C1E, {0x9D, 0x10, 0x5E, 0x2B, 0x61, 0x0A, 0x33, 0x01}};
  // Attribute words (language << 10 | attribute) of one line, one per character.
  virtual HRESULT LineAttributes(std::int32_t line, const std::uint16_t** words, std::int32_t* count) = 0;
  virtual HRESULT RecoverCount(std::int32_t* count) = 0;
  virtual HRESULT ErrorCount(std::int32_t* count) = 0;
  virtual HRESULT BlockEventCount(std::int32_t* count) = 0;

 protected:
  ~ITextSourceInfo() = default;
};

// A name object made from a display name such as "lang:SQL".
struct IComponentName : IUnknown {
  static constexpr IID iid{0x7A1C0E31, 0x4B52, 0x4C1E, {0x9D, 0x10, 0x5E, 0x2B, 0x61, 0x0A, 0x33, 0x02}};
  virtual HRESULT Bind(const char16_t* rest, REFIID riid, void** object) = 0;

 protected:
  ~IComponentName() = default;
};
