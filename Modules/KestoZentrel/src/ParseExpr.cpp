// Expressions: elements joined by binary operators, read strictly left to right with no
// precedence; parentheses are the only grouping.
#include "Grammar.h"
#include "Keywords.h"
#include "RoutineExtensions.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParse";
constexpr std::uint32_t kOptionShortcut = 0x40;

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

bool isOperatorKind(std::int32_t k) {
  return (k >= tok::kApostrophe && k <= tok::kPlus) || (k >= tok::kStar && k <= tok::kQuestion) ||
         (k >= tok::kAndAnd && k <= tok::kSortsAfterOrEqual);
}

ParseNode* parseParenthesised(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  ParseNode* inner = parser.parseExpression(peek::kAdjacent);
  if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(320, 10, kFile);
  tokens.expect(attr::Delimiter);
  return inner;
}

// ".." and a member of the current object: "#" and a class parameter, or a property or method.
ParseNode* parseRelativeMember(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::ObjectDot);
  std::int32_t n = tokens.look(peek::kAdjacent);
  std::uint32_t form = 1;
  if (n == tok::kHash) {
    tokens.expect(attr::ObjectProperty);
    n = tokens.look(peek::kAdjacent);
    if (n != tok::kName) parser.fail(330, 15, kFile);
    tokens.expect(attr::ObjectProperty);
  } else {
    if (n != tok::kName && n != tok::kPercent) parser.fail(331, 15, kFile);
    tokens.expect(attr::ObjectProperty);
    if (tokens.look(peek::kAdjacent) == tok::kLParen) {
      form = tokens.scanner().tokenKind() == tok::kRParen ? 0 : 2;
      parser.parseActualParameters();
    }
  }
  Node* member = makeNode(node::VarDotDotLVN, {}, 0, form == 1 ? grammar::kProperty : grammar::kMethodWithArgs);
  member->setForm(form);
  return member;
}

}  // namespace

namespace grammar {

bool continuesExpression(std::int32_t kind) { return kind == tok::kAt || isOperatorKind(kind); }

ParseNode* wrap(ParseNode* node) { return makeNode(node::ExprElement, {node}); }

ParseNode* objectChain(Parser& parser, ParseNode* object) {
  TokenStream& tokens = parser.tokens();
  while (tokens.look(peek::kAdjacent) == tok::kDot) {
    tokens.expect(attr::ObjectDot);
    const std::int32_t n = tokens.look(peek::kAdjacent);
    if (n != tok::kName && n != tok::kPercent) parser.fail(350, 11, kFile);
    const bool call = tokens.scanner().tokenKind() == tok::kLParen;
    tokens.expect(call ? attr::ObjectMethod : attr::ObjectAttribute);
    if (!call) {
      object = makeNode(node::VarObject, {object}, 0, kProperty);
      continue;
    }
    tokens.look(peek::kAdjacent);  // holds "(": the raw token behind it tells an empty list
    const bool empty = tokens.scanner().tokenKind() == tok::kRParen;
    parser.parseActualParameters();
    object = empty ? makeNode(node::VarMethod, {object}, 0, kMethod)
                   : makeNode(node::VarMethodOrMDP, {object}, 0, kMethodWithArgs);
  }
  return object;
}

ParseNode* parseFormReference(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "_"
  auto name = [&](std::uint32_t colour, std::int32_t site) {
    const std::int32_t n = tokens.look(peek::kAdjacent);
    if (n != tok::kName && n != tok::kPercent) parser.fail(site, 15, kFile);
    tokens.expect(colour);
  };
  name(attr::VBForm, 360);
  if (tokens.look(peek::kAdjacent) == tok::kBang) {
    tokens.expect(attr::Delimiter);
    name(attr::VBControl, 361);
  }
  if (tokens.look(peek::kAdjacent) == tok::kDot) {
    tokens.expect(attr::Delimiter);
    name(attr::VBProperty, 362);
  }
  if (tokens.look(peek::kAdjacent) == tok::kLParen) parser.parseActualParameters();
  return makeNode(node::VB, {}, 0, kProperty);
}

}  // namespace grammar

bool Parser::operatorFollows() {
  std::int32_t k = tokens_->look(peek::kAdjacent);
  if (k == tok::kAmpersand && mac_) {
    if (embeddedBlockFollows(*this)) return false;
    // The look-ahead went back to its checkpoint and let go of the "&": read it again.
    k = tokens_->look(peek::kAdjacent);
  }
  return isOperatorKind(k);
}

ParseNode* Parser::parseExpression(std::uint32_t mode) {
  NestingGuard guard(*this);
  ParseNode* left = parseElement(mode);
  while (operatorFollows()) {
    const std::int32_t k = tokens_->kind();
    const int kind = binaryKind(k);
    if (!kind) fail(300, 3, kFile);
    if ((k == tok::kAndAnd || k == tok::kOrOr) && !(options_ & kOptionShortcut)) fail(301, 25, kFile);
    tokens_->expect(attr::Operator);
    if (k == tok::kQuestion || k == tok::kNotPattern) {
      if (tokens_->look(peek::kAdjacent) == tok::kAt) {
        // An indirect pattern takes the rest of the expression.
        tokens_->expect(attr::Indirection);
        ParseNode* right = parseExpression(peek::kAdjacent);
        return makeNode(node::BinaryIndirectPattern, {left, right});
      }
      left = makeNode(kind, {left, grammar::parsePatternAtoms(*this)});
      continue;
    }
    left = makeNode(kind, {left, parseElement(peek::kAdjacent)});
  }
  return left;
}

ParseNode* Parser::parseElement(std::uint32_t mode) {
  NestingGuard guard(*this);
  const std::int32_t k = tokens_->look(mode);
  ParseNode* element = nullptr;
  switch (k) {
    case tok::kName: case tok::kPercent:
      element = grammar::localVariable(*this, k, false, false);
      break;
    case tok::kDigits: case tok::kDot:
      return numberFrom(k);
    case tok::kCaret:
      element = parseGlobal(mode);
      break;
    case tok::kAt:
      element = parseIndirection(mode);
      break;
    case tok::kString:
      tokens_->expect(attr::String);
      return makeNode(node::StrLiteral);
    case tok::kLParen:
      return parseParenthesised(*this);
    case tok::kDollar: case tok::kDollar2: case tok::kDollar3:
      element = parseDollar(mode);
      break;
    case tok::kApostrophe:
      tokens_->expect(attr::Operator);
      return makeNode(node::UnaryNOT, {parseElement(peek::kAdjacent)});
    case tok::kMinus: case tok::kPlus: {
      const std::uint32_t after = scanner_.tokenKind();
      if (after == tok::kDigits || after == tok::kDot) return numberFrom(k);
      tokens_->expect(attr::Operator);
      return makeNode(k == tok::kMinus ? node::UnaryMINUS : node::UnaryPLUS, {parseElement(peek::kAdjacent)});
    }
    case tok::kUnderscore:
      return grammar::parseFormReference(*this);
    case tok::kDotDot:
      return parseRelativeMember(*this);
    case tok::kHashHash:
      tokens_->expect(attr::Keep);
      element = parsePreprocessorFunction(*this, true, false);
      break;
    case tok::kLBrace:
      if (syntaxLevel_ == 0) fail(341, 20, kFile);
      return parseSqlField(*this);
    default:
      fail(340, 11, kFile);
  }
  return grammar::objectChain(*this, element);
}

}  // namespace kesto::zentrel
