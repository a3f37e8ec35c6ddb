#include "LineTokenizer.h"

#include <algorithm>
#include <cstring>

namespace kesto::kestocom {
namespace {

constexpr std::uint16_t kNormal = 1, kTab = 2, kComment = 7;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

constexpr std::uint16_t punctuationKind(char16_t c) {
  switch (c) {
    case u'.': return kDot;        case u'^': return kCaret;      case u'@': return kAt;
    case u'"': return kQuote;      case u'(': return kLParen;     case u'$': return kDollar;
    case u'%': return kPercent;    case u'\'': return kApostrophe; case u'-': return kMinus;
    case u'+': return kPlus;       case u')': return kRParen;     case u',': return kComma;
    case u';': return kSemicolon;  case u'*': return kStar;       case u'/': return kSlash;
    case u'#': return kHash;       case u'\\': return kBackslash; case u'_': return kUnderscore;
    case u'=': return kEquals;     case u'<': return kLess;       case u'>': return kGreater;
    case u'[': return kLBracket;   case u']': return kRBracket;   case u'&': return kAmpersand;
    case u'!': return kBang;       case u'?': return kQuestion;   case u':': return kColon;
    case u'|': return kBar;        case u'{': return kLBrace;     case u'}': return kRBrace;
    case u'~': return kTilde;
    default: return kOther;
  }
}

// The raw kind of each character as a token starts with it: letters and digits begin
// runs of their own kind, every other character is a token by itself. One table look
// for the ASCII characters, which are nearly all of them.
// `walk` is the same with blanks as kBlank, for a walk that stops at them.
struct CharKinds {
  std::uint8_t ascii[128];
  std::uint8_t walk[128];
  constexpr CharKinds() : ascii{}, walk{} {
    for (char16_t c = 0; c < 128; ++c) {
      std::uint16_t kind = punctuationKind(c);
      if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) kind = kLetters;
      if (c >= u'0' && c <= u'9') kind = kDigits;
      ascii[c] = static_cast<std::uint8_t>(kind);
      walk[c] = static_cast<std::uint8_t>(c == u' ' || c == u'\t' ? std::uint16_t{kBlank} : kind);
    }
  }
};
constexpr CharKinds kCharKinds;

std::uint16_t charKind(char16_t c) { return c < 128 ? kCharKinds.ascii[c] : std::uint16_t{kOther}; }
bool isLetter(char16_t c) { return charKind(c) == kLetters; }
// The kinds whose tokens literalOrComment() takes: quotes, ";" and "/".
constexpr std::uint64_t kApart = 1ull << kQuote | 1ull << kSemicolon | 1ull << kSlash;
// What ends a step of the walk in segment(): those and a blank.
constexpr std::uint64_t kStops = kApart | 1ull << kBlank;
bool isDigit(char16_t c) { return charKind(c) == kDigits; }

// Walks one line; `pos` is the next character to classify.
class Tokenizer {
 public:
  // Tokens go to `tokens` (room for a token a character and the end), then to the line.
  Tokenizer(std::u16string_view text, TokenizedLine& out, std::vector<RawToken>& tokens)
      : text_(text), out_(out), tokens_(tokens) {
    if (tokens_.size() < text.size() + 1) tokens_.resize(text.size() + 1);
    at_ = tokens_.data();
    capacity_ = tokens_.size();
  }

  void run(bool inComment) {
    out_.beganInComment = inComment;
    if (inComment && !closeBlockComment(0)) return finish();
    const bool directive = pos_ == 0 && !text_.empty() && text_[0] == u'#';
    if (directive) {
      // Directive lines: every blank is plain white space.
      while (!done_ && pos_ < text_.size()) isBlank(text_[pos_]) ? blanks(kBlank) : item();
      return finish();
    }
    if (pos_ == 0 && !text_.empty() && (isLetter(text_[0]) || isDigit(text_[0]) || text_[0] == u'%')) label();
    if (!done_ && pos_ < text_.size() && isBlank(text_[pos_])) blanks(kLineStart);
    while (!done_ && pos_ < text_.size() && text_[pos_] == u'.') {
      emit(kDot, pos_);
      ++pos_;
      if (pos_ < text_.size() && isBlank(text_[pos_])) blanks(kLineStart);
    }
    commands(false);
    finish();
  }

  // Tokens from `from`, read as the rest of a command argument.
  void runArgumentRest(std::size_t from) {
    pos_ = from;
    commands(true);
    finish();
  }

  void runEmbedded(std::size_t from) {
    pos_ = from;
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_];
      const std::size_t b = pos_;
      if (isBlank(c)) {
        blanks(kBlank);
      } else if (const std::uint16_t kind = charKind(c); kind == kLetters || kind == kDigits) {
        run(kind);
      } else {
        emit(kind, b);
        ++pos_;
      }
    }
    finish();
  }

 private:
  // A line has room for a token a character and the end, so the array grows only for text
  // retokenized from elsewhere.
  // A token's characters run to the next token's begin.
  void emit(std::uint16_t kind, std::size_t b) {
    if (count_ == capacity_) grow(count_ + 1);
    at_[count_++] = {kind, static_cast<std::uint32_t>(b)};
  }
  // Room for at least `needed` tokens.
  [[gnu::noinline]] void grow(std::size_t needed) {
    tokens_.resize(std::max(needed, count_ * 2 + 8));
    at_ = tokens_.data();
    capacity_ = tokens_.size();
  }
  std::size_t blankRunEnd() const {
    std::size_t e = pos_;
    while (e < text_.size() && isBlank(text_[e])) ++e;
    return e;
  }
  void blanks(std::uint16_t kind) { blanksTo(kind, blankRunEnd()); }
  // The blank run from pos_ to `e`, already measured.
  void blanksTo(std::uint16_t kind, std::size_t e) {
    emit(kind, pos_);
    pos_ = e;
  }
  void colour(std::size_t b, std::size_t e, std::uint16_t attribute) {
    for (std::size_t i = b; i < e; ++i) out_.words[i] = attributeWord(attribute);
  }

  void label() {
    while (pos_ < text_.size() && (isLetter(text_[pos_]) || isDigit(text_[pos_]) || text_[pos_] == u'%')) item();
    if (pos_ < text_.size() && text_[pos_] == u'(') {
      int depth = 0;
      while (!done_ && pos_ < text_.size()) {
        char16_t c = text_[pos_];
        if (isBlank(c)) { blanks(kBlank); continue; }
        item();
        if (c == u'(') ++depth;
        if (c == u')' && --depth <= 0) break;
      }
    }
  }

  // Command words and their arguments, each segment ending at a blank outside literals.
  void commands(bool argument) {
    while (!done_ && pos_ < text_.size()) {
      std::size_t start = pos_;
      segment();
      if (done_ || pos_ >= text_.size()) break;
      const std::size_t runEnd = blankRunEnd();
      const bool brace = pos_ - start == 1 && (text_[start] == u'{' || text_[start] == u'}');
      if (runEnd >= text_.size()) {
        blanksTo(kBlank, runEnd);
      } else if (argument || brace || runEnd - pos_ > 1 || pos_ == start) {
        blanksTo(kCommandGap, runEnd);
        argument = false;
      } else {
        blanksTo(kBlank, runEnd);
        argument = true;
      }
    }
  }

  // The tokens from pos_ to the next blank outside literals, as item() takes them one by one.
  // Nearly every line is spent here: the walk keeps its place in locals and leaves literals
  // and comments to literalOrComment().
  [[gnu::always_inline]] void segment() {
    const char16_t* const s = text_.data();
    const std::size_t n = text_.size();
    std::size_t pos = pos_;
    // Each token here takes at least one character: room for the rest of the line, asked
    // once, spares the walk a check a token.
    if (capacity_ - count_ < n - pos) grow(count_ + (n - pos));
    RawToken* out = at_ + count_;
    while (pos < n) {
      const char16_t c = s[pos];
      const std::uint16_t kind = c < 128 ? kCharKinds.walk[c] : std::uint16_t{kOther};
      if (kStops >> kind & 1) {
        if (kind == kBlank) break;
        pos_ = pos;
        count_ = static_cast<std::size_t>(out - at_);
        literalOrComment(kind);
        if (done_) return;
        pos = pos_;
        if (capacity_ - count_ < n - pos) grow(count_ + (n - pos));
        out = at_ + count_;
        continue;
      }
      // Field by field: the pair as one value costs a shift and a merge a token.
      out->kind = kind;
      out->begin = static_cast<std::uint32_t>(pos);
      ++out;
      ++pos;
      if (kind == kLetters || kind == kDigits)
        while (pos < n && charKind(s[pos]) == kind) ++pos;
    }
    pos_ = pos;
    count_ = static_cast<std::size_t>(out - at_);
  }

  // One token at pos_ (never a blank, except inside literals).
  void item() {
    const std::size_t b = pos_;
    const std::uint16_t kind = charKind(text_[b]);
    if (kind == kLetters || kind == kDigits) return run(kind);
    if (kApart >> kind & 1) return literalOrComment(kind);
    emit(kind, b);
    ++pos_;
  }

  [[gnu::noinline]] void literalOrComment(std::uint16_t kind) {
    const std::size_t b = pos_;
    const bool slashPair = kind == kSlash && b + 1 < text_.size();
    if (kind == kQuote) return stringLiteral();
    if (kind == kSemicolon) {
      emit(kSemicolon, b);
      return restAsText(b + 1);
    }
    if (slashPair && text_[b + 1] == u'/') {
      emit(kSlash, b);
      emit(kSlash, b + 1);
      return restAsText(b + 2);
    }
    if (slashPair && text_[b + 1] == u'*') {
      emit(kSlash, b);
      emit(kStar, b + 1);
      pos_ = b + 2;
      if (!closeBlockComment(b)) done_ = true;
      return;
    }
    emit(kind, b);
    ++pos_;
  }

  // A run of letters or of digits from pos_.
  void run(std::uint16_t kind) {
    const std::size_t b = pos_;
    const std::size_t n = text_.size();
    do ++pos_;
    while (pos_ < n && charKind(text_[pos_]) == kind);
    emit(kind, b);
  }

  void stringLiteral() {
    emit(kQuote, pos_);
    ++pos_;
    while (pos_ < text_.size()) {
      if (text_[pos_] == u'"') {
        emit(kQuote, pos_);
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == u'"') {
          emit(kQuote, pos_);
          ++pos_;
          continue;
        }
        return;
      }
      std::size_t b = pos_;
      while (pos_ < text_.size() && text_[pos_] != u'"') ++pos_;
      emit(kOther, b);
    }
  }

  void restAsText(std::size_t from) {
    if (from < text_.size()) emit(kOther, from);
    pos_ = text_.size();
    done_ = true;
  }

  // Inside a block comment: text runs, then "*" "/" at its end. Answers whether it closed;
  // a comment carried in from an earlier line (from == 0 at the start) is coloured here.
  bool closeBlockComment(std::size_t from) {
    const bool carried = out_.beganInComment && count_ == 0 && pos_ == 0;
    std::size_t b = pos_;
    while (pos_ < text_.size()) {
      if (text_[pos_] == u'*' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'/') {
        if (carried) {
          colour(0, pos_ + 2, kComment);
        } else {
          if (pos_ > b) emit(kOther, b);
          emit(kStar, pos_);
          emit(kSlash, pos_ + 1);
        }
        pos_ += 2;
        return true;
      }
      ++pos_;
    }
    if (carried) colour(0, text_.size(), kComment);
    else if (pos_ > b) emit(kOther, b);
    out_.endsInComment = true;
    (void)from;
    return false;
  }

  // The line keeps exactly its tokens: the lines of a routine stay small together.
  void finish() {
    emit(kEndOfLine, text_.size());
    out_.tokens.assign(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(count_));
  }

  std::u16string_view text_;
  TokenizedLine& out_;
  std::vector<RawToken>& tokens_;
  RawToken* at_;          // tokens_'s data, while it holds capacity_ tokens
  std::size_t capacity_;
  std::size_t count_ = 0;  // tokens written
  std::size_t pos_ = 0;
  bool done_ = false;
};

// Tokens of `text` from `from` on, made by `fill`, replace those from that offset.
template <class Fill>
void retokenize(std::u16string_view text, std::uint32_t from, std::pmr::vector<RawToken>& tokens, Fill fill) {
  while (!tokens.empty() && tokens.back().begin >= from) tokens.pop_back();
  TokenizedLine rest;
  rest.words.assign(text.size(), attributeWord(kNormal));
  std::vector<RawToken> scratch;
  Tokenizer tokenizer(text, rest, scratch);
  fill(tokenizer, std::min<std::size_t>(from, text.size()));
  tokens.insert(tokens.end(), rest.tokens.begin(), rest.tokens.end());
}

// Every character's word: normal, a tab's its own. Eight at a time, the line's bulk.
void fillWords(std::u16string_view text, std::uint16_t* words) {
  using Eight = std::uint16_t __attribute__((vector_size(16)));
  constexpr Eight kTabs = {u'\t', u'\t', u'\t', u'\t', u'\t', u'\t', u'\t', u'\t'};
  constexpr std::uint16_t w = attributeWord(kNormal);
  constexpr Eight kNormals = {w, w, w, w, w, w, w, w};
  static_assert(attributeWord(kTab) == attributeWord(kNormal) + 1);
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    Eight c;
    std::memcpy(&c, text.data() + i, sizeof c);
    const Eight eight = kNormals - static_cast<Eight>(c == kTabs);  // a tab compares as -1
    std::memcpy(words + i, &eight, sizeof eight);
  }
  for (; i < n; ++i) words[i] = attributeWord(text[i] == u'\t' ? kTab : kNormal);
}

}  // namespace

void retokenizeEmbedded(std::u16string_view text, std::uint32_t from, std::pmr::vector<RawToken>& tokens) {
  retokenize(text, from, tokens, [](Tokenizer& t, std::size_t at) { t.runEmbedded(at); });
}

void retokenizeArgumentRest(std::u16string_view text, std::uint32_t from, std::pmr::vector<RawToken>& tokens) {
  retokenize(text, from, tokens, [](Tokenizer& t, std::size_t at) { t.runArgumentRest(at); });
}

void tokenizeLine(std::u16string_view text, bool inComment, TokenizedLine& out) {
  std::vector<RawToken> scratch;
  tokenizeLine(text, inComment, out, scratch);
}

void tokenizeLine(std::u16string_view text, bool inComment, TokenizedLine& out, std::vector<RawToken>& scratch) {
  out.words.resize(text.size());
  fillWords(text, out.words.data());
  out.beganInComment = false;
  out.endsInComment = false;
  Tokenizer(text, out, scratch).run(inComment);
}

}  // namespace kesto::kestocom
