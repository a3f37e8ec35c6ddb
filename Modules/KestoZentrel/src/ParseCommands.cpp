// Everything of a command after its word: postconditional, arguments, and the scopes that
// IF, ELSE, FOR, WHILE and DO open.
#include "BlockContexts.h"
#include "Keywords.h"
#include "Parser.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseCmds";

enum class Shape : std::uint8_t { Generic, NoArgument, Else, For, If, Quit, While };
enum class Args : std::uint8_t { Expression, Set, Entry, Write, Read, Kill, Lock, Merge };

struct CommandRow {
  Shape shape;
  Args args;
  int standAlone;  // node kind of the command without argument; 0: an argument is required
};

constexpr CommandRow kCommands[] = {
    {Shape::Generic, Args::Expression, 0},                        // 0
    {Shape::Generic, Args::Expression, node::CmdBREAK},           // 1 BREAK
    {Shape::Generic, Args::Expression, 0},                        // 2 CLOSE
    {Shape::Generic, Args::Entry, node::CmdDO},                   // 3 DO
    {Shape::Else, Args::Expression, node::CmdELSE},               // 4 ELSE
    {Shape::For, Args::Expression, node::CmdFOR},                 // 5 FOR
    {Shape::Generic, Args::Entry, 0},                             // 6 GOTO
    {Shape::NoArgument, Args::Expression, node::CmdHALT},         // 7 HALT
    {Shape::Generic, Args::Expression, node::CmdHALT},            // 8 HANG
    {Shape::If, Args::Expression, 0},                             // 9 IF
    {Shape::Generic, Args::Entry, 0},                             // 10 JOB
    {Shape::Generic, Args::Kill, node::CmdKILL},                  // 11 KILL
    {Shape::Generic, Args::Lock, node::CmdLOCK},                  // 12 LOCK
    {Shape::Generic, Args::Merge, 0},                             // 13 MERGE
    {Shape::Generic, Args::Kill, node::CmdNEW},                   // 14 NEW
    {Shape::Generic, Args::Expression, 0},                        // 15 OPEN
    {Shape::Generic, Args::Expression, node::CmdPRINT},           // 16 PRINT
    {Shape::Quit, Args::Expression, node::CmdQUIT},               // 17 QUIT
    {Shape::Generic, Args::Read, 0},                              // 18 READ
    {Shape::Generic, Args::Set, 0},                               // 19 SET
    {Shape::NoArgument, Args::Expression, node::CmdTCOMMIT},      // 20 TCOMMIT
    {Shape::NoArgument, Args::Expression, node::CmdTRESTART},     // 21 TRESTART
    {Shape::NoArgument, Args::Expression, node::CmdTROLLBACK},    // 22 TROLLBACK
    {Shape::Generic, Args::Expression, node::CmdTSTART},          // 23 TSTART
    {Shape::Generic, Args::Expression, 0},                        // 24 USE
    {Shape::Generic, Args::Expression, 0},                        // 25 VIEW
    {Shape::While, Args::Expression, 0},                          // 26 WHILE
    {Shape::Generic, Args::Write, node::CmdWRITE},                // 27 WRITE
    {Shape::Generic, Args::Expression, 0},                        // 28 XECUTE
    {Shape::Generic, Args::Lock, 0},                              // 29 ZALLOCATE
    {Shape::Generic, Args::Expression, 0},                        // 30 ZBREAK
    {Shape::Generic, Args::Lock, node::CmdZDEALLOCATE},           // 31 ZDEALLOCATE
    {Shape::Generic, Args::Expression, 0},                        // 32 ZDELETE
    {Shape::Generic, Args::Expression, 0},                        // 33 ZERASE
    {Shape::Generic, Args::Expression, 0},                        // 34 ZETRAP
    {Shape::Generic, Args::Expression, 0},                        // 35 ZFILE
    {Shape::Generic, Args::Expression, 0},                        // 36 (no name)
    {Shape::Generic, Args::Expression, 0},                        // 37 ZHTRAP
    {Shape::Generic, Args::Expression, 0},                        // 38 ZINSERT
    {Shape::Generic, Args::Expression, 0},                        // 39 ZITRAP
    {Shape::Generic, Args::Kill, 0},                              // 40 ZKILL
    {Shape::Generic, Args::Expression, node::CmdZLOAD},           // 41 ZLOAD
    {Shape::Generic, Args::Expression, 0},                        // 42 ZMOVE
    {Shape::Generic, Args::Expression, 0},                        // 43 ZNSPACE
    {Shape::Generic, Args::Expression, 0},                        // 44 ZOBJCLOSE
    {Shape::Generic, Args::Expression, 0},                        // 45 ZOMSPACK
    {Shape::Generic, Args::Expression, 0},                        // 46 ZONERROR
    {Shape::Generic, Args::Expression, node::CmdZPRINT},          // 47 ZPRINT
    {Shape::Generic, Args::Expression, node::CmdZQUIT},           // 48 ZQUIT
    {Shape::Generic, Args::Expression, 0},                        // 49 ZREAD
    {Shape::Generic, Args::Expression, node::CmdZREMOVE},         // 50 ZREMOVE
    {Shape::Generic, Args::Expression, node::CmdZSAVE},           // 51 ZSAVE
    {Shape::NoArgument, Args::Expression, node::CmdZSYNC},        // 52 ZSYNC
    {Shape::Generic, Args::Expression, 0},                        // 53 ZTRANSACTION
    {Shape::Generic, Args::Expression, node::CmdZTRAP},           // 54 ZTRAP
    {Shape::Generic, Args::Expression, 0},                        // 55 ZUSE
    {Shape::Generic, Args::Write, node::CmdZWRITE},               // 56 ZWRITE
};

constexpr std::int32_t kDo = 3, kLock = 12, kZAllocate = 29;

}  // namespace

bool Parser::argumentFollows() { return tokens_->look(peek::kArgument) != tok::kEndOfLine; }

void Parser::parsePostconditional() {
  if (tokens_->look(peek::kAdjacent) != tok::kColon) return;
  tokens_->expect(attr::Delimiter);
  parseExpression(peek::kAdjacent);
}

void Parser::parseConditionList() {
  parseExpression(peek::kArgument);
  while (tokens_->look(peek::kAdjacent) == tok::kComma) {
    tokens_->expect(attr::Delimiter);
    parseExpression(peek::kAdjacent);
  }
}

void Parser::parseCommandBody(std::int32_t id) {
  const std::uint32_t mode = restricted() ? peek::kCommandRestricted : peek::kCommand;
  if (id == kKeywordUserZ) {
    parsePostconditional();
    if (argumentFollows()) parseExpressionList(tok::kComma, peek::kArgument);
    makeNode(node::GenCmd);
    return;
  }
  if (id <= 0 || id >= static_cast<std::int32_t>(std::size(kCommands))) fail(10, 2, kFile);
  const CommandRow& row = kCommands[id];
  switch (row.shape) {
    case Shape::Else:
      if (argumentFollows()) fail(20, 11, kFile);
      pushContext(mode, makeContext(*this, static_cast<std::uint8_t>(ContextKind::ElseLine)));
      makeNode(node::CmdELSE);
      return;
    case Shape::If:
      if (tokens_->look(peek::kArgument) == tok::kLBrace) fail(30, 27, kFile);
      if (argumentFollows()) parseConditionList();
      if (tokens_->look(peek::kCommand) == tok::kLBrace)
        pushContext(mode, makeContext(*this, static_cast<std::uint8_t>(ContextKind::IfBlock)));
      else
        pushContext(peek::kRestricted, makeContext(*this, static_cast<std::uint8_t>(ContextKind::IfLine)));
      return;
    case Shape::While:
      if (!argumentFollows()) fail(40, 16, kFile);
      parseConditionList();
      if (tokens_->look(peek::kCommand) != tok::kLBrace) fail(41, 26, kFile);
      pushContext(mode, makeContext(*this, static_cast<std::uint8_t>(ContextKind::WhileBlock)));
      return;
    case Shape::For:
      if (argumentFollows() && tokens_->kind() != tok::kLBrace) {
        parseVariable(peek::kArgument);
        if (tokens_->look(peek::kAdjacent) != tok::kEquals) fail(50, 6, kFile);
        tokens_->expect(attr::Operator);
        for (;;) {
          parseExpression(peek::kAdjacent);
          for (int i = 0; i < 2 && tokens_->look(peek::kAdjacent) == tok::kColon; ++i) {
            tokens_->expect(attr::Delimiter);
            parseExpression(peek::kAdjacent);
          }
          if (tokens_->look(peek::kAdjacent) != tok::kComma) break;
          tokens_->expect(attr::Delimiter);
        }
      }
      if (tokens_->look(peek::kCommand) == tok::kLBrace)
        pushContext(mode, makeContext(*this, static_cast<std::uint8_t>(ContextKind::ForBlock)));
      else
        pushContext(peek::kRestricted, makeContext(*this, static_cast<std::uint8_t>(ContextKind::ForLine)));
      makeNode(node::CmdFOR);
      return;
    case Shape::Quit:
      parsePostconditional();
      if (argumentFollows()) {
        if (inLoop()) fail(60, 2, kFile);
        parseExpression(peek::kArgument);
      }
      makeNode(node::CmdQUIT);
      return;
    case Shape::NoArgument: {
      parsePostconditional();
      const std::int32_t k = tokens_->look(peek::kArgument);
      if (k != tok::kEndOfLine && k != tok::kRBrace) fail(70, 11, kFile);
      makeNode(row.standAlone);
      return;
    }
    case Shape::Generic:
      break;
  }
  parsePostconditional();
  const bool brace = id == kDo && tokens_->look(peek::kCommand) == tok::kLBrace;
  if (!brace && !argumentFollows()) {
    if (!row.standAlone) fail(80, 16, kFile);
    makeNode(row.standAlone);
    return;
  }
  if (brace) {
    pushContext(mode, makeContext(*this, static_cast<std::uint8_t>(ContextKind::DoBlock)));
    return;
  }
  std::uint32_t argMode = peek::kArgument;
  bool direct = false;
  for (;;) {
    if (!direct && tokens_->look(argMode) == tok::kAt) {
      ParserCheckPoint checkpoint(*this);
      checkpoint.save();
      tokens_->expect(attr::Indirection);
      parseElement(peek::kAdjacent);
      if (id == kDo && tokens_->look(peek::kAdjacent) == tok::kLParen) parseActualParameters();
      const std::int32_t n = tokens_->look(peek::kAdjacent);
      if (n == tok::kAt || n == tok::kEquals) {
        checkpoint.restore();
        checkpoint.release();
        parseArgument(id, argMode);
      } else if (n == tok::kComma) {
        tokens_->expect(attr::Delimiter);
        argMode = peek::kAdjacent;
        direct = true;
        continue;
      } else {
        if (n == tok::kColon && (id == kLock || id == kZAllocate)) {
          tokens_->expect(attr::Delimiter);
          parseExpression(peek::kAdjacent);
        }
        break;
      }
    } else {
      parseArgument(id, argMode);
    }
    if (tokens_->look(peek::kAdjacent) != tok::kComma) break;
    tokens_->expect(attr::Delimiter);
    argMode = peek::kAdjacent;
    direct = false;
  }
  makeNode(node::GenCmd);
}

}  // namespace kesto::zentrel
