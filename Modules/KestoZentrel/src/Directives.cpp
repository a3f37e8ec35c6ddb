// Preprocessor directives of macro routines: "#" and a directive name, then what that
// directive takes; the preprocessor comment; "##SQL(" and "##FUNCTION(" as commands.
#include "Grammar.h"
#include "Keywords.h"
#include "Parser.h"
#include "RoutineExtensions.h"

namespace kesto::zentrel {

void parseFunctionReference(Parser& parser);  // Macros.cpp
void parseEmbeddedSql(Parser& parser, std::int32_t siteOpen, std::int32_t siteClose);  // Embedded.cpp

namespace {

constexpr const char* kFile = "cmpParsePreproc";

// A directive line has no command gaps: every blank is plain white space.
constexpr std::uint32_t kSpaced = peek::kArgument;

enum Directive : std::int32_t {
  kClass = 0, kClassContext = 1, kClassMethod = 2, kDefine = 3, kDef1Arg = 4, kElse = 5, kElseIf = 6,
  kEmbed = 7, kEndClass = 8, kEndClassContext = 9, kEndClassMethod = 10, kEndIf = 11, kEndModule = 12,
  kExecute = 13, kIf = 14, kIfDef = 15, kIfNDef = 16, kImport = 17, kInclude = 18, kLibrary = 19,
  kModule = 20, kNoShow = 21, kShow = 22, kSqlCompile = 23, kUndef = 24,
};

void restOfLine(Parser& parser) {
  TokenStream& t = parser.tokens();
  for (std::int32_t k; (k = t.look(kSpaced)) != tok::kEndOfLine;) t.expect(k == tok::kString ? attr::String : attr::Normal);
}

bool isName(std::int32_t k) { return k == tok::kName || k == tok::kPercent; }

void nameList(Parser& parser) {
  TokenStream& t = parser.tokens();
  if (!isName(t.look(kSpaced | peek::kDotted))) return;
  t.expect(attr::Name);
  while (t.look(peek::kAdjacent) == tok::kComma) {
    t.expect(attr::Delimiter);
    if (!isName(t.look(kSpaced | peek::kDotted))) parser.fail(10, 15, kFile);
    t.expect(attr::Name);
  }
}

void optionalName(Parser& parser, std::uint32_t extra) {
  if (isName(parser.tokens().look(kSpaced | extra))) parser.tokens().expect(attr::Name);
}

// ..name, or name followed by ".name" and at most one ":name" step.
void classContext(Parser& parser) {
  TokenStream& t = parser.tokens();
  const std::int32_t first = t.look(kSpaced);
  if (first == tok::kDotDot) {
    t.expect(attr::Name);
    if (!isName(t.look(peek::kAdjacent))) parser.fail(20, 15, kFile);
    t.expect(attr::Name);
    return;
  }
  if (!isName(first)) parser.fail(21, 15, kFile);
  t.expect(attr::Name);
  bool colon = false;
  for (std::int32_t k; (k = t.look(peek::kAdjacent)) == tok::kDot || k == tok::kColon;) {
    if (k == tok::kColon) {
      if (colon) parser.fail(22, 1, kFile);
      colon = true;
    }
    t.expect(attr::Name);
    if (!isName(t.look(peek::kAdjacent))) parser.fail(23, 15, kFile);
    t.expect(attr::Name);
  }
}

void sqlCompile(Parser& parser) {
  TokenStream& t = parser.tokens();
  if (t.look(kSpaced) != tok::kName) parser.fail(30, 15, kFile);
  if (!textEqualsUpper(t.text(), "SELECT")) parser.fail(31, 11, kFile);
  t.expect(attr::Mnemonic);
  if (t.look(kSpaced) != tok::kEquals) parser.fail(32, 11, kFile);
  t.expect(attr::Operator);
  if (t.look(kSpaced) != tok::kName) parser.fail(33, 15, kFile);
  static constexpr const char* kModes[] = {"ODBC", "TEXT", "INTEXT", "LOGICAL", "DISPLAY", "RUNTIME"};
  bool known = false;
  for (const char* mode : kModes) known = known || textEqualsUpper(t.text(), mode);
  if (!known) parser.fail(34, 11, kFile);
  t.expect(attr::Mnemonic);
}

// The body of a definition: everything to the end of the line, and the next line too
// while a line ends in "##continue".
void macroBody(Parser& parser) {
  TokenStream& t = parser.tokens();
  for (;;) {
    bool continued = false;
    for (std::int32_t k; (k = t.look(peek::kCommand)) != tok::kEndOfLine;) {
      if (k == tok::kString) {
        t.expect(attr::String);
        continue;
      }
      t.expect(attr::PreprocessorFunction);
      if (k != tok::kHashHash || t.look(peek::kAdjacent) != tok::kName || !textEqualsUpper(t.text(), "CONTINUE"))
        continue;
      t.expect(attr::PreprocessorFunction);
      if (t.look(peek::kCommand) != tok::kEndOfLine) parser.fail(40, 11, kFile);
      continued = true;
    }
    if (!continued || !t.nextLine()) return;
  }
}

void macroDefinition(Parser& parser, std::int32_t minimum, std::int32_t maximum) {
  TokenStream& t = parser.tokens();
  if (!isName(t.look(kSpaced | peek::kUnderscore))) parser.fail(50, 15, kFile);
  t.expect(attr::Name);
  if (t.look(peek::kAdjacent) == tok::kLParen) {
    ParserCheckPoint checkpoint(parser);
    checkpoint.save();
    t.expect(attr::Delimiter);
    std::int32_t count = 0;
    if (t.look(peek::kAdjacent) != tok::kRParen) {
      for (;;) {
        if (!isName(t.look(peek::kAdjacent))) parser.fail(51, 3, kFile);
        t.expect(attr::Name);
        ++count;
        if (t.look(peek::kAdjacent) != tok::kComma) break;
        t.expect(attr::Delimiter);
      }
    }
    if (t.look(peek::kAdjacent) != tok::kRParen) parser.fail(52, 3, kFile);
    t.expect(attr::Delimiter);
    if (count < minimum || count > maximum) {
      checkpoint.restore();
      parser.fail(53, 16, kFile);
    }
  }
  macroBody(parser);
}

// The commands after #execute, each under its own recovery.
void commands(Parser& parser) {
  TokenStream& t = parser.tokens();
  std::int32_t lastLine = -1, lastOffset = -1;
  for (bool first = true; t.look(peek::kCommand) != tok::kEndOfLine; first = false) {
    if (t.tokenLine() == lastLine && t.tokenOffset() == lastOffset) parser.fail(60, 3, kFile);
    lastLine = t.tokenLine();
    lastOffset = t.tokenOffset();
    try {
      parser.parseCommand(first);
    } catch (const CZTLParseException&) {
      t.skipCommand();
    }
  }
}

}  // namespace

void parseDirective(Parser& parser) {
  TokenStream& t = parser.tokens();
  t.expect(attr::PreprocessorCommand);  // "#"
  if (t.look(peek::kAdjacent) != tok::kName) parser.fail(1, 11, kFile);
  const std::int32_t id = directiveKeywords().lookup(t.text().view());
  if (id >= kKeywordUnknown) parser.fail(2, 11, kFile);
  t.expect(attr::PreprocessorCommand);
  switch (id) {
    case kClass: case kClassMethod: case kEndClass: case kEndClassMethod: case kImport:
      nameList(parser);
      break;
    case kClassContext:
      classContext(parser);
      break;
    case kDefine:
      return macroDefinition(parser, 0, 255);
    case kDef1Arg:
      return macroDefinition(parser, 1, 1);
    case kIf: case kElseIf:
      parser.parseExpression(kSpaced);
      break;
    case kIfDef: case kIfNDef: case kUndef:
      optionalName(parser, peek::kUnderscore);
      break;
    case kEmbed: case kInclude:
      optionalName(parser, peek::kDotted);
      break;
    case kLibrary:
      optionalName(parser, 0);
      if (t.look(kSpaced) == tok::kDigits) t.expect(attr::Number);
      break;
    case kExecute:
      return commands(parser);
    case kSqlCompile:
      return sqlCompile(parser);
    default:  // ELSE, ENDCLASSCONTEXT, ENDIF, ENDMODULE, MODULE, NOSHOW, SHOW
      break;
  }
  restOfLine(parser);
}

void parsePreprocessorComment(Parser& parser) {
  parser.tokens().expect(attr::Comment);  // "#;"
  parser.tokens().commentRest();
}

void parseHashCommand(Parser& parser) {
  TokenStream& t = parser.tokens();
  t.expect(attr::Keep);  // "##"
  if (t.look(peek::kAdjacent) != tok::kName) parser.fail(602, 3, "cmpParseLine");
  if (textEqualsUpper(t.text(), "SQL")) {
    t.expect(attr::Sql);
    return parseEmbeddedSql(parser, 564, 578);
  }
  if (!textEqualsUpper(t.text(), "FUNCTION")) parser.fail(602, 3, "cmpParseLine");
  t.expect(attr::Name);
  if (t.look(peek::kAdjacent) != tok::kLParen) parser.fail(593, 3, "cmpParseLine");
  parseFunctionReference(parser);
}

}  // namespace kesto::zentrel
