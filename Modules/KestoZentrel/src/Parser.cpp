#include "Parser.h"

#include "BlockContexts.h"

#include <Parser/LineState.h>

#include <cstring>

namespace kesto::zentrel {

ParseNode* Node::child(int index) const {
  if (index < 0 || index >= children_.count) throw CQNRangeException(74, "Include\\Parser\\parseNode");
  ParseNode* c = children_.head;
  while (index-- > 0) c = c->next;
  return c;
}

Parser::Parser(Scanner& scanner, IAllocator* allocator, bool mac, std::uint32_t options, bool lineMode,
               std::uint32_t flags)
    : scanner_(scanner), tokens_(std::make_unique<TokenStream>(scanner, mac, lineMode)), allocator_(allocator),
      mac_(mac), options_(options), syntaxLevel_((flags & 2) ? 1 : (flags & 4) ? 2 : 0) {}

Parser::~Parser() {
  while (!contexts_.empty()) {
    contexts_.pop_back();
    ++changes_;
  }
}

void Parser::fail(std::int32_t site, std::int32_t kind, const char* file) {
  throw CZTLParseException(site, file, scanner_.line(), scanner_.offset(), &scanner_, kind);
}

void NestingGuard::tooDeep() {
  --parser_.nesting_;
  parser_.fail(900, 18);
}

void Parser::pushContext(std::uint32_t mode, std::unique_ptr<BlockContext> context) {
  if (!context) throw CQNMemoryException(786, "cmpParse");
  if (contexts_.size() >= kMaxContexts) fail(901, 18);
  context->onPush(mode);
  contexts_.push_back(std::move(context));
  ++changes_;
}

void Parser::closeBlock(std::uint32_t mode) {
  if (contexts_.empty()) fail(812, 29);
  tokens_->expect(attr::Brace);
  while (!contexts_.empty()) {
    const int answer = contexts_.back()->onClose(mode);
    if (answer == 0) return;
    contexts_.pop_back();
    ++changes_;
    if (answer == 2) return;
  }
  fail(823, 29);
}

void Parser::endOfLineContexts() {
  while (!contexts_.empty() && contexts_.back()->endsAtEndOfLine()) {
    contexts_.pop_back();
    ++changes_;
  }
  if (restricted()) fail(774, 35);
}

namespace {

// Whether any open context answers true to `query`, scanning from the bottom.
template <typename Query>
bool anyContext(const std::vector<std::unique_ptr<BlockContext>>& contexts, Query query) {
  for (const auto& c : contexts)
    if (query(*c)) return true;
  return false;
}

}  // namespace

bool Parser::restricted() const {
  return anyContext(contexts_, [](const BlockContext& c) { return c.isLineContext(); });
}
bool Parser::inLoop() const {
  return anyContext(contexts_, [](const BlockContext& c) { return c.isLoop(); });
}
bool Parser::inRoutineBody() const {
  return anyContext(contexts_, [](const BlockContext& c) { return c.isRoutineBody(); });
}
bool Parser::inBraceBlock() const {
  return anyContext(contexts_, [](const BlockContext& c) { return c.isBraceBlock(); });
}

std::uint8_t* Parser::buildLineState(IAllocator* allocator) const {
  std::pmr::vector<std::uint8_t> block;
  appendLineState(block);
  return blockCopy(block.data(), allocator);
}

void Parser::appendLineState(std::pmr::vector<std::uint8_t>& out) const {
  // contexts_ holds at most kMaxContexts, far below the null block's length word.
  const auto n = static_cast<std::uint16_t>(contexts_.size());
  std::uint8_t length[2];
  std::memcpy(length, &n, 2);
  out.insert(out.end(), length, length + 2);
  for (const auto& c : contexts_) out.push_back(c->kindByte());
}

void Parser::restoreLineState(const std::uint8_t* state) {
  if (!state || isNullBlock(state)) return;
  const std::uint16_t n = blockLength(state);
  for (std::size_t i = 0; i < n && contexts_.size() < kMaxContexts; ++i) {
    auto context = makeContext(*this, state[2 + i]);
    if (!context) continue;
    contexts_.push_back(std::move(context));
    ++changes_;
  }
}

ParseNode* Parser::expressionToEndOfLine() {
  ParseNode* e = parseExpression(peek::kNormal);
  if (tokens_->look(peek::kCommand) != tok::kEndOfLine) fail(82, 11);
  return e;
}

void ParserCheckPoint::save() {
  release();
  id_ = parser_.tokens().checkpointCreate();
  mark_ = parser_.contextCount();
  changes_ = parser_.changeCounter();
}

void ParserCheckPoint::restore() {
  parser_.tokens().checkpointRestore(id_, false);
  if (parser_.changeCounter() != changes_) throw CQNComException(E_FAIL, 73, "cmpParseCheckPoint");
}

void ParserCheckPoint::release() noexcept {
  if (id_) parser_.tokens().checkpointRelease(id_);
  id_ = 0;
}

// ---- shared sub-parsers ------------------------------------------------------------------

bool Parser::parseLabel(TokenText* label) {
  const std::int32_t k = tokens_->kind();
  if (k == tok::kName || k == tok::kPercent) {
    if (label) *label = tokens_->text();
    tokens_->expect(attr::Label);
    return true;
  }
  if (k != tok::kDigits) return false;
  TokenText digits = tokens_->text();
  tokens_->expect(attr::Label);
  const std::int32_t n = tokens_->look(peek::kAdjacent);
  if (n == tok::kName || n == tok::kPercent) {
    TokenText name = tokens_->text();
    if (textHasChar(name, u'%')) fail(153, 3);
    if (name.begin != digits.end) throw CQNRangeException(190, "..\\..\\Include\\Parser\\parseScanString");
    tokens_->expect(attr::Label);
    digits.end = name.end;
  }
  if (label) *label = digits;
  return true;
}

bool Parser::parseEnvironment() {
  const std::int32_t opener = tokens_->look(peek::kAdjacent);
  if (opener != tok::kLBracket && opener != tok::kBar) return false;
  ParserCheckPoint checkpoint(*this);
  checkpoint.save();
  tokens_->expect(attr::Delimiter);
  // After "[" an element only: "]" would otherwise be read as the follows operator.
  auto item = [&] {
    return opener == tok::kLBracket ? parseElement(peek::kAdjacent) : parseExpression(peek::kAdjacent);
  };
  item();
  if (tokens_->look(peek::kAdjacent) == tok::kComma) {
    tokens_->expect(attr::Delimiter);
    item();
  }
  const std::int32_t closer = opener == tok::kLBracket ? tok::kRBracket : tok::kBar;
  if (tokens_->look(peek::kAdjacent) != closer) {
    checkpoint.restore();
    return false;
  }
  if (tokens_->text().size() != 1) fail(541, 3);
  tokens_->expect(attr::Delimiter);
  return true;
}

bool Parser::parseRoutineReference() {
  tokens_->expect(attr::Delimiter);  // "^"
  parseEnvironment();
  const std::int32_t k = tokens_->look(peek::kDotted);
  if (k == tok::kName || k == tok::kPercent) {
    tokens_->expect(attr::Routine);
    return true;
  }
  if (k == tok::kAt) {
    tokens_->expect(attr::Indirection);
    parseElement(peek::kAdjacent);
    return true;
  }
  if (k == tok::kDollar3 && mac_) {
    tokens_->expect(attr::Macro);
    return true;
  }
  return false;
}

// label[+offset][^routine]; a reference with only a routine part is accepted too.
bool Parser::parseEntryReference(std::uint32_t mode) {
  std::int32_t k = tokens_->look(mode);
  bool any = false;
  if (k == tok::kAt) {
    tokens_->expect(attr::Indirection);
    parseElement(peek::kAdjacent);
    any = true;
  } else if (k != tok::kPlus && k != tok::kCaret) {
    any = parseLabel(nullptr);
  }
  k = tokens_->look(any ? peek::kAdjacent : mode);
  if (k == tok::kPlus) {
    // "+offset" without a label counts lines from the routine's start.
    tokens_->expect(attr::Operator);
    parseExpression(peek::kAdjacent);
    k = tokens_->look(peek::kAdjacent);
    any = true;
  }
  if (k == tok::kCaret) any = parseRoutineReference() || any;
  return any;
}

void Parser::parseActualParameters() {
  tokens_->expect(attr::Delimiter);  // "("
  NestingGuard guard(*this);
  for (;;) {
    std::int32_t k = tokens_->look(peek::kAdjacent);
    if (k == tok::kRParen) break;
    if (k == tok::kComma) {
      tokens_->expect(attr::Delimiter);
      continue;
    }
    if (k == tok::kDot) {
      tokens_->expect(attr::Delimiter);
      k = tokens_->look(peek::kAdjacent);
      if (k == tok::kDigits) parseNumber(peek::kAdjacent);
      else if (k == tok::kAt) parseIndirection(peek::kAdjacent);
      else parseVariable(peek::kAdjacent);
    } else {
      parseExpression(peek::kAdjacent);
      // $SELECT and $CASE pair their arguments with ":".
      while (tokens_->look(peek::kAdjacent) == tok::kColon) {
        tokens_->expect(attr::Delimiter);
        parseExpression(peek::kAdjacent);
      }
    }
    k = tokens_->look(peek::kAdjacent);
    if (k == tok::kComma) tokens_->expect(attr::Delimiter);
    else if (k != tok::kRParen) fail(712, 10);
  }
  tokens_->expect(attr::Delimiter);
}

void Parser::parseExpressionList(std::int32_t separator, std::uint32_t mode) {
  parseExpression(mode);
  while (tokens_->look(peek::kAdjacent) == separator) {
    tokens_->expect(attr::Delimiter);
    parseExpression(peek::kAdjacent);
  }
}

}  // namespace kesto::zentrel
