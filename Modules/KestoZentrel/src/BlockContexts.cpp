#include "BlockContexts.h"

#include "Parser.h"

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kOptionRoutineBodies = 2, kOptionBraceBlocks = 4;

bool nextWordIs(Parser& parser, std::string_view word) {
  return parser.tokens().look(peek::kCommand) == tok::kName && textEqualsUpper(parser.tokens().text(), word);
}

void requireBrace(Parser& parser, std::int32_t site) {
  if (parser.tokens().look(peek::kCommand) != tok::kLBrace) parser.fail(site, 26, "cmpParseBlock");
  parser.tokens().expect(attr::Brace);
}

}  // namespace

void BlockContext::onPush(std::uint32_t) {
  if (isLineContext()) return;
  if (isRoutineBody()) {
    if (!(parser_.options() & kOptionRoutineBodies)) parser_.fail(1, 22, "cmpParseBlock");
    if (parser_.inRoutineBody() || parser_.inBraceBlock()) parser_.fail(2, 3, "cmpParseBlock");
    parser_.tokens().expect(attr::Brace);
    parser_.scanner().blockOpen(0);
    return;
  }
  if (!(parser_.options() & kOptionBraceBlocks)) parser_.fail(3, 23, "cmpParseBlock");
  parser_.tokens().expect(attr::Brace);
}

int BlockContext::onClose(std::uint32_t mode) {
  switch (kind_) {
    case ContextKind::IfLine:
    case ContextKind::ForLine:
    case ContextKind::ElseLine:
      return 1;
    case ContextKind::ForBlock:
    case ContextKind::WhileBlock:
      return 2;
    case ContextKind::IfBlock:
    case ContextKind::IfBlockAfterElse:
      if (nextWordIs(parser_, "ELSEIF")) {
        if (kind_ == ContextKind::IfBlockAfterElse) parser_.fail(4, 32, "cmpParseBlock");
        parser_.tokens().expect(attr::Command);
        parser_.parseConditionList();
        requireBrace(parser_, 5);
        return 0;
      }
      if (kind_ == ContextKind::IfBlock && nextWordIs(parser_, "ELSE")) {
        parser_.tokens().expect(attr::Command);
        kind_ = ContextKind::IfBlockAfterElse;
        requireBrace(parser_, 6);
        return 0;
      }
      return 2;
    case ContextKind::DoBlock:
      if (!nextWordIs(parser_, "WHILE")) parser_.fail(7, 33, "cmpParseBlock");
      parser_.tokens().expect(attr::Command);
      parser_.parseConditionList();
      return 2;
    case ContextKind::RoutineBody:
      parser_.scanner().blockClose(0);
      if (parser_.tokens().look(mode & 0x05) != tok::kEndOfLine) parser_.fail(8, 30, "cmpParseBlock");
      return 2;
  }
  return 2;
}

std::unique_ptr<BlockContext> makeContext(Parser& parser, std::uint8_t kind) {
  if (kind < 1 || kind > 9) return nullptr;
  return std::make_unique<BlockContext>(parser, static_cast<ContextKind>(kind));
}

}  // namespace kesto::zentrel
