// The bit-string expression of $BITLOGIC: operands joined by "&", "|", "^" and one summary
// operator ("+&", "+|", "+^"), which must apply to everything the ordinary operators built.
#include "Grammar.h"

#include <climits>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParse";
// Operators are read afresh so that "+&", "+|" and "+^" are glued: the underscore bit only
// makes the token stream see a different request; no operator begins with a name.
constexpr std::uint32_t kOperatorPeek = peek::kBitLogic | peek::kUnderscore;

struct BitLogicState {
  int depth = 0;
  int ordinal = 0;
  int summaryDepth = -1;
  int summaryOrdinal = 0;
  int ordinaryDepth = INT_MAX;
  int ordinaryOrdinal = 0;
};

ParseNode* expression(Parser& parser, BitLogicState& state);

ParseNode* operand(Parser& parser, BitLogicState& state) {
  NestingGuard guard(parser);
  TokenStream& tokens = parser.tokens();
  switch (tokens.look(peek::kAdjacent)) {
    case tok::kName: case tok::kPercent:
      return grammar::parseAnyVariable(parser, peek::kAdjacent, false);
    case tok::kCaret:
      return parser.parseGlobal(peek::kAdjacent);
    case tok::kAt:
      return parser.parseIndirection(peek::kAdjacent);
    case tok::kLParen: {
      tokens.expect(attr::Delimiter);
      ++state.depth;
      ParseNode* inner = expression(parser, state);
      if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(410, 10, kFile);
      tokens.expect(attr::Delimiter);
      --state.depth;
      return inner;
    }
    case tok::kTilde:
      tokens.expect(attr::Operator);
      return makeNode(node::UnaryBitLogicNOT, {operand(parser, state)});
    default:
      parser.fail(411, 11, kFile);
  }
}

int operatorKind(std::int32_t k) {
  switch (k) {
    case tok::kAmpersand: return node::BinaryBitLogicAND;
    case tok::kBar: return node::BinaryBitLogicOR;
    case tok::kCaret: return node::BinaryBitLogicXOR;
    case tok::kBitAnd: return node::BinaryBitLogicSUMMARYAND;
    case tok::kBitOr: return node::BinaryBitLogicSUMMARYOR;
    case tok::kBitXor: return node::BinaryBitLogicSUMMARYXOR;
    default: return 0;
  }
}

ParseNode* expression(Parser& parser, BitLogicState& state) {
  TokenStream& tokens = parser.tokens();
  ParseNode* left = operand(parser, state);
  for (;;) {
    const std::int32_t k = tokens.look(kOperatorPeek);
    const int kind = operatorKind(k);
    if (!kind) {
      if (grammar::continuesExpression(k) && k != tok::kAt) parser.fail(412, 3, kFile);
      return left;
    }
    ++state.ordinal;
    if (kind >= node::BinaryBitLogicSUMMARYAND) {
      if (state.summaryDepth >= 0) parser.fail(413, 19, kFile);
      state.summaryDepth = state.depth;
      state.summaryOrdinal = state.ordinal;
    } else if (state.depth <= state.ordinaryDepth) {
      state.ordinaryDepth = state.depth;
      state.ordinaryOrdinal = state.ordinal;
    }
    tokens.expect(attr::Operator);
    left = makeNode(kind, {left, operand(parser, state)});
  }
}

}  // namespace

namespace grammar {

ParseNode* parseBitLogic(Parser& parser, std::uint32_t) {
  BitLogicState state;
  ParseNode* result = expression(parser, state);
  const bool mixed = state.summaryDepth >= 0 && state.ordinaryDepth != INT_MAX;
  if (mixed && !(state.summaryDepth < state.ordinaryDepth ||
                 (state.summaryDepth == state.ordinaryDepth && state.summaryOrdinal > state.ordinaryOrdinal)))
    parser.fail(414, 19, kFile);
  return result;
}

}  // namespace grammar
}  // namespace kesto::zentrel
