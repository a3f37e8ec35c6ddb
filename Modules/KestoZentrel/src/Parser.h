// The parser object every parse routine belongs to: the token stream over the scanner, the
// dialect, the options and the stack of open block contexts carried from line to line.
#pragma once

#include "Nodes.h"
#include "TokenStream.h"

#include <Parser/TokenText.h>

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <vector>

namespace kesto::zentrel {

class BlockContext;

namespace attr {
enum : std::uint32_t {
  Error = 0, Normal = 1, Label = 3, Dots = 4, Command = 5, String = 6, Comment = 7, ObjectDot = 8,
  Macro = 12, Delimiter = 13, ExtrinsicFunction = 15, Format = 16, Function = 17, Global = 18,
  Indirection = 19, Local = 20, Name = 22, Number = 23, Operator = 24, Routine = 25,
  Structured = 27, SystemVariable = 28, ObjectProperty = 30, ObjectMethod = 35, ObjectAttribute = 36,
  Pattern = 41, Brace = 42, Keep = 255,
};
}  // namespace attr

// Deep nesting is refused instead of overflowing the stack.
constexpr int kMaxNesting = 256;
constexpr std::size_t kMaxContexts = 1024;

class Parser {
 public:
  Parser(Scanner& scanner, IAllocator* allocator, bool mac, std::uint32_t options, bool lineMode,
         std::uint32_t flags);
  ~Parser();
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  TokenStream& tokens() { return *tokens_; }
  Scanner& scanner() { return scanner_; }
  bool mac() const { return mac_; }
  std::uint32_t options() const { return options_; }
  std::int32_t syntaxLevel() const { return syntaxLevel_; }
  std::int32_t dotLevel() const { return dotLevel_; }

  [[noreturn]] void fail(std::int32_t site, std::int32_t kind, const char* file = "cmpParse");

  // Context stack.
  void pushContext(std::uint32_t mode, std::unique_ptr<BlockContext> context);
  void closeBlock(std::uint32_t mode);
  void endOfLineContexts();
  bool restricted() const;
  bool inLoop() const;
  bool inRoutineBody() const;
  bool inBraceBlock() const;
  std::size_t contextCount() const { return contexts_.size(); }
  std::int32_t changeCounter() const { return changes_; }
  std::uint8_t* buildLineState(IAllocator* allocator) const;  // null allocator: C heap
  void appendLineState(std::pmr::vector<std::uint8_t>& out) const;  // the same block, at the end of `out`
  void restoreLineState(const std::uint8_t* state);

  // Line parser.
  bool parseLine(bool* beganInside, bool* endsInside);
  void endOfRoutineCheck();
  void finish() { tokens_->finish(); }

  // Shared sub-parsers.
  ParseNode* expressionToEndOfLine();
  bool parseLabel(TokenText* label);
  bool parseEntryReference(std::uint32_t mode);
  bool parseRoutineReference();
  bool parseEnvironment();
  void parseActualParameters();
  void parseExpressionList(std::int32_t separator, std::uint32_t mode);

  // Expressions and variables.
  ParseNode* parseExpression(std::uint32_t mode);
  ParseNode* parseElement(std::uint32_t mode);
  bool operatorFollows();
  ParseNode* parseVariable(std::uint32_t mode);
  ParseNode* parseGlobal(std::uint32_t mode);
  ParseNode* parseIndirection(std::uint32_t mode);
  ParseNode* parseDollar(std::uint32_t mode);
  ParseNode* parseExtrinsic(std::uint32_t mode);
  ParseNode* parseNumber(std::uint32_t mode);
  ParseNode* numberFrom(std::int32_t k);  // `k` the kind a look under the same flags just answered
  void parseSubscripts();

  // Commands.
  void parseCommand(bool first);
  ParseNode* parseCommandBody(std::int32_t id);
  bool argumentFollows();
  void parsePostconditional();
  void parseConditionList();

 private:
  friend class NestingGuard;
  void parseLabelHeader();
  void parseFormalList();
  ParseNode* parseArgument(std::int32_t id, std::uint32_t mode);

  Scanner& scanner_;
  std::unique_ptr<TokenStream> tokens_;
  IAllocator* allocator_;
  std::int32_t checkpointDepth_ = 0;
  std::int32_t unused_ = -1;
  bool mac_;
  std::uint32_t options_;
  std::int32_t syntaxLevel_;
  std::int32_t dotLevel_ = 0;
  std::vector<std::unique_ptr<BlockContext>> contexts_;
  std::int32_t changes_ = 0;
  int nesting_ = 0;
};

// Counts one level of recursion for the time it lives; too deep is a parse error.
class NestingGuard {
 public:
  explicit NestingGuard(Parser& parser) : parser_(parser) {
    if (++parser_.nesting_ > kMaxNesting) tooDeep();
  }
  ~NestingGuard() { --parser_.nesting_; }

 private:
  [[noreturn, gnu::noinline, gnu::cold]] void tooDeep();
  Parser& parser_;
};

// The parser's checkpoint: the token stream's checkpoint plus the context stack's change
// counter, which must not have moved when the checkpoint is restored.
class ParserCheckPoint {
 public:
  explicit ParserCheckPoint(Parser& parser) : parser_(parser) {}
  ~ParserCheckPoint() { release(); }
  ParserCheckPoint(const ParserCheckPoint&) = delete;
  ParserCheckPoint& operator=(const ParserCheckPoint&) = delete;

  void save();
  void restore();
  void release() noexcept;

 private:
  Parser& parser_;
  std::uint32_t id_ = 0;
  std::size_t mark_ = 0;
  std::int32_t changes_ = 0;
};

}  // namespace kesto::zentrel
