#include "FlatColour.h"

#include "Parser.h"

#include <Parser/LineState.h>
#include <Parser/ParseNode.h>

#include <kestocom/KestoCOM.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kAllOptions = 0xFFFFFFFFu;

template <class T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

IAllocator* makeAllocator() {
  IComponentFactory* factory = nullptr;
  if (FAILED(COM_GetClassFactory(CLSID_ComponentAllocator, &factory))) return nullptr;
  IAllocator* allocator = nullptr;
  HRESULT hr = factory->CreateInstance(IAllocator::iid, reinterpret_cast<void**>(&allocator));
  factory->Release();
  if (FAILED(hr) || !allocator) return nullptr;
  if (FAILED(allocator->Init(3, 0, 10000000))) {
    allocator->Release();
    return nullptr;
  }
  return allocator;
}

// A stored state is used only when well formed (a null block, or kinds 1 to 9).
bool usableState(const std::uint8_t* state) {
  if (!state) return false;
  const std::uint16_t n = blockLength(state);
  if (n == kNullBlockLength) return true;
  if (n > kMaxContexts) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (state[2 + i] < 1 || state[2 + i] > 9) return false;
  return true;
}

struct Output {
  std::vector<std::uint8_t*> states;
  ~Output() {
    for (auto* s : states) std::free(s);
  }
};

// Parses lines until none follows or, after the minimum, a stored state repeats.
void lineLoop(Scanner& scanner, bool mac, std::int32_t lineCount, std::int32_t minLines,
              const std::uint8_t* const* stored, Output& out) {
  Parser parser(scanner, currentAllocator(), mac, kAllOptions, true, 0);
  std::uint8_t* start;
  if (stored && usableState(stored[0]) && !isNullBlock(stored[0])) {
    parser.restoreLineState(stored[0]);
    start = blockCopy(stored[0]);
  } else {
    start = blockMake(nullptr, 0, nullptr);
  }
  LineNodes nodes;  // no node outlives its line here
  for (;;) {
    const std::int32_t line = scanner.line();
    bool beganInside = false, endsInside = false;
    bool more;
    try {
      more = parser.parseLine(&beganInside, &endsInside);
    } catch (...) {
      std::free(start);
      throw;
    }
    nodes.release();
    if (beganInside) {
      std::free(start);
      start = nullBlockMake(nullptr);
    }
    out.states.push_back(start);
    start = nullptr;
    const std::int32_t consumed = scanner.line() - (more ? 1 : 0) + 1 - line;
    for (std::int32_t i = 1; i < consumed; ++i) out.states.push_back(nullBlockMake(nullptr));
    std::uint8_t* next = parser.buildLineState(nullptr);
    const std::int32_t nextIndex = scanner.line() - 1;
    const bool unchanged = stored && more && nextIndex < lineCount && usableState(stored[nextIndex]) &&
                           blockEqual(stored[nextIndex], next);
    if (!more || (static_cast<std::int32_t>(out.states.size()) >= minLines && unchanged)) {
      std::free(next);
      return;
    }
    start = next;
  }
}

// Runs are mostly a few characters long: plain stores, not a library call per run.
void fill(std::uint8_t* p, std::size_t n, std::uint8_t value) {
  const std::uint64_t wide = value * std::uint64_t{0x0101010101010101};
  for (; n >= 8; n -= 8, p += 8) std::memcpy(p, &wide, 8);
  if (n & 4) std::memcpy(p, &wide, 4), p += 4;
  if (n & 2) std::memcpy(p, &wide, 2), p += 2;
  if (n & 1) *p = value;
}

// The attribute byte of a colour word: its own attribute for this language, a fixed one
// for the embedded languages, none for the rest.
std::uint8_t attributeOf(std::uint16_t word) {
  static constexpr std::uint8_t kFixed[16] = {0, 0, 9, 0, 0, 29};
  const std::uint16_t language = (word >> 10) & 0xF;
  return language == 1 ? static_cast<std::uint8_t>(word & 0xFF) : kFixed[language];
}

}  // namespace

void expandRuns(const std::uint16_t* runs, std::uint32_t header, std::uint16_t length, std::uint8_t* out) {
  const std::uint16_t* word = runs;
  const std::uint16_t* const end = runs + std::min<std::size_t>(header & 0xFFFF, length);
  std::size_t at = 0;
  while (word < end && at < length) {
    // Most runs are one character: a word without the count flag.
    if (!(*word & 0x8000)) {
      out[at++] = attributeOf(*word++);
      continue;
    }
    if (end - word < 2) break;
    const std::size_t count = std::min<std::size_t>(word[1], length - at);
    fill(out + at, count, attributeOf(*word & 0x3DFF));
    at += count;
    word += 2;
  }
}

}  // namespace kesto::zentrel

using namespace kesto::zentrel;

ZENTREL_API std::int32_t NewSyntaxColor(std::int32_t mac, std::int32_t lineCount, std::int32_t minLines,
                                        const std::uint16_t* lengths, const char16_t* const* texts,
                                        const std::uint8_t* const* storedStates, std::int32_t* outCount,
                                        std::uint8_t*** outStates, std::uint8_t*** outAttributes) {
  if (outCount) *outCount = 0;
  if (outStates) *outStates = nullptr;
  if (outAttributes) *outAttributes = nullptr;
  if (!outCount || !outStates || !outAttributes || lineCount < 0) return 0;
  if (lineCount > 0 && (!lengths || !texts)) return 0;
  for (std::int32_t i = 0; i < lineCount; ++i)
    if (!texts[i] && lengths[i] > 0) return 0;
  try {
    Released<IAllocator> parseAllocator{makeAllocator()};
    Released<IAllocator> lineAllocator{makeAllocator()};
    if (!parseAllocator.p || !lineAllocator.p) return 0;

    std::vector<LineObject> lines(static_cast<std::size_t>(lineCount));
    std::vector<LineObject*> pointers(lines.size());
    struct RunAreas {
      IAllocator* allocator;
      std::vector<void*> blocks;
      ~RunAreas() {
        for (void* b : blocks) allocator->Free(b);
      }
    } areas{lineAllocator.p, {}};
    for (std::int32_t i = 0; i < lineCount; ++i) {
      const std::size_t bytes = std::size_t{lengths[i]} * 2 + 8;
      auto* area = static_cast<std::uint8_t*>(lineAllocator.p->Allocate(bytes));
      if (!area) return 0;
      areas.blocks.push_back(area);
      std::memset(area, 0, bytes);
      const std::uint32_t header = lengths[i];
      std::memcpy(area, &header, 4);
      lines[static_cast<std::size_t>(i)] = {texts[i], texts[i] + lengths[i], reinterpret_cast<std::uint16_t*>(area + 8), nullptr};
      pointers[static_cast<std::size_t>(i)] = &lines[static_cast<std::size_t>(i)];
    }
    Released<ILineCollection> collection;
    if (FAILED(COM_CreateLineCollection(pointers.data(), lineCount, &collection.p))) return 0;

    Output out;
    {
      Released<ISourceScanner> object;
      IComponentFactory* factory = nullptr;
      if (FAILED(COM_GetClassFactory(CLSID_ColouringScanner, &factory))) return 0;
      HRESULT hr = factory->CreateInstance(ISourceScanner::iid, reinterpret_cast<void**>(&object.p));
      factory->Release();
      if (FAILED(hr) || !object.p || FAILED(object.p->Init(collection.p, 1, 0))) return 0;
      try {
        Scanner scanner(object.p);
        GlobalsScope scope(parseAllocator.p, &scanner);
        lineLoop(scanner, mac != 0, lineCount, minLines, storedStates, out);
      } catch (...) {
        return 0;
      }
    }  // the scanner writes its colour runs when released

    const std::size_t count = std::min<std::size_t>(out.states.size(), static_cast<std::size_t>(lineCount));
    auto** states = static_cast<std::uint8_t**>(std::calloc(count ? count : 1, sizeof(std::uint8_t*)));
    auto** attributes = static_cast<std::uint8_t**>(std::calloc(count ? count : 1, sizeof(std::uint8_t*)));
    if (!states || !attributes) {
      std::free(states);
      std::free(attributes);
      return 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
      attributes[i] = static_cast<std::uint8_t*>(std::calloc(std::size_t{lengths[i]} + 2, 1));
      if (!attributes[i]) {
        NewSyntaxColorFree(static_cast<std::int32_t>(i), nullptr, attributes);
        std::free(states);
        return 0;
      }
      std::uint32_t header;
      std::memcpy(&header, reinterpret_cast<const std::uint8_t*>(lines[i].runs) - 8, 4);
      expandRuns(lines[i].runs, header, lengths[i], attributes[i]);
      states[i] = std::exchange(out.states[i], nullptr);
    }
    *outCount = static_cast<std::int32_t>(count);
    *outStates = states;
    *outAttributes = attributes;
    return 1;
  } catch (...) {
    return 0;
  }
}

ZENTREL_API void NewSyntaxColorFree(std::int32_t count, std::uint8_t** states, std::uint8_t** attributes) {
  for (std::int32_t i = 0; i < count; ++i) {
    if (states) std::free(states[i]);
    if (attributes) std::free(attributes[i]);
  }
  std::free(states);
  std::free(attributes);
}
