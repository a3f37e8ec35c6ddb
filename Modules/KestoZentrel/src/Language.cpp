#include "Language.h"

#include "Parser.h"

#include <Parser/LineState.h>
#include <Parser/ParseNode.h>

#include <new>
#include <vector>

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kAllOptions = 0xFFFFFFFFu;

// Runs `work` with the allocator and a scanner wrapper installed; maps what escapes: a
// scanner failure (CQNComException) is E_FAIL like any other exception, only a bare thrown
// HRESULT may pass through.
template <class Work>
HRESULT run(IAllocator* allocator, ISourceScanner* source, bool passThroughHresult, Work&& work) {
  if (!source) return E_POINTER;
  HRESULT hr = S_OK;
  try {
    Scanner scanner(source);
    GlobalsScope scope(allocator, &scanner);
    hr = work(scanner);
  } catch (const CZTLParseException&) {
    hr = ZTL_E_PARSE;
  } catch (HRESULT thrown) {
    hr = passThroughHresult ? thrown : E_FAIL;
  } catch (...) {
    hr = E_FAIL;
  }
  if (hr == E_FAIL) source->NotifyError(hr);
  return hr;
}

void endOfRoutine(Parser& parser) {
  try {
    parser.endOfRoutineCheck();
  } catch (const CZTLParseException&) {
    parser.tokens().skipLine();
  }
}

}  // namespace

HRESULT parseLines(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) {
  return run(allocator, source, false, [&](Scanner& scanner) {
    Parser parser(scanner, allocator, mac, kAllOptions, true, flags);
    LineNodes nodes;  // no node outlives its line here
    while (parser.parseLine(nullptr, nullptr)) nodes.release();
    endOfRoutine(parser);
    parser.finish();
    return S_OK;
  });
}

HRESULT parseExpressionLine(bool mac, IAllocator* allocator, ISourceScanner* source, std::uint32_t flags) {
  return run(allocator, source, false, [&](Scanner& scanner) {
    Parser parser(scanner, allocator, mac, kAllOptions, false, flags);
    try {
      parser.expressionToEndOfLine();
      parser.endOfRoutineCheck();
    } catch (const CZTLParseException&) {
      parser.tokens().skipLine();
    }
    return S_OK;
  });
}

HRESULT colourLines(bool mac, IAllocator* allocator, IAllocator* stateAllocator, ISourceScanner* source,
                    std::uint32_t flags, std::int32_t firstLine, std::int32_t lineCount, std::int32_t* startLine,
                    std::int32_t* linesDone) {
  return run(allocator, source, true, [&](Scanner& scanner) -> HRESULT {
    // Restart at the nearest earlier line with a real stored state; line 1 when none.
    std::int32_t restart = 1;
    for (std::int32_t line = firstLine - 1; line >= 1; --line) {
      const std::uint8_t* state = scanner.lineState(line);
      if (state && !isNullBlock(state)) {
        restart = line;
        break;
      }
    }
    scanner.seekLine(restart);
    Parser parser(scanner, allocator, mac, kAllOptions, true, flags);
    parser.restoreLineState(scanner.lineState(restart));
    std::uint8_t* start = parser.buildLineState(stateAllocator);
    bool more = true;
    LineNodes nodes;  // no node outlives its line here
    for (;;) {
      const std::int32_t line = scanner.line();
      bool beganInside = false, endsInside = false;
      more = parser.parseLine(&beganInside, &endsInside);
      nodes.release();
      if (beganInside) start = nullBlockMake(stateAllocator);
      std::uint8_t* next = parser.buildLineState(stateAllocator);
      const std::int32_t consumed = scanner.line() - (more ? 1 : 0) + 1 - line;
      if (consumed > 0) {
        std::vector<const std::uint8_t*> states(static_cast<std::size_t>(consumed), nullptr);
        states[0] = start;
        scanner.storeLineStates(line - 1, consumed, states.data());
      }
      const std::uint8_t* stored = more ? scanner.lineState(scanner.line()) : nullptr;
      const bool changed = !(more && (!endsInside || consumed == 0) && stored && blockEqual(stored, next));
      start = next;
      if (!more) break;
      if (!(scanner.line() - 1 < firstLine + lineCount + 1 || changed)) break;
    }
    if (startLine) *startLine = restart;
    if (linesDone) *linesDone = scanner.line() - restart + (more ? 0 : 1);
    if (!more) endOfRoutine(parser);
    return S_OK;
  });
}

}  // namespace kesto::zentrel
