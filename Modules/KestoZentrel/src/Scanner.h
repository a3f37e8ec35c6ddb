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

  // The object itself, for calls past this wrapper: a deferred checkpoint is taken first.
  ISourceScanner* object() { return settled(); }

  // A checkpoint taken only when needed: while the scanner merely steps within its line,
  // its view and place are enough to go back. Any other call first saves `target` there.
  // False when the object offers no direct view: save at once then.
  bool deferCheckpoint(ScannerCheckpoint* target) {
    if (!view_ || !view_->direct) return false;
    if (deferredTarget_) settle();
    deferredPlace_ = place();
    deferredTarget_ = target;
    return true;
  }
  bool deferred(const ScannerCheckpoint* target) const { return deferredTarget_ == target; }
  // Back to the deferred place; the checkpoint stays deferred.
  void rewindDeferred() { setPlace(deferredPlace_); }
  void dropDeferred() { deferredTarget_ = nullptr; }
  void settle();

  HRESULT seekLine(std::int32_t line);
  // With a view the token's text is taken from the line without asking the object; the
  // object still keeps its own mark, which colouring uses.
  HRESULT tokenBegin() {
    if (!view_) return askTokenBegin();
    // The object's mark, set as its TokenBegin sets it, and the marked line's text.
    ScannerPlace& place = *view_->place;
    place.markLine = static_cast<std::uint32_t>(view_->line - 1);
    place.markBegin = place.markEnd = static_cast<std::uint32_t>(view_->offset);
    markText_ = view_->text;
    return S_OK;
  }
  HRESULT tokenEnd() {
    if (!view_) return askTokenEnd();
    ScannerPlace& place = *view_->place;
    place.markEnd = static_cast<std::int32_t>(place.markLine) == view_->line - 1 ? static_cast<std::uint32_t>(view_->offset)
                                                                               : place.markBegin;
    return S_OK;
  }
  std::int32_t colourRest(std::uint32_t attribute);
  // Position questions read the object's view when it offers one, without a call.
  std::uint32_t tokenKind() { return view_ ? view_->kind : askTokenKind(); }
  std::int32_t line() { return view_ ? view_->line : askLine(); }
  std::int32_t offset() { return view_ ? view_->offset : askOffset(); }
  const char16_t* lineText();
  HRESULT colourToken(std::uint32_t attribute) {
    if (!view_ || attribute > 0x3DFF) return askColourToken(attribute);
    // The object's colouring: the marked characters of this line up to the current token.
    const ScannerView& view = *view_;
    const ScannerPlace& place = *view.place;
    if (static_cast<std::int32_t>(place.markLine) != view.line - 1) return S_OK;
    colourWords(place.markBegin, static_cast<std::uint32_t>(view.offset), attribute);
    return S_OK;
  }
  // Steps within the line may be taken directly, and no checkpoint waits to be taken.
  bool steppable() const { return view_ && view_->direct && !deferredTarget_; }
  // The kind of the raw token after the current one, which is not the line's end; only
  // while steppable.
  std::uint32_t kindAfter() const { return view_->tokens[view_->place->token + 1].kind; }
  // A step within a line moves the object's place directly; anything else asks the object.
  std::uint32_t advance() {
    if (view_ && view_->direct) {
      ScannerPlace& place = *view_->place;
      const ScannerToken* t = view_->tokens + place.token;
      if (t->kind != 2) {
        ++place.token;
        ++t;
        view_->kind = t->kind;
        view_->offset = static_cast<std::int32_t>(t->begin);
        view_->state = 0;
        // The view's character is left as it was: currentChar reads it from the text.
        return view_->kind;
      }
    }
    return askAdvance();
  }
  TokenText tokenText() {
    if (!view_) return askTokenText();
    const ScannerPlace& place = *view_->place;
    return {markText_ + place.markBegin, markText_ + std::max(place.markBegin, place.markEnd)};
  }
  char16_t currentChar() {
    if (!view_) return askCurrentChar();
    const auto at = static_cast<std::uint32_t>(view_->offset);
    return at < view_->length ? view_->text[at] : u'\0';
  }
  // Within the line the view answers: the token after the current one, none after the end.
  std::uint32_t nextKind() {
    if (!view_ || !view_->direct) return askNextKind();
    const ScannerToken* t = view_->tokens + view_->place->token;
    return t->kind == 2 ? 2u : t[1].kind;
  }
  std::uint32_t positionState() { return view_ ? view_->state : askPositionState(); }
  bool atLineEnd() { return view_ ? view_->kind == 2 : askAtLineEnd(); }
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
    end = std::min(end, view_->wordCount);
    std::uint16_t* const words = view_->words;
    for (std::uint32_t i = begin; i < end; ++i) words[i] = word;
  }

  struct Place {
    ScannerPlace place;
    std::uint32_t kind;
    std::int32_t offset;
    std::uint32_t state;
  };
  Place place() const { return {*view_->place, view_->kind, view_->offset, view_->state}; }
  void setPlace(const Place& p) {
    *view_->place = p.place;
    view_->kind = p.kind;
    view_->offset = p.offset;
    view_->state = p.state;
  }
  ISourceScanner* settled() {
    settle();
    return object_;
  }
  IScannerBlocks* settledBlocks() {
    settle();
    return blocks_;
  }

  ISourceScanner* object_;
  IScannerBlocks* blocks_ = nullptr;
  ScannerView* view_ = nullptr;
  const char16_t* markText_ = nullptr;  // the text of the line the object's mark is on
  std::int32_t blockOpenLine_ = -1;
  std::uint8_t blockOpenFlag_ = 0;
  ScannerCheckpoint* deferredTarget_ = nullptr;
  Place deferredPlace_{};
};

}  // namespace kesto::zentrel
