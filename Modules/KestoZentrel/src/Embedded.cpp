// Embedded SQL, HTML and JavaScript blocks, handed to the language services registered
// under "lang:SQL" and "lang:HTML"; and SQL field references in braces.
#include "Parser.h"
#include "Released.h"
#include "RoutineExtensions.h"

#include <kestocom/KestoCOM.h>

#include <string>

namespace kesto::zentrel {
namespace {

constexpr const char* kFile = "cmpParseEmbedded";
constexpr int kSqlField = 38;
constexpr std::uint32_t kOptionSuffix = 2;  // the syntax setting that allows {name*C}


HRESULT bindEmbeddedLanguage(const char16_t* language, ILanguageService** service) {
  const std::u16string display = u"lang:" + std::u16string(language);
  std::int32_t eaten = 0;
  Released<IComponentName> name;
  if (HRESULT hr = COM_MkParseName(display.c_str(), &eaten, &name.p); FAILED(hr)) return hr;
  if (!name.p) return E_UNEXPECTED;
  return name.p->Bind(u"", ILanguageService::iid, reinterpret_cast<void**>(service));
}

bool isHtmlName(TokenText text) {
  return textEqualsUpper(text, "HTML") || textEqualsUpper(text, "JS") || textEqualsUpper(text, "JSCRIPT") ||
         textEqualsUpper(text, "JAVASCRIPT");
}

// Runs the embedded language; without a usable service the section is read as plain text
// and the failure reported to the source, so the lines around it still colour.
void embedded(Parser& parser, const char16_t* language, std::uint32_t open, std::uint32_t close) {
  struct Reload {
    Scanner& scanner;
    ~Reload() { scanner.reload(); }
  } reload{parser.scanner()};
  ISourceScanner* source = parser.scanner().object();
  const HRESULT hr = runEmbeddedLanguage(source, currentAllocator(), language, open, close);
  if (SUCCEEDED(hr)) return;
  source->NotifyError(hr);
  if (FAILED(source->BeginEmbedded(language, open, close))) return;
  const HRESULT plain = colourEmbeddedText(source, attr::Normal | (1u << 10));
  const HRESULT ended = source->EndEmbedded(language);
  if (FAILED(plain) || FAILED(ended)) throw CQNComException(FAILED(plain) ? plain : ended, 573, kFile);
}

}  // namespace

HRESULT runEmbeddedLanguage(ISourceScanner* source, IAllocator* allocator, const char16_t* language,
                            std::uint32_t openKind, std::uint32_t closeKind) noexcept {
  if (!source || !language) return E_POINTER;
  try {
    Released<ILanguageService> service;
    if (HRESULT hr = bindEmbeddedLanguage(language, &service.p); FAILED(hr)) return hr;
    if (!service.p) return E_UNEXPECTED;
    if (HRESULT hr = source->BeginEmbedded(language, openKind, closeKind); FAILED(hr)) return hr;
    const HRESULT parsed = service.p->ParseLines(allocator, source, 0);
    const HRESULT ended = source->EndEmbedded(language);
    return FAILED(parsed) ? parsed : FAILED(ended) ? ended : S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT colourEmbeddedText(ISourceScanner* source, std::uint32_t attributeWord) noexcept {
  if (!source) return E_POINTER;
  for (;;) {
    std::uint32_t kind = 0;
    if (HRESULT hr = source->TokenKind(&kind); FAILED(hr)) return hr;
    if (kind == tok::kEndOfLine) {
      // A line end inside the section moves on; the section's end does not.
      std::int32_t before = 0, after = 0;
      if (FAILED(source->Line(&before)) || FAILED(source->Advance(&kind)) || FAILED(source->Line(&after)))
        return E_FAIL;
      if (before == after) return S_OK;
      continue;
    }
    if (FAILED(source->TokenBegin()) || FAILED(source->Advance(&kind))) return E_FAIL;
    if (HRESULT hr = source->ColourToken(attributeWord); FAILED(hr)) return hr;
  }
}

void parseEmbeddedSql(Parser& parser, std::int32_t siteOpen, std::int32_t siteClose) {
  TokenStream& t = parser.tokens();
  if (t.look(peek::kAdjacent) != tok::kLParen) parser.fail(siteOpen, 3, kFile);
  t.expect(attr::Sql);
  embedded(parser, u"SQL", tok::kLParen, tok::kRParen);
  if (t.look(peek::kAdjacent) != tok::kRParen) parser.fail(siteClose, 9, kFile);
  t.expect(attr::Sql);
}

void parseEmbeddedBlock(Parser& parser) {
  TokenStream& t = parser.tokens();
  t.expect(attr::Sql);  // "&"
  if (t.look(peek::kAdjacent) != tok::kName) parser.fail(10, 15, kFile);
  if (textEqualsUpper(t.text(), "SQL")) {
    t.expect(attr::Sql);
    return parseEmbeddedSql(parser, 11, 12);
  }
  if (!isHtmlName(t.text())) parser.fail(13, 2, kFile);
  t.expect(attr::Html);
  if (t.look(peek::kAdjacent) != tok::kLess) parser.fail(14, 3, kFile);
  t.expect(attr::Html);
  embedded(parser, u"HTML", tok::kLess, tok::kGreater);
  if (t.look(peek::kAdjacent) != tok::kGreater) parser.fail(15, 3, kFile);
  t.expect(attr::Html);
}

bool embeddedBlockFollows(Parser& parser) {
  // In plain routines "&" is always AND, also before a local named SQL or HTML.
  if (!parser.mac()) return false;
  TokenStream& t = parser.tokens();
  ParserCheckPoint checkpoint(parser);
  checkpoint.save();
  t.expect(attr::Operator);
  const bool block = t.look(peek::kAdjacent) == tok::kName && (textEqualsUpper(t.text(), "SQL") || isHtmlName(t.text()));
  checkpoint.restore();
  return block;
}

ParseNode* parseSqlField(Parser& parser) {
  TokenStream& t = parser.tokens();
  if (parser.syntaxLevel() == 0) parser.fail(20, 20, kFile);
  t.expect(attr::Sql);  // "{"
  constexpr std::uint32_t kField = peek::kAdjacent | peek::kArgumentWord;
  const std::int32_t name = t.look(kField);
  if (name != tok::kArgumentWord && name != tok::kString) parser.fail(21, 15, kFile);
  t.expect(attr::Sql);
  if (t.look(kField) == tok::kStar) {
    if (parser.syntaxLevel() != kOptionSuffix) parser.fail(22, 21, kFile);
    t.expect(attr::Sql);
    const std::int32_t k = t.look(kField);
    const TokenText suffix = t.text();
    if (k != tok::kArgumentWord || !(textEqualsUpper(suffix, "C") || textEqualsUpper(suffix, "O") || textEqualsUpper(suffix, "N")))
      parser.fail(23, 15, kFile);
    t.expect(attr::Sql);
  }
  if (t.look(kField) != tok::kRBrace) parser.fail(24, 28, kFile);
  t.expect(attr::Sql);
  return makeNode(kSqlField);
}

}  // namespace kesto::zentrel
