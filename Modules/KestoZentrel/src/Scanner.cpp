#include "Scanner.h"

#include <Parser/ScannerCheckpoint.h>

#include <algorithm>
#include <utility>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "ztlScanner";

HRESULT check(HRESULT hr, std::int32_t line, const char* file = kFile) {
  if (FAILED(hr)) throw CQNComException(hr, line, file);
  return hr;
}

}  // namespace

Scanner::Scanner(ISourceScanner* object) : object_(object) {
  if (!object_) throw CQNComException(E_POINTER, 37, kFile);
  check(object_->Start(1, 0), 37);
  check(object_->QueryInterface(IScannerBlocks::iid, reinterpret_cast<void**>(&blocks_)), 44);
  // The view belongs to the object, which outlives this wrapper; no reference is kept.
  IScannerView* view = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IScannerView::iid, reinterpret_cast<void**>(&view))) && view) {
    view_ = view->View();
    view->Release();
  }
  reload();
}

// The object is left where this wrapper stepped to.
Scanner::~Scanner() {
  if (view_) put(at_);
  if (blocks_) blocks_->Release();
}

void Scanner::reload() {
  if (!view_) return;
  const ScannerView& view = *view_;
  at_ = {*view.place, view.kind, view.offset, view.state};
  line_ = view.line;
  text_ = view.text;
  length_ = view.length;
  direct_ = view.direct;
  tokens_ = view.tokens;
  words_ = view.words;
  wordCount_ = view.wordCount;
}

void Scanner::save(ScannerCheckpoint& checkpoint) {
  settled();
  checkpoint.save();
}

void Scanner::restore(ScannerCheckpoint& checkpoint) {
  settled();
  try {
    checkpoint.restore();
  } catch (...) {
    reload();
    throw;
  }
  reload();
}

HRESULT Scanner::seekLine(std::int32_t line) {
  return check(moving([&](ISourceScanner* o) { return o->SeekLine(line); }), 56);
}
HRESULT Scanner::askTokenBegin() { return check(moving([&](ISourceScanner* o) { return o->TokenBegin(); }), 67); }
HRESULT Scanner::askTokenEnd() { return check(moving([&](ISourceScanner* o) { return o->TokenEnd(); }), 78); }

std::int32_t Scanner::colourRest(std::uint32_t attribute) {
  if (direct_ && attribute <= 0x3DFF) {
    // What the object does, without a call: the rest of the line takes the attribute and the
    // place goes to the line's end token (the raw region it is bracketed with for comments
    // changes nothing else).
    colourWords(static_cast<std::uint32_t>(at_.offset), length_, attribute);
    std::uint32_t at = at_.place.token;
    while (tokens_[at].kind != 2) ++at;
    if (at != at_.place.token) {
      at_.place.token = at;
      at_.kind = 2;
      at_.offset = static_cast<std::int32_t>(tokens_[at].begin);
      at_.state = 0;
    }
    return 0;
  }
  std::int32_t result = 0;
  auto colour = [&](ISourceScanner* o) { return o->ColourRest(attribute, &result); };
  if (attribute == 7) {
    check(moving([](ISourceScanner* o) { return o->BeginRaw(); }), 46, "..\\..\\Include\\Parser\\parseScannerNoTokens");
    check(moving(colour), 95);
    check(moving([](ISourceScanner* o) { return o->EndRaw(); }), 54, "..\\..\\Include\\Parser\\parseScannerNoTokens");
  } else {
    check(moving(colour), 101);
  }
  return result;
}

std::uint32_t Scanner::askTokenKind() {
  std::uint32_t kind = 0;
  check(moving([&](ISourceScanner* o) { return o->TokenKind(&kind); }), 116);
  return kind;
}

std::int32_t Scanner::askLine() {
  std::int32_t line = 0;
  check(moving([&](ISourceScanner* o) { return o->Line(&line); }), 130);
  return line;
}

std::int32_t Scanner::askOffset() {
  std::int32_t offset = 0;
  check(moving([&](ISourceScanner* o) { return o->Offset(&offset); }), 144);
  return offset;
}

const char16_t* Scanner::lineText() {
  const char16_t* text = nullptr;
  check(moving([&](ISourceScanner* o) { return o->LineText(&text); }), 160);
  return text;
}

HRESULT Scanner::askColourToken(std::uint32_t attribute) {
  return check(moving([&](ISourceScanner* o) { return o->ColourToken(attribute); }), 173);
}

std::uint32_t Scanner::askAdvance() {
  std::uint32_t kind = 0;
  check(moving([&](ISourceScanner* o) { return o->Advance(&kind); }), 196);
  return kind;
}

TokenText Scanner::askTokenText() {
  TokenText text;
  check(moving([&](ISourceScanner* o) { return o->TokenText(&text.begin, &text.end); }), 217);
  if (!text.begin || text.end < text.begin) text.end = text.begin;
  return text;
}

char16_t Scanner::askCurrentChar() {
  std::uint16_t ch = 0;
  check(moving([&](ISourceScanner* o) { return o->CurrentChar(&ch); }), 231);
  return static_cast<char16_t>(ch);
}

std::uint32_t Scanner::askNextKind() {
  std::uint32_t kind = 0;
  check(moving([&](ISourceScanner* o) { return o->NextKind(&kind); }), 245);
  return kind;
}

std::uint32_t Scanner::askPositionState() {
  std::uint32_t state = 0;
  check(moving([&](ISourceScanner* o) { return o->PositionState(&state); }), 259);
  return state;
}

bool Scanner::askAtLineEnd() {
  std::int32_t atEnd = 0;
  check(moving([&](ISourceScanner* o) { return o->AtLineEnd(&atEnd); }), 273);
  return atEnd != 0;
}

const std::uint8_t* Scanner::lineState(std::int32_t line) {
  const std::uint8_t* state = nullptr;
  check(moving([&](ISourceScanner* o) { return o->LineState(&state, line); }), 286);
  return state;
}

const std::uint8_t* Scanner::stateHere() {
  const std::uint8_t* state = nullptr;
  check(moving([&](ISourceScanner* o) { return o->StateHere(&state); }), 299);
  return state;
}

HRESULT Scanner::storeLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states) {
  return check(moving([&](ISourceScanner* o) { return o->StoreLineStates(first, count, states); }), 311);
}

HRESULT Scanner::recover() {
  return check(moving([](ISourceScanner* o) { return o->Recover(); }), 324);
}

std::int32_t Scanner::blockOpen(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 347, kFile);
  check(settledBlocks()->Notify(0, flag, u""), 347);
  reload();
  blockOpenLine_ = line();
  blockOpenFlag_ = flag;
  return blockOpenLine_;
}

HRESULT Scanner::blockClose(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 390, kFile);
  if (line() == blockOpenLine_) flag = blockOpenFlag_;
  const HRESULT hr = settledBlocks()->Notify(1, flag, u"");
  reload();
  return check(hr, 390);
}

std::u16string Scanner::sourceName() const {
  const char16_t* name = nullptr;
  if (FAILED(object_->SourceName(&name)) || !name) return {};
  return name;
}

std::int32_t Scanner::lineCount() {
  std::int32_t count = 0;
  if (FAILED(moving([&](ISourceScanner* o) { return o->LineCount(&count); }))) return -1;
  return count;
}

void Scanner::settle() {
  if (!deferredTarget_) return;
  ScannerCheckpoint* target = std::exchange(deferredTarget_, nullptr);
  // Only steps within the line came since: the object goes back there for the save; the
  // place here stays where it is.
  put(deferredPlace_);
  target->save();
}

}  // namespace kesto::zentrel
