// The arguments of DO, GOTO and JOB: entry references, object method calls and $CASE.
#include "Grammar.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseArgs";
// Type codes of the functions that DO may call for their effect.
constexpr std::uint8_t kZObjClassMethod = 132, kZObjMethod = 135, kZUtil = 157, kSystem = 184;

ParseNode* withPostconditional(Parser& parser, Node* argument) {
  if (parser.tokens().look(peek::kAdjacent) == tok::kColon) {
    parser.tokens().expect(attr::Delimiter);
    argument->add(parser.parseExpression(peek::kAdjacent));
  }
  return argument;
}

bool callable(const Node* n) {
  const int refClass = n->refClass();
  return refClass == grammar::kLocal || refClass == grammar::kMethod || refClass == grammar::kMethodWithArgs;
}

// An object method called for its effect, then an optional postconditional.
ParseNode* parseDoObject(Parser& parser, std::uint32_t mode) {
  ParseNode* call = parser.parseElement(mode);
  if (!callable(static_cast<const Node*>(call))) parser.fail(108, 4, kFile);
  return withPostconditional(parser, makeNode(node::ArgDO, {call}));
}

ParseNode* dollarArgument(Parser& parser, std::uint32_t mode, bool gotoForm) {
  ParseNode* element = grammar::parseDollarElement(parser, mode, gotoForm ? 2 : 1);
  const auto* n = static_cast<const Node*>(element);
  const bool chained = parser.tokens().look(peek::kAdjacent) == tok::kDot;
  if (chained) {
    element = grammar::objectChain(parser, element);
    if (!callable(static_cast<const Node*>(element))) parser.fail(108, 4, kFile);
  } else if (n->kind() != node::CaseDoArg && !(gotoForm && n->kind() == node::CaseExpr)) {
    const int code = n->code();
    if (gotoForm || (code != kZObjClassMethod && code != kZObjMethod && code != kZUtil && code != kSystem))
      parser.fail(88, 2, kFile);
  }
  return withPostconditional(parser, makeNode(gotoForm ? node::ArgGOTO : node::ArgDO, {element}));
}

void jobParameters(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kLParen) {
    parser.parseExpression(peek::kAdjacent);
    return;
  }
  tokens.expect(attr::Delimiter);
  for (;;) {
    std::int32_t k = tokens.look(peek::kAdjacent);
    if (k != tok::kColon && k != tok::kRParen) {
      parser.parseExpression(peek::kAdjacent);
      k = tokens.look(peek::kAdjacent);
    }
    if (k == tok::kRParen) break;
    if (k != tok::kColon) parser.fail(790, 10, kFile);
    tokens.expect(attr::Delimiter);
  }
  tokens.expect(attr::Delimiter);
}

}  // namespace

namespace grammar {

ParseNode* parseDoArgument(Parser& parser, std::uint32_t mode, bool gotoForm) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kDollar && parser.scanner().tokenKind() == tok::kName) return dollarArgument(parser, mode, gotoForm);
  if (!gotoForm) {
    if (k == tok::kDollar3) {
      if (!parser.mac()) parser.fail(277, 3, kFile);
      return withPostconditional(parser, makeNode(node::ArgDO, {parser.parseElement(mode)}));
    }
    if (k == tok::kUnderscore)  // a form's method, called with any arguments
      return withPostconditional(parser, makeNode(node::ArgDO, {grammar::parseFormReference(parser)}));
    if (k == tok::kHashHash || k == tok::kDotDot || k == tok::kLParen)
      return parseDoObject(parser, mode);
  }
  // label[+offset][^routine][(actuals)], or an object method named by a local.
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  if (!parser.parseEntryReference(mode)) parser.fail(gotoForm ? 721 : 88, gotoForm ? 3 : 2, kFile);
  if (!gotoForm && tokens.look(peek::kAdjacent) == tok::kDot) {
    checkpoint.restore();
    return parseDoObject(parser, mode);
  }
  Node* argument = makeNode(gotoForm ? node::ArgGOTO : node::ArgDOentref);
  if (!gotoForm && tokens.look(peek::kAdjacent) == tok::kLParen) {
    parser.parseActualParameters();
    // X(1).M(): the name with its parameters was an element whose method is called.
    if (tokens.look(peek::kAdjacent) == tok::kDot) {
      checkpoint.restore();
      return parseDoObject(parser, mode);
    }
    argument = makeNode(node::ArgDO);
  }
  checkpoint.release();
  return withPostconditional(parser, argument);
}

ParseNode* parseJobArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  if (!parser.parseEntryReference(mode)) parser.fail(758, 3, kFile);
  if (tokens.look(peek::kAdjacent) == tok::kLParen) parser.parseActualParameters();
  const std::int32_t opener = tokens.look(peek::kAdjacent);
  if ((opener == tok::kBar || opener == tok::kLBracket) && !parser.parseEnvironment()) parser.fail(776, 3, kFile);
  if (tokens.look(peek::kAdjacent) == tok::kColon) {
    tokens.expect(attr::Delimiter);
    if (tokens.look(peek::kAdjacent) != tok::kColon) jobParameters(parser);
    if (tokens.look(peek::kAdjacent) == tok::kColon) {
      tokens.expect(attr::Delimiter);
      parser.parseExpression(peek::kAdjacent);
    }
  }
  return nullptr;
}

}  // namespace grammar
}  // namespace kesto::zentrel
