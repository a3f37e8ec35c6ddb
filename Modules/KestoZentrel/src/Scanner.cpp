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
}

Scanner::~Scanner() {
  if (blocks_) blocks_->Release();
}

HRESULT Scanner::seekLine(std::int32_t line) { return check(settled()->SeekLine(line), 56); }
HRESULT Scanner::askTokenBegin() { return check(settled()->TokenBegin(), 67); }
HRESULT Scanner::askTokenEnd() { return check(settled()->TokenEnd(), 78); }

std::int32_t Scanner::colourRest(std::uint32_t attribute) {
  if (view_ && view_->direct && attribute <= 0x3DFF) {
    // What the object does, without a call: the rest of the line takes the attribute and the
    // place goes to the line's end token (the raw region it is bracketed with for comments
    // changes nothing else).
    ScannerView& view = *view_;
    colourWords(static_cast<std::uint32_t>(view.offset), view.length, attribute);
    std::uint32_t at = view.place->token;
    while (view.tokens[at].kind != 2) ++at;
    if (at != view.place->token) {
      view.place->token = at;
      view.kind = 2;
      view.offset = static_cast<std::int32_t>(view.tokens[at].begin);
      view.state = 0;
    }
    return 0;
  }
  std::int32_t result = 0;
  if (attribute == 7) {
    check(settled()->BeginRaw(), 46, "..\\..\\Include\\Parser\\parseScannerNoTokens");
    check(settled()->ColourRest(attribute, &result), 95);
    check(settled()->EndRaw(), 54, "..\\..\\Include\\Parser\\parseScannerNoTokens");
  } else {
    check(settled()->ColourRest(attribute, &result), 101);
  }
  return result;
}

std::uint32_t Scanner::askTokenKind() {
  std::uint32_t kind = 0;
  check(settled()->TokenKind(&kind), 116);
  return kind;
}

std::int32_t Scanner::askLine() {
  std::int32_t line = 0;
  check(settled()->Line(&line), 130);
  return line;
}

std::int32_t Scanner::askOffset() {
  std::int32_t offset = 0;
  check(settled()->Offset(&offset), 144);
  return offset;
}

const char16_t* Scanner::lineText() {
  const char16_t* text = nullptr;
  check(settled()->LineText(&text), 160);
  return text;
}

HRESULT Scanner::askColourToken(std::uint32_t attribute) { return check(settled()->ColourToken(attribute), 173); }

std::uint32_t Scanner::askAdvance() {
  std::uint32_t kind = 0;
  check(settled()->Advance(&kind), 196);
  return kind;
}

TokenText Scanner::askTokenText() {
  TokenText text;
  check(settled()->TokenText(&text.begin, &text.end), 217);
  if (!text.begin || text.end < text.begin) text.end = text.begin;
  return text;
}

char16_t Scanner::askCurrentChar() {
  std::uint16_t ch = 0;
  check(settled()->CurrentChar(&ch), 231);
  return static_cast<char16_t>(ch);
}

std::uint32_t Scanner::askNextKind() {
  std::uint32_t kind = 0;
  check(settled()->NextKind(&kind), 245);
  return kind;
}

std::uint32_t Scanner::askPositionState() {
  std::uint32_t state = 0;
  check(settled()->PositionState(&state), 259);
  return state;
}

bool Scanner::askAtLineEnd() {
  std::int32_t atEnd = 0;
  check(settled()->AtLineEnd(&atEnd), 273);
  return atEnd != 0;
}

const std::uint8_t* Scanner::lineState(std::int32_t line) {
  const std::uint8_t* state = nullptr;
  check(settled()->LineState(&state, line), 286);
  return state;
}

const std::uint8_t* Scanner::stateHere() {
  const std::uint8_t* state = nullptr;
  check(settled()->StateHere(&state), 299);
  return state;
}

HRESULT Scanner::storeLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states) {
  return check(settled()->StoreLineStates(first, count, states), 311);
}

HRESULT Scanner::recover() { return check(settled()->Recover(), 324); }

std::int32_t Scanner::blockOpen(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 347, kFile);
  check(settledBlocks()->Notify(0, flag, u""), 347);
  blockOpenLine_ = line();
  blockOpenFlag_ = flag;
  return blockOpenLine_;
}

HRESULT Scanner::blockClose(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 390, kFile);
  if (line() == blockOpenLine_) flag = blockOpenFlag_;
  return check(settledBlocks()->Notify(1, flag, u""), 390);
}

std::u16string Scanner::sourceName() const {
  const char16_t* name = nullptr;
  if (FAILED(object_->SourceName(&name)) || !name) return {};
  return name;
}

std::int32_t Scanner::lineCount() {
  std::int32_t count = 0;
  if (FAILED(settled()->LineCount(&count))) return -1;
  return count;
}

void Scanner::settle() {
  if (!deferredTarget_) return;
  ScannerCheckpoint* target = std::exchange(deferredTarget_, nullptr);
  // Only steps within the line came since: the object goes back there for the save and
  // then on to where it is.
  const Place now = place();
  setPlace(deferredPlace_);
  try {
    target->save();
  } catch (...) {
    setPlace(now);
    throw;
  }
  setPlace(now);
}

}  // namespace kesto::zentrel
