// The language object's questions that need no parse: the labels of a routine, keyword
// expansion and the colour attributes' names.
#include "ColourAttributes.h"
#include "Enumerators.h"
#include "Keywords.h"
#include "Language.h"
#include "Parser.h"

#include <automation/OleString.h>

#include <new>

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kAllOptions = 0xFFFFFFFFu;
constexpr std::uint32_t kCommandAttribute = 5, kFunctionAttribute = 17, kVariableAttribute = 28;

HRESULT newString(std::u16string_view text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

// "H" alone is HALT without an argument and HANG with one (flags bit 0).
std::u16string hangOrHalt(char16_t letter, std::int32_t caseStyle, bool argument) {
  switch (caseStyle) {
    case 1: return argument ? u"HANG" : u"HALT";
    case 2: return argument ? u"hang" : u"halt";
    case 3: return argument ? u"Hang" : u"Halt";
    default:
      if (letter == u'h') return argument ? u"hang" : u"halt";
      return argument ? u"HANG" : u"HALT";
  }
}

}  // namespace

HRESULT listRoutineLabels(bool mac, ISourceScanner* source, IEnumRoutineLabels** labels) {
  if (!source || !labels) return E_POINTER;
  *labels = nullptr;
  std::shared_ptr<RoutineLabelList> list;
  try {
    list = std::make_shared<RoutineLabelList>();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  try {
    Scanner scanner(source);
    GlobalsScope scope(currentAllocator(), &scanner);
    Parser parser(scanner, currentAllocator(), mac, kAllOptions, true, 0);
    TokenStream& tokens = parser.tokens();
    do {
      try {
        const std::int32_t k = scanner.positionState() == 1 ? tokens.look(peek::kAdjacent) : tok::kEndOfLine;
        TokenText label;
        if ((k == tok::kName || k == tok::kPercent || k == tok::kDigits) && parser.parseLabel(&label) && !label.empty())
          list->add(label.view(), scanner.line() - 1);
      } catch (const CZTLParseException&) {
        // A label that cannot be read is left out; the next line is read all the same.
      }
    } while (tokens.nextLine());
  } catch (const CZTLParseException&) {
    return ZTL_E_PARSE;
  } catch (HRESULT thrown) {
    return thrown;
  } catch (...) {
    // A failing scanner call (CQNComException) included: its own code is not the answer.
    source->NotifyError(E_FAIL);
    return E_FAIL;
  }
  *labels = newRoutineLabelEnumerator(std::move(list));
  return *labels ? S_OK : E_OUTOFMEMORY;
}

HRESULT expandKeyword(BSTR word, std::uint32_t attributeWord, std::int32_t direction, std::int32_t caseStyle,
                      std::uint32_t flags, BSTR* result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  try {
    const std::uint32_t language = (attributeWord >> 10) & 0xF;
    if (language != 0 && language != 1) return S_FALSE;
    const std::u16string_view text = word ? std::u16string_view(word, SysStringLen(word)) : std::u16string_view();
    const KeywordTable* table = nullptr;
    switch (attributeWord & 0x1FF) {
      case kCommandAttribute:
        if (direction == 0 && text.size() == 1 && (text[0] == u'H' || text[0] == u'h'))
          return newString(hangOrHalt(text[0], caseStyle, flags & 1), result);
        table = &commandKeywords();
        break;
      case kFunctionAttribute: table = &functionKeywords(); break;
      case kVariableAttribute: table = &variableKeywords(); break;
      default: return S_FALSE;
    }
    std::u16string converted;
    const HRESULT hr = table->convert(text, direction, caseStyle, converted);
    if (hr != S_OK) return hr;
    return newString(converted, result);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT attributeName(std::uint32_t index, BSTR* name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (index >= kColourAttributeCount) return E_FAIL;
  *name = SysAllocString(colourAttributes()[index].name);
  return *name ? S_OK : E_OUTOFMEMORY;
}

}  // namespace kesto::zentrel
