// The thin wrapper through which the parser talks to the outside scanner object: every
// failed call becomes a CQNComException, so parser code never tests return codes.
#pragma once

#include <Parser/Exceptions.h>
#include <Parser/TokenText.h>

#include <kestocom/Interfaces.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace kesto::zentrel {

class ScannerCheckpoint;

class Scanner {
 public:
  // Starts the object and takes its block interface; the object itself is borrowed.
  explicit Scanner(ISourceScanner* object);
  ~Scanner();
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  // The object itself, for calls past this wrapper: a deferred checkpoint is taken first and
  // the object is given the place this wrapper stepped to. Whoever moves the object through
  // it calls reload() before using this wrapper again.
  ISourceScanner* object() { return settled(); }
  // Takes the object's place and view again after calls past this wrapper.
  void reload();

  // A checkpoint taken only when needed: while the scanner merely steps within its line,
  // its view and place are enough to go back. Any other call first saves `target` there.
  // False when the object offers no direct view: save at once then.
  bool deferCheckpoint(ScannerCheckpoint* target) {
    if (!direct_) return false;
    if (deferredTarget_) settle();
    deferHere(target);
    return true;
  }
  // The same while steppable, which the caller has asked.
  void deferHere(ScannerCheckpoint* target) {
    deferredPlace_ = at_;
    deferredTarget_ = target;
  }
  bool deferred(const ScannerCheckpoint* target) const { return deferredTarget_ == target; }
  // Back to the deferred place; the checkpoint stays deferred.
  void rewindDeferred() { at_ = deferredPlace_; }
  void dropDeferred() { deferredTarget_ = nullptr; }
  // Where the deferred checkpoint was taken, on the line this wrapper still stands on.
  std::int32_t deferredOffset() const { return deferredPlace_.offset; }
  std::uint32_t deferredState() const { return deferredPlace_.state; }
  void settle();
  // A checkpoint of the object where this wrapper stands, and the way back to one.
  void save(ScannerCheckpoint& checkpoint);
  void restore(ScannerCheckpoint& checkpoint);

  HRESULT seekLine(std::int32_t line);
  // With a view the token's text is taken from the line without asking the object; the
  // mark is kept here and given to the object with the place, which colouring uses.
  HRESULT tokenBegin() {
    if (!view_) return askTokenBegin();
    markBegin();
    return S_OK;
  }
  HRESULT tokenEnd() {
    if (!view_) return askTokenEnd();
    markEnd();
    return S_OK;
  }
  // What the calls above and below do while the object offers a view, for a reader that has
  // asked once whether it does.
  void markBegin() {
    // The object's mark, set as its TokenBegin sets it, and the marked line's text.
    at_.place.markLine = static_cast<std::uint32_t>(line_ - 1);
    at_.place.markBegin = at_.place.markEnd = static_cast<std::uint32_t>(at_.offset);
    markText_ = text_;
  }
  void markEnd() {
    const bool sameLine = static_cast<std::int32_t>(at_.place.markLine) == line_ - 1;
    at_.place.markEnd = sameLine ? static_cast<std::uint32_t>(at_.offset) : at_.place.markBegin;
  }
  // After markBegin() and steps within the same line only: the mark ends here, its text, and
  // its colouring, with no question of which line the mark is on.
  TokenText markToHere() {
    at_.place.markEnd = static_cast<std::uint32_t>(at_.offset);
    return {markText_ + at_.place.markBegin, markText_ + at_.offset};
  }
  void colourToHere(std::uint32_t attribute) {
    colourWords(at_.place.markBegin, static_cast<std::uint32_t>(at_.offset), attribute);
  }
  TokenText marked() const {
    return {markText_ + at_.place.markBegin, markText_ + std::max(at_.place.markBegin, at_.place.markEnd)};
  }
  // colourToken() while a checkpoint is deferred: the view is there and the mark, set since,
  // is on this line.
  HRESULT colourMarkedHere(std::uint32_t attribute) {
    if (attribute > 0x3DFF) return askColourToken(attribute);
    colourWords(at_.place.markBegin, static_cast<std::uint32_t>(at_.offset), attribute);
    return S_OK;
  }
  // Whether the place kept here answers line() and offset(), without asking the object.
  bool answersPlace() const { return view_ != nullptr; }
  std::uint32_t kindHere() const { return at_.kind; }
  std::uint32_t placeState() const { return at_.state; }
  std::int32_t offsetHere() const { return at_.offset; }
  std::int32_t lineHere() const { return line_; }
  std::int32_t colourRest(std::uint32_t attribute);
  // Position questions are answered from the place kept here when the object offers a view.
  std::uint32_t tokenKind() { return view_ ? at_.kind : askTokenKind(); }
  std::int32_t line() { return view_ ? line_ : askLine(); }
  std::int32_t offset() { return view_ ? at_.offset : askOffset(); }
  const char16_t* lineText();
  HRESULT colourToken(std::uint32_t attribute) {
    if (!view_ || attribute > 0x3DFF) return askColourToken(attribute);
    // The object's colouring: the marked characters of this line up to the current token.
    if (static_cast<std::int32_t>(at_.place.markLine) != line_ - 1) return S_OK;
    colourWords(at_.place.markBegin, static_cast<std::uint32_t>(at_.offset), attribute);
    return S_OK;
  }
  // Steps within the line may be taken directly, and no checkpoint waits to be taken.
  bool steppable() const { return direct_ && !deferredTarget_; }
  // The kind of the raw token after the current one, which is not the line's end; only
  // while steppable.
  std::uint32_t kindAfter() const { return tokens_[at_.place.token + 1].kind; }
  // A step within a line moves the place kept here; anything else asks the object.
  std::uint32_t advance() {
    if (direct_ && tokens_[at_.place.token].kind != 2) return step();
    return askAdvance();
  }
  // One step within the line: only while direct and not on the line's end token.
  std::uint32_t step() {
    const ScannerToken* t = tokens_ + at_.place.token + 1;
    ++at_.place.token;
    at_.kind = t->kind;
    at_.offset = static_cast<std::int32_t>(t->begin);
    at_.state = 0;
    return at_.kind;
  }
  // Steps once, then on while `part` takes the kind stepped to: the place is stored once,
  // at the end. The line's end token must be one `part` refuses.
  template <typename Part>
  std::uint32_t stepOver(Part part) {
    const ScannerToken* t = tokens_ + at_.place.token + 1;
    while (part(t->kind)) ++t;
    at_.place.token = static_cast<std::uint32_t>(t - tokens_);
    at_.kind = t->kind;
    at_.offset = static_cast<std::int32_t>(t->begin);
    at_.state = 0;
    return at_.kind;
  }
  TokenText tokenText() {
    if (!view_) return askTokenText();
    return marked();
  }
  char16_t currentChar() {
    if (!view_) return askCurrentChar();
    const auto at = static_cast<std::uint32_t>(at_.offset);
    return at < length_ ? text_[at] : u'\0';
  }
  // Within the line the tokens answer: the token after the current one, none after the end.
  std::uint32_t nextKind() {
    if (!direct_) return askNextKind();
    const ScannerToken* t = tokens_ + at_.place.token;
    return t->kind == 2 ? 2u : t[1].kind;
  }
  std::uint32_t positionState() { return view_ ? at_.state : askPositionState(); }
  bool atLineEnd() { return view_ ? at_.kind == 2 : askAtLineEnd(); }
  const std::uint8_t* lineState(std::int32_t line);
  const std::uint8_t* stateHere();
  HRESULT storeLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states);
  HRESULT recover();
  std::int32_t blockOpen(std::uint8_t flag);
  HRESULT blockClose(std::uint8_t flag);
  std::u16string sourceName() const;
  std::int32_t lineCount();

 private:
  HRESULT askTokenBegin();
  HRESULT askTokenEnd();
  TokenText askTokenText();
  HRESULT askColourToken(std::uint32_t attribute);
  std::uint32_t askAdvance();
  std::uint32_t askTokenKind();
  std::int32_t askLine();
  std::int32_t askOffset();
  char16_t askCurrentChar();
  std::uint32_t askPositionState();
  bool askAtLineEnd();
  std::uint32_t askNextKind();

  // The object's colouring of the characters [begin, end) of the view's line: the attribute
  // word (its language, this one when none, and its index) in each.
  void colourWords(std::uint32_t begin, std::uint32_t end, std::uint32_t attribute) {
    const std::uint32_t language = (attribute >> 10) & 0xF;
    const auto word = static_cast<std::uint16_t>(((language ? language : 1) << 10) | (attribute & 0x1FF));
    end = std::min(end, wordCount_);
    std::uint16_t* const words = words_;
    for (std::uint32_t i = begin; i < end; ++i) words[i] = word;
  }

  // The object's place and the answers its view gives about it.
  struct Place {
    ScannerPlace place;
    std::uint32_t kind;
    std::int32_t offset;
    std::uint32_t state;
  };
  // The object takes `p` as its place, through its view.
  void put(const Place& p) {
    *view_->place = p.place;
    view_->kind = p.kind;
    view_->offset = p.offset;
    view_->state = p.state;
  }
  // Every call to the object goes through here: a deferred checkpoint is taken and the
  // object stands where this wrapper stepped to.
  ISourceScanner* settled() {
    settle();
    if (view_) put(at_);
    return object_;
  }
  IScannerBlocks* settledBlocks() {
    settled();
    return blocks_;
  }
  // A call to the object that may move it: the object is settled first and read again after.
  template <typename Call>
  HRESULT moving(Call call) {
    const HRESULT hr = call(settled());
    reload();
    return hr;
  }

  ISourceScanner* object_;
  IScannerBlocks* blocks_ = nullptr;
  ScannerView* view_ = nullptr;
  // While the object offers a view, its place lives here and the object is given it before
  // each call; what the view tells of the line is kept beside it.
  Place at_{};
  std::int32_t line_ = 0;
  const char16_t* text_ = nullptr;
  std::uint32_t length_ = 0;
  bool direct_ = false;
  const ScannerToken* tokens_ = nullptr;
  std::uint16_t* words_ = nullptr;
  std::uint32_t wordCount_ = 0;
  const char16_t* markText_ = nullptr;  // the text of the line the object's mark is on
  std::int32_t blockOpenLine_ = -1;
  std::uint8_t blockOpenFlag_ = 0;
  ScannerCheckpoint* deferredTarget_ = nullptr;
  Place deferredPlace_{};
};

}  // namespace kesto::zentrel
