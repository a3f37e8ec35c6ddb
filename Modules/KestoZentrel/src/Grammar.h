// The pieces of the statement grammar that the command, argument, function and variable
// parsers share. They work on the parser object and its token stream; every rejection is a
// CZTLParseException thrown through Parser::fail.
#pragma once

#include "FunctionShapes.h"
#include "Parser.h"

#include <cstdint>

namespace kesto::zentrel {

namespace attr {
enum : std::uint32_t {
  Mnemonic = 21, Special = 26, ObjectClass = 32, InstanceVar = 33, ReferenceVar = 34, ObjectThis = 37,
  VBForm = 38, VBControl = 39, VBProperty = 40,
};
}  // namespace attr

namespace grammar {

// Node codes the callers test: reference classes of variables and members.
enum RefClass : std::uint8_t {
  kLocal = 1, kGlobal = 2, kStructured = 3, kSpecialVariable = 4, kIndirect = 5, kFunction = 6,
  kProperty = 8, kByRef = 10, kMethod = 12, kMethodWithArgs = 13,
};

// ---- expressions ----
ParseNode* objectChain(Parser& parser, ParseNode* object);
// The node when it can be assigned by SET (and as READ, FOR, MERGE targets); else error 11.
ParseNode* checkSetTarget(Parser& parser, ParseNode* node, bool forbidZObjMod = false);
// A list item holding one argument.
ParseNode* wrap(ParseNode* node);
// Whether `kind` may continue an expression after an element (binary operators and "@").
bool continuesExpression(std::int32_t kind);
ParseNode* parseBitLogic(Parser& parser, std::uint32_t mode);
ParseNode* parseFormReference(Parser& parser);
// A pattern right of "?" or "'?": its atoms in a Pattern node.
ParseNode* parsePatternAtoms(Parser& parser);

// ---- variables ----
void parseLocalName(Parser& parser, std::uint32_t mode);
ParseNode* parseLocalVariable(Parser& parser, std::uint32_t mode, bool subscriptsRequired, bool emptyAllowed);
// The same, `k` the kind the caller's look just answered.
ParseNode* localVariable(Parser& parser, std::int32_t k, bool subscriptsRequired, bool emptyAllowed);
void parseOptionalSubscripts(Parser& parser, bool subscriptsRequired, bool emptyAllowed);
void parseSubscriptList(Parser& parser, bool emptyAllowed);
ParseNode* parseByRefActual(Parser& parser);
ParseNode* parseNameOrIndirection(Parser& parser, std::uint32_t mode);
// Appends the names to `list`; true when there was at least one.
bool parseNameListInParens(Parser& parser, Node* list);
// The form code of a TSTART restart list (1 "*", 2 "()", 3 names), 0 when none stands there.
int parseRestartVariables(Parser& parser, std::uint32_t mode, Node* list);
ParseNode* parseAnyVariable(Parser& parser, std::uint32_t mode, bool subscriptsRequired);
ParseNode* parseSetTarget(Parser& parser, std::uint32_t mode);
ParseNode* parseGlobalOrIndirection(Parser& parser, std::uint32_t mode);
void parseLiteral(Parser& parser, std::uint32_t mode);

// ---- functions and special variables ----
// The tokens "$" and the name are consumed; `id` is the function table's id.
ParseNode* parseDollarFunction(Parser& parser, std::int32_t id, int context);
ParseNode* parseSpecialVariable(Parser& parser, std::int32_t id);
ParseNode* parseDollarElement(Parser& parser, std::uint32_t mode, int context);
int functionNodeKind(std::int32_t id);
// The generic argument list of a function, read by its shape; the arguments go into `list`.
void parseArgumentList(Parser& parser, Node* list, const FunctionShape& shape);
// Digits read with saturation: values beyond `limit` come back as limit + 1.
std::uint32_t digitValue(const TokenText& text, std::uint32_t limit);

// ---- command arguments ----
ParseNode* parseDoArgument(Parser& parser, std::uint32_t mode, bool gotoForm);
ParseNode* parseJobArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseForRange(Parser& parser, std::uint32_t mode);
ParseNode* parseSetArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseKillArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseNewArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseMergeArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseTstartArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseViewArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseXecuteArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZbreakArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZkillArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseRoutineNameArgument(Parser& parser, std::uint32_t mode, int kind);
ParseNode* parseZinsertArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseLineRefArgument(Parser& parser, std::uint32_t mode, int kind);
ParseNode* parseZobjcloseArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZomspackArgument(Parser& parser, std::uint32_t mode);
void parseLineReference(Parser& parser, std::uint32_t mode);

// ---- I/O and LOCK ----
ParseNode* parseOpenArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseUseArgument(Parser& parser, std::uint32_t mode, int kind);
ParseNode* parseCloseArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseReadArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseWriteArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZwriteArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseLockArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZallocateArgument(Parser& parser, std::uint32_t mode);
ParseNode* parseZdeallocateArgument(Parser& parser, std::uint32_t mode);

}  // namespace grammar
}  // namespace kesto::zentrel
