// Variable references: locals (also the instance and reference variables of class code),
// globals with extended and naked forms, structured system variables, indirection and
// the subscripts behind them.
#include "Grammar.h"
#include "Keywords.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseVariable";

bool isName(std::int32_t k) { return k == tok::kName || k == tok::kPercent; }

bool startsWith(TokenText text, char16_t first) {
  return text.size() >= 2 && text.begin[0] == first && text.begin[1] == u'%';
}

ParseNode* macroReference(Parser& parser, std::int32_t site) {
  if (!parser.mac()) parser.fail(site, 11, kFile);
  return parser.parseDollar(peek::kAdjacent);
}

}  // namespace

namespace grammar {

namespace {

// A local's name, its kind already looked at.
void localName(Parser& parser, std::int32_t k) {
  TokenStream& tokens = parser.tokens();
  if (isName(k)) {
    std::uint32_t colour = attr::Local;
    if (startsWith(tokens.text(), u'i')) {
      if (!parser.mac()) parser.fail(33, 15, kFile);
      colour = attr::InstanceVar;
    } else if (startsWith(tokens.text(), u'r')) {
      if (!parser.mac()) parser.fail(41, 15, kFile);
      colour = attr::ReferenceVar;
    }
    tokens.expect(colour);
    return;
  }
  if (k == tok::kDollar3) {
    macroReference(parser, 71);
    return;
  }
  parser.fail(77, 11, kFile);
}

}  // namespace

void parseLocalName(Parser& parser, std::uint32_t mode) { localName(parser, parser.tokens().look(mode)); }

void parseSubscriptList(Parser& parser, bool emptyAllowed) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "("
  NestingGuard guard(parser);
  if (tokens.look(peek::kAdjacent) == tok::kRParen) {
    if (!emptyAllowed) parser.fail(669, 11, kFile);
    tokens.expect(attr::Delimiter);
    return;
  }
  parser.parseExpressionList(tok::kComma, peek::kAdjacent);
  if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(681, 10, kFile);
  tokens.expect(attr::Delimiter);
}

void parseOptionalSubscripts(Parser& parser, bool subscriptsRequired, bool emptyAllowed) {
  if (parser.tokens().look(peek::kAdjacent) == tok::kLParen) parseSubscriptList(parser, emptyAllowed);
  else if (subscriptsRequired) parser.fail(94, 18, kFile);
}

ParseNode* parseLocalVariable(Parser& parser, std::uint32_t mode, bool subscriptsRequired, bool emptyAllowed) {
  return localVariable(parser, parser.tokens().look(mode), subscriptsRequired, emptyAllowed);
}

// A look under the flags the last one was under answers the same, so callers that have just
// looked pass on its kind.
ParseNode* localVariable(Parser& parser, std::int32_t k, bool subscriptsRequired, bool emptyAllowed) {
  if (k == tok::kDollar3) return macroReference(parser, 71);
  localName(parser, k);
  parseOptionalSubscripts(parser, subscriptsRequired, emptyAllowed);
  return makeNode(node::VarLVN, {}, 39, kLocal);
}

ParseNode* parseNameOrIndirection(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(mode) == tok::kAt) {
    tokens.expect(attr::Indirection);
    return makeNode(node::IndirectionExpr, {parser.parseElement(peek::kAdjacent)}, 17, kIndirect);
  }
  parseLocalName(parser, mode);
  return makeNode(node::VarLVN, {}, 39, kLocal);
}

ParseNode* parseByRefActual(Parser& parser) {
  parser.tokens().expect(attr::Operator);  // "."
  return makeNode(node::LVNbyRef, {parseNameOrIndirection(parser, peek::kAdjacent)}, 34, kByRef);
}

bool parseNameListInParens(Parser& parser, Node* list) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "("
  if (tokens.look(peek::kAdjacent) == tok::kRParen) {
    tokens.expect(attr::Delimiter);
    return false;
  }
  for (;;) {
    list->add(parseNameOrIndirection(parser, peek::kAdjacent));
    if (tokens.look(peek::kAdjacent) != tok::kComma) break;
    tokens.expect(attr::Delimiter);
  }
  if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(188, 10, kFile);
  tokens.expect(attr::Delimiter);
  return true;
}

int parseRestartVariables(Parser& parser, std::uint32_t mode, Node* list) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (isName(k)) {
    parseLocalName(parser, mode);
    list->add(makeNode(node::VarLVN, {}, 39, kLocal));
    return 3;
  }
  if (k == tok::kLParen) return parseNameListInParens(parser, list) ? 3 : 2;
  if (k == tok::kStar) {
    tokens.expect(attr::Special);
    return 1;
  }
  return 0;
}

ParseNode* parseAnyVariable(Parser& parser, std::uint32_t mode, bool subscriptsRequired) {
  TokenStream& tokens = parser.tokens();
  switch (const std::int32_t k = tokens.look(mode)) {
    case tok::kName: case tok::kPercent:
      return localVariable(parser, k, subscriptsRequired, false);
    case tok::kCaret:
      return parser.parseGlobal(mode);
    case tok::kAt:
      return parser.parseIndirection(mode);
    case tok::kDollar3:
      return macroReference(parser, 754);
    default:
      parser.fail(772, 11, kFile);
  }
}

ParseNode* parseSetTarget(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kDotDot || k == tok::kHashHash) {
    ParseNode* target = parser.parseElement(mode);
    const auto* n = static_cast<const Node*>(target);
    const bool ok = k == tok::kDotDot ? (n->kind() == node::VarDotDotLVN ? n->form() == 2 : n->refClass() == kMethodWithArgs)
                                      : (n->assignAnswer() == 2 || n->refClass() == kProperty ||
                                         n->refClass() == kMethodWithArgs);
    if (!ok) parser.fail(807, 11, kFile);
    return target;
  }
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  ParseNode* target = parseAnyVariable(parser, mode, false);
  if (static_cast<const Node*>(target)->refClass() == kLocal && tokens.look(peek::kAdjacent) == tok::kDot) {
    checkpoint.restore();
    target = parser.parseElement(mode);
    if (static_cast<const Node*>(target)->refClass() != kMethodWithArgs &&
        static_cast<const Node*>(target)->refClass() != kProperty)
      parser.fail(841, 11, kFile);
  }
  return target;
}

ParseNode* parseGlobalOrIndirection(Parser& parser, std::uint32_t mode) {
  switch (parser.tokens().look(mode)) {
    case tok::kCaret: return parser.parseGlobal(mode);
    case tok::kAt: return parser.parseIndirection(mode);
    case tok::kDollar3: return macroReference(parser, 889);
    default: parser.fail(906, 11, kFile);
  }
}

}  // namespace grammar

// The formal parameters of a label: names, each with an optional default literal or the
// "..." marker; in macro routines a macro reference may stand for one.
void Parser::parseFormalList() {
  tokens_->expect(attr::Delimiter);  // "("
  if (tokens_->look(peek::kAdjacent) == tok::kRParen) {
    tokens_->expect(attr::Delimiter);
    return;
  }
  for (;;) {
    std::int32_t k = tokens_->look(peek::kAdjacent);
    if (isName(k)) {
      tokens_->expect(attr::Name);
      k = tokens_->look(peek::kAdjacent);
      if (k == tok::kEquals) {
        tokens_->expect(attr::Delimiter);
        grammar::parseLiteral(*this, peek::kAdjacent);
      } else if (k == tok::kDotDotDot) {
        tokens_->expect(attr::Delimiter);
      }
    } else if (k == tok::kDollar3) {
      macroReference(*this, 434);
    } else {
      fail(440, 3, kFile);
    }
    k = tokens_->look(peek::kAdjacent);
    if (k == tok::kRParen) break;
    if (k != tok::kComma) fail(462, 3, kFile);
    tokens_->expect(attr::Delimiter);
  }
  tokens_->expect(attr::Delimiter);
}

void Parser::parseSubscripts() { grammar::parseSubscriptList(*this, false); }

ParseNode* Parser::parseVariable(std::uint32_t mode) { return grammar::parseAnyVariable(*this, mode, false); }

// "^" and what follows it: a structured system variable, or a global with an optional
// extended reference, or the naked reference "^(".
ParseNode* Parser::parseGlobal(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::Global);  // "^"
  std::int32_t k = tokens_->look(peek::kAdjacent);
  if (k == tok::kDollar3) return macroReference(*this, 716);
  if (k == tok::kDollar) {
    tokens_->expect(attr::Structured);
    bool environment = false;
    k = tokens_->look(peek::kAdjacent);
    if (k == tok::kBar || k == tok::kLBracket) {
      if (!parseEnvironment()) fail(561, 11, kFile);
      environment = true;
    }
    if (tokens_->look(peek::kAdjacent) != tok::kName) fail(573, 15, kFile);
    const std::int32_t id = structuredVariableKeywords().lookup(tokens_->text().view());
    if (id >= kKeywordUnknown) fail(581, 15, kFile);
    if (id == 1 && environment) fail(586, 15, kFile);
    tokens_->expect(attr::Structured);
    grammar::parseOptionalSubscripts(*this, false, false);
    return makeNode(node::VarSSVN, {}, 41, grammar::kStructured);
  }
  if (k != tok::kLParen) {
    if ((k == tok::kBar || k == tok::kLBracket) && !parseEnvironment()) fail(502, 11, kFile);
    k = tokens_->look(peek::kDotted);
    if (k == tok::kDollar3 && mac_) {
      macroReference(*this, 716);
    } else {
      if (!isName(k)) fail(521, 15, kFile);
      tokens_->expect(attr::Global);
    }
  }
  grammar::parseOptionalSubscripts(*this, false, false);
  return makeNode(node::VarGVN, {}, 38, grammar::kGlobal);
}

ParseNode* Parser::parseIndirection(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::Indirection);  // "@"
  ParseNode* target = parseElement(peek::kAdjacent);
  if (tokens_->look(peek::kAdjacent) == tok::kAt && scanner_.tokenKind() == tok::kLParen) {
    tokens_->expect(attr::Indirection);
    grammar::parseSubscriptList(*this, false);
    return makeNode(node::SubscriptIndirection, {target}, 25, grammar::kIndirect);
  }
  return makeNode(node::IndirectionExpr, {target}, 17, grammar::kIndirect);
}

}  // namespace kesto::zentrel
