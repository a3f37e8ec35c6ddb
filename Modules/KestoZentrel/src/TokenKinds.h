// Token kinds: the raw kinds the scanner reports and the compound kinds the token stream
// glues from several raw tokens; and the request flags of peek and accepts.
#pragma once

#include <cstdint>

namespace kesto::zentrel::tok {

enum : std::int32_t {
  kEndOfLine = 2, kBlank = 3, kCommandGap = 5, kName = 8, kDigits = 9, kDot = 10, kCaret = 11, kAt = 12,
  kString = 13, kLParen = 14, kDollar = 15, kPercent = 16, kApostrophe = 17, kMinus = 18, kPlus = 19,
  kRParen = 20, kComma = 21, kLineStart = 22, kSemicolon = 23, kStar = 24, kSlash = 25, kHash = 26,
  kBackslash = 27, kUnderscore = 28, kEquals = 29, kLess = 30, kGreater = 31, kLBracket = 32,
  kRBracket = 33, kAmpersand = 34, kBang = 35, kQuestion = 36, kColon = 37, kBar = 38, kLBrace = 39,
  kRBrace = 40, kTilde = 42,
  kDollar2 = 32768, kDollar3 = 32769, kAndAnd = 32770, kOrOr = 32771, kPower = 32772, kNotLess = 32773,
  kNotGreater = 32774, kNotEqual = 32775, kNotPattern = 32776, kNotAnd = 32777, kNotOr = 32778,
  kNotContains = 32779, kNotFollows = 32780, kNotSortsAfter = 32781, kNotSortsAfterOrEqual = 32782,
  kSortsAfter = 32783, kSortsAfterOrEqual = 32784, kDotDot = 32785, kDotDotDot = 32786, kHashHash = 32787,
  kHashSemicolon = 32788, kBitAnd = 32789, kBitOr = 32790, kBitXor = 32791, kArgumentWord = 32792,
};

}  // namespace kesto::zentrel::tok

namespace kesto::zentrel::peek {

enum : std::uint32_t {
  kLineStart = 0x0001,    // line-start separators may precede
  kBlank = 0x0002,        // white space may precede
  kComment = 0x0004,      // a comment may precede
  kDotLevel = 0x0010,     // exactly one line-start separator precedes
  kTakeHeld = 0x0020,     // whatever is held
  kAcross = 0x0040,       // read across white space
  kSingleRaw = 0x0080,    // one raw token, no gluing
  kUnderscore = 0x0100,   // names with "_"
  kBitLogic = 0x0200,     // "+&", "+|", "+^"
  kDotted = 0x0400,       // names with "."
  kArgumentWord = 0x0800, // a run of letters, digits, "$", "%", "#", "_"
  kClassBits = 0x0DC0,
  kCompared = 0x0D90,

  // The modes the parse routines use.
  kAdjacent = 0x0000,
  kRestricted = 0x0005,
  kNormal = 0x0007,
  kArgument = 0x0046,          // crosses the blank after a command word, not a command gap
  kCommand = 0x0047,           // the next command, behind a command gap
  kCommandRestricted = 0x0045, // the next command after a line scope
};

}  // namespace kesto::zentrel::peek
