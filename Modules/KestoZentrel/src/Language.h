// The language object's operations, shared by the INT and MAC classes; each answers an
// HRESULT and lets no exception out.
#pragma once

#include <kestocom/Interfaces.h>

#include <cstdint>

namespace kesto::zentrel {

HRESULT parseLines(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags);
HRESULT parseExpressionLine(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags);
HRESULT colourLines(bool mac, IAllocator* allocator, IAllocator* stateAllocator, ISourceScanner* source,
                    std::uint32_t flags, std::int32_t firstLine, std::int32_t lineCount, std::int32_t* startLine,
                    std::int32_t* linesDone);

}  // namespace kesto::zentrel
