// One source line: label and routine header, dot level, and the commands, each under its
// own error recovery.
#include "BlockContexts.h"
#include "Keywords.h"
#include "Parser.h"
#include "RoutineExtensions.h"

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseLine";
constexpr std::uint32_t kOptionRoutineBodies = 2;

}  // namespace

bool Parser::parseLine(bool* beganInside, bool* endsInside) {
  try {
    const std::uint32_t startState = tokens_->held() ? (tokens_->normalState() ? 1u : 0u) : scanner_.positionState();
    if (beganInside) *beganInside = startState != 1;
    const std::int32_t first = tokens_->look(peek::kAdjacent);
    if (first != tok::kEndOfLine && scanner_.positionState() != 2 && startState == 1) {
      switch (first) {
        case tok::kName: case tok::kPercent: case tok::kDigits:
          parseLabelHeader();
          break;
        case tok::kDollar3: case tok::kRBrace: case tok::kHash: case tok::kHashHash: case tok::kHashSemicolon:
          break;
        default:
          fail(84, 3, kFile);
      }
    }
    dotLevel_ = 0;
    for (;;) {
      const std::int32_t k = tokens_->look(peek::kRestricted);
      if (k != tok::kDot && k != tok::kDotDot && k != tok::kDotDotDot) break;
      dotLevel_ += static_cast<std::int32_t>(tokens_->text().size());
      tokens_->expect(attr::Dots);
    }
    std::int32_t lastLine = -1, lastOffset = -1;
    for (bool firstCommand = true;; firstCommand = false) {
      const std::uint32_t mode = restricted() ? peek::kCommandRestricted : peek::kCommand;
      if (tokens_->look(mode) == tok::kEndOfLine) break;
      // A step that read nothing would repeat for ever: give up the line instead.
      if (tokens_->tokenLine() == lastLine && tokens_->tokenOffset() == lastOffset) {
        if (endsInside) *endsInside = false;
        return tokens_->skipLine();
      }
      lastLine = tokens_->tokenLine();
      lastOffset = tokens_->tokenOffset();
      try {
        parseCommand(firstCommand);
      } catch (const CZTLParseException&) {
        tokens_->skipCommand();
      }
    }
    tokens_->peek(peek::kCommand);
    if (tokens_->kind() != tok::kEndOfLine) fail(108, 3, kFile);
    endOfLineContexts();
    const bool more = tokens_->nextLine();
    if (endsInside) *endsInside = more && scanner_.positionState() != 1;
    return more;
  } catch (const CZTLParseException&) {
    if (endsInside) *endsInside = false;
    return tokens_->skipLine();
  }
}

void Parser::endOfRoutineCheck() {
  if (!contexts_.empty()) fail(405, 3, kFile);
}

void Parser::parseLabelHeader() {
  if (!parseLabel(nullptr)) fail(179, 3, kFile);
  bool formals = false, publicList = false;
  if (tokens_->look(peek::kAdjacent) == tok::kLParen) {
    parseFormalList();
    formals = true;
  }
  if (tokens_->look(peek::kNormal) == tok::kLBracket) {
    if (!(options_ & kOptionRoutineBodies)) fail(219, 22, kFile);
    if (!formals) fail(224, 7, kFile);
    tokens_->expect(attr::Delimiter);
    publicList = true;
    if (tokens_->look(peek::kAdjacent) != tok::kRBracket) {
      for (;;) {
        const std::int32_t k = tokens_->look(peek::kAdjacent);
        if (k != tok::kName && k != tok::kPercent) fail(353, 3, kFile);
        tokens_->expect(attr::Name);
        const std::int32_t s = tokens_->look(peek::kAdjacent);
        if (s == tok::kRBracket) break;
        if (s != tok::kComma) fail(347, 3, kFile);
        tokens_->expect(attr::Delimiter);
      }
    }
    tokens_->expect(attr::Delimiter);
  }
  const std::int32_t word = tokens_->look(peek::kCommand);
  if (word == tok::kName && (textEqualsUpper(tokens_->text(), "PUBLIC") || textEqualsUpper(tokens_->text(), "PRIVATE"))) {
    const bool isPublic = textEqualsUpper(tokens_->text(), "PUBLIC");
    if (!(options_ & kOptionRoutineBodies)) fail(isPublic ? 246 : 265, 22, kFile);
    if (!formals) fail(isPublic ? 251 : 270, 7, kFile);
    tokens_->expect(attr::Command);
    publicList = true;
  }
  if (tokens_->look(peek::kCommand) == tok::kLBrace) {
    if (!formals) fail(296, 27, kFile);
    pushContext(peek::kNormal, makeContext(*this, static_cast<std::uint8_t>(ContextKind::RoutineBody)));
    return;
  }
  if (publicList) fail(307, 26, kFile);
  // The look for "{" read the next token across the blank after the label; the dot level
  // reads it under its own flags.
  tokens_->unread();
}

void Parser::parseCommand(bool first) {
  const std::uint32_t mode = restricted() ? peek::kCommandRestricted : peek::kCommand;
  const std::int32_t k = tokens_->look(mode);
  const bool gap = (tokens_->separatorState() & 0x03) != 0;
  const std::int32_t before = tokens_->previousKind();
  if (k != tok::kRBrace && !first && !gap && before != tok::kLBrace && before != tok::kRBrace) fail(443, 2, kFile);
  switch (k) {
    case tok::kName: {
      const std::int32_t id = commandKeywords().lookup(tokens_->text().view());
      if (id == kKeywordUnknown) fail(462, 15, kFile);
      tokens_->expect(attr::Command);
      parseCommandBody(id);
      return;
    }
    case tok::kRBrace:
      closeBlock(mode);
      return;
    // Preprocessor lines, embedded code and macros belong to macro routines.
    case tok::kHash:
      if (!mac_) fail(639, 11, kFile);
      return parseDirective(*this);
    case tok::kAmpersand:
      if (!mac_) fail(612, 11, kFile);
      return parseEmbeddedBlock(*this);
    case tok::kDollar3:
      if (!mac_) fail(624, 11, kFile);
      tokens_->expect(attr::Macro);
      parseMacroReference(*this);
      return;
    case tok::kHashHash:
      if (!mac_) fail(545, 11, kFile);
      return parseHashCommand(*this);
    case tok::kHashSemicolon:
      if (!mac_) fail(651, 11, kFile);
      return parsePreprocessorComment(*this);
    default:
      fail(666, 3, kFile);
  }
}

}  // namespace kesto::zentrel
