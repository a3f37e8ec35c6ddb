// The arguments of LOCK, ZALLOCATE and ZDEALLOCATE: a lock reference or a parenthesised
// list of them, with a sign for LOCK and a timeout for LOCK and ZALLOCATE.
#include "Grammar.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseLock";

ParseNode* lockReference(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  switch (tokens.look(mode)) {
    case tok::kName: case tok::kPercent:
      tokens.expect(attr::Name);
      grammar::parseOptionalSubscripts(parser, false, false);
      return makeNode(node::NRef, {makeNode(node::VarLVN, {}, 39, grammar::kLocal)});
    case tok::kCaret:
      return makeNode(node::NRef, {parser.parseGlobal(mode)});
    case tok::kAt:
      return makeNode(node::NRef, {parser.parseElement(mode)});
    case tok::kDollar3:
      return makeNode(node::NRef, {parser.parseDollar(mode)});
    default:
      parser.fail(10, 11, kFile);
  }
}

void lockReferences(Parser& parser, std::uint32_t mode, Node* argument) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(mode) != tok::kLParen) {
    argument->add(lockReference(parser, mode));
    return;
  }
  tokens.expect(attr::Delimiter);
  for (;;) {
    argument->add(lockReference(parser, peek::kAdjacent));
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (k == tok::kRParen) break;
    if (k != tok::kComma) parser.fail(20, 10, kFile);
    tokens.expect(attr::Delimiter);
  }
  tokens.expect(attr::Delimiter);
}

ParseNode* timeout(Parser& parser, Node* argument) {
  if (parser.tokens().look(peek::kAdjacent) == tok::kColon) {
    parser.tokens().expect(attr::Delimiter);
    argument->add(parser.parseExpression(peek::kAdjacent));
  }
  return argument;
}

}  // namespace

namespace grammar {

ParseNode* parseLockArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  Node* argument = makeNode(node::ArgLOCK);
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kPlus || k == tok::kMinus) {
    argument->setForm(k == tok::kPlus ? 1 : 2);
    tokens.expect(attr::Operator);
    mode = peek::kAdjacent;
  }
  lockReferences(parser, mode, argument);
  return timeout(parser, argument);
}

ParseNode* parseZallocateArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgZALLOCATE);
  lockReferences(parser, mode, argument);
  return timeout(parser, argument);
}

ParseNode* parseZdeallocateArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgZDEALLOCATE);
  lockReferences(parser, mode, argument);
  return argument;
}

}  // namespace grammar
}  // namespace kesto::zentrel
