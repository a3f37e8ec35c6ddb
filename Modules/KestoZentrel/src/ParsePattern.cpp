// The pattern right of "?" and "'?": atoms of a repeat count and a body (pattern codes, a
// string or an alternation of patterns). Counts and codes are read one raw token at a time
// so that a code run never swallows the digits of the next count.
#include "Grammar.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParsePattern";
constexpr std::uint32_t kUnbounded = 32767;

struct Count {
  std::uint32_t min = 0;
  std::uint32_t max = 0;
};

bool readCount(Parser& parser, Count& count) {
  TokenStream& tokens = parser.tokens();
  std::int32_t k = tokens.look(peek::kSingleRaw);
  if (k == tok::kDigits) {
    count.min = count.max = grammar::digitValue(tokens.text(), kUnbounded - 1);
    tokens.expect(attr::Number);
    if (tokens.look(peek::kSingleRaw) != tok::kDot) return true;
    tokens.expect(attr::Pattern);
  } else if (k == tok::kDot) {
    count.min = 0;
    tokens.expect(attr::Delimiter);
  } else {
    return false;
  }
  count.max = kUnbounded;
  if (tokens.look(peek::kSingleRaw) == tok::kDigits) {
    count.max = grammar::digitValue(tokens.text(), kUnbounded - 1);
    tokens.expect(attr::Number);
  }
  if (count.max < count.min) parser.fail(10, 12, kFile);
  return true;
}

std::uint32_t codeBit(char16_t c) {
  switch (c >= u'a' && c <= u'z' ? c - 32 : c) {
    case u'A': return 0x01; case u'C': return 0x02; case u'E': return 0x04; case u'L': return 0x08;
    case u'N': return 0x10; case u'P': return 0x20; case u'U': return 0x40;
    default: return 0;
  }
}

ParseNode* patternList(Parser& parser, int kind);

ParseNode* body(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  std::int32_t k = tokens.look(peek::kSingleRaw);
  if (k == tok::kLParen) {
    tokens.expect(attr::Delimiter);
    Node* alternatives = makeNode(node::PatAlternationList);
    for (;;) {
      alternatives->add(patternList(parser, node::PatAlternation));
      k = tokens.look(peek::kSingleRaw);
      if (k == tok::kRParen) break;
      if (k != tok::kComma) parser.fail(20, 11, kFile);
      tokens.expect(attr::Delimiter);
    }
    tokens.expect(attr::Delimiter);
    return alternatives;
  }
  if (k == tok::kName) {
    std::uint32_t codes = 0;
    while (tokens.look(peek::kSingleRaw) == tok::kName) {
      for (char16_t c : tokens.text().view()) {
        const std::uint32_t bit = codeBit(c);
        if (!bit) parser.fail(30, 11, kFile);
        codes |= bit;
      }
      tokens.expect(attr::Pattern);
    }
    if (codes & 0x04) codes = 0x04;
    Node* set = makeNode(node::PatcodeACELNPU);
    set->setForm(codes);
    return makeNode(node::PatCodeList, {set});
  }
  if (k == tok::kString && tokens.look(peek::kAdjacent) == tok::kString) {
    tokens.expect(attr::String);
    return makeNode(node::PatStrLit, {makeNode(node::StrLiteral)});
  }
  parser.fail(40, 11, kFile);
}

// One or more atoms.
ParseNode* patternList(Parser& parser, int kind) {
  NestingGuard guard(parser);
  Node* list = makeNode(kind);
  Count count;
  if (!readCount(parser, count)) parser.fail(50, 11, kFile);
  do {
    Node* atom = makeNode(node::PatAtom, {body(parser)});
    atom->setForm(count.min << 16 | count.max);
    list->add(atom);
  } while (readCount(parser, count));
  return list;
}

}  // namespace

namespace grammar {

ParseNode* parsePatternAtoms(Parser& parser) { return patternList(parser, node::Pattern); }

}  // namespace grammar
}  // namespace kesto::zentrel
