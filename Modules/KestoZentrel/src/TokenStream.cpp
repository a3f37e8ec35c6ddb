#include "TokenStream.h"

#include <iterator>

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kError = 0, kNormalColour = 1, kComment = 7, kSql = 9;

bool isNamePart(std::uint32_t k) { return k == tok::kName || k == tok::kDigits; }

// The raw kinds a token may begin with where no separator goes before it: not the line's
// end, nor white space, a command gap, a line start, ";" or "/".
constexpr std::uint64_t kPlain = ~(1ull << tok::kEndOfLine | 1ull << tok::kBlank | 1ull << tok::kCommandGap |
                                   1ull << tok::kLineStart | 1ull << tok::kSemicolon | 1ull << tok::kSlash);

// The raw kinds that glue may join with what follows them (every kind from 64 on too).
constexpr std::uint64_t kGlued = 1ull << tok::kName | 1ull << tok::kPercent | 1ull << tok::kUnderscore |
                                 1ull << tok::kDigits | 1ull << tok::kDot | 1ull << tok::kString |
                                 1ull << tok::kDollar | 1ull << tok::kApostrophe | 1ull << tok::kPlus |
                                 1ull << tok::kStar | 1ull << tok::kHash | 1ull << tok::kRBracket |
                                 1ull << tok::kAmpersand | 1ull << tok::kBar;

}  // namespace

TokenStream::TokenStream(Scanner& scanner, bool mac, bool colouring)
    : scanner_(scanner), mac_(mac), colouring_(colouring), lookRecord_(0, scanner.object()) {}

TokenStream::~TokenStream() { finish(); }

void TokenStream::fail(std::int32_t site, std::int32_t kind) {
  throw CZTLParseException(site, "ztlLexer", scanner_.line(), scanner_.offset(), &scanner_, kind);
}

// The part of peek that reads: the held token cannot be taken as it is.
std::uint32_t TokenStream::read(std::uint32_t flags) {
  // Most reads start on a token that no separator goes before, with nothing held back, while
  // the scanner steps within its line: the general way below, asked once.
  if (!lookahead_ && !(flags & peek::kSingleRaw) && scanner_.steppable()) {
    const std::uint32_t first = scanner_.kindHere();
    if (first < 64 && (kPlain >> first & 1)) return readPlain(flags, first);
    if (first == tok::kBlank) {
      const std::uint32_t after = scanner_.kindAfter();
      // As often, the blank after a command word and then the argument.
      if (flags & peek::kAcross) {
        if (after < 64 && (kPlain >> after & 1)) return readPlain(flags, after, tok::kBlank);
      } else if (blankEnds(after)) {
        return readBlankEnd(flags);
      }
    } else if (first == tok::kCommandGap || first == tok::kLineStart) {
      // The gap before the next command, or the blanks that begin a line, and what follows.
      const std::uint32_t after = scanner_.kindAfter();
      if (after < 64 && (kPlain >> after & 1)) return readPlain(flags, after, first);
    } else if (first == tok::kEndOfLine) {
      return readLineEnd(flags);
    }
  }
  return readApart(flags);
}

// At the end of the line there is nothing to look ahead to.
std::uint32_t TokenStream::readLineEnd(std::uint32_t flags) {
  separators_ = ((flags & peek::kSingleRaw) ? peek::kSingleRaw : ((flags & ~peek::kDotLevel) | 7)) & peek::kClassBits;
  return holdNothing(flags);
}

// What a read that white space ends finds: nothing, and the scanner back before the blank.
// Its look-ahead is taken and given back without a step, as the read's would be.
std::uint32_t TokenStream::readBlankEnd(std::uint32_t flags) {
  lookRecord_.id = nextId_++;
  lookRecord_.refs = 0;
  return holdNothing(flags);
}

std::uint32_t TokenStream::holdNothing(std::uint32_t flags) {
  previousKind_ = kind_;
  kind_ = tok::kEndOfLine;
  text_ = {};
  held_ = true;
  if (!(flags & peek::kTakeHeld)) heldFlags_ = flags;
  return flags;
}

std::uint32_t TokenStream::readApart(std::uint32_t flags) {
  const std::uint32_t readFlags = (flags & peek::kSingleRaw) ? peek::kSingleRaw : ((flags & ~peek::kDotLevel) | 7);
  // Reading the held token again from its checkpoint gives what the last read gave, as long
  // as the scanner still stands where that read left it and no flag that shaped it differs.
  if (held_ && lookahead_ && scanner_.line() == readEndLine_ && scanner_.offset() == readEndOffset_ &&
      (readFlags == readFlags_ || readsAlike(readFlags)))
    return holdAgain(flags, readFlags);
  if (!lookahead_ && scanner_.tokenKind() == tok::kEndOfLine) return readLineEnd(flags);
  if (!lookahead_ && blankEndsRead(readFlags)) return readBlankEnd(flags);
  if (lookahead_) restoreLookahead();
  else newLookahead();
  const std::uint32_t state = scanner_.positionState();
  const std::int32_t offset = scanner_.offset();
  const std::int32_t line = scanner_.line();
  previousKind_ = kind_;
  text_ = nextToken(readFlags);
  if (!text_.empty()) {
    tokenOffset_ = offset;
    tokenLine_ = line;
    normalState_ = state == 1;
    readFlags_ = readFlags;
    readEndLine_ = scanner_.line();
    readEndOffset_ = scanner_.offset();
  } else {
    kind_ = tok::kEndOfLine;
    releaseLookahead(scanner_.line() != line || scanner_.offset() != offset);
  }
  held_ = true;
  if (!(flags & peek::kTakeHeld)) heldFlags_ = flags;
  return flags;
}

// Held, with the scanner where its read left it, but asked under other flags: the same
// token if those flags would have read it alike, straight from peek.
std::uint32_t TokenStream::rereadApart(std::uint32_t flags) {
  const std::uint32_t readFlags = (flags & ~peek::kDotLevel) | 7;
  return readsAlike(readFlags) ? holdAgain(flags, readFlags) : read(flags);
}

std::uint32_t TokenStream::holdAgain(std::uint32_t flags, std::uint32_t readFlags) {
  separators_ = (separators_ & ~peek::kClassBits) | (readFlags & peek::kClassBits);
  readFlags_ = readFlags;
  previousKind_ = kind_;
  if (!(flags & peek::kTakeHeld)) heldFlags_ = flags;
  return flags;
}

// The read of a token that no separator goes before, or one blank that the read may cross,
// or one command gap or line start, from where no look-ahead is held back: what the general way does there.
std::uint32_t TokenStream::readPlain(std::uint32_t flags, std::uint32_t first, std::uint32_t separator) {
  beginPlain(flags);
  if (separator == tok::kBlank) {
    scanner_.step();
    separators_ |= peek::kBlank;
  } else {
    scanner_.markBegin();
    scanner_.step();
    if (colouring_) scanner_.colourToHere(kNormalColour);
    separators_ |= separator == tok::kCommandGap ? peek::kLineStart : peek::kLineStart | peek::kDotLevel;
  }
  return takePlain(flags, first);
}

// The same with no separator before the token, the usual read: apart, so that it keeps no
// register for the separator's colouring.
std::uint32_t TokenStream::readPlain(std::uint32_t flags, std::uint32_t first) {
  beginPlain(flags);
  return takePlain(flags, first);
}

// A new look-ahead, its checkpoint deferred: the scanner is steppable here, and stays on its
// line, so each step of a plain read is a direct one and the deferred place tells where it began.
[[gnu::always_inline]] inline void TokenStream::beginPlain(std::uint32_t flags) {
  lookRecord_.id = nextId_++;
  lookRecord_.refs = 1;
  scanner_.deferHere(&lookRecord_.checkpoint);
  lookahead_ = lookRecord_.id;
  previousKind_ = kind_;
  separators_ = flags & peek::kClassBits;
}

[[gnu::always_inline]] inline std::uint32_t TokenStream::takePlain(std::uint32_t flags, std::uint32_t first) {
  scanner_.markBegin();
  readFirst_ = static_cast<std::int32_t>(first);
  if (first == tok::kName && !mac_ && !(flags & (peek::kArgumentWord | peek::kUnderscore | peek::kDotted))) {
    // A plain name, as glue takes it: its letters and digits.
    scanner_.stepOver(isNamePart);
    kind_ = tok::kName;
  } else if (kGlued >> first & 1) {
    return readGlued(flags, first);
  } else {
    scanner_.step();
    kind_ = static_cast<std::int32_t>(first);
  }
  return holdPlain(flags);
}

// Apart, so that the usual plain read makes no call but the last and keeps no register for one.
std::uint32_t TokenStream::readGlued(std::uint32_t flags, std::uint32_t first) {
  kind_ = glue(static_cast<std::int32_t>(first), (flags & ~peek::kDotLevel) | 7);
  return holdPlain(flags);
}

// Holds what a plain read took.
[[gnu::always_inline]] inline std::uint32_t TokenStream::holdPlain(std::uint32_t flags) {
  text_ = scanner_.markToHere();
  if (text_.empty()) return holdPlainNothing(flags);
  tokenOffset_ = scanner_.deferredOffset();
  tokenLine_ = scanner_.lineHere();
  normalState_ = scanner_.deferredState() == 1;
  readFlags_ = (flags & ~peek::kDotLevel) | 7;
  readEndLine_ = scanner_.lineHere();
  readEndOffset_ = scanner_.offsetHere();
  held_ = true;
  if (!(flags & peek::kTakeHeld)) heldFlags_ = flags;
  return flags;
}

std::uint32_t TokenStream::holdPlainNothing(std::uint32_t flags) {
  kind_ = tok::kEndOfLine;
  releaseLookahead(scanner_.offsetHere() != scanner_.deferredOffset());
  held_ = true;
  if (!(flags & peek::kTakeHeld)) heldFlags_ = flags;
  return flags;
}

// While colouring, white space that no separator or "{" follows ends a read that may not
// cross it: known from the line's raw tokens without stepping.
[[gnu::always_inline]] inline bool TokenStream::blankEndsRead(std::uint32_t readFlags) const {
  if (!colouring_ || (readFlags & (peek::kAcross | peek::kSingleRaw)) || !scanner_.steppable() ||
      scanner_.tokenKind() != tok::kBlank)
    return false;
  return blankEnds(scanner_.kindAfter());
}

// The flags that shaped the held token: the separators walked before it and the gluing of
// its first raw token.
bool TokenStream::readsAlike(std::uint32_t readFlags) {
  std::uint32_t shaping = peek::kSingleRaw;
  if (separators_ & peek::kBlank) shaping |= peek::kAcross;
  switch (readFirst_) {
    case tok::kName:
    case tok::kPercent:
    case tok::kUnderscore:
      shaping |= peek::kArgumentWord | peek::kUnderscore;
      // A name takes dots only where a dot follows it.
      if ((readFlags_ & peek::kDotted) || scanner_.tokenKind() == tok::kDot) shaping |= peek::kDotted;
      break;
    case tok::kDigits:
      // Digits are one raw token: read raw or glued alike, unless separators went before.
      if (!(separators_ & kWalkedBits)) shaping &= ~peek::kSingleRaw;
      break;
    case tok::kDollar:
    case tok::kHash: shaping |= peek::kArgumentWord; break;
    case tok::kPlus: shaping |= peek::kBitLogic; break;
    default: break;
  }
  return ((readFlags ^ readFlags_) & shaping) == 0;
}

std::uint32_t TokenStream::expectApart(std::uint32_t attribute) {
  if (accumulate_) collected_.append(text_.view());
  const bool wasHeld = held_;
  held_ = false;
  if (lookahead_ && lookRecord_.refs == 1 && scanner_.deferred(&lookRecord_.checkpoint)) {
    lookahead_ = 0;
    lookRecord_.refs = 0;
    scanner_.dropDeferred();
  } else if (lookahead_) {
    releaseLookahead(false);
  } else if (!wasHeld) {
    text_ = nextToken(heldFlags_);
  }
  if (attribute != 255 && colouring_) scanner_.colourToken(attribute);
  return attribute;
}

TokenStream::Record* TokenStream::find(std::uint32_t id) {
  if (lookahead_ && id == lookahead_) return &lookRecord_;
  for (auto it = records_.rbegin(); it != records_.rend(); ++it)
    if (it->id == id) return &*it;
  throw CQNComException(E_INVALIDARG, 0, "ztlLexer");
}

std::uint32_t TokenStream::newRecord() {
  records_.emplace_back(nextId_++, scanner_.object());
  try {
    scanner_.save(records_.back().checkpoint);
  } catch (...) {
    records_.pop_back();
    throw;
  }
  return records_.back().id;
}

void TokenStream::restoreLookahead() {
  if (scanner_.deferred(&lookRecord_.checkpoint)) scanner_.rewindDeferred();
  else scanner_.restore(lookRecord_.checkpoint);
}

void TokenStream::releaseLookahead(bool restore) {
  if (!lookahead_) return;
  lookahead_ = 0;
  if (restore) restoreLookahead();
  if (--lookRecord_.refs > 0) {
    scanner_.settle();
    records_.push_back(std::move(lookRecord_));
  } else if (scanner_.deferred(&lookRecord_.checkpoint)) {
    scanner_.dropDeferred();
  } else {
    lookRecord_.checkpoint.release();
  }
}

std::uint32_t TokenStream::checkpointCreate() {
  if (lookahead_) {
    scanner_.settle();  // shared, so it must exist
    ++lookRecord_.refs;
    return lookahead_;
  }
  return newRecord();
}

void TokenStream::checkpointRestore(std::uint32_t id, bool keepLookahead) {
  held_ = false;
  if (!keepLookahead) releaseLookahead(true);
  // The object moves past the wrapper here: a deferred look-ahead is saved first.
  scanner_.settle();
  scanner_.restore(find(id)->checkpoint);
}

void TokenStream::checkpointRelease(std::uint32_t id) {
  if (lookahead_ && id == lookahead_) {
    --lookRecord_.refs;
    return;
  }
  for (auto it = records_.rbegin(); it != records_.rend(); ++it)
    if (it->id == id) {
      if (--it->refs <= 0) records_.erase(std::next(it).base());
      return;
    }
}

void TokenStream::takeSeparator(std::uint32_t attribute) {
  scanner_.tokenBegin();
  scanner_.advance();
  if (colouring_ && attribute != 255) scanner_.colourToken(attribute);
}

[[gnu::always_inline]] inline bool TokenStream::separatorsBefore(std::uint32_t flags) {
  switch (scanner_.tokenKind()) {
    case tok::kBlank:
    case tok::kCommandGap:
    case tok::kLineStart:
    case tok::kSemicolon:
    case tok::kSlash:
      return skipSeparators(0, flags);
    default:
      // Most tokens follow no separator: what skipping nothing gives, without the walk.
      if ((flags & 0x10) && !(flags & 0x01)) return false;
      separators_ = flags & peek::kClassBits;
      return true;
  }
}

bool TokenStream::skipSeparators(int mode, std::uint32_t flags) {
  std::uint32_t state = flags & peek::kClassBits;
  bool found = true;
  int lineStarts = 0;
  for (;;) {
    const std::uint32_t k = scanner_.tokenKind();
    if (k == tok::kEndOfLine) break;
    if (k == tok::kBlank) {
      if (!(flags & 0x02)) break;
      takeSeparator(255);
      state |= 0x02;
      const std::uint32_t after = scanner_.tokenKind();
      if (mode == 0 && colouring_ && !(flags & peek::kAcross) && after != tok::kBlank &&
          after != tok::kCommandGap && after != tok::kLineStart && after != tok::kLBrace) {
        found = false;
        break;
      }
      if (mode != 0) {
        found = after != tok::kEndOfLine;
        break;
      }
      continue;
    }
    if (k == tok::kCommandGap) {
      if (!(flags & 0x01)) break;
      takeSeparator(kNormalColour);
      state |= 0x01;
    } else if (k == tok::kLineStart) {
      if (flags & 0x01) {
        state |= 0x11;
      } else if ((flags & 0x10) && lineStarts == 0) {
        state |= 0x10;
      } else {
        break;
      }
      ++lineStarts;
      takeSeparator(kNormalColour);
    } else if (k == tok::kSemicolon || (k == tok::kSlash && scanner_.nextKind() == tok::kSlash)) {
      if (scanner_.positionState() != 0) {
        // A comment cannot stand where a label or line start is due.
        scanner_.colourRest(kError);
        found = false;
        break;
      }
      if ((flags & 0x06) != 0x06) break;
      scanner_.colourRest(kComment);
      state |= 0x06;
    } else if (k == tok::kSlash && scanner_.nextKind() == tok::kStar) {
      if (!(flags & 0x04)) break;
      scanner_.tokenBegin();
      scanner_.advance();
      scanner_.advance();
      for (std::uint32_t c = scanner_.tokenKind(); c != tok::kEndOfLine; c = scanner_.tokenKind()) {
        if (c == tok::kStar && scanner_.nextKind() == tok::kSlash) {
          scanner_.advance();
          scanner_.advance();
          break;
        }
        scanner_.advance();
      }
      if (colouring_) scanner_.colourToken(kComment);
      state |= 0x04;
    } else if (mode == 0) {
      break;
    } else {
      scanner_.tokenBegin();
      // A string literal goes whole, also when it does not end on this line.
      std::uint32_t c = scanner_.advance();
      if (k == tok::kString)
        while (c != tok::kEndOfLine && c != tok::kString) c = scanner_.advance();
      if (k == tok::kString && c == tok::kString) scanner_.advance();
      if (mode == 1 && colouring_) scanner_.colourToken(kError);
    }
    if (mode != 0 && scanner_.positionState() != 0) break;
  }
  if ((flags & 0x10) && !(flags & 0x01) && lineStarts == 0) found = false;
  if (found) separators_ = state;
  return found;
}

[[gnu::always_inline]] inline TokenText TokenStream::nextToken(std::uint32_t flags) {
  if (!(flags & peek::kSingleRaw) && !separatorsBefore(flags)) {
    kind_ = tok::kEndOfLine;
    return {};
  }
  if (flags & peek::kSingleRaw) separators_ = peek::kSingleRaw;
  const std::uint32_t first = scanner_.tokenKind();
  if (first == tok::kEndOfLine) {
    kind_ = tok::kEndOfLine;
    return {};
  }
  scanner_.tokenBegin();
  readFirst_ = static_cast<std::int32_t>(first);
  // Most raw tokens glue to nothing: one step, here.
  if ((flags & peek::kSingleRaw) || (first < 64 && (kGlued >> first & 1) == 0)) {
    scanner_.advance();
    kind_ = static_cast<std::int32_t>(first);
  } else {
    kind_ = glue(static_cast<std::int32_t>(first), flags);
  }
  scanner_.tokenEnd();
  return scanner_.tokenText();
}

// The rest of a name that may hold dots; it must not end in one.
void TokenStream::takeDottedName() {
  std::uint32_t k = scanner_.tokenKind();
  while (isNamePart(k) || k == tok::kDot) {
    const bool dot = k == tok::kDot;
    k = scanner_.advance();
    if (dot && !isNamePart(k)) fail(618, 15);
  }
}

std::int32_t TokenStream::glue(std::int32_t c, std::uint32_t flags) {
  auto next = [&] { return static_cast<std::int32_t>(scanner_.advance()); };
  auto argumentWord = [&] {
    for (std::int32_t k = next(); k == tok::kName || k == tok::kDigits || k == tok::kDollar ||
                                  k == tok::kPercent || k == tok::kHash || k == tok::kUnderscore;)
      k = next();
    if (colouring_) scanner_.colourToken(kSql);
    return static_cast<std::int32_t>(tok::kArgumentWord);
  };
  switch (c) {
    case tok::kName:
    case tok::kPercent:
    case tok::kUnderscore: {
      if (flags & peek::kArgumentWord) return argumentWord();
      if (flags & peek::kUnderscore) {
        std::int32_t k = next();
        if (c == tok::kUnderscore && k == tok::kPercent) k = next();
        while (k == tok::kName || k == tok::kDigits || k == tok::kUnderscore) k = next();
        return c;
      }
      if (c == tok::kUnderscore) return next(), c;
      if (c == tok::kName && mac_) {
        const char16_t ch = scanner_.currentChar();
        if ((ch == u'r' || ch == u'i') && scanner_.nextKind() == tok::kPercent) {
          next();
          if (next() != tok::kName) fail(580, 15);
        }
      }
      next();
      if (flags & peek::kDotted) takeDottedName();
      else
        while (isNamePart(scanner_.tokenKind())) scanner_.advance();
      return c;
    }
    case tok::kDigits:
      while (next() == tok::kDigits) {}
      return c;
    case tok::kDot:
      if (next() != tok::kDot) return c;
      if (next() != tok::kDot) return tok::kDotDot;
      next();
      return tok::kDotDotDot;
    case tok::kString:
      for (std::int32_t k = next();;) {
        if (k == tok::kEndOfLine || k == tok::kBlank) fail(684, 17);
        if (k == tok::kString) {
          if (next() != tok::kString) return c;
        }
        k = next();
      }
    case tok::kDollar:
      if (flags & peek::kArgumentWord) return argumentWord();
      if (next() != tok::kDollar) return c;
      if (next() != tok::kDollar) return tok::kDollar2;
      next();
      return tok::kDollar3;
    case tok::kApostrophe: {
      const std::int32_t k = next();
      std::int32_t compound = 0;
      switch (k) {
        case tok::kEquals: compound = tok::kNotEqual; break;
        case tok::kLess: compound = tok::kNotLess; break;
        case tok::kGreater: compound = tok::kNotGreater; break;
        case tok::kLBracket: compound = tok::kNotContains; break;
        case tok::kAmpersand: compound = tok::kNotAnd; break;
        case tok::kBang: compound = tok::kNotOr; break;
        case tok::kQuestion: compound = tok::kNotPattern; break;
        case tok::kRBracket:
          if (next() != tok::kRBracket) return tok::kNotFollows;
          if (next() != tok::kEquals) return tok::kNotSortsAfter;
          next();
          return tok::kNotSortsAfterOrEqual;
        default: return c;
      }
      next();
      return compound;
    }
    case tok::kPlus: {
      const std::int32_t k = next();
      if (!(flags & peek::kBitLogic)) return c;
      if (k == tok::kCaret) return next(), tok::kBitXor;
      if (k == tok::kAmpersand) return next(), tok::kBitAnd;
      if (k == tok::kBar) return next(), tok::kBitOr;
      return c;
    }
    case tok::kStar:
      if (next() != tok::kStar) return c;
      next();
      return tok::kPower;
    case tok::kHash: {
      if (flags & peek::kArgumentWord) return argumentWord();
      const std::int32_t k = next();
      if (k == tok::kSemicolon) return next(), tok::kHashSemicolon;
      if (k == tok::kHash) return next(), tok::kHashHash;
      return c;
    }
    case tok::kRBracket:
      if (next() != tok::kRBracket) return c;
      if (next() != tok::kEquals) return tok::kSortsAfter;
      next();
      return tok::kSortsAfterOrEqual;
    case tok::kAmpersand:
      if (next() != tok::kAmpersand) return c;
      next();
      return tok::kAndAnd;
    case tok::kBar:
      if (next() != tok::kBar) return c;
      next();
      return tok::kOrOr;
    default:
      next();
      return c;
  }
}

void TokenStream::unread() {
  held_ = false;
  releaseLookahead(true);
}

void TokenStream::dropLookahead(bool quiet) {
  held_ = false;
  if (lookahead_) releaseLookahead(scanner_.line() != tokenLine_);
  skipSeparators(quiet ? 2 : 1, 7);
}

void TokenStream::skipCommand() {
  const std::int32_t line = scanner_.line();
  const std::int32_t offset = scanner_.offset();
  // The token the failed command stopped at goes first, whatever flags read it.
  if (held_ && kind_ != tok::kEndOfLine) expect(kError);
  while (look(peek::kAdjacent) != tok::kEndOfLine) expect(kError);
  if (scanner_.line() != line || scanner_.offset() != offset) return;
  dropLookahead(false);
  const bool follows = look(peek::kRestricted) != tok::kEndOfLine;
  dropLookahead(false);
  scanner_.recover();
  if (!follows) scanner_.colourRest(kError);
  else expect(kError);
}

bool TokenStream::skipLine() {
  held_ = false;
  releaseLookahead(true);
  if (scanner_.atLineEnd() || scanner_.tokenKind() == tok::kEndOfLine) scanner_.recover();
  else scanner_.colourRest(kError);
  return nextLine();
}

void TokenStream::skipLines() {
  while (skipLine()) {}
}

void TokenStream::commentRest() {
  held_ = false;
  releaseLookahead(true);
  scanner_.colourRest(kComment);
}

bool TokenStream::nextLine() {
  held_ = false;
  releaseLookahead(false);
  kind_ = tok::kEndOfLine;
  while (scanner_.tokenKind() != tok::kEndOfLine) scanner_.advance();
  const std::int32_t line = scanner_.line();
  scanner_.advance();
  return scanner_.line() != line;
}

void TokenStream::finish() {
  held_ = false;
  lookahead_ = 0;
  if (scanner_.deferred(&lookRecord_.checkpoint)) scanner_.dropDeferred();
  lookRecord_.checkpoint.release();
  records_.clear();
}

void TokenStream::startText() {
  accumulate_ = true;
  collected_.clear();
}

std::u16string TokenStream::takeText() {
  accumulate_ = false;
  return std::exchange(collected_, {});
}

}  // namespace kesto::zentrel
