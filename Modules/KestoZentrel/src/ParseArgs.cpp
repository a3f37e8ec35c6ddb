// The argument of one command (a first slice of the command grammar).
#include "BlockContexts.h"
#include "Parser.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseArgs";

enum : std::int32_t {
  kDo = 3, kGoto = 6, kJob = 10, kKill = 11, kLock = 12, kMerge = 13, kNew = 14, kRead = 18, kSet = 19,
  kWrite = 27, kZAllocate = 29, kZDeallocate = 31, kZKill = 40, kZWrite = 56,
};

bool isFormat(std::int32_t k) { return k == tok::kBang || k == tok::kHash || k == tok::kQuestion; }

// "(" element, element ... ")"
void parseElementList(Parser& parser, std::int32_t site) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  for (;;) {
    parser.parseElement(peek::kAdjacent);
    if (tokens.look(peek::kAdjacent) != tok::kComma) break;
    tokens.expect(attr::Delimiter);
  }
  if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(site, 10, kFile);
  tokens.expect(attr::Delimiter);
}

}  // namespace

void Parser::parseArgument(std::int32_t id, std::uint32_t mode) {
  std::int32_t k = tokens_->look(mode);
  switch (id) {
    case kSet:
    case kMerge: {
      if (k == tok::kLParen && id == kSet) {
        parseElementList(*this, 10);
      } else {
        parseElement(mode);
      }
      if (tokens_->look(peek::kAdjacent) != tok::kEquals) fail(11, 6, kFile);
      tokens_->expect(attr::Operator);
      parseExpression(peek::kAdjacent);
      return;
    }
    case kDo:
    case kGoto:
    case kJob:
      if (!parseEntryReference(mode)) fail(20, 11, kFile);
      if (tokens_->look(peek::kAdjacent) == tok::kLParen) parseActualParameters();
      if (tokens_->look(peek::kAdjacent) == tok::kColon) {
        tokens_->expect(attr::Delimiter);
        parseExpression(peek::kAdjacent);
      }
      return;
    case kWrite:
    case kZWrite:
    case kRead: {
      bool format = false;
      while (isFormat(k)) {
        tokens_->expect(attr::Format);
        if (k == tok::kQuestion) parseExpression(peek::kAdjacent);
        format = true;
        k = tokens_->look(peek::kAdjacent);
      }
      if (format) return;
      if (k == tok::kStar) {
        tokens_->expect(attr::Format);
        if (id == kRead) parseVariable(peek::kAdjacent);
        else parseExpression(peek::kAdjacent);
        return;
      }
      if (id != kRead || k == tok::kString) {
        parseExpression(mode);
        return;
      }
      parseVariable(mode);
      if (tokens_->look(peek::kAdjacent) == tok::kHash) {
        tokens_->expect(attr::Format);
        parseExpression(peek::kAdjacent);
      }
      if (tokens_->look(peek::kAdjacent) == tok::kColon) {
        tokens_->expect(attr::Delimiter);
        parseExpression(peek::kAdjacent);
      }
      return;
    }
    case kKill:
    case kNew:
    case kZKill:
    case kLock:
    case kZAllocate:
    case kZDeallocate: {
      const bool lock = id == kLock || id == kZAllocate || id == kZDeallocate;
      if (lock && (k == tok::kPlus || k == tok::kMinus)) {
        tokens_->expect(attr::Operator);
        k = tokens_->look(peek::kAdjacent);
        mode = peek::kAdjacent;
      }
      if (k == tok::kLParen) {
        parseElementList(*this, 30);
      } else if (k == tok::kName || k == tok::kPercent || k == tok::kCaret || k == tok::kAt || k == tok::kDollar) {
        parseElement(mode);
      } else {
        fail(31, 11, kFile);
      }
      if (lock && tokens_->look(peek::kAdjacent) == tok::kColon) {
        tokens_->expect(attr::Delimiter);
        parseExpression(peek::kAdjacent);
      }
      return;
    }
    default:
      // Device and other parameters: expressions, with ":"-separated (possibly empty) items.
      parseExpression(mode);
      while (tokens_->look(peek::kAdjacent) == tok::kColon) {
        tokens_->expect(attr::Delimiter);
        const std::int32_t n = tokens_->look(peek::kAdjacent);
        if (n != tok::kColon && n != tok::kComma && n != tok::kEndOfLine) parseExpression(peek::kAdjacent);
      }
      return;
  }
}

}  // namespace kesto::zentrel
