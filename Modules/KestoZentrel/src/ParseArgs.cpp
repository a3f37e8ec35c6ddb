// The argument of one command: the dispatch to each command's grammar, and the grammars of
// SET, KILL, NEW, MERGE, TSTART, VIEW, XECUTE, the FOR range and the one-expression commands.
#include "Grammar.h"
#include "Keywords.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseArgs";
constexpr std::uint8_t kZObjValCode = 142;

enum : std::int32_t {
  kBreak = 1, kClose = 2, kDo = 3, kGoto = 6, kHang = 8, kJob = 10, kKill = 11, kLock = 12, kMerge = 13,
  kNew = 14, kOpen = 15, kPrint = 16, kRead = 18, kSet = 19, kTStart = 23, kUse = 24, kView = 25,
  kWrite = 27, kXecute = 28, kZAllocate = 29, kZBreak = 30, kZDeallocate = 31, kZDelete = 32, kZErase = 33,
  kZETrap = 34, kZFile = 35, kZHTrap = 37, kZInsert = 38, kZITrap = 39, kZKill = 40, kZLoad = 41,
  kZMove = 42, kZNSpace = 43, kZObjClose = 44, kZOmsPack = 45, kZOnError = 46, kZPrint = 47, kZQuit = 48,
  kZRead = 49, kZRemove = 50, kZSave = 51, kZTransaction = 53, kZTrap = 54, kZUse = 55, kZWrite = 56,
};

// Node kind of the commands whose argument is one expression.
int singleExpressionKind(std::int32_t id) {
  switch (id) {
    case kHang: return node::ArgHANG;             case kZDelete: return node::ArgZDELETE;
    case kZErase: return node::ArgZERASE;         case kZETrap: return node::ArgZETRAP;
    case kZFile: return node::ArgZFILE;           case kZHTrap: return node::ArgZHTRAP;
    case kZITrap: return node::ArgZITRAP;         case kZMove: return node::ArgZMOVE;
    case kZNSpace: return node::ArgZNSPACE;       case kZOnError: return node::ArgZONERROR;
    case kZQuit: return node::ArgZQUIT;           case kZRead: return node::ArgZREAD;
    case kZTransaction: return node::ArgZTRANSACTION;
    case kZTrap: return node::ArgZTRAP;
    default: return 0;
  }
}

// One SET target: an element, continued as an object chain or checked as assignable.
ParseNode* setTarget(Parser& parser, std::uint32_t mode) {
  ParseNode* target = parser.parseElement(mode);
  const auto* n = static_cast<const Node*>(target);
  if (n->refClass() == grammar::kProperty || n->refClass() == grammar::kMethodWithArgs) return target;
  return grammar::checkSetTarget(parser, target);
}

void expectEquals(Parser& parser, std::int32_t site) {
  if (parser.tokens().look(peek::kAdjacent) != tok::kEquals) parser.fail(site, 6, kFile);
  parser.tokens().expect(attr::Operator);
}

// A colon and, unless another colon follows at once, an expression.
ParseNode* colonPart(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);
  const std::int32_t k = tokens.look(peek::kAdjacent);
  if (k == tok::kColon || k == tok::kEndOfLine || k == tok::kComma) return nullptr;
  return parser.parseExpression(peek::kAdjacent);
}

// "(" names ")" of an exclusive KILL or NEW; the list may not be empty.
ParseNode* exclusiveNames(Parser& parser, int kind, std::int32_t site) {
  Node* argument = makeNode(kind);
  if (!grammar::parseNameListInParens(parser, argument)) parser.fail(site, 11, kFile);
  return argument;
}

bool tstartKeyword(Parser& parser, Node* argument) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(1256, 7, kFile);
  const TokenText word = tokens.text();
  tokens.expect(attr::Mnemonic);
  if (textEqualsUpper(word, "S") || textEqualsUpper(word, "SERIAL")) {
    argument->setForm(argument->form() | 0x100);
    return true;
  }
  if (!textEqualsUpper(word, "T") && !textEqualsUpper(word, "TRANSACTIONID")) parser.fail(1256, 7, kFile);
  if (tokens.look(peek::kAdjacent) != tok::kEquals) parser.fail(1244, 7, kFile);
  tokens.expect(attr::Operator);
  argument->add(parser.parseExpression(peek::kAdjacent));
  return true;
}

}  // namespace

namespace grammar {

ParseNode* parseForRange(Parser& parser, std::uint32_t mode) {
  Node* range = makeNode(node::ArgFOR, {parser.parseExpression(mode)});
  for (int i = 0; i < 2 && parser.tokens().look(peek::kAdjacent) == tok::kColon; ++i) {
    parser.tokens().expect(attr::Delimiter);
    range->add(parser.parseExpression(peek::kAdjacent));
  }
  return range;
}

ParseNode* parseSetArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  Node* argument = makeNode(node::ArgSET);
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kLParen && parser.scanner().tokenKind() != tok::kLParen) {
    tokens.expect(attr::Delimiter);
    for (;;) {
      argument->add(setTarget(parser, peek::kAdjacent));
      if (tokens.look(peek::kAdjacent) != tok::kComma) break;
      tokens.expect(attr::Delimiter);
    }
    if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(1044, 10, kFile);
    tokens.expect(attr::Delimiter);
  } else {
    const bool indirect = k == tok::kAt;
    argument->add(setTarget(parser, mode));
    if (indirect && tokens.look(peek::kAdjacent) != tok::kEquals) return argument;
  }
  expectEquals(parser, 1093);
  argument->add(parser.parseExpression(peek::kAdjacent));
  argument->setForm(1);
  return argument;
}

ParseNode* parseKillArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kLParen) return exclusiveNames(parser, node::ArgKILLexcl, 818);
  switch (k) {
    case tok::kName: case tok::kPercent: case tok::kCaret: case tok::kAt: case tok::kDollar3: case tok::kDotDot:
    case tok::kHashHash:
      return makeNode(node::ArgKILLglvn, {parseSetTarget(parser, mode)});
    case tok::kDollar: {
      if (parser.scanner().tokenKind() != tok::kName) parser.fail(850, 15, kFile);
      if (parser.scanner().nextKind() != tok::kLParen) parser.fail(873, 11, kFile);
      ParseNode* call = parseDollarElement(parser, mode, 0);
      if (static_cast<const Node*>(call)->code() != kZObjValCode) parser.fail(867, 15, kFile);
      return makeNode(node::ArgKILLglvn, {call});
    }
    default:
      parser.fail(880, 15, kFile);
  }
}

ParseNode* parseNewArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kLParen) return exclusiveNames(parser, node::ArgNEWexcl, 932);
  if (k == tok::kDollar) {
    ParseNode* variable = parser.parseElement(mode);
    const int code = static_cast<const Node*>(variable)->code();
    if (static_cast<const Node*>(variable)->refClass() != kSpecialVariable || (code != 173 && code != 174 && code != 206))
      parser.fail(951, 11, kFile);
    return makeNode(node::ArgNEWsvn, {variable});
  }
  if (k == tok::kDollar3) {
    if (!parser.mac()) parser.fail(960, 3, kFile);
    return makeNode(node::ArgNEWsvn, {parser.parseDollar(mode)});
  }
  if (k == tok::kAt) return parser.parseIndirection(mode);
  parseLocalName(parser, mode);
  return nullptr;
}

ParseNode* parseMergeArgument(Parser& parser, std::uint32_t mode) {
  ParseNode* target = parseAnyVariable(parser, mode, false);
  expectEquals(parser, 908);
  return makeNode(node::ArgMERGE, {target, parseAnyVariable(parser, peek::kAdjacent, false)});
}

ParseNode* parseTstartArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  Node* argument = makeNode(node::ArgTSTART);
  Node* restart = makeNode(node::ExprElement);
  argument->add(restart);
  argument->setForm(static_cast<std::uint32_t>(parseRestartVariables(parser, mode, restart)));
  if (tokens.look(argument->form() ? peek::kAdjacent : mode) != tok::kColon) return argument;
  tokens.expect(attr::Delimiter);
  if (tokens.look(peek::kAdjacent) != tok::kLParen) {
    tstartKeyword(parser, argument);
    return argument;
  }
  tokens.expect(attr::Delimiter);
  for (;;) {
    tstartKeyword(parser, argument);
    const std::int32_t k = tokens.look(peek::kAdjacent);
    if (k == tok::kRParen) break;
    if (k != tok::kComma) parser.fail(1281, 10, kFile);
    tokens.expect(attr::Delimiter);
  }
  tokens.expect(attr::Delimiter);
  return argument;
}

ParseNode* parseViewArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgVIEW, {parser.parseExpression(mode)});
  for (int i = 0; i < 3 && parser.tokens().look(peek::kAdjacent) == tok::kColon; ++i) argument->add(colonPart(parser));
  return argument;
}

ParseNode* parseXecuteArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgXECUTE, {parser.parseExpression(mode)});
  if (parser.tokens().look(peek::kAdjacent) == tok::kColon) {
    parser.tokens().expect(attr::Delimiter);
    argument->add(parser.parseExpression(peek::kAdjacent));
  }
  return argument;
}

}  // namespace grammar

ParseNode* Parser::parseArgument(std::int32_t id, std::uint32_t mode) {
  using namespace grammar;
  if (const int kind = singleExpressionKind(id)) return makeNode(kind, {parseExpression(mode)});
  switch (id) {
    case kDo: return parseDoArgument(*this, mode, false);
    case kGoto: return parseDoArgument(*this, mode, true);
    case kJob: return parseJobArgument(*this, mode);
    case kKill: return parseKillArgument(*this, mode);
    case kLock: return parseLockArgument(*this, mode);
    case kMerge: return parseMergeArgument(*this, mode);
    case kNew: return parseNewArgument(*this, mode);
    case kOpen: return parseOpenArgument(*this, mode);
    case kClose: return parseCloseArgument(*this, mode);
    case kUse: return parseUseArgument(*this, mode, node::ArgUSE);
    case kZUse: return parseUseArgument(*this, mode, node::ArgZUSE);
    case kRead: return parseReadArgument(*this, mode);
    case kWrite: return parseWriteArgument(*this, mode);
    case kZWrite: return parseZwriteArgument(*this, mode);
    case kSet: return parseSetArgument(*this, mode);
    case kTStart: return parseTstartArgument(*this, mode);
    case kView: return parseViewArgument(*this, mode);
    case kXecute: return parseXecuteArgument(*this, mode);
    case kZAllocate: return parseZallocateArgument(*this, mode);
    case kZDeallocate: return parseZdeallocateArgument(*this, mode);
    case kZBreak: return parseZbreakArgument(*this, mode);
    case kZInsert: return parseZinsertArgument(*this, mode);
    case kZKill: return parseZkillArgument(*this, mode);
    case kZLoad: return parseRoutineNameArgument(*this, mode, node::ArgZLOAD);
    case kZSave: return parseRoutineNameArgument(*this, mode, node::ArgZSAVE);
    case kPrint: case kZPrint: return parseLineRefArgument(*this, mode, node::ArgZPRINT);
    case kZRemove: return parseLineRefArgument(*this, mode, node::ArgZREMOVE);
    case kZObjClose: return parseZobjcloseArgument(*this, mode);
    case kZOmsPack: return parseZomspackArgument(*this, mode);
    default: return parseExpression(mode);  // BREAK
  }
}

}  // namespace kesto::zentrel
