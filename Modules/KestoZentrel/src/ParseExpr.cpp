// Expressions: elements joined by binary operators, read strictly left to right.
#include "Keywords.h"
#include "Parser.h"

namespace kesto::zentrel {
namespace {

int binaryKind(std::int32_t k) {
  switch (k) {
    case tok::kMinus: return node::BinaryMINUS;       case tok::kPlus: return node::BinaryPLUS;
    case tok::kStar: return node::BinaryMULT;         case tok::kSlash: return node::BinaryDIVIDE;
    case tok::kHash: return node::BinaryMODULO;       case tok::kBackslash: return node::BinaryDIVIDE;
    case tok::kUnderscore: return node::BinaryCONCAT; case tok::kEquals: return node::BinaryEQUAL;
    case tok::kLess: return node::BinaryLESS;         case tok::kGreater: return node::BinaryGREATER;
    case tok::kLBracket: return node::BinaryCONTAINS; case tok::kRBracket: return node::BinaryFOLLOWS;
    case tok::kAmpersand: return node::BinaryAND;     case tok::kBang: return node::BinaryOR;
    case tok::kQuestion: return node::BinaryPattern;  case tok::kAndAnd: return node::BinarySHORTCUTAND;
    case tok::kOrOr: return node::BinarySHORTCUTOR;   case tok::kPower: return node::BinaryEXP;
    case tok::kNotLess: return node::BinaryNOTLESS;   case tok::kNotGreater: return node::BinaryNOTGREATER;
    case tok::kNotEqual: return node::BinaryNOTEQUAL; case tok::kNotPattern: return node::BinaryNotPattern;
    case tok::kNotAnd: return node::BinaryNOTAND;     case tok::kNotOr: return node::BinaryNOTOR;
    case tok::kNotContains: return node::BinaryNOTCONTAINS;
    case tok::kNotFollows: return node::BinaryNOTFOLLOWS;
    case tok::kNotSortsAfter: return node::BinaryNOTSORTSAFTER;
    case tok::kNotSortsAfterOrEqual: return node::BinaryNOTSORTSAFTEROREQUALS;
    case tok::kSortsAfter: return node::BinarySORTSAFTER;
    case tok::kSortsAfterOrEqual: return node::BinarySORTSAFTEROREQUALS;
    default: return 0;
  }
}

constexpr std::uint32_t kOptionShortcut = 0x40;

}  // namespace

bool Parser::operatorFollows() {
  const std::int32_t k = tokens_->look(peek::kAdjacent);
  return (k >= tok::kApostrophe && k <= tok::kPlus) || (k >= tok::kStar && k <= tok::kQuestion) ||
         (k >= tok::kAndAnd && k <= tok::kSortsAfterOrEqual);
}

ParseNode* Parser::parseExpression(std::uint32_t mode) {
  NestingGuard guard(*this);
  ParseNode* left = parseElement(mode);
  while (operatorFollows()) {
    const std::int32_t k = tokens_->kind();
    const int kind = binaryKind(k);
    if (!kind) fail(300, 3, "cmpParseExpr");
    if ((k == tok::kAndAnd || k == tok::kOrOr) && !(options_ & kOptionShortcut)) fail(301, 25, "cmpParseExpr");
    tokens_->expect(attr::Operator);
    ParseNode* right;
    if (k == tok::kQuestion || k == tok::kNotPattern) {
      if (tokens_->look(peek::kAdjacent) == tok::kAt) {
        tokens_->expect(attr::Indirection);
        right = parseExpression(peek::kAdjacent);
        return makeNode(node::BinaryIndirectPattern, {left, right});
      }
      parsePattern();
      right = makeNode(node::Pattern);
    } else {
      right = parseElement(peek::kAdjacent);
    }
    left = makeNode(kind, {left, right});
  }
  return left;
}

ParseNode* Parser::parseNumber(std::uint32_t mode) {
  std::int32_t k = tokens_->look(mode);
  if (k == tok::kDigits) {
    tokens_->expect(attr::Number);
    k = tokens_->look(peek::kAdjacent);
    if (k == tok::kDot && scanner_.tokenKind() == tok::kDigits) {
      tokens_->expect(attr::Number);
      k = tokens_->look(peek::kAdjacent);
    }
  } else if (k == tok::kDot) {
    tokens_->expect(attr::Number);
    k = tokens_->look(peek::kAdjacent);
    if (k != tok::kDigits) fail(310, 11, "cmpParseExpr");
  } else {
    fail(311, 11, "cmpParseExpr");
  }
  if (k == tok::kDigits) {
    tokens_->expect(attr::Number);
    k = tokens_->look(peek::kAdjacent);
  }
  if (k == tok::kName && textEqualsUpper(tokens_->text(), "E")) {
    tokens_->expect(attr::Number);
    k = tokens_->look(peek::kAdjacent);
    if (k == tok::kPlus || k == tok::kMinus) {
      tokens_->expect(attr::Number);
      k = tokens_->look(peek::kAdjacent);
    }
    if (k != tok::kDigits) fail(312, 11, "cmpParseExpr");
    tokens_->expect(attr::Number);
  }
  return makeNode(node::IntLiteral);
}

ParseNode* Parser::parseElement(std::uint32_t mode) {
  NestingGuard guard(*this);
  const std::int32_t k = tokens_->look(mode);
  ParseNode* element = nullptr;
  switch (k) {
    case tok::kName: case tok::kPercent:
      element = parseVariable(mode);
      break;
    case tok::kDigits: case tok::kDot:
      return parseNumber(mode);
    case tok::kCaret:
      element = parseGlobal(mode);
      break;
    case tok::kAt:
      element = parseIndirection(mode);
      break;
    case tok::kString:
      tokens_->expect(attr::String);
      return makeNode(node::StrLiteral);
    case tok::kLParen: {
      tokens_->expect(attr::Delimiter);
      ParseNode* inner = parseExpression(peek::kAdjacent);
      if (tokens_->look(peek::kAdjacent) != tok::kRParen) fail(320, 10, "cmpParseExpr");
      tokens_->expect(attr::Delimiter);
      return inner;
    }
    case tok::kDollar: case tok::kDollar2: case tok::kDollar3:
      element = parseDollar(mode);
      break;
    case tok::kApostrophe:
      tokens_->expect(attr::Operator);
      return makeNode(node::UnaryNOT, {parseElement(peek::kAdjacent)});
    case tok::kMinus: case tok::kPlus: {
      const std::uint32_t after = scanner_.tokenKind();
      if (after == tok::kDigits || after == tok::kDot) {
        tokens_->expect(attr::Number);
        return parseNumber(peek::kAdjacent);
      }
      tokens_->expect(attr::Operator);
      return makeNode(k == tok::kMinus ? node::UnaryMINUS : node::UnaryPLUS, {parseElement(peek::kAdjacent)});
    }
    case tok::kDotDot: {
      tokens_->expect(attr::ObjectDot);
      const std::int32_t n = tokens_->look(peek::kAdjacent);
      if (n == tok::kHash) {
        tokens_->expect(attr::ObjectProperty);
        if (tokens_->look(peek::kAdjacent) != tok::kName) fail(330, 15, "cmpParseExpr");
      } else if (n != tok::kName && n != tok::kPercent) {
        fail(331, 15, "cmpParseExpr");
      }
      tokens_->expect(attr::ObjectProperty);
      if (tokens_->look(peek::kAdjacent) == tok::kLParen) parseActualParameters();
      return makeNode(node::VarDotDotLVN);
    }
    default:
      fail(340, 11, "cmpParseExpr");
  }
  // An object-reference chain continues the element.
  while (tokens_->look(peek::kAdjacent) == tok::kDot) {
    tokens_->expect(attr::ObjectDot);
    const std::int32_t n = tokens_->look(peek::kAdjacent);
    if (n != tok::kName && n != tok::kPercent) fail(350, 11, "cmpParseExpr");
    const bool call = scanner_.tokenKind() == tok::kLParen;
    tokens_->expect(call ? attr::ObjectMethod : attr::ObjectAttribute);
    if (call) parseActualParameters();
    element = makeNode(call ? node::VarMethodOrMDP : node::VarObject, {element}, 0, call ? 13 : 8);
  }
  return element;
}

// Repeat counts followed by pattern codes, strings or alternations.
void Parser::parsePattern() {
  NestingGuard guard(*this);
  bool any = false;
  for (;;) {
    std::int32_t k = tokens_->look(peek::kAdjacent);
    bool count = false;
    if (k == tok::kDigits) {
      tokens_->expect(attr::Pattern);
      count = true;
      k = tokens_->look(peek::kAdjacent);
    }
    if (k == tok::kDot) {
      tokens_->expect(attr::Pattern);
      count = true;
      k = tokens_->look(peek::kAdjacent);
      if (k == tok::kDigits) {
        tokens_->expect(attr::Pattern);
        k = tokens_->look(peek::kAdjacent);
      }
    }
    if (!count) break;
    if (k == tok::kName) {
      for (char16_t c : tokens_->text().view())
        if (std::u16string_view(u"ACELNPUacelnpu").find(c) == std::u16string_view::npos) fail(360, 11, "cmpParseExpr");
      tokens_->expect(attr::Pattern);
    } else if (k == tok::kString) {
      tokens_->expect(attr::Pattern);
    } else if (k == tok::kLParen) {
      tokens_->expect(attr::Pattern);
      for (;;) {
        parsePattern();
        if (tokens_->look(peek::kAdjacent) != tok::kComma) break;
        tokens_->expect(attr::Pattern);
      }
      if (tokens_->look(peek::kAdjacent) != tok::kRParen) fail(361, 10, "cmpParseExpr");
      tokens_->expect(attr::Pattern);
    } else {
      fail(362, 11, "cmpParseExpr");
    }
    any = true;
  }
  if (!any) fail(363, 11, "cmpParseExpr");
}

}  // namespace kesto::zentrel
