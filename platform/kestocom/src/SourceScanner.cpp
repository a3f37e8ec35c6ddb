#include "SourceScanner.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace kesto::kestocom {
namespace {

constexpr std::uint16_t kNullLength = 0xFFFF;
constexpr std::size_t kMaxStateBytes = 1024;

// A start-state block is kept only when it is well formed: the null block, or a count of
// at most kMaxStateBytes context kinds 1 to 9.
std::optional<std::vector<std::uint8_t>> validState(const std::uint8_t* block) {
  if (!block) return std::nullopt;
  std::uint16_t n;
  std::memcpy(&n, block, 2);
  if (n == kNullLength) return std::vector<std::uint8_t>(block, block + 2);
  if (n > kMaxStateBytes) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i)
    if (block[2 + i] < 1 || block[2 + i] > 9) return std::nullopt;
  return std::vector<std::uint8_t>(block, block + 2 + n);
}

constexpr std::size_t kFirstLineBlock = 64 * 1024;

}  // namespace

SourceScanner::SourceScanner()
    : lineMemory_(kFirstLineBlock, &RetainedMemory::shared()), lines_(&RetainedMemory::shared()) {}

SourceScanner::~SourceScanner() {
  if (!anyRuns_) return;
  for (auto& line : lines_)
    if (line.object) writeRuns(line);
}

void SourceScanner::resetLines(std::size_t count) {
  lines_.clear();
  lineMemory_.release();
  lines_.reserve(std::max<std::size_t>(count, 1));
  for (std::size_t i = 0; i < std::max<std::size_t>(count, 1); ++i) lines_.emplace_back(&lineMemory_);
  realCount_ = count;
  anyRuns_ = false;
  tokenizedUpTo_ = 0;
  pos_ = Position{};
  checkpoints_.clear();
}

// The same answers as TokenKind, Line, Offset, PositionState, CurrentChar and LineText,
// and the current line's tokens and words.
void SourceScanner::publish() {
  TokenizedLine& line = current();
  const SourceLine& source = lines_[pos_.line];
  const RawToken& t = line.tokens[pos_.place.token];
  const Section& section = pos_.section;
  view_.kind = section.active && t.kind == section.close && section.depth == 0 ? std::uint32_t{kEndOfLine} : t.kind;
  view_.line = static_cast<std::int32_t>(pos_.line + 1);
  view_.offset = static_cast<std::int32_t>(t.begin);
  view_.state = pos_.place.token != 0 ? 0 : source.beganEmbedded ? 3 : line.beganInComment ? 2 : 1;
  view_.ch = t.begin < source.text.size() ? static_cast<std::uint16_t>(source.text[t.begin]) : std::uint16_t{0};
  view_.text = source.text.data();
  view_.length = static_cast<std::uint32_t>(source.text.size());
  view_.direct = !section.active;
  view_.tokens = line.tokens.data();
  view_.words = line.words.data();
  view_.wordCount = static_cast<std::uint32_t>(line.words.size());
  view_.place = &pos_.place;
}

void SourceScanner::adoptText(std::u16string name, std::u16string text) {
  name_ = std::move(name);
  ownedText_ = std::move(text);
  std::vector<std::u16string_view> texts;
  std::u16string_view all(ownedText_);
  std::size_t b = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] != u'\n' && all[i] != u'\r') continue;
    texts.push_back(all.substr(b, i - b));
    if (all[i] == u'\r' && i + 1 < all.size() && all[i + 1] == u'\n') ++i;
    b = i + 1;
  }
  if (b < all.size()) texts.push_back(all.substr(b));
  resetLines(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) lines_[i].text = texts[i];
  publish();
}

HRESULT SourceScanner::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IUnknown::iid || riid == ISourceScanner::iid) *object = static_cast<ISourceScanner*>(this);
  else if (riid == IScannerBlocks::iid) *object = static_cast<IScannerBlocks*>(this);
  else if (riid == IScannerView::iid) *object = static_cast<IScannerView*>(this);
  else if (riid == ITextSourceInfo::iid) *object = static_cast<ITextSourceInfo*>(this);
  else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  addRef();
  return S_OK;
}

// The collection is read in pieces, once to check every line and once to take them, so
// that a bad collection leaves the lines as they were and no copy of it is made.
HRESULT SourceScanner::Init(ILineCollection* lines, std::int32_t, std::int32_t) {
  if (!lines) return E_POINTER;
  std::int32_t count = 0;
  if (FAILED(lines->Count(&count)) || count < 0) return E_INVALIDARG;
  constexpr std::int32_t kPiece = 256;
  LineObject* piece[kPiece];
  auto eachLine = [&](auto take) -> HRESULT {
    lines->Reset();
    for (std::int32_t done = 0; done < count;) {
      const std::int32_t n = std::min(kPiece, count - done);
      std::int32_t fetched = 0;
      if (FAILED(lines->Next(n, piece, &fetched)) || fetched != n) return E_FAIL;
      for (std::int32_t i = 0; i < n; ++i) take(static_cast<std::size_t>(done + i), piece[i]);
      done += n;
    }
    return S_OK;
  };
  bool valid = true;
  if (const HRESULT hr = eachLine([&](std::size_t, LineObject* o) { valid = valid && o && o->end >= o->begin; });
      FAILED(hr))
    return hr;
  if (!valid) return E_INVALIDARG;
  resetLines(static_cast<std::size_t>(count));
  const HRESULT hr = eachLine([&](std::size_t i, LineObject* o) {
    lines_[i].text = std::u16string_view(o->begin, static_cast<std::size_t>(o->end - o->begin));
    lines_[i].object = o;
    anyRuns_ = anyRuns_ || o->runs;
  });
  if (FAILED(hr)) resetLines(0);
  publish();
  return hr;
}

TokenizedLine& SourceScanner::tokenizeUpTo(std::size_t line) {
  while (tokenizedUpTo_ <= line) {
    SourceLine& l = lines_[tokenizedUpTo_];
    bool inComment = tokenizedUpTo_ > 0 && lines_[tokenizedUpTo_ - 1].tokens.endsInComment;
    tokenizeLine(l.text, inComment, l.tokens, scratch_);
    l.tokenized = true;
    ++tokenizedUpTo_;
  }
  return lines_[line].tokens;
}

HRESULT SourceScanner::SeekLine(std::int32_t line) {
  if (line < 1 || static_cast<std::size_t>(line) > lines_.size()) return E_INVALIDARG;
  pos_ = Position{};
  pos_.line = static_cast<std::size_t>(line - 1);
  pos_.place.markLine = static_cast<std::uint32_t>(line - 1);
  raw_ = false;
  publish();
  return S_OK;
}

// Inside an embedded section the other language service reads on from where it is.
HRESULT SourceScanner::Start(std::int32_t, std::int32_t) { return pos_.section.active ? S_OK : SeekLine(1); }

HRESULT SourceScanner::CurrentChar(std::uint16_t* ch) {
  if (!ch) return E_POINTER;
  const RawToken& t = token();
  *ch = t.begin < lines_[pos_.line].text.size() ? static_cast<std::uint16_t>(lines_[pos_.line].text[t.begin]) : std::uint16_t{0};
  return S_OK;
}

HRESULT SourceScanner::TokenKind(std::uint32_t* kind) {
  if (!kind) return E_POINTER;
  *kind = kindHere();
  return S_OK;
}

HRESULT SourceScanner::Advance(std::uint32_t* kind) {
  if (!kind) return E_POINTER;
  Section& section = pos_.section;
  if (atSectionEnd()) {
    // The section's end stays put until the section is ended.
  } else if (token().kind != kEndOfLine) {
    if (section.active && token().kind == section.open) ++section.depth;
    else if (section.active && token().kind == section.close) --section.depth;
    ++pos_.place.token;
  } else if (pos_.line + 1 < lines_.size()) {
    ++pos_.line;
    pos_.place.token = 0;
    if (section.active) {
      SourceLine& line = lines_[pos_.line];
      retokenizeEmbedded(line.text, 0, tokenized(pos_.line).tokens);
      line.beganEmbedded = true;
    }
  }
  publish();
  *kind = view_.kind;
  return S_OK;
}

HRESULT SourceScanner::NextKind(std::uint32_t* kind) {
  if (!kind) return E_POINTER;
  const auto& tokens = current().tokens;
  if (atSectionEnd() || pos_.place.token + 1 >= tokens.size()) {
    *kind = kEndOfLine;
    return S_OK;
  }
  const RawToken& next = tokens[pos_.place.token + 1];
  const Section& section = pos_.section;
  const std::uint32_t depth = section.depth + (token().kind == section.open ? 1 : 0) -
                              (token().kind == section.close && section.depth > 0 ? 1 : 0);
  *kind = section.active && next.kind == section.close && depth == 0 ? std::uint32_t{kEndOfLine} : next.kind;
  return S_OK;
}

HRESULT SourceScanner::BeginEmbedded(const char16_t*, std::uint32_t openKind, std::uint32_t closeKind) {
  if (pos_.section.active) return E_UNEXPECTED;
  if (openKind == closeKind || openKind == kEndOfLine || closeKind == kEndOfLine) return E_INVALIDARG;
  retokenizeEmbedded(lines_[pos_.line].text, token().begin, current().tokens);
  pos_.section = Section{true, openKind, closeKind, 0};
  raw_ = false;
  publish();
  return S_OK;
}

HRESULT SourceScanner::EndEmbedded(const char16_t*) {
  if (!pos_.section.active) return E_UNEXPECTED;
  pos_.section = Section{};
  retokenizeArgumentRest(lines_[pos_.line].text, token().begin, current().tokens);
  publish();
  return S_OK;
}

HRESULT SourceScanner::StateHere(const std::uint8_t** state) {
  return LineState(state, static_cast<std::int32_t>(pos_.line + 1));
}

HRESULT SourceScanner::SourceName(const char16_t** name) {
  if (!name) return E_POINTER;
  *name = name_.c_str();
  return S_OK;
}

HRESULT SourceScanner::LineState(const std::uint8_t** state, std::int32_t line) {
  if (!state) return E_POINTER;
  *state = nullptr;
  if (line < 1 || static_cast<std::size_t>(line) > lines_.size()) return S_OK;
  const auto& s = lines_[static_cast<std::size_t>(line - 1)].state;
  if (s) *state = s->data();
  return S_OK;
}

HRESULT SourceScanner::StoreLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states) {
  if (first < 0 || count < 0 || (count > 0 && !states)) return E_INVALIDARG;
  if (static_cast<std::size_t>(first) + static_cast<std::size_t>(count) > lines_.size()) return E_INVALIDARG;
  for (std::int32_t i = 0; i < count; ++i) lines_[static_cast<std::size_t>(first + i)].state = validState(states[i]);
  return S_OK;
}

void SourceScanner::colour(std::size_t line, std::uint32_t begin, std::uint32_t end, std::uint32_t attribute) {
  auto& words = tokenized(line).words;
  const std::uint16_t language = (attribute >> 10) & 0xF;
  const std::uint16_t word = attributeWord(attribute & 0x1FF, language ? language : kLanguageSelf);
  end = std::min<std::uint32_t>(end, static_cast<std::uint32_t>(words.size()));
  for (std::uint32_t i = begin; i < end; ++i) words[i] = word;
}

HRESULT SourceScanner::ColourRest(std::uint32_t attribute, std::int32_t* result) {
  if (attribute > 0x3DFF) return E_INVALIDARG;
  const std::uint32_t begin = token().begin;
  // Inside an embedded section the rest ends at the section's close.
  if (pos_.section.active) {
    std::uint32_t kind = kindHere();
    while (kind != kEndOfLine) Advance(&kind);
  } else {
    // Outside a section the line's one end-of-line token is its last.
    pos_.place.token = static_cast<std::uint32_t>(current().tokens.size() - 1);
    publish();
  }
  const std::uint32_t end = atSectionEnd() ? token().begin : static_cast<std::uint32_t>(lines_[pos_.line].text.size());
  colour(pos_.line, begin, end, attribute);
  if (result) *result = 0;
  return S_OK;
}

HRESULT SourceScanner::LineCount(std::int32_t* count) {
  if (!count) return E_POINTER;
  *count = static_cast<std::int32_t>(realCount_);
  return S_OK;
}

HRESULT SourceScanner::ColourToken(std::uint32_t attribute) {
  if (attribute > 0x3DFF) return E_INVALIDARG;
  // A mark left on an earlier line colours nothing: tokens never span lines.
  if (pos_.place.markLine == pos_.line) colour(pos_.line, pos_.place.markBegin, token().begin, attribute);
  return S_OK;
}

HRESULT SourceScanner::Line(std::int32_t* line) {
  if (!line) return E_POINTER;
  *line = static_cast<std::int32_t>(pos_.line + 1);
  return S_OK;
}

HRESULT SourceScanner::Offset(std::int32_t* offset) {
  if (!offset) return E_POINTER;
  *offset = static_cast<std::int32_t>(token().begin);
  return S_OK;
}

HRESULT SourceScanner::LineText(const char16_t** text) {
  if (!text) return E_POINTER;
  *text = lines_[pos_.line].text.data();
  return S_OK;
}

HRESULT SourceScanner::TokenBegin() {
  pos_.place.markLine = static_cast<std::uint32_t>(pos_.line);
  pos_.place.markBegin = pos_.place.markEnd = token().begin;
  return S_OK;
}

HRESULT SourceScanner::TokenEnd() {
  pos_.place.markEnd = pos_.place.markLine == pos_.line ? token().begin : pos_.place.markBegin;
  return S_OK;
}

HRESULT SourceScanner::TokenText(const char16_t** begin, const char16_t** end) {
  if (!begin || !end) return E_POINTER;
  const char16_t* base = lines_[pos_.place.markLine].text.data();
  *begin = base + pos_.place.markBegin;
  *end = base + std::max(pos_.place.markBegin, pos_.place.markEnd);
  return S_OK;
}

HRESULT SourceScanner::SaveCheckpoint(std::uint32_t* handle) {
  if (!handle) return E_POINTER;
  *handle = nextHandle_++;
  // Field by field: the place was just written in 32-bit pieces (through the view), and a
  // wide copy of it would wait for those stores.
  Checkpoint& c = checkpoints_.emplace_back();
  c.handle = *handle;
  c.position.line = pos_.line;
  c.position.place.token = pos_.place.token;
  c.position.place.markLine = pos_.place.markLine;
  c.position.place.markBegin = pos_.place.markBegin;
  c.position.place.markEnd = pos_.place.markEnd;
  c.position.raw = raw_;
  c.position.section = pos_.section;
  return S_OK;
}

HRESULT SourceScanner::RestoreCheckpoint(std::uint32_t handle) {
  for (auto it = checkpoints_.rbegin(); it != checkpoints_.rend(); ++it)
    if (it->handle == handle) {
      pos_ = it->position;
      raw_ = it->position.raw;
      publish();
      return S_OK;
    }
  return E_INVALIDARG;
}

HRESULT SourceScanner::ReleaseCheckpoint(std::uint32_t handle) {
  for (auto it = checkpoints_.rbegin(); it != checkpoints_.rend(); ++it)
    if (it->handle == handle) {
      checkpoints_.erase(std::next(it).base());
      return S_OK;
    }
  return S_OK;
}

HRESULT SourceScanner::PositionState(std::uint32_t* state) {
  if (!state) return E_POINTER;
  const TokenizedLine& line = current();
  if (pos_.place.token != 0) *state = 0;
  else if (lines_[pos_.line].beganEmbedded) *state = 3;
  else *state = line.beganInComment ? 2 : 1;
  return S_OK;
}

HRESULT SourceScanner::AtLineEnd(std::int32_t* atEnd) {
  if (!atEnd) return E_POINTER;
  *atEnd = kindHere() == kEndOfLine ? 1 : 0;
  return S_OK;
}

HRESULT SourceScanner::Notify(std::int32_t action, std::int32_t, const char16_t*) {
  if (action != 0 && action != 1) return E_INVALIDARG;
  ++blockEvents_;
  return S_OK;
}

HRESULT SourceScanner::LineAttributes(std::int32_t line, const std::uint16_t** words, std::int32_t* count) {
  if (!words || !count) return E_POINTER;
  if (line < 1 || static_cast<std::size_t>(line) > realCount_) return E_INVALIDARG;
  const auto& w = tokenized(static_cast<std::size_t>(line - 1)).words;
  *words = w.data();
  *count = static_cast<std::int32_t>(w.size());
  return S_OK;
}

HRESULT SourceScanner::RecoverCount(std::int32_t* count) { return count ? (*count = recovers_, S_OK) : E_POINTER; }
HRESULT SourceScanner::ErrorCount(std::int32_t* count) { return count ? (*count = errors_, S_OK) : E_POINTER; }
HRESULT SourceScanner::BlockEventCount(std::int32_t* count) { return count ? (*count = blockEvents_, S_OK) : E_POINTER; }

// Runs: one word for a single character, a marker word and a count for longer runs, so
// the words written never exceed the line length (the run area's capacity).
void SourceScanner::writeRuns(SourceLine& line) {
  if (!line.object || !line.object->runs) return;
  const auto& words = tokenized(static_cast<std::size_t>(&line - lines_.data())).words;
  std::uint32_t header;
  std::memcpy(&header, reinterpret_cast<const char*>(line.object->runs) - 8, 4);
  const std::size_t capacity = std::min<std::size_t>(header & 0xFFFF, words.size());
  const std::uint16_t* w = words.data();
  const std::size_t count = words.size();
  std::uint16_t* runs = line.object->runs;
  std::size_t out = 0;
  for (std::size_t i = 0; i < count && out < capacity;) {
    const std::uint16_t word = w[i];
    const std::size_t limit = std::min(count, i + 0xFFFF);
    std::size_t j = i + 1;
    while (j < limit && w[j] == word) ++j;
    const std::size_t n = j - i;
    if (n == 1) {
      runs[out++] = word;
    } else {
      if (out + 2 > capacity) break;
      runs[out++] = static_cast<std::uint16_t>(0x8000 | word);
      runs[out++] = static_cast<std::uint16_t>(n);
    }
    i = j;
  }
  header = (header & 0xFFFF0000u) | static_cast<std::uint32_t>(out);
  std::memcpy(reinterpret_cast<char*>(line.object->runs) - 8, &header, 4);
}

}  // namespace kesto::kestocom
