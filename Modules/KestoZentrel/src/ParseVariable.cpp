// Variable references: locals, globals (extended and naked), structured system variables,
// indirection, $functions, special variables, extrinsics and macros.
#include "Keywords.h"
#include "Parser.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseVariable";

int functionNodeKind(std::int32_t id) {
  if (id < 5) return node::FirstFunction + id;
  if (id == 5) return 54;
  if (id == 70) return 121;
  if (id == 71) return 120;
  return 50 + id;
}

}  // namespace

void Parser::parseSubscripts() {
  tokens_->expect(attr::Delimiter);  // "("
  NestingGuard guard(*this);
  parseExpressionList(tok::kComma, peek::kAdjacent);
  if (tokens_->look(peek::kAdjacent) != tok::kRParen) fail(100, 10, kFile);
  tokens_->expect(attr::Delimiter);
}

ParseNode* Parser::parseVariable(std::uint32_t mode) {
  const std::int32_t k = tokens_->look(mode);
  if (k == tok::kAt) return parseIndirection(mode);
  if (k == tok::kCaret) return parseGlobal(mode);
  if (k != tok::kName && k != tok::kPercent) fail(110, 15, kFile);
  tokens_->expect(attr::Local);
  if (tokens_->look(peek::kAdjacent) == tok::kLParen) parseSubscripts();
  return makeNode(node::VarLVN, {}, 39, 1);
}

ParseNode* Parser::parseGlobal(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::Global);  // "^"
  parseEnvironment();
  std::int32_t k = tokens_->look(peek::kAdjacent);
  if (k == tok::kDollar) {
    tokens_->expect(attr::Structured);
    if (tokens_->look(peek::kAdjacent) != tok::kName ||
        structuredVariableKeywords().lookup(tokens_->text().view()) >= kKeywordUnknown)
      fail(120, 15, kFile);
    tokens_->expect(attr::Structured);
    if (tokens_->look(peek::kAdjacent) == tok::kLParen) parseSubscripts();
    return makeNode(node::VarSSVN, {}, 41, 3);
  }
  if (k == tok::kName || k == tok::kPercent) {
    tokens_->expect(attr::Global);
    k = tokens_->look(peek::kAdjacent);
  } else if (k != tok::kLParen) {
    fail(121, 11, kFile);
  }
  if (k == tok::kLParen) parseSubscripts();
  return makeNode(node::VarGVN, {}, 38, 2);
}

ParseNode* Parser::parseIndirection(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::Indirection);  // "@"
  ParseNode* target = parseElement(peek::kAdjacent);
  if (tokens_->look(peek::kAdjacent) == tok::kAt && scanner_.tokenKind() == tok::kLParen) {
    tokens_->expect(attr::Indirection);
    parseSubscripts();
    return makeNode(node::SubscriptIndirection, {target}, 25, 5);
  }
  return makeNode(node::IndirectionExpr, {target}, 17, 5);
}

ParseNode* Parser::parseExtrinsic(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::ExtrinsicFunction);  // "$$"
  if (!parseEntryReference(peek::kAdjacent)) fail(130, 11, kFile);
  if (tokens_->look(peek::kAdjacent) == tok::kLParen) {
    parseActualParameters();
    return makeNode(node::ExtrinsicFunc);
  }
  return makeNode(node::ExtrinsicVar);
}

ParseNode* Parser::parseDollar(std::uint32_t mode) {
  const std::int32_t k = tokens_->look(mode);
  if (k == tok::kDollar2) return parseExtrinsic(mode);
  if (k == tok::kDollar3) {
    if (!mac_) fail(140, 11, kFile);
    tokens_->expect(attr::Macro);
    if (tokens_->look(peek::kAdjacent) != tok::kName) fail(141, 15, kFile);
    tokens_->expect(attr::Macro);
    if (tokens_->look(peek::kAdjacent) == tok::kLParen) parseActualParameters();
    return makeNode(node::MacroVar);
  }
  // The raw token after "$" is the name; "(" right after it makes a function call.
  const bool named = scanner_.tokenKind() == tok::kName;
  const bool call = named && scanner_.nextKind() == tok::kLParen;
  const std::uint32_t colour = call ? attr::Function : attr::SystemVariable;
  tokens_->expect(colour);
  if (tokens_->look(peek::kAdjacent) != tok::kName) fail(150, 11, kFile);
  const std::int32_t id = (call ? functionKeywords() : variableKeywords()).lookup(tokens_->text().view());
  if (id == kKeywordUnknown) fail(151, 15, kFile);
  tokens_->expect(colour);
  if (call) {
    parseActualParameters();
    return makeNode(id == kKeywordUserZ ? node::UserFunction : functionNodeKind(id), {}, 0, 6);
  }
  if (id == kKeywordUserZ) return makeNode(node::UserVariable, {}, 211, 4);
  if (id == 41) return makeNode(node::ZVersionVar, {}, 159, 4);
  const int kind = node::FirstVariable + id;
  return makeNode(kind, {}, static_cast<std::uint8_t>(kind - 7), 4);
}

}  // namespace kesto::zentrel
