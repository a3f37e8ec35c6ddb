// The scanner object: reads lines from a line collection (or its own text), tokenizes each
// line once, and keeps position, colours, start states and checkpoints.
#pragma once

#include "ComObject.h"
#include "LineTokenizer.h"

#include <kestocom/Interfaces.h>
#include <kestocom/RetainedMemory.h>

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <string>
#include <vector>

namespace kesto::kestocom {

class SourceScanner final : public ISourceScanner,
                            public IScannerBlocks,
                            public IScannerView,
                            public ITextSourceInfo,
                            public RefCounted {
 public:
  SourceScanner();
  ~SourceScanner() override;

  // A source over its own copy of `text`.
  void adoptText(std::u16string name, std::u16string text);

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return addRef(); }
  ULONG Release() override { return release(); }

  HRESULT Init(ILineCollection* lines, std::int32_t, std::int32_t) override;
  HRESULT NotifyError(HRESULT) override { ++errors_; return S_OK; }
  HRESULT SeekLine(std::int32_t line) override;
  HRESULT Start(std::int32_t, std::int32_t) override;
  HRESULT CurrentChar(std::uint16_t* ch) override;
  HRESULT BeginEmbedded(const char16_t* language, std::uint32_t openKind, std::uint32_t closeKind) override;
  HRESULT TokenKind(std::uint32_t* kind) override;
  HRESULT Advance(std::uint32_t* kind) override;
  HRESULT NextKind(std::uint32_t* kind) override;
  HRESULT EndEmbedded(const char16_t* language) override;
  HRESULT StateHere(const std::uint8_t** state) override;
  HRESULT SourceName(const char16_t** name) override;
  HRESULT LineState(const std::uint8_t** state, std::int32_t line) override;
  HRESULT StoreLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states) override;
  HRESULT ColourRest(std::uint32_t attribute, std::int32_t* result) override;
  HRESULT LineCount(std::int32_t* count) override;
  HRESULT Reserved19() override { return E_NOTIMPL; }
  HRESULT Reserved20() override { return E_NOTIMPL; }
  HRESULT ColourToken(std::uint32_t attribute) override;
  HRESULT Recover() override { ++recovers_; return S_OK; }
  HRESULT Line(std::int32_t* line) override;
  HRESULT Offset(std::int32_t* offset) override;
  HRESULT LineText(const char16_t** text) override;
  HRESULT TokenBegin() override;
  HRESULT TokenEnd() override;
  HRESULT TokenText(const char16_t** begin, const char16_t** end) override;
  HRESULT SaveCheckpoint(std::uint32_t* handle) override;
  HRESULT RestoreCheckpoint(std::uint32_t handle) override;
  HRESULT Reserved31() override { return E_NOTIMPL; }
  HRESULT Reserved32() override { return E_NOTIMPL; }
  HRESULT ReleaseCheckpoint(std::uint32_t handle) override;
  HRESULT Reserved34() override { return E_NOTIMPL; }
  HRESULT Reserved35() override { return E_NOTIMPL; }
  HRESULT Reserved36() override { return E_NOTIMPL; }
  HRESULT BeginRaw() override { raw_ = true; return S_OK; }
  HRESULT EndRaw() override { raw_ = false; return S_OK; }
  HRESULT PositionState(std::uint32_t* state) override;
  HRESULT AtLineEnd(std::int32_t* atEnd) override;

  HRESULT Notify(std::int32_t action, std::int32_t flag, const char16_t* text) override;

  ScannerView* View() override { return &view_; }

  HRESULT LineAttributes(std::int32_t line, const std::uint16_t** words, std::int32_t* count) override;
  HRESULT RecoverCount(std::int32_t* count) override;
  HRESULT ErrorCount(std::int32_t* count) override;
  HRESULT BlockEventCount(std::int32_t* count) override;

 private:
  struct SourceLine {
    explicit SourceLine(std::pmr::memory_resource* memory) : tokens(memory) {}
    std::u16string_view text;
    LineObject* object = nullptr;
    std::optional<std::vector<std::uint8_t>> state;
    TokenizedLine tokens;
    bool tokenized = false;
    bool beganEmbedded = false;  // an embedded section from an earlier line runs into it
  };
  // An embedded section: its open and close kinds and the open kinds not yet closed.
  struct Section {
    bool active = false;
    std::uint32_t open = 0;
    std::uint32_t close = 0;
    std::uint32_t depth = 0;
  };
  struct Position {
    std::size_t line = 0;
    ScannerPlace place;  // token index and mark; the view lets callers move them
    bool raw = false;
    Section section;
  };

  TokenizedLine& current() { return tokenized(pos_.line); }
  TokenizedLine& tokenized(std::size_t line) {
    return line < tokenizedUpTo_ ? lines_[line].tokens : tokenizeUpTo(line);
  }
  TokenizedLine& tokenizeUpTo(std::size_t line);
  const RawToken& token() { return current().tokens[pos_.place.token]; }
  // The token closes the embedded section: it reads as the end of the source.
  bool atSectionEnd() { return pos_.section.active && token().kind == pos_.section.close && pos_.section.depth == 0; }
  std::uint32_t kindHere() { return atSectionEnd() ? std::uint32_t{kEndOfLine} : token().kind; }
  // Brings the view up to date; every call that moves the position ends with it.
  void publish();
  void colour(std::size_t line, std::uint32_t begin, std::uint32_t end, std::uint32_t attribute);
  void writeRuns(SourceLine& line);
  // Empty lines, `count` of them (at least one), and the position at the start.
  void resetLines(std::size_t count);

  std::u16string name_;
  std::u16string ownedText_;
  // The lines and their tokens and colours: many small arrays that all live as long as the
  // lines, cut from blocks that the next scanner takes again.
  std::pmr::monotonic_buffer_resource lineMemory_;
  std::pmr::vector<SourceLine> lines_;
  std::size_t realCount_ = 0;
  bool anyRuns_ = false;  // some line object has a run area to write at the end
  std::size_t tokenizedUpTo_ = 0;  // lines below this index are tokenized
  std::vector<RawToken> scratch_;   // where a line is split before it keeps its tokens
  Position pos_;
  ScannerView view_;
  bool raw_ = false;
  // Live checkpoints, few at a time: searched from the newest; no allocation once grown.
  struct Checkpoint {
    std::uint32_t handle;
    Position position;
  };
  std::vector<Checkpoint> checkpoints_;
  std::uint32_t nextHandle_ = 1;
  std::int32_t recovers_ = 0, errors_ = 0, blockEvents_ = 0;
};

}  // namespace kesto::kestocom
