#include "Scanner.h"

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

HRESULT Scanner::seekLine(std::int32_t line) { return check(object_->SeekLine(line), 56); }
HRESULT Scanner::askTokenBegin() { return check(object_->TokenBegin(), 67); }
HRESULT Scanner::askTokenEnd() { return check(object_->TokenEnd(), 78); }

std::int32_t Scanner::colourRest(std::uint32_t attribute) {
  std::int32_t result = 0;
  if (attribute == 7) {
    check(object_->BeginRaw(), 46, "..\\..\\Include\\Parser\\parseScannerNoTokens");
    check(object_->ColourRest(attribute, &result), 95);
    check(object_->EndRaw(), 54, "..\\..\\Include\\Parser\\parseScannerNoTokens");
  } else {
    check(object_->ColourRest(attribute, &result), 101);
  }
  return result;
}

std::uint32_t Scanner::askTokenKind() {
  std::uint32_t kind = 0;
  check(object_->TokenKind(&kind), 116);
  return kind;
}

std::int32_t Scanner::askLine() {
  std::int32_t line = 0;
  check(object_->Line(&line), 130);
  return line;
}

std::int32_t Scanner::askOffset() {
  std::int32_t offset = 0;
  check(object_->Offset(&offset), 144);
  return offset;
}

const char16_t* Scanner::lineText() {
  const char16_t* text = nullptr;
  check(object_->LineText(&text), 160);
  return text;
}

HRESULT Scanner::askColourToken(std::uint32_t attribute) { return check(object_->ColourToken(attribute), 173); }

std::uint32_t Scanner::askAdvance() {
  std::uint32_t kind = 0;
  check(object_->Advance(&kind), 196);
  return kind;
}

TokenText Scanner::askTokenText() {
  TokenText text;
  check(object_->TokenText(&text.begin, &text.end), 217);
  if (!text.begin || text.end < text.begin) text.end = text.begin;
  return text;
}

char16_t Scanner::askCurrentChar() {
  std::uint16_t ch = 0;
  check(object_->CurrentChar(&ch), 231);
  return static_cast<char16_t>(ch);
}

std::uint32_t Scanner::nextKind() {
  std::uint32_t kind = 0;
  check(object_->NextKind(&kind), 245);
  return kind;
}

std::uint32_t Scanner::askPositionState() {
  std::uint32_t state = 0;
  check(object_->PositionState(&state), 259);
  return state;
}

bool Scanner::askAtLineEnd() {
  std::int32_t atEnd = 0;
  check(object_->AtLineEnd(&atEnd), 273);
  return atEnd != 0;
}

const std::uint8_t* Scanner::lineState(std::int32_t line) {
  const std::uint8_t* state = nullptr;
  check(object_->LineState(&state, line), 286);
  return state;
}

const std::uint8_t* Scanner::stateHere() {
  const std::uint8_t* state = nullptr;
  check(object_->StateHere(&state), 299);
  return state;
}

HRESULT Scanner::storeLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states) {
  return check(object_->StoreLineStates(first, count, states), 311);
}

HRESULT Scanner::recover() { return check(object_->Recover(), 324); }

std::int32_t Scanner::blockOpen(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 347, kFile);
  check(blocks_->Notify(0, flag, u""), 347);
  blockOpenLine_ = line();
  blockOpenFlag_ = flag;
  return blockOpenLine_;
}

HRESULT Scanner::blockClose(std::uint8_t flag) {
  if (!blocks_) throw CQNComException(E_NOTIMPL, 390, kFile);
  if (line() == blockOpenLine_) flag = blockOpenFlag_;
  return check(blocks_->Notify(1, flag, u""), 390);
}

std::u16string Scanner::sourceName() const {
  const char16_t* name = nullptr;
  if (FAILED(object_->SourceName(&name)) || !name) return {};
  return name;
}

std::int32_t Scanner::lineCount() {
  std::int32_t count = 0;
  if (FAILED(object_->LineCount(&count))) return -1;
  return count;
}

}  // namespace kesto::zentrel
