// The language object's operations, shared by the INT and MAC classes; each answers an
// HRESULT and lets no exception out.
#pragma once

#include <kestocom/Interfaces.h>
#include <kestocom/LanguageService.h>

#include <cstdint>

namespace kesto::zentrel {

HRESULT parseLines(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags);
HRESULT parseExpressionLine(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags);
HRESULT colourLines(bool mac, IAllocator* allocator, IAllocator* stateAllocator, ISourceScanner* source,
                    std::uint32_t flags, std::int32_t firstLine, std::int32_t lineCount, std::int32_t* startLine,
                    std::int32_t* linesDone);

// The labels of a routine, read from the first token of each line.
HRESULT listRoutineLabels(bool mac, ISourceScanner* source, IEnumRoutineLabels** labels);
// Expands or contracts a command, function or special-variable name by its attribute.
HRESULT expandKeyword(BSTR word, std::uint32_t attributeWord, std::int32_t direction, std::int32_t caseStyle,
                      std::uint32_t flags, BSTR* result);
// The name of colour attribute `index` as a new string; E_FAIL beyond the table.
HRESULT attributeName(std::uint32_t index, BSTR* name);

}  // namespace kesto::zentrel
