// Macro references ("$$$name" with optional arguments) and the "##" functions of
// expressions: ##class, ##this, ##function, ##lit, ##beginlit ... ##endlit, ##stripq and
// ##unique.
#include "Grammar.h"
#include "Keywords.h"
#include "Parser.h"
#include "RoutineExtensions.h"

#include <kestocom/Interfaces.h>

namespace kesto::zentrel {

void parseFunctionReference(Parser& parser);

namespace {

constexpr const char* kFile = "cmpParsePreproc";

// Node kinds of this grammar.
enum : int {
  kMacroVar = 4, kMacroFunc = 5, kLitFunc = 6, kFuncFunc = 7, kStripqFunc = 9, kUniqueFunc = 11,
  kClassObject = 13, kClassCast = 14, kThisObject = 15,
};

enum Pseudo : std::int32_t { kBeginLit = 0, kClass = 1, kEndLit = 2, kFunction = 3, kLit = 4, kStripq = 5, kThis = 6, kUnique = 7 };

// Everything between two adjacent tokens of one argument, blanks included.
constexpr std::uint32_t kInside = peek::kLineStart | peek::kBlank | peek::kAcross;

bool isName(std::int32_t k) { return k == tok::kName || k == tok::kPercent; }

void expectDelimiter(Parser& parser, std::int32_t kind, std::int32_t site, std::int32_t error = 11) {
  if (parser.tokens().look(peek::kAdjacent) != kind) parser.fail(site, error, kFile);
  parser.tokens().expect(attr::Delimiter);
}

// The macro's argument text read token by token, when it is no list of expressions.
void rawArguments(Parser& parser) {
  Scanner& scanner = parser.scanner();
  struct RawMode {
    Scanner& scanner;
    explicit RawMode(Scanner& s) : scanner(s) {
      const HRESULT hr = scanner.object()->BeginRaw();
      scanner.reload();
      if (FAILED(hr)) throw CQNComException(hr, 46, kFile);
    }
    ~RawMode() {
      scanner.object()->EndRaw();
      scanner.reload();
    }
  } raw(scanner);
  int depth = 0;
  do {
    const std::uint32_t k = scanner.tokenKind();
    if (k == tok::kEndOfLine) parser.fail(70, 3, kFile);
    scanner.tokenBegin();
    scanner.advance();
    if (k == tok::kLParen) ++depth;
    else if (k == tok::kRParen) --depth;
    scanner.colourToken(k == tok::kLParen || k == tok::kRParen ? attr::Delimiter : attr::Macro);
  } while (depth > 0);
}

// "(" arguments ")": expressions, ".digits" numbers and ".name" references; false when
// the text is no such list.
bool argumentList(Parser& parser) {
  TokenStream& t = parser.tokens();
  try {
    t.expect(attr::Delimiter);  // "("
    if (t.look(peek::kAdjacent) == tok::kRParen) return t.expect(attr::Delimiter), true;
    for (;;) {
      if (t.look(peek::kAdjacent) == tok::kDot && parser.scanner().tokenKind() != tok::kDigits) {
        t.expect(attr::Operator);
        parser.parseVariable(peek::kAdjacent);
      } else {
        parser.parseExpression(peek::kAdjacent);
      }
      const std::int32_t k = t.look(peek::kAdjacent);
      if (k == tok::kRParen) return t.expect(attr::Delimiter), true;
      if (k != tok::kComma) return false;
      t.expect(attr::Delimiter);
    }
  } catch (const CZTLParseException&) {
    return false;
  }
}

// "." member steps after an object: properties, and methods with their arguments.
ParseNode* memberChain(Parser& parser, ParseNode* object) {
  TokenStream& t = parser.tokens();
  while (t.look(peek::kAdjacent) == tok::kDot) {
    t.expect(attr::ObjectDot);
    if (!isName(t.look(peek::kAdjacent))) parser.fail(80, 11, kFile);
    const bool call = parser.scanner().tokenKind() == tok::kLParen;
    t.expect(call ? attr::ObjectMethod : attr::ObjectAttribute);
    if (call) parser.parseActualParameters();
    object = makeNode(call ? node::VarMethodOrMDP : node::VarObject, {object}, 0, call ? 13 : 8);
  }
  return object;
}

// Tokens up to the ")" matching an opening one already read: strings, nested parentheses
// and plain text.
void balancedText(Parser& parser) {
  TokenStream& t = parser.tokens();
  for (int depth = 1; depth > 0;) {
    const std::int32_t k = t.look(kInside);
    if (k == tok::kEndOfLine) parser.fail(90, 11, kFile);
    if (k == tok::kLParen) ++depth;
    if (k == tok::kRParen) --depth;
    t.expect(k == tok::kString ? attr::String : k == tok::kLParen || k == tok::kRParen ? attr::Delimiter : attr::Normal);
  }
}

void beginLit(Parser& parser) {
  TokenStream& t = parser.tokens();
  for (;;) {
    const std::int32_t k = t.look(kInside);
    if (k == tok::kEndOfLine) parser.fail(100, 3, kFile);
    if (k != tok::kHashHash) {
      t.expect(attr::Normal);
      continue;
    }
    t.expect(attr::PreprocessorFunction);
    if (t.look(peek::kAdjacent) == tok::kName && textEqualsUpper(t.text(), "ENDLIT")) {
      t.expect(attr::PreprocessorFunction);
      return;
    }
  }
}

// ##class( part.part... ): names, macro references or "=" name, all adjacent.
void className(Parser& parser) {
  TokenStream& t = parser.tokens();
  expectDelimiter(parser, tok::kLParen, 110);
  for (;;) {
    const std::int32_t k = t.look(peek::kAdjacent);
    if (isName(k)) {
      t.expect(attr::ObjectName);
    } else if (k == tok::kDollar3) {
      t.expect(attr::Macro);
      parseMacroReference(parser);
    } else if (k == tok::kEquals) {
      t.expect(attr::ObjectName);
      if (!isName(t.look(peek::kAdjacent))) parser.fail(111, 11, kFile);
      t.expect(attr::ObjectName);
    } else {
      parser.fail(112, 11, kFile);
    }
    if (t.look(peek::kAdjacent) != tok::kDot) break;
    t.expect(attr::Delimiter);
  }
  expectDelimiter(parser, tok::kRParen, 113, 10);
}

}  // namespace

ParseNode* parseMacroReference(Parser& parser) {
  TokenStream& t = parser.tokens();
  if (t.look(peek::kAdjacent) != tok::kName) parser.fail(1, 11, kFile);
  t.expect(attr::Macro);
  if (t.look(peek::kAdjacent) != tok::kLParen) return makeNode(kMacroVar);
  NestingGuard guard(parser);
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  if (!argumentList(parser)) {
    checkpoint.restore();
    rawArguments(parser);
  }
  return makeNode(kMacroFunc);
}

// "(" "$$" label reference [actual parameters] ")": the function of ##function.
void parseFunctionReference(Parser& parser) {
  TokenStream& t = parser.tokens();
  expectDelimiter(parser, tok::kLParen, 120);
  if (t.look(peek::kAdjacent) != tok::kDollar2) parser.fail(121, 11, kFile);
  t.expect(attr::ExtrinsicFunction);
  if (!parser.parseEntryReference(peek::kAdjacent)) parser.fail(122, 11, kFile);
  if (t.look(peek::kAdjacent) == tok::kLParen) parser.parseActualParameters();
  expectDelimiter(parser, tok::kRParen, 123);
}

ParseNode* parsePreprocessorFunction(Parser& parser, bool castAllowed, bool chainRequired) {
  TokenStream& t = parser.tokens();
  if (t.look(peek::kAdjacent) != tok::kName) parser.fail(130, 11, kFile);
  const std::int32_t id = pseudoFunctionKeywords().lookup(t.text().view());
  if (id >= kKeywordUnknown || id == kEndLit) parser.fail(131, 11, kFile);
  if (id != kClass && id != kThis && !parser.mac()) parser.fail(132, 11, kFile);
  NestingGuard guard(parser);
  switch (id) {
    case kClass: {
      t.expect(attr::ObjectClass);
      className(parser);
      if (t.look(peek::kAdjacent) == tok::kDot) return makeNode(kClassObject, {memberChain(parser, nullptr)}, 0, 13);
      if (!castAllowed) parser.fail(133, 11, kFile);
      return makeNode(kClassCast, {parser.parseElement(peek::kAdjacent)});
    }
    case kThis: {
      t.expect(attr::ObjectThis);
      if (t.look(peek::kAdjacent) == tok::kDot) return makeNode(kThisObject, {memberChain(parser, nullptr)}, 0, 13);
      if (chainRequired) parser.fail(134, 11, kFile);
      return makeNode(kThisObject);
    }
    case kBeginLit:
      t.expect(attr::PreprocessorFunction);
      beginLit(parser);
      return makeNode(kLitFunc);
    case kFunction:
      t.expect(attr::PreprocessorFunction);
      parseFunctionReference(parser);
      return makeNode(kFuncFunc);
    case kLit:
    case kStripq:
      t.expect(attr::PreprocessorFunction);
      expectDelimiter(parser, tok::kLParen, 140);
      balancedText(parser);
      return makeNode(id == kLit ? kLitFunc : kStripqFunc);
    default: {  // UNIQUE
      t.expect(attr::PreprocessorFunction);
      expectDelimiter(parser, tok::kLParen, 150);
      if (t.look(peek::kAdjacent) != tok::kName || !(textEqualsUpper(t.text(), "NEW") || textEqualsUpper(t.text(), "OLD")))
        parser.fail(151, 11, kFile);
      t.expect(attr::Name);
      expectDelimiter(parser, tok::kRParen, 152);
      return makeNode(kUniqueFunc);
    }
  }
}

}  // namespace kesto::zentrel
