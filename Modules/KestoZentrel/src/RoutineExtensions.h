// The grammar that macro routines add to plain routines: preprocessor directives and
// comments, macro references, "##" functions, embedded SQL/HTML/JavaScript blocks; and the
// SQL field references of class SQL code. Each routine starts at the token named in its
// comment; the caller has checked the source mode where one is needed.
#pragma once

#include <kestocom/LanguageService.h>

#include <cstdint>

namespace kesto::zentrel {

class Parser;
class ParseNode;

// Attributes of this grammar (the shared ones are in Parser.h and Grammar.h).
namespace attr {
enum : std::uint32_t { Sql = 9, PreprocessorFunction = 10, PreprocessorCommand = 11, Html = 29, ObjectName = 31 };
}  // namespace attr

// "#" held in command position: one directive to the end of its line (or of its
// "##continue" lines).
void parseDirective(Parser& parser);
// "#;" held in command position: the rest of the line is a comment.
void parsePreprocessorComment(Parser& parser);
// "##" held in command position: ##SQL(...) or ##FUNCTION(...).
void parseHashCommand(Parser& parser);

// After "$$$" has been consumed: the macro name and its arguments.
ParseNode* parseMacroReference(Parser& parser);
// After "##" has been consumed (without colour) in an expression: ##class, ##this and the
// routine-file functions. `castAllowed`: ##class(...) may take the next element as the
// operand of a cast; `chainRequired`: ##this must be followed by a member chain.
ParseNode* parsePreprocessorFunction(Parser& parser, bool castAllowed, bool chainRequired);

// "&" held in command position: &sql(...) or &html<...> (also &js, &jscript, &javascript).
void parseEmbeddedBlock(Parser& parser);
// "&" held inside an expression: whether it opens an embedded block (macro routines only)
// rather than being the AND operator. The position is left as it was.
bool embeddedBlockFollows(Parser& parser);
// "{" held as an expression element: a field reference {name}, {"name"} or {name*C|O|N}.
ParseNode* parseSqlField(Parser& parser);

// Binds the language service registered as "lang:" + `language` and lets it parse the
// embedded section between the open and close kinds on the same source.
HRESULT runEmbeddedLanguage(ISourceScanner* source, IAllocator* allocator, const char16_t* language,
                            std::uint32_t openKind, std::uint32_t closeKind) noexcept;
// Reads the rest of an embedded section (the source is inside one) and colours every
// token with `attributeWord`; stops at the section's end.
HRESULT colourEmbeddedText(ISourceScanner* source, std::uint32_t attributeWord) noexcept;

}  // namespace kesto::zentrel
