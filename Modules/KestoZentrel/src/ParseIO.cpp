// The arguments of the device commands OPEN, USE, ZUSE, CLOSE, READ, WRITE and ZWRITE, with
// the device parameters, mnemonics and format controls they share.
#include "Grammar.h"

#include <string_view>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseIO";

// Whether a device keyword takes a value: none, required, or optional.
enum class Value : std::uint8_t { None, Required, Optional };

struct DeviceKeyword {
  std::string_view name;
  Value value;
};

constexpr DeviceKeyword kDeviceKeywords[] = {
    {"ACC", Value::Optional}, {"ACCEPT", Value::Optional}, {"APP", Value::None}, {"APPEND", Value::None},
    {"ASC", Value::None}, {"ASCII", Value::None}, {"BLO", Value::Required}, {"BLOCKSIZE", Value::Required},
    {"BRE", Value::Optional}, {"BREAK", Value::Optional}, {"CON", Value::Required},
    {"CONNECTIONS", Value::Required}, {"CRE", Value::None}, {"CREATE", Value::None}, {"CRF", Value::Optional},
    {"CRFMT", Value::Optional}, {"CRLF", Value::Optional}, {"CRT", Value::Optional}, {"DEL", Value::Optional},
    {"DELETE", Value::Optional}, {"DEN", Value::Required}, {"DENSITY", Value::Required}, {"DIS", Value::None},
    {"DISCONNECT", Value::None}, {"DOS", Value::None}, {"EBC", Value::None}, {"EBCDIC", Value::None},
    {"ECHO", Value::Optional}, {"EDIT", Value::Optional}, {"ESC", Value::Optional}, {"ESCAPE", Value::Optional},
    {"FIX", Value::None}, {"FIXED", Value::None}, {"FLU", Value::Optional}, {"FLUSH", Value::Optional},
    {"HOS", Value::Required}, {"HOSTNAME", Value::Required}, {"IBU", Value::Required},
    {"IBUFSIZE", Value::Required}, {"IDLE", Value::None}, {"IGN", Value::Optional},
    {"IGNOREEOF", Value::Optional}, {"IMA", Value::Optional}, {"IMAGE", Value::Optional},
    {"INS", Value::Required}, {"INSTANCES", Value::Required}, {"IOT", Value::Optional},
    {"IOTABLE", Value::Optional}, {"LAB", Value::Optional}, {"LABELED", Value::Optional},
    {"MAKETELNET", Value::None}, {"MAR", Value::Required}, {"MARGIN", Value::Required},
    {"MODE", Value::Required}, {"NEW", Value::None}, {"OBU", Value::Required}, {"OBUFSIZE", Value::Required},
    {"PAD", Value::Optional}, {"PAR", Value::Required}, {"PARAMS", Value::Required}, {"PIP", Value::Optional},
    {"PIPENAME", Value::Optional}, {"PORT", Value::Required}, {"POS", Value::Required},
    {"POSITION", Value::Required}, {"PSTE", Value::Optional}, {"QUE", Value::None}, {"QUEUE", Value::None},
    {"READ", Value::None}, {"REC", Value::Required}, {"RECORDSIZE", Value::Required}, {"REN", Value::Required},
    {"RENAME", Value::Required}, {"SEN", Value::Optional}, {"SENDIMMEDIATE", Value::Optional},
    {"SHA", Value::None}, {"SHARED", Value::None}, {"SOC", Value::Required}, {"SOCKET", Value::Required},
    {"STR", Value::Optional}, {"STREAM", Value::Optional}, {"TER", Value::Required},
    {"TERMINATOR", Value::Required}, {"TMO", Value::Optional}, {"TMODE", Value::Optional},
    {"TPR", Value::Optional}, {"TPROTOCOL", Value::Optional}, {"TRA", Value::Optional},
    {"TRANSLATE", Value::Optional}, {"UND", Value::None}, {"UNDEFINED", Value::None}, {"UPC", Value::Optional},
    {"UPCASE", Value::Optional}, {"VAR", Value::None}, {"VARIABLE", Value::None}, {"VBUF", Value::None},
    {"WAIT", Value::Optional}, {"WRI", Value::None}, {"WRITE", Value::None}, {"XYT", Value::Optional},
    {"XYTABLE", Value::Optional},
};

bool isName(std::int32_t k) { return k == tok::kName || k == tok::kPercent; }

bool atArgumentEnd(std::int32_t k) { return k == tok::kEndOfLine || k == tok::kComma; }

void keywordParameter(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "/"
  if (tokens.look(peek::kAdjacent) != tok::kName) parser.fail(10, 15, kFile);
  const DeviceKeyword* found = nullptr;
  for (const DeviceKeyword& keyword : kDeviceKeywords)
    if (textEqualsUpper(tokens.text(), keyword.name)) found = &keyword;
  if (!found) parser.fail(11, 15, kFile);
  tokens.expect(attr::Mnemonic);
  if (found->value == Value::None) return;
  if (tokens.look(peek::kAdjacent) == tok::kEquals) {
    tokens.expect(attr::Operator);
    parser.parseExpression(peek::kAdjacent);
  } else if (found->value == Value::Required) {
    parser.fail(12, 16, kFile);
  }
}

void deviceParameter(Parser& parser) {
  if (parser.tokens().look(peek::kAdjacent) == tok::kSlash) keywordParameter(parser);
  else parser.parseExpression(peek::kAdjacent);
}

void deviceParameters(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kLParen) {
    deviceParameter(parser);
    return;
  }
  tokens.expect(attr::Delimiter);
  for (;;) {
    std::int32_t k = tokens.look(peek::kAdjacent);
    if (k != tok::kColon && k != tok::kRParen) deviceParameter(parser);
    k = tokens.look(peek::kAdjacent);
    if (k == tok::kRParen) break;
    if (k != tok::kColon) parser.fail(20, 3, kFile);
    tokens.expect(attr::Delimiter);
  }
  tokens.expect(attr::Delimiter);
}

// ":" and, unless another ":" or the end of the argument follows, what `part` reads.
template <class Part>
bool colonThen(Parser& parser, Part part) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kColon) return false;
  tokens.expect(attr::Delimiter);
  const std::int32_t k = tokens.look(peek::kAdjacent);
  if (k != tok::kColon && !atArgumentEnd(k)) part();
  return true;
}

void mnemonicSpaceList(Parser& parser, Node* argument) {
  TokenStream& tokens = parser.tokens();
  if (tokens.look(peek::kAdjacent) != tok::kLParen) {
    Node* parameter = makeNode(node::DevParm, {parser.parseExpression(peek::kAdjacent)});
    parameter->setForm(1);
    argument->add(parameter);
    return;
  }
  tokens.expect(attr::Delimiter);
  for (std::uint32_t position = 1;; ++position) {
    Node* parameter = makeNode(node::DevParm, {parser.parseExpression(peek::kAdjacent)});
    parameter->setForm(position);
    argument->add(parameter);
    if (tokens.look(peek::kAdjacent) != tok::kComma) break;
    tokens.expect(attr::Delimiter);
  }
  if (tokens.look(peek::kAdjacent) != tok::kRParen) parser.fail(30, 10, kFile);
  tokens.expect(attr::Delimiter);
}

ParseNode* mnemonic(Parser& parser) {
  TokenStream& tokens = parser.tokens();
  tokens.expect(attr::Delimiter);  // "/"
  if (!isName(tokens.look(peek::kAdjacent))) parser.fail(40, 15, kFile);
  tokens.expect(attr::Mnemonic);
  if (tokens.look(peek::kAdjacent) == tok::kLParen) parser.parseActualParameters();
  return makeNode(node::ArgWRITEmnemonic);
}

bool isFormatStart(std::int32_t k) {
  return k == tok::kBang || k == tok::kHash || k == tok::kHashHash || k == tok::kQuestion;
}

ParseNode* formatControl(Parser& parser, std::uint32_t mode, int kind) {
  TokenStream& tokens = parser.tokens();
  std::int32_t k = tokens.look(mode);
  while (k == tok::kBang || k == tok::kHash || k == tok::kHashHash) {
    tokens.expect(attr::Format);
    k = tokens.look(peek::kAdjacent);
  }
  Node* format = makeNode(kind);
  if (k == tok::kQuestion) {
    tokens.expect(attr::Format);
    format->add(parser.parseExpression(peek::kAdjacent));
  }
  return format;
}

// The variable READ assigns: a variable, or a property of an object.
ParseNode* readTarget(Parser& parser, std::uint32_t mode) {
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  ParseNode* target = grammar::parseAnyVariable(parser, mode, false);
  if (parser.tokens().look(peek::kAdjacent) != tok::kDot) return target;
  checkpoint.restore();
  target = parser.parseElement(mode);
  const int refClass = static_cast<const Node*>(target)->refClass();
  if (refClass != grammar::kProperty && refClass != grammar::kMethodWithArgs) parser.fail(50, 13, kFile);
  return target;
}

}  // namespace

namespace grammar {

ParseNode* parseOpenArgument(Parser& parser, std::uint32_t mode) {
  Node* argument = makeNode(node::ArgUSE, {parser.parseExpression(mode)});
  if (!colonThen(parser, [&] { deviceParameters(parser); })) return nullptr;
  if (!colonThen(parser, [&] { parser.parseExpression(peek::kAdjacent); })) return nullptr;
  colonThen(parser, [&] { mnemonicSpaceList(parser, argument); });
  return nullptr;
}

ParseNode* parseUseArgument(Parser& parser, std::uint32_t mode, int kind) {
  Node* argument = makeNode(kind, {parser.parseExpression(mode)});
  if (colonThen(parser, [&] { deviceParameters(parser); }))
    colonThen(parser, [&] { argument->add(parser.parseExpression(peek::kAdjacent)); });
  return argument;
}

ParseNode* parseCloseArgument(Parser& parser, std::uint32_t mode) {
  parser.parseExpression(mode);
  colonThen(parser, [&] { deviceParameters(parser); });
  return nullptr;
}

ParseNode* parseReadArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (isFormatStart(k)) return formatControl(parser, mode, node::ArgREADformat);
  if (k == tok::kString) {
    tokens.expect(attr::String);
    return makeNode(node::ArgREADquote, {makeNode(node::StrLiteral)});
  }
  if (k == tok::kSlash) {
    mnemonic(parser);
    return nullptr;
  }
  Node* argument = makeNode(node::ArgREADglvn);
  const bool star = k == tok::kStar;
  if (star) {
    tokens.expect(attr::Format);
    argument->setForm(1);
  }
  argument->add(readTarget(parser, star ? peek::kAdjacent : mode));
  if (tokens.look(peek::kAdjacent) == tok::kHash) {
    if (star) parser.fail(60, 11, kFile);
    tokens.expect(attr::Format);
    argument->add(parser.parseExpression(peek::kAdjacent));
  }
  if (tokens.look(peek::kAdjacent) == tok::kColon) {
    tokens.expect(attr::Delimiter);
    argument->add(parser.parseExpression(peek::kAdjacent));
  }
  return argument;
}

ParseNode* parseWriteArgument(Parser& parser, std::uint32_t mode) {
  TokenStream& tokens = parser.tokens();
  const std::int32_t k = tokens.look(mode);
  if (k == tok::kStar) {
    tokens.expect(attr::Format);
    Node* argument = makeNode(node::ArgWRITE, {parser.parseExpression(peek::kAdjacent)});
    argument->setForm(1);
    return argument;
  }
  if (k == tok::kSlash) return mnemonic(parser);
  if (k == tok::kBang || k == tok::kHash || k == tok::kQuestion) return formatControl(parser, mode, node::ArgWRITEformat);
  return makeNode(node::ArgWRITE, {parser.parseExpression(mode)});
}

ParseNode* parseZwriteArgument(Parser& parser, std::uint32_t mode) {
  return makeNode(node::ArgZWRITE, {parseAnyVariable(parser, mode, false)});
}

}  // namespace grammar
}  // namespace kesto::zentrel
