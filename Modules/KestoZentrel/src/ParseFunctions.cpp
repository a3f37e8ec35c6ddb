// Intrinsic function calls: the argument list read by the function's shape, and the
// functions with a grammar of their own ($SELECT, $TEXT, $BIT, $BITLOGIC, $CASE).
#include "Grammar.h"
#include "Keywords.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParse$Functions";
constexpr std::uint32_t kOptionCase = 0x20;
constexpr std::uint8_t kZObjValCode = 142;

std::int32_t idOf(std::u16string_view name) { return functionKeywords().lookup(name); }

ParseNode* byRefOrExpression(Parser& parser) {
  if (parser.tokens().look(peek::kAdjacent) == tok::kDot) {
    const std::uint32_t after = parser.scanner().tokenKind();
    if (after == tok::kName || after == tok::kPercent || after == tok::kAt) return grammar::parseByRefActual(parser);
  }
  return parser.parseExpression(peek::kAdjacent);
}

ParseNode* digits(Parser& parser, std::uint32_t limit, std::int32_t missingSite, std::int32_t rangeSite) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kDigits) parser.fail(missingSite, 11, kFile);
  if (grammar::digitValue(tokens.text(), limit) > limit) parser.fail(rangeSite, 11, kFile);
  tokens.expect(attr::Number);
  return makeNode(node::IntLiteral);
}

// A $ZOBJVAL call where one may stand, else a SET target.
ParseNode* objValOrTarget(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kDollar || parser.scanner().tokenKind() != tok::kName)
    return grammar::parseSetTarget(parser, peek::kAdjacent);
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  ParseNode* call = grammar::parseDollarElement(parser, peek::kAdjacent, 0);
  if (static_cast<const Node*>(call)->code() == kZObjValCode && static_cast<const Node*>(call)->refClass() == 6)
    return call;
  checkpoint.restore();
  return grammar::parseSetTarget(parser, peek::kAdjacent);
}

ParseNode* sourceReference(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  Node* ref = makeNode(node::SrcRef, {parser.parseExpression(peek::kAdjacent)});
  if (tokens.look(peek::kAdjacent) == tok::kColon) {
    tokens.expect(attr::Delimiter);
    ref->add(parser.parseExpression(peek::kAdjacent));
    if (tokens.look(peek::kAdjacent) != tok::kColon) parser.fail(336, 3, kFile);
    tokens.expect(attr::Delimiter);
    ref->add(parser.parseExpression(peek::kAdjacent));
  }
  return ref;
}

ParseNode* entryReference(Parser& parser) {
  if (!parser.parseEntryReference(peek::kAdjacent)) parser.fail(264, 11, kFile);
  return makeNode(node::Text);
}

ParseNode* argumentByCode(Parser& parser, std::uint8_t code) {
  switch (code) {
    case argcode::ByRefOrExpr: return byRefOrExpression(parser);
    case argcode::SetTarget: return grammar::parseSetTarget(parser, peek::kAdjacent);
    case argcode::Variable:
      if (parser.tokens().look(peek::kAdjacent) == tok::kDot) parser.tokens().expect(attr::Delimiter);
      return grammar::parseAnyVariable(parser, peek::kAdjacent, false);
    case argcode::ObjValOrTarget: return objValOrTarget(parser);
    case argcode::SubscriptedVariable: return grammar::parseAnyVariable(parser, peek::kAdjacent, true);
    case argcode::GlobalOrIndirection: return grammar::parseGlobalOrIndirection(parser, peek::kAdjacent);
    case argcode::EntryRef: return entryReference(parser);
    case argcode::Byte: return digits(parser, 255, 274, 288);
    case argcode::Word: return digits(parser, 32767, 298, 312);
    case argcode::SourceRef: return sourceReference(parser);
    default: return parser.parseExpression(peek::kAdjacent);
  }
}

void expectClose(Parser& parser, std::int32_t site, std::int32_t kind) {
  if (parser.tokens().look(peek::kAdjacent) != tok::kRParen) parser.fail(site, kind, kFile);
  parser.tokens().expect(attr::Delimiter);
}

ParseNode* parseSelect(Parser& parser, Node* fn) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  for (;;) {
    ParseNode* condition = parser.parseExpression(peek::kAdjacent);
    if (tokens.look(peek::kAdjacent) != tok::kColon) parser.fail(602, 1, kFile);
    tokens.expect(attr::Delimiter);
    fn->add(makeNode(node::SelectParm, {condition, parser.parseExpression(peek::kAdjacent)}));
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (k == tok::kComma) {
      tokens.expect(attr::Delimiter);
      continue;
    }
    if (k != tok::kRParen) parser.fail(632, 10, kFile);
    tokens.expect(attr::Delimiter);
    return fn;
  }
}

ParseNode* parseText(Parser& parser, Node* fn) {
  parser.tokens().expect(attr::Delimiter);
  if (!parser.parseEntryReference(peek::kAdjacent)) parser.fail(670, 11, kFile);
  expectClose(parser, 674, 10);
  return fn;
}

ParseNode* parseBit(Parser& parser, Node* fn) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  ParseNode* first = parser.parseExpression(peek::kAdjacent);
  fn->add(grammar::wrap(first));
  if (tokens.look(peek::kAdjacent) != tok::kComma) parser.fail(1056, 3, kFile);
  tokens.expect(attr::Delimiter);
  fn->add(grammar::wrap(parser.parseExpression(peek::kAdjacent)));
  if (tokens.look(peek::kAdjacent) == tok::kComma) {
    if (static_cast<const Node*>(first)->refClass() != grammar::kGlobal) parser.fail(1075, 16, kFile);
    tokens.expect(attr::Delimiter);
    fn->add(grammar::wrap(parser.parseExpression(peek::kAdjacent)));
    fn->setForm(2);
  }
  expectClose(parser, 1090, 3);
  return fn;
}

ParseNode* parseBitLogicCall(Parser& parser, Node* fn) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  fn->add(grammar::parseBitLogic(parser, peek::kAdjacent));
  if (tokens.look(peek::kAdjacent) == tok::kComma) {
    tokens.expect(attr::Delimiter);
    fn->add(parser.parseExpression(peek::kAdjacent));
  }
  expectClose(parser, 1136, 3);
  return fn;
}

ParseNode* parseCase(Parser& parser, int context) {
  TokenStream& tokens = parser.tokens();
  if (!(parser.options() & kOptionCase)) parser.fail(1155, 24, kFile);
  tokens.expect(attr::Delimiter);
  Node* fn = makeNode(context == 0 ? node::CaseExpr : node::CaseDoArg, {parser.parseExpression(peek::kAdjacent)});
  if (tokens.look(peek::kAdjacent) != tok::kComma) parser.fail(1166, 3, kFile);
  for (bool lastWasDefault = false;;) {
    tokens.expect(attr::Delimiter);  // ","
    ParseNode* match = nullptr;
    const bool isDefault = tokens.look(peek::kAdjacent) == tok::kColon;
    if (!isDefault) {
      match = parser.parseExpression(peek::kAdjacent);
      if (tokens.look(peek::kAdjacent) != tok::kColon) parser.fail(1191, 1, kFile);
    }
    tokens.expect(attr::Delimiter);  // ":"
    ParseNode* value = context == 0 ? parser.parseExpression(peek::kAdjacent)
                                    : grammar::parseDoArgument(parser, peek::kAdjacent, context == 2);
    fn->add(makeNode(node::CaseExprParm, {match, value}));
    lastWasDefault = isDefault;
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (k == tok::kComma) {
      if (lastWasDefault) parser.fail(1241, 11, kFile);
      continue;
    }
    if (k != tok::kRParen) parser.fail(1259, 10, kFile);
    tokens.expect(attr::Delimiter);
    return fn;
  }
}

}  // namespace

namespace grammar {

void parseArgumentList(Parser& parser, Node* list, const FunctionShape& shape) {
  TokenStream& tokens = parser.tokens();
  NestingGuard guard(parser);
  tokens.expect(attr::Delimiter);  // "("
  list->setForm(1);
  if (tokens.look(peek::kAdjacent) == tok::kRParen) {
    if (shape.min != 0) parser.fail(34, 16, kFile);
    tokens.expect(attr::Delimiter);
    return;
  }
  const bool repeats = shape.max == 255;
  const int last = shape.count - 1;
  for (int i = 1;; ++i) {
    if (!repeats && i > shape.max) parser.fail(55, 16, kFile);
    const int at = i - 1 <= last ? i - 1 : (repeats ? last : -1);
    const bool omissible = at >= 0 && shape.omissions[at] != 0;
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (omissible && k == tok::kComma) {
      tokens.expect(attr::Delimiter);
      if (tokens.look(peek::kAdjacent) == tok::kRParen) {
        tokens.expect(attr::Delimiter);
        return;
      }
      continue;
    }
    if (omissible && k == tok::kRParen) {
      tokens.expect(attr::Delimiter);
      return;
    }
    list->add(wrap(argumentByCode(parser, at >= 0 ? shape.codes[at] : std::uint8_t{argcode::ByRefOrExpr})));
    const std::int32_t after = tokens.look(peek::kAdjacent);
    if (after == tok::kRParen) {
      if (i < shape.min) parser.fail(375, 16, kFile);
      tokens.expect(attr::Delimiter);
      return;
    }
    if (after != tok::kComma) parser.fail(366, 3, kFile);
    tokens.expect(attr::Delimiter);
  }
}

ParseNode* parseDollarFunction(Parser& parser, std::int32_t id, int context) {
  static const std::int32_t kSelect = idOf(u"SELECT"), kText = idOf(u"TEXT"), kBit = idOf(u"BIT"),
                            kBitLogic = idOf(u"BITLOGIC"), kCase = idOf(u"CASE"), kZObjNext = idOf(u"ZOBJNEXT"),
                            kZObjNew = idOf(u"ZOBJNEW");
  if (parser.tokens().look(peek::kAdjacent) != tok::kLParen) parser.fail(392, 15, kFile);
  if (id == kCase) return parseCase(parser, context);
  const int kind = functionNodeKind(id == kZObjNext ? kZObjNew : id);
  Node* fn = makeNode(kind, {}, static_cast<std::uint8_t>(kind - 7), kFunction);
  fn->setAssignAnswer(3);
  if (id == kSelect) return parseSelect(parser, fn);
  if (id == kText) return parseText(parser, fn);
  if (id == kBit) return parseBit(parser, fn);
  if (id == kBitLogic) return parseBitLogicCall(parser, fn);
  const FunctionShape& shape = functionShape(id);
  if (shape.ownGrammar) parser.fail(392, 15, kFile);
  parseArgumentList(parser, fn, shape);
  return fn;
}

}  // namespace grammar
}  // namespace kesto::zentrel
