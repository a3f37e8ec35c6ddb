// Splits one line into raw tokens and classifies its blanks by the line grammar: the
// blank run after the label (and in the dot prefix) is a line-start separator, a single
// blank between a command word and its argument is white space, and blanks between
// commands (or after an argumentless command) are a command separator.
#pragma once

#include <kestocom/Interfaces.h>

#include <cstdint>
#include <string_view>
#include <memory_resource>
#include <vector>

namespace kesto::kestocom {

enum RawKind : std::uint16_t {
  kOther = 1, kEndOfLine = 2, kBlank = 3, kCommandGap = 5, kLetters = 8, kDigits = 9,
  kDot = 10, kCaret = 11, kAt = 12, kQuote = 13, kLParen = 14, kDollar = 15, kPercent = 16,
  kApostrophe = 17, kMinus = 18, kPlus = 19, kRParen = 20, kComma = 21, kLineStart = 22,
  kSemicolon = 23, kStar = 24, kSlash = 25, kHash = 26, kBackslash = 27, kUnderscore = 28,
  kEquals = 29, kLess = 30, kGreater = 31, kLBracket = 32, kRBracket = 33, kAmpersand = 34,
  kBang = 35, kQuestion = 36, kColon = 37, kBar = 38, kLBrace = 39, kRBrace = 40, kTilde = 42,
};

using RawToken = ScannerToken;

constexpr std::uint16_t kLanguageSelf = 1;
constexpr std::uint16_t attributeWord(std::uint16_t attribute, std::uint16_t language = kLanguageSelf) {
  return static_cast<std::uint16_t>((language << 10) | attribute);
}

// Its memory comes from `memory`: a scanner gives all its lines one pool, freed at once.
struct TokenizedLine {
  explicit TokenizedLine(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : tokens(memory), words(memory) {}

  std::pmr::vector<RawToken> tokens;      // always ends with one end-of-line token
  std::pmr::vector<std::uint16_t> words;  // attribute word per character
  bool beganInComment = false;            // a block comment from an earlier line runs into it
  bool endsInComment = false;             // a block comment is still open at its end
};

// Tokenizes `text`; `inComment` says whether a block comment is open at its start.
void tokenizeLine(std::u16string_view text, bool inComment, TokenizedLine& out);
// The same, splitting the line in `scratch`, which a caller of many lines keeps.
void tokenizeLine(std::u16string_view text, bool inComment, TokenizedLine& out, std::vector<RawToken>& scratch);

// Replaces the tokens from `from` (a character offset) to the end of the line.
// Embedded text: blanks are white space, no comments, quotes are single tokens.
void retokenizeEmbedded(std::u16string_view text, std::uint32_t from, std::pmr::vector<RawToken>& tokens);
// The rest of a command's argument and the commands after it, by the line grammar.
void retokenizeArgumentRest(std::u16string_view text, std::uint32_t from, std::pmr::vector<RawToken>& tokens);

}  // namespace kesto::kestocom
