// Elements that begin with "$": intrinsic functions, special variables, extrinsic
// functions and variables, and macro references.
#include "Grammar.h"
#include "Keywords.h"
#include "RoutineExtensions.h"

#include <unordered_map>
#include <vector>

namespace kesto::zentrel {
namespace {

constexpr const char* kFunctions = "cmpParse$Functions";
constexpr const char* kVariables = "cmpParse$Variables";

// Node kind of each entry of a keyword table: "$" and the upper-case name, or that name
// with the suffix the node-kind table gives where a function and a variable share it.
std::vector<int> kindsOf(const KeywordTable& table, std::u16string_view suffix) {
  // Every kind by its name, the lowest where names repeat; 0 for a name no kind has.
  std::unordered_map<std::u16string_view, int> byName;
  for (int kind = kNodeKindCount - 1; kind >= 0; --kind) byName[nodeDebugName(kind)] = kind;
  auto kindNamed = [&](const std::u16string& name) {
    const auto it = byName.find(name);
    return it == byName.end() ? 0 : it->second;
  };
  std::vector<int> kinds;
  for (const NameTriple* t = table.triples(); t->upper; ++t) {
    const std::u16string upper = t->upper;
    const int own = kindNamed(upper + std::u16string(suffix));
    kinds.push_back(own ? own : kindNamed(upper));
  }
  return kinds;
}

const std::vector<int>& functionKinds() {
  static const std::vector<int> kinds = kindsOf(functionKeywords(), u"func");
  return kinds;
}

const std::vector<int>& variableKinds() {
  static const std::vector<int> kinds = kindsOf(variableKeywords(), u"var");
  return kinds;
}

}  // namespace

namespace grammar {

int functionNodeKind(std::int32_t id) {
  const auto& kinds = functionKinds();
  if (id == kKeywordUserZ) return node::User;
  return id >= 0 && static_cast<std::size_t>(id) < kinds.size() ? kinds[static_cast<std::size_t>(id)] : 0;
}

ParseNode* parseSpecialVariable(Parser& parser, std::int32_t id) {
  if (id == kKeywordUserZ) return makeNode(node::UserVariable, {}, 211, kSpecialVariable);
  const auto& kinds = variableKinds();
  if (id < 0 || static_cast<std::size_t>(id) >= kinds.size() || !kinds[static_cast<std::size_t>(id)])
    parser.fail(31, 15, kVariables);
  const int kind = kinds[static_cast<std::size_t>(id)];
  Node* n = makeNode(kind, {}, static_cast<std::uint8_t>(kind - 7), kSpecialVariable);
  n->setAssignAnswer(3);
  return n;
}

// "$" and a name: a function call when "(" follows the name directly, else a special
// variable. `context` tells $CASE whether it stands in a DO (1) or GOTO (2) argument.
ParseNode* parseDollarElement(Parser& parser, std::uint32_t mode, int context) {
  TokenStream& tokens = parser.tokens();
  Scanner& scanner = parser.scanner();
  tokens.look(mode);
  const bool named = scanner.tokenKind() == tok::kName;
  const bool call = named && scanner.nextKind() == tok::kLParen;
  const std::uint32_t colour = call ? attr::Function : attr::SystemVariable;
  tokens.expect(colour);
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(150, 11, "cmpParse");
  const std::int32_t id = (call ? functionKeywords() : variableKeywords()).lookup(tokens.text().view());
  if (id == kKeywordUnknown) parser.fail(call ? 392 : 31, 15, call ? kFunctions : kVariables);
  tokens.expect(colour);
  return call ? parseDollarFunction(parser, id, context) : parseSpecialVariable(parser, id);
}

}  // namespace grammar

ParseNode* Parser::parseExtrinsic(std::uint32_t mode) {
  tokens_->look(mode);
  tokens_->expect(attr::ExtrinsicFunction);  // "$$"
  if (!parseEntryReference(peek::kAdjacent)) fail(130, 11, "cmpParse");
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
    if (!mac_) fail(140, 11, "cmpParse");
    tokens_->expect(attr::Macro);
    return parseMacroReference(*this);
  }
  return grammar::parseDollarElement(*this, mode, 0);
}

}  // namespace kesto::zentrel
