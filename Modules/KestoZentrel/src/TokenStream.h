// Turns the scanner's raw tokens into the parser's tokens: skips and colours separators
// and comments as the request allows, glues compound tokens, holds one token of look-ahead
// under a scanner checkpoint and keeps the checkpoint registry the parser backtracks with.
#pragma once

#include "Scanner.h"
#include "TokenKinds.h"

#include <Parser/ScannerCheckpoint.h>
#include <Parser/TokenText.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kesto::zentrel {

class TokenStream {
 public:
  TokenStream(Scanner& scanner, bool mac, bool colouring);
  ~TokenStream();
  TokenStream(const TokenStream&) = delete;
  TokenStream& operator=(const TokenStream&) = delete;

  std::uint32_t peek(std::uint32_t flags) {
    if (held_) {
      if ((flags & peek::kTakeHeld) || (!(flags & peek::kAcross) && ((heldFlags_ ^ flags) & peek::kCompared) == 0))
        return flags;
      // Read again under the flags it was read with, from where that read left the scanner:
      // the same token, nothing to read (the general case is read's).
      if (lookahead_ && !(flags & peek::kSingleRaw) && scanner_.line() == readEndLine_ &&
          scanner_.offset() == readEndOffset_) {
        if (((flags & ~peek::kDotLevel) | 7) != readFlags_) return rereadApart(flags);
        previousKind_ = kind_;
        heldFlags_ = flags;
        return flags;
      }
    }
    return read(flags);
  }
  bool accepts(std::uint32_t flags) const {
    if (kind_ == tok::kEndOfLine) return false;
    if (flags & peek::kTakeHeld) return true;
    std::uint32_t f = flags;
    if ((f & 0x01) && !(f & 0x10) && (separators_ & 0x10)) f |= 0x10;
    if ((separators_ & 0x01) && (separators_ & 0x10) && (f & 0x10) && !(f & 0x01)) f |= 0x01;
    return (separators_ & kSeparatorBits & ~f) == 0 && ((separators_ ^ f) & peek::kCompared) == 0;
  }
  // Peek and accepts together: the kind of an acceptable token, else end of line. Most looks
  // ask for an adjacent token or an argument: under those flags, constants, the checks fold.
  // Inline everywhere: a call here costs more than the code it saves.
  [[gnu::always_inline]] std::int32_t look(std::uint32_t flags) {
    if (flags == peek::kAdjacent) return lookUnder(peek::kAdjacent);
    if (flags == peek::kArgument) return lookUnder(peek::kArgument);
    return lookUnder(flags);
  }
  [[gnu::always_inline]] std::int32_t lookUnder(std::uint32_t flags) {
    peek(flags);
    return accepts(flags) ? kind_ : tok::kEndOfLine;
  }
  // Takes the held token and colours it. Inline, so that the attribute, a constant where the
  // parser takes a token, folds into the colouring.
  std::uint32_t expect(std::uint32_t attribute) {
    // The usual case: a look-ahead nobody shares, never saved, and no text collected. Only a
    // look-ahead of its own, unshared, has its checkpoint deferred, and it marked its token
    // on the line the scanner still stands on.
    if (accumulate_ || !scanner_.deferred(&lookRecord_.checkpoint)) return expectApart(attribute);
    held_ = false;
    lookahead_ = 0;
    lookRecord_.refs = 0;
    scanner_.dropDeferred();
    if (attribute != 255 && colouring_) scanner_.colourMarkedHere(attribute);
    return attribute;
  }

  std::int32_t kind() const { return kind_; }
  TokenText text() const { return text_; }
  std::uint32_t separatorState() const { return separators_; }
  std::int32_t previousKind() const { return previousKind_; }
  bool normalState() const { return normalState_; }
  bool held() const { return held_; }
  bool mac() const { return mac_; }
  std::int32_t tokenLine() const { return tokenLine_; }
  std::int32_t tokenOffset() const { return tokenOffset_; }
  Scanner& scanner() { return scanner_; }
  bool hasLookahead() const { return lookahead_ != 0; }

  // Gives up the held token: the scanner goes back before it and the next peek reads again.
  void unread();
  void dropLookahead(bool quiet);
  void skipCommand();
  bool skipLine();
  void skipLines();
  void commentRest();
  bool nextLine();
  void finish();
  void startText();
  std::u16string takeText();

  std::uint32_t checkpointCreate();
  void checkpointRestore(std::uint32_t id, bool keepLookahead);
  void checkpointRelease(std::uint32_t id);

 private:
  struct Record {
    Record(std::uint32_t id, ISourceScanner* scanner) : id(id), checkpoint(scanner) {}
    std::uint32_t id;
    std::int32_t refs = 1;
    ScannerCheckpoint checkpoint;
  };

  static constexpr std::uint32_t kSeparatorBits = 0x01 | 0x02 | 0x04 | 0x40;
  static constexpr std::uint32_t kWalkedBits = 0x01 | 0x02 | 0x04 | 0x10;  // separators taken

  std::uint32_t read(std::uint32_t flags);
  std::uint32_t rereadApart(std::uint32_t flags);
  std::uint32_t holdAgain(std::uint32_t flags, std::uint32_t readFlags);
  // `separator`: the one blank, command gap or line start that goes before the token.
  std::uint32_t readPlain(std::uint32_t flags, std::uint32_t first, std::uint32_t separator);
  std::uint32_t readPlain(std::uint32_t flags, std::uint32_t first);
  void beginPlain(std::uint32_t flags);
  std::uint32_t takePlain(std::uint32_t flags, std::uint32_t first);
  [[gnu::noinline]] std::uint32_t readGlued(std::uint32_t flags, std::uint32_t first);
  std::uint32_t holdPlain(std::uint32_t flags);
  [[gnu::noinline]] std::uint32_t holdPlainNothing(std::uint32_t flags);
  [[gnu::noinline]] std::uint32_t readApart(std::uint32_t flags);
  std::uint32_t readLineEnd(std::uint32_t flags);
  std::uint32_t readBlankEnd(std::uint32_t flags);
  std::uint32_t holdNothing(std::uint32_t flags);
  // While colouring, a blank that no separator or "{" follows ends a read that may not
  // cross white space; `after` is the kind of the raw token behind it.
  bool blankEnds(std::uint32_t after) const {
    return colouring_ && after != tok::kBlank && after != tok::kCommandGap && after != tok::kLineStart &&
           after != tok::kLBrace;
  }
  bool blankEndsRead(std::uint32_t readFlags) const;
  [[gnu::noinline]] std::uint32_t expectApart(std::uint32_t attribute);
  bool readsAlike(std::uint32_t readFlags);
  Record* find(std::uint32_t id);
  std::uint32_t newRecord();
  // Most look-aheads are taken and given back without going back: the scanner defers
  // their checkpoint. Once a token, so inline.
  void newLookahead() {
    lookRecord_.id = nextId_++;
    lookRecord_.refs = 1;
    if (!scanner_.deferCheckpoint(&lookRecord_.checkpoint)) scanner_.save(lookRecord_.checkpoint);
    lookahead_ = lookRecord_.id;
  }
  void restoreLookahead();
  void releaseLookahead(bool restore);
  TokenText nextToken(std::uint32_t flags);
  bool skipSeparators(int mode, std::uint32_t flags);
  bool separatorsBefore(std::uint32_t flags);
  void takeSeparator(std::uint32_t attribute);
  std::int32_t glue(std::int32_t first, std::uint32_t flags);
  void takeDottedName();
  [[noreturn]] void fail(std::int32_t site, std::int32_t kind);

  Scanner& scanner_;
  bool held_ = false;
  TokenText text_;
  std::int32_t kind_ = tok::kEndOfLine;
  std::uint32_t heldFlags_ = 0xFFFF;
  std::uint32_t separators_ = 0xFFFF;
  std::int32_t previousKind_ = 0;
  bool mac_;
  bool accumulate_ = false;
  std::u16string collected_;
  bool colouring_;
  std::uint32_t lookahead_ = 0;
  std::int32_t tokenOffset_ = 0;
  std::int32_t tokenLine_ = 0;
  bool normalState_ = false;
  // The flags the held token was read under and where that read left the scanner.
  std::uint32_t readFlags_ = 0;
  std::int32_t readFirst_ = 0;  // the raw kind the held token began with
  std::int32_t readEndLine_ = 0;
  std::int32_t readEndOffset_ = 0;
  std::vector<Record> records_;  // in creation order
  // The look-ahead's record lives apart: nearly every token takes one and gives it back.
  // It joins records_ only when a checkpoint still shares it as the look-ahead ends.
  Record lookRecord_;
  std::uint32_t nextId_ = 1;
};

}  // namespace kesto::zentrel
