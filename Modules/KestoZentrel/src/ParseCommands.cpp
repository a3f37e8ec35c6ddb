// Everything of a command after its word: postconditional, the argument loop with
// argument indirection, and the scopes that IF, ELSE, FOR, WHILE and DO open.
#include "BlockContexts.h"
#include "Grammar.h"
#include "Keywords.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseCmds";

enum class Shape : std::uint8_t { Generic, NoArgument, Else, For, If, Quit, While };

struct CommandRow {
  Shape shape;
  int standAlone;  // node kind of the command without argument; 0: an argument is required
};

constexpr CommandRow kCommands[] = {
    {Shape::Generic, 0},                        // 0
    {Shape::Generic, node::CmdBREAK},           // 1 BREAK
    {Shape::Generic, 0},                        // 2 CLOSE
    {Shape::Generic, node::CmdDO},              // 3 DO
    {Shape::Else, node::CmdELSE},               // 4 ELSE
    {Shape::For, node::CmdFOR},                 // 5 FOR
    {Shape::Generic, 0},                        // 6 GOTO
    {Shape::NoArgument, node::CmdHALT},         // 7 HALT
    {Shape::Generic, node::CmdHALT},            // 8 HANG
    {Shape::If, 0},                             // 9 IF
    {Shape::Generic, 0},                        // 10 JOB
    {Shape::Generic, node::CmdKILL},            // 11 KILL
    {Shape::Generic, node::CmdLOCK},            // 12 LOCK
    {Shape::Generic, 0},                        // 13 MERGE
    {Shape::Generic, node::CmdNEW},             // 14 NEW
    {Shape::Generic, 0},                        // 15 OPEN
    {Shape::Generic, node::CmdPRINT},           // 16 PRINT
    {Shape::Quit, node::CmdQUIT},               // 17 QUIT
    {Shape::Generic, 0},                        // 18 READ
    {Shape::Generic, 0},                        // 19 SET
    {Shape::NoArgument, node::CmdTCOMMIT},      // 20 TCOMMIT
    {Shape::NoArgument, node::CmdTRESTART},     // 21 TRESTART
    {Shape::NoArgument, node::CmdTROLLBACK},    // 22 TROLLBACK
    {Shape::Generic, node::CmdTSTART},          // 23 TSTART
    {Shape::Generic, 0},                        // 24 USE
    {Shape::Generic, 0},                        // 25 VIEW
    {Shape::While, 0},                          // 26 WHILE
    {Shape::Generic, node::CmdWRITE},           // 27 WRITE
    {Shape::Generic, 0},                        // 28 XECUTE
    {Shape::Generic, 0},                        // 29 ZALLOCATE
    {Shape::Generic, 0},                        // 30 ZBREAK
    {Shape::Generic, node::CmdZDEALLOCATE},     // 31 ZDEALLOCATE
    {Shape::Generic, 0},                        // 32 ZDELETE
    {Shape::Generic, 0},                        // 33 ZERASE
    {Shape::Generic, 0},                        // 34 ZETRAP
    {Shape::Generic, 0},                        // 35 ZFILE
    {Shape::Generic, 0},                        // 36 (no name)
    {Shape::Generic, 0},                        // 37 ZHTRAP
    {Shape::Generic, 0},                        // 38 ZINSERT
    {Shape::Generic, 0},                        // 39 ZITRAP
    {Shape::Generic, 0},                        // 40 ZKILL
    {Shape::Generic, node::CmdZLOAD},           // 41 ZLOAD
    {Shape::Generic, 0},                        // 42 ZMOVE
    {Shape::Generic, 0},                        // 43 ZNSPACE
    {Shape::Generic, 0},                        // 44 ZOBJCLOSE
    {Shape::Generic, 0},                        // 45 ZOMSPACK
    {Shape::Generic, 0},                        // 46 ZONERROR
    {Shape::Generic, node::CmdZPRINT},          // 47 ZPRINT
    {Shape::Generic, node::CmdZQUIT},           // 48 ZQUIT
    {Shape::Generic, 0},                        // 49 ZREAD
    {Shape::Generic, node::CmdZREMOVE},         // 50 ZREMOVE
    {Shape::Generic, node::CmdZSAVE},           // 51 ZSAVE
    {Shape::NoArgument, node::CmdZSYNC},        // 52 ZSYNC
    {Shape::Generic, 0},                        // 53 ZTRANSACTION
    {Shape::Generic, node::CmdZTRAP},           // 54 ZTRAP
    {Shape::Generic, 0},                        // 55 ZUSE
    {Shape::Generic, node::CmdZWRITE},          // 56 ZWRITE
};

constexpr std::int32_t kDo = 3, kGoto = 6, kJob = 10, kLock = 12, kZAllocate = 29;

std::unique_ptr<BlockContext> context(Parser& parser, ContextKind kind) {
  return makeContext(parser, static_cast<std::uint8_t>(kind));
}

// An item of a condition list: "@" and an element standing alone is an argument
// indirection; anything else is an expression.
ParseNode* conditionItem(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(mode) == tok::kAt) {
    ParserCheckPoint checkpoint(parser);
    checkpoint.save();
    tokens.expect(attr::Indirection);
    ParseNode* element = parser.parseElement(peek::kAdjacent);
    if (!grammar::continuesExpression(tokens.look(peek::kAdjacent))) return makeNode(node::CmdIF_ArgInd, {element});
    checkpoint.restore();
  }
  return parser.parseExpression(mode);
}

// The loop variable of FOR: a variable or a property of an object.
ParseNode* forVariable(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  ParseNode* variable = grammar::parseAnyVariable(parser, peek::kArgument, false);
  if (tokens.look(peek::kAdjacent) != tok::kDot) return variable;
  checkpoint.restore();
  variable = parser.parseElement(peek::kArgument);
  const int refClass = static_cast<const Node*>(variable)->refClass();
  if (refClass != grammar::kProperty && refClass != grammar::kMethodWithArgs) parser.fail(55, 13, kFile);
  return variable;
}

ParseNode* parseFor(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  Node* command = makeNode(node::CmdFOR);
  if (parser.argumentFollows() && tokens.kind() != tok::kLBrace) {
    bool macroOnly = false;
    if (tokens.kind() == tok::kDollar3) {
      if (!parser.mac()) parser.fail(49, 3, kFile);
      ParserCheckPoint checkpoint(parser);
      checkpoint.save();
      parser.parseDollar(peek::kArgument);
      macroOnly = tokens.look(peek::kAdjacent) == tok::kEndOfLine;
      if (!macroOnly) checkpoint.restore();
    }
    if (!macroOnly) {
      command->add(forVariable(parser));
      if (tokens.look(peek::kAdjacent) != tok::kEquals) parser.fail(50, 6, kFile);
      tokens.expect(attr::Operator);
      for (;;) {
        command->add(makeNode(node::CmdArg, {grammar::parseForRange(parser, peek::kAdjacent)}));
        if (tokens.look(peek::kAdjacent) != tok::kComma) break;
        tokens.expect(attr::Delimiter);
      }
    }
  }
  if (tokens.look(peek::kCommand) == tok::kLBrace) parser.pushContext(mode, context(parser, ContextKind::ForBlock));
  else parser.pushContext(peek::kRestricted, context(parser, ContextKind::ForLine));
  return command;
}

}  // namespace

bool Parser::argumentFollows() { return tokens_->look(peek::kArgument) != tok::kEndOfLine; }

void Parser::parsePostconditional() {
  if (tokens_->look(peek::kAdjacent) != tok::kColon) return;
  tokens_->expect(attr::Delimiter);
  parseExpression(peek::kAdjacent);
}

void Parser::parseConditionList() {
  conditionItem(*this, peek::kArgument);
  while (tokens_->look(peek::kAdjacent) == tok::kComma) {
    tokens_->expect(attr::Delimiter);
    conditionItem(*this, peek::kAdjacent);
  }
}

ParseNode* Parser::parseCommandBody(std::int32_t id) {
  const std::uint32_t mode = restricted() ? peek::kCommandRestricted : peek::kCommand;
  if (id == kKeywordUserZ) {
    parsePostconditional();
    if (argumentFollows()) parseExpressionList(tok::kComma, peek::kArgument);
    return makeNode(node::GenCmd);
  }
  if (id <= 0 || id >= static_cast<std::int32_t>(std::size(kCommands))) fail(10, 2, kFile);
  const CommandRow& row = kCommands[id];
  switch (row.shape) {
    case Shape::Else:
      if (argumentFollows()) fail(20, 11, kFile);
      pushContext(mode, context(*this, ContextKind::ElseLine));
      return makeNode(node::CmdELSE);
    case Shape::If:
      if (tokens_->look(peek::kArgument) == tok::kLBrace) fail(30, 27, kFile);
      if (argumentFollows()) parseConditionList();
      if (tokens_->look(peek::kCommand) == tok::kLBrace) pushContext(mode, context(*this, ContextKind::IfBlock));
      else pushContext(peek::kRestricted, context(*this, ContextKind::IfLine));
      return nullptr;
    case Shape::While:
      if (!argumentFollows()) fail(40, 16, kFile);
      parseConditionList();
      if (tokens_->look(peek::kCommand) != tok::kLBrace) fail(41, 26, kFile);
      pushContext(mode, context(*this, ContextKind::WhileBlock));
      return nullptr;
    case Shape::For:
      return parseFor(*this, mode);
    case Shape::Quit: {
      parsePostconditional();
      Node* command = makeNode(node::CmdQUIT);
      if (argumentFollows()) {
        if (inLoop()) fail(60, 2, kFile);
        command->add(parseExpression(peek::kArgument));
        command->setForm(1);
      }
      return command;
    }
    case Shape::NoArgument: {
      parsePostconditional();
      const std::int32_t k = tokens_->look(peek::kArgument);
      if (k != tok::kEndOfLine && k != tok::kRBrace) fail(70, 11, kFile);
      return makeNode(row.standAlone);
    }
    case Shape::Generic:
      break;
  }
  parsePostconditional();
  const bool brace = id == kDo && tokens_->look(peek::kCommand) == tok::kLBrace;
  // What argumentFollows asks; the first argument's look would ask it again.
  const std::int32_t first = brace ? tok::kEndOfLine : tokens_->look(peek::kArgument);
  if (!brace && first == tok::kEndOfLine) {
    if (!row.standAlone) fail(80, 16, kFile);
    return makeNode(row.standAlone);
  }
  if (brace) {
    pushContext(mode, context(*this, ContextKind::DoBlock));
    return makeNode(node::GenCmd);
  }
  Node* command = makeNode(node::GenCmd);
  command->setForm(static_cast<std::uint32_t>(id));
  std::uint32_t argMode = peek::kArgument;
  bool direct = false;
  for (bool firstArgument = true;; firstArgument = false) {
    if (!direct && (firstArgument ? first : tokens_->look(argMode)) == tok::kAt) {
      ParserCheckPoint checkpoint(*this);
      checkpoint.save();
      tokens_->expect(attr::Indirection);
      ParseNode* element = parseElement(peek::kAdjacent);
      if (id == kDo && tokens_->look(peek::kAdjacent) == tok::kLParen) parseActualParameters();
      const std::int32_t n = tokens_->look(peek::kAdjacent);
      // A name indirection, or an indirect element that an operator or (for DO, GOTO and JOB) a
      // routine or postconditional continues: the command's own parser reads the whole argument.
      const bool entry = id == kDo || id == kGoto || id == kJob;
      const bool goesOn = grammar::continuesExpression(n) || (entry && (n == tok::kColon || n == tok::kCaret));
      if (goesOn) {
        checkpoint.restore();
        checkpoint.release();
        command->add(parseArgument(id, argMode));
      } else if (n == tok::kComma) {
        // A whole argument given by indirection; the next one goes straight to the parser.
        command->add(makeNode(node::IndirectionExpr, {element}, 17, grammar::kIndirect));
        tokens_->expect(attr::Delimiter);
        argMode = peek::kAdjacent;
        direct = true;
        continue;
      } else {
        command->add(makeNode(node::IndirectionExpr, {element}, 17, grammar::kIndirect));
        if (n == tok::kColon && (id == kLock || id == kZAllocate)) {
          tokens_->expect(attr::Delimiter);
          parseExpression(peek::kAdjacent);
        }
        break;
      }
    } else {
      command->add(parseArgument(id, argMode));
    }
    if (tokens_->look(peek::kAdjacent) != tok::kComma) break;
    tokens_->expect(attr::Delimiter);
    argMode = peek::kAdjacent;
    direct = false;
  }
  return command;
}

}  // namespace kesto::zentrel
