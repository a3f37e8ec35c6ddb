// The arguments of the Z commands with a grammar of their own: ZBREAK, ZKILL, ZLOAD and
// ZSAVE, ZINSERT, ZPRINT and ZREMOVE, ZOBJCLOSE and ZOMSPACK.
#include "Grammar.h"

#include <initializer_list>
#include <string_view>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseArgs";
constexpr std::int32_t kUnnamedZbreakError = 4095;

bool isName(std::int32_t k) { return k == tok::kName || k == tok::kPercent; }

bool wordIsOneOf(TokenText word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (textEqualsUpper(word, w)) return true;
  return false;
}

void colonParts(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  for (int i = 0; i < 3 && tokens.look(peek::kAdjacent) == tok::kColon; ++i) {
    tokens.expect(attr::Operator);
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (k != tok::kColon && k != tok::kEndOfLine && k != tok::kComma) parser.parseExpression(peek::kAdjacent);
  }
}

// "*" and a local name, or "*$" and one of the special variables that can be watched.
void starForm(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "*"
  const std::int32_t k = tokens.look(peek::kAdjacent);
  if (isName(k)) {
    tokens.expect(attr::Local);
    return;
  }
  if (k != tok::kDollar) parser.fail(1747, 15, kFile);
  tokens.expect(attr::Function);
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(1691, 15, kFile);
  if (!wordIsOneOf(tokens.text(), {"I", "ZE", "ZT"})) parser.fail(1708, kUnnamedZbreakError, kFile);
  tokens.expect(attr::Function);
}

// ":" and one of `words`, after a ZBREAK keyword.
void keywordValue(Parser& parser, std::initializer_list<std::string_view> words, std::int32_t missingSite,
                  std::int32_t wrongSite) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kColon) return;
  tokens.expect(attr::Delimiter);
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(missingSite, 15, kFile);
  if (!wordIsOneOf(tokens.text(), words)) parser.fail(wrongSite, 15, kFile);
  tokens.expect(attr::Name);
}

void zbreakKeyword(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "/"
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(1397, 15, kFile);
  const TokenText word = tokens.text();
  tokens.expect(attr::Name);
  if (wordIsOneOf(word, {"T", "TRACE"})) {
    keywordValue(parser, {"O", "ON", "OFF", "ALL"}, 1419, 1437);
  } else if (wordIsOneOf(word, {"C", "CLEAR"})) {
  } else if (wordIsOneOf(word, {"D", "DEBUG"})) {
    if (tokens.look(peek::kAdjacent) == tok::kColon) {
      tokens.expect(attr::Delimiter);
      parser.parseExpression(peek::kAdjacent);
    }
  } else if (wordIsOneOf(word, {"I", "INTERRUPT"})) {
    keywordValue(parser, {"B", "BREAK", "N", "NORMAL"}, 1489, 1507);
  } else if (wordIsOneOf(word, {"E", "ERRORTRAP"})) {
    keywordValue(parser, {"ON", "OFF"}, 1525, 1541);
  } else {
    parser.fail(1548, 15, kFile);
  }
}

void location(Parser& parser, std::uint32_t mode) {
  if (!parser.parseEntryReference(mode)) parser.fail(1759, 15, kFile);
}

// "#" and a count ending a single-"-" ZBREAK argument.
void countSuffix(Parser& parser, std::int32_t site) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kHash) return;
  tokens.expect(attr::Delimiter);
  if (tokens.look(peek::kAdjacent) != tok::kDigits) parser.fail(site, 11, kFile);
  tokens.expect(attr::Number);
}

}  // namespace

namespace grammar {

void parseLineReference(Parser& parser, std::uint32_t mode) {
  if (!parser.parseEntryReference(mode)) parser.fail(1800, 15, kFile);
  if (parser.tokens().look(peek::kAdjacent) != tok::kColon) return;
  parser.tokens().expect(attr::Delimiter);
  if (!parser.parseEntryReference(peek::kAdjacent)) parser.fail(1801, 15, kFile);
}

ParseNode* parseZbreakArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (isName(k) || k == tok::kPlus || k == tok::kCaret) {
    location(parser, mode);
  } else if (k == tok::kDollar) {
    tokens.expect(attr::Delimiter);
  } else if (k == tok::kStar) {
    starForm(parser);
  } else if (k == tok::kMinus) {
    tokens.expect(attr::Operator);
    const bool twice = tokens.look(peek::kAdjacent) == tok::kMinus;
    if (twice) tokens.expect(attr::Operator);
    const std::int32_t n = tokens.look(peek::kAdjacent);
    std::int32_t site = 1770;
    if (n == tok::kStar) {
      starForm(parser);
      site = 1733;
    } else if (n == tok::kDollar) {
      tokens.expect(attr::Delimiter);
      site = 1665;
    } else {
      location(parser, peek::kAdjacent);
    }
    if (!twice) {
      countSuffix(parser, site);
      return nullptr;
    }
  } else if (k == tok::kSlash) {
    zbreakKeyword(parser);
    return nullptr;
  } else {
    parser.fail(1606, 15, kFile);
  }
  colonParts(parser);
  return nullptr;
}

ParseNode* parseZkillArgument(Parser& parser, std::uint32_t mode) {
  const std::int32_t k = parser.tokens().look(mode);
  if (!isName(k) && k != tok::kCaret && k != tok::kAt) parser.fail(1879, 15, kFile);
  return makeNode(node::ArgZKILLglvn, {parseAnyVariable(parser, mode, false)});
}

ParseNode* parseRoutineNameArgument(Parser& parser, std::uint32_t mode, int kind) {
  TokenStream& tokens = parser.tokens();
  if (isName(tokens.look(mode | peek::kDotted))) tokens.expect(attr::Routine);
  return makeNode(kind);
}

ParseNode* parseZinsertArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgZINSERT, {parser.parseExpression(mode)});
  if (parser.tokens().look(peek::kAdjacent) == tok::kColon) {
    parser.tokens().expect(attr::Delimiter);
    parseLineReference(parser, peek::kAdjacent);
  }
  return argument;
}

ParseNode* parseLineRefArgument(Parser& parser, std::uint32_t mode, int kind) {
  parseLineReference(parser, mode);
  return makeNode(kind);
}

ParseNode* parseZobjcloseArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(mode) == tok::kDollar3) {
    if (!parser.mac()) parser.fail(1941, 3, kFile);
    return makeNode(node::ArgZOBJECTCLOSE, {parser.parseDollar(mode)});
  }
  parseLocalName(parser, mode);
  return makeNode(node::ArgZOBJECTCLOSE);
}

ParseNode* parseZomspackArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  auto requireColon = [&](std::int32_t site) {
    if (tokens.look(peek::kAdjacent) != tok::kColon) parser.fail(site, 16, kFile);
    tokens.expect(attr::Delimiter);
  };
  parseLocalName(parser, mode);
  requireColon(1990);
  parseLocalName(parser, peek::kAdjacent);
  requireColon(1997);
  parser.parseExpression(peek::kAdjacent);
  requireColon(2011);
  parser.parseExpression(peek::kAdjacent);
  for (int i = 0; i < 2 && tokens.look(peek::kAdjacent) == tok::kColon; ++i) {
    tokens.expect(attr::Delimiter);
    parser.parseExpression(peek::kAdjacent);
  }
  return makeNode(node::ArgZOMSPACK);
}

}  // namespace grammar
}  // namespace kesto::zentrel
