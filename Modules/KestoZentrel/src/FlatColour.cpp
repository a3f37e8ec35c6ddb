#include "FlatColour.h"

#include "Parser.h"
#include "Released.h"

#include <Parser/LineState.h>
#include <Parser/ParseNode.h>

#include <kestocom/KestoCOM.h>
#include <kestocom/RetainedMemory.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <memory>
#include <memory_resource>
#include <vector>

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kAllOptions = 0xFFFFFFFFu;
// Parse nodes live for a line only and reuse a few small chunks.
constexpr std::uint32_t kParseChunkBytes = 65536;

IAllocator* makeAllocator() {
  IComponentFactory* factory = nullptr;
  if (FAILED(COM_GetClassFactory(CLSID_ComponentAllocator, &factory))) return nullptr;
  IAllocator* allocator = nullptr;
  HRESULT hr = factory->CreateInstance(IAllocator::iid, reinterpret_cast<void**>(&allocator));
  factory->Release();
  if (FAILED(hr) || !allocator) return nullptr;
  if (FAILED(allocator->Init(3, 0, kParseChunkBytes))) {
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

using kestocom::RetainedMemory;

struct GivenBack {
  void operator()(void* block) const { RetainedMemory::shared().give(block); }
};

// The lines' start states, one block after another in one array.
struct StateBlocks {
  std::pmr::vector<std::uint8_t> bytes{&RetainedMemory::shared()};
  std::pmr::vector<std::size_t> at{&RetainedMemory::shared()};  // where each line's block begins

  void append(const std::uint8_t* block) { bytes.insert(bytes.end(), block, block + blockSize(block)); }
  void appendNull() { bytes.insert(bytes.end(), {0xFF, 0xFF}); }
  const std::uint8_t* block(std::size_t line) const { return bytes.data() + at[line]; }
};

// Each line's attribute bytes, written while its attribute words are still at hand: a
// line is done once the parse has moved past it.
// The lines' bytes follow one another in `data`, which has room for all of them.
class AttributeLines {
 public:
  AttributeLines(ITextSourceInfo* source, std::uint8_t** lines, std::uint8_t* data, const std::uint16_t* lengths,
                 std::size_t count)
      : source_(source), lines_(lines), data_(data), lengths_(lengths), count_(count) {}

  // Writes the lines below `end` not written yet.
  void writeUpTo(std::size_t end) {
    for (end = std::min(end, count_); done_ < end; ++done_) write(done_);
  }

 private:
  void write(std::size_t i) {
    std::uint8_t* data = data_;
    lines_[i] = data;
    data_ += std::size_t{lengths_[i]} + 2;
    const std::uint16_t* words = nullptr;
    std::int32_t n = 0;
    if (FAILED(source_->LineAttributes(static_cast<std::int32_t>(i + 1), &words, &n)) || n < 0) n = 0;
    const std::size_t written = std::min<std::size_t>(static_cast<std::size_t>(n), lengths_[i]);
    attributesOf(words, written, data);
    std::memset(data + written, 0, std::size_t{lengths_[i]} + 2 - written);
  }

  ITextSourceInfo* source_;
  std::uint8_t** lines_;
  std::uint8_t* data_;
  const std::uint16_t* lengths_;
  std::size_t count_;
  std::size_t done_ = 0;
};

// Parses lines until none follows or, after the minimum, a stored state repeats.
void lineLoop(Scanner& scanner, bool mac, std::int32_t lineCount, std::int32_t minLines,
              const std::uint8_t* const* stored, StateBlocks& out, AttributeLines& attributes) {
  Parser parser(scanner, currentAllocator(), mac, kAllOptions, true, 0);
  // The start state of the line about to be parsed is the last block of `out.bytes`.
  std::size_t start = 0;
  if (stored && usableState(stored[0]) && !isNullBlock(stored[0])) {
    parser.restoreLineState(stored[0]);
    out.append(stored[0]);
  } else {
    out.bytes.insert(out.bytes.end(), {0, 0});
  }
  LineNodes nodes;  // no node outlives its line here
  for (;;) {
    const std::int32_t line = scanner.line();
    bool beganInside = false, endsInside = false;
    const bool more = parser.parseLine(&beganInside, &endsInside);
    nodes.release();
    if (beganInside) {
      out.bytes.resize(start);
      out.appendNull();
    }
    out.at.push_back(start);
    const std::int32_t consumed = scanner.line() - (more ? 1 : 0) + 1 - line;
    for (std::int32_t i = 1; i < consumed; ++i) {
      out.at.push_back(out.bytes.size());
      out.appendNull();
    }
    attributes.writeUpTo(static_cast<std::size_t>(scanner.line() - 1));
    start = out.bytes.size();
    parser.appendLineState(out.bytes);
    const std::int32_t nextIndex = scanner.line() - 1;
    const bool unchanged = stored && more && nextIndex < lineCount && usableState(stored[nextIndex]) &&
                           blockEqual(stored[nextIndex], out.bytes.data() + start);
    if (!more || (static_cast<std::int32_t>(out.at.size()) >= minLines && unchanged)) {
      out.bytes.resize(start);
      return;
    }
  }
}

// One block per output array: the line pointers, then the lines' bytes. Giving the array
// back gives back them all.
std::uint8_t** allocateLines(std::size_t count, std::size_t dataBytes) {
  const std::size_t pointers = std::max<std::size_t>(count, 1) * sizeof(std::uint8_t*);
  try {
    return static_cast<std::uint8_t**>(RetainedMemory::shared().take(pointers + dataBytes));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::uint8_t* dataOf(std::uint8_t** lines, std::size_t count) {
  return reinterpret_cast<std::uint8_t*>(lines + std::max<std::size_t>(count, 1));
}

std::uint8_t** statesOut(const StateBlocks& blocks, std::size_t count) {
  const std::size_t end = count < blocks.at.size() ? blocks.at[count] : blocks.bytes.size();
  std::uint8_t** states = allocateLines(count, end);
  if (!states) return nullptr;
  std::uint8_t* data = dataOf(states, count);
  if (end) std::memcpy(data, blocks.bytes.data(), end);
  for (std::size_t i = 0; i < count; ++i) states[i] = data + blocks.at[i];
  return states;
}

}  // namespace

void attributesOf(const std::uint16_t* words, std::size_t count, std::uint8_t* out) {
  // Eight characters a step in vector lanes, the rest one by one: the same selects.
  using Words = std::uint16_t __attribute__((vector_size(16)));
  using Bytes = std::uint8_t __attribute__((vector_size(8)));
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    Words word;
    std::memcpy(&word, words + i, sizeof word);
    const Words language = (word >> 10) & 0xF;
    const Words own = (language == 1) & (word & 0xFF);
    const Words fixed = ((language == 2) & 9) | ((language == 5) & 29);
    const Bytes bytes = __builtin_convertvector(own | fixed, Bytes);
    std::memcpy(out + i, &bytes, sizeof bytes);
  }
  for (; i < count; ++i) {
    const std::uint16_t word = words[i];
    const std::uint16_t language = (word >> 10) & 0xF;
    const std::uint16_t fixed = language == 2 ? 9 : language == 5 ? 29 : 0;
    out[i] = static_cast<std::uint8_t>(language == 1 ? word & 0xFF : fixed);
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
    if (!parseAllocator.p) return 0;

    // The lines carry no run areas: the attributes are read from the scanner directly. The
    // line objects and their pointers share one block, written once without clearing it
    // first: an edit's call passes all the lines behind the edit and colours a few.
    const auto total = static_cast<std::size_t>(lineCount);
    const std::size_t slots = std::max<std::size_t>(total, 1);
    std::unique_ptr<void, GivenBack> lineBlock{
        RetainedMemory::shared().take(slots * (sizeof(LineObject) + sizeof(LineObject*)))};
    auto* const lines = static_cast<LineObject*>(lineBlock.get());
    auto** const pointers = reinterpret_cast<LineObject**>(lines + slots);
    std::size_t attributeBytes = 0;
    for (std::size_t i = 0; i < total; ++i) {
      pointers[i] = new (lines + i) LineObject{texts[i], texts[i] + lengths[i], nullptr, nullptr};
      attributeBytes += std::size_t{lengths[i]} + 2;
    }
    Released<ILineCollection> collection;
    if (FAILED(COM_CreateLineCollection(pointers, lineCount, &collection.p))) return 0;

    Released<ISourceScanner> object;
    IComponentFactory* factory = nullptr;
    if (FAILED(COM_GetClassFactory(CLSID_ColouringScanner, &factory))) return 0;
    HRESULT hr = factory->CreateInstance(ISourceScanner::iid, reinterpret_cast<void**>(&object.p));
    factory->Release();
    if (FAILED(hr) || !object.p || FAILED(object.p->Init(collection.p, 1, 0))) return 0;
    Released<ITextSourceInfo> source;
    if (FAILED(object.p->QueryInterface(ITextSourceInfo::iid, reinterpret_cast<void**>(&source.p))) || !source.p)
      return 0;

    // Room for every line's attribute bytes and two zero bytes behind them; the bytes and the
    // lines' pointers are written as the lines are coloured, so that an edit that colours a
    // few lines of many touches only those.
    std::unique_ptr<std::uint8_t*, GivenBack> attributeLines{allocateLines(total, attributeBytes)};
    if (!attributeLines) return 0;
    AttributeLines attributes(source.p, attributeLines.get(), dataOf(attributeLines.get(), total), lengths, total);
    StateBlocks states;
    try {
      Scanner scanner(object.p);
      GlobalsScope scope(parseAllocator.p, &scanner);
      lineLoop(scanner, mac != 0, lineCount, minLines, storedStates, states, attributes);
    } catch (...) {
      return 0;
    }

    const std::size_t count = std::min<std::size_t>(states.at.size(), total);
    attributes.writeUpTo(count);
    std::uint8_t** stateLines = statesOut(states, count);
    if (!stateLines) return 0;
    *outCount = static_cast<std::int32_t>(count);
    *outStates = stateLines;
    *outAttributes = attributeLines.release();
    return 1;
  } catch (...) {
    return 0;
  }
}

// Each array is one block with its lines' bytes.
ZENTREL_API void NewSyntaxColorFree(std::int32_t, std::uint8_t** states, std::uint8_t** attributes) {
  RetainedMemory::shared().give(states);
  RetainedMemory::shared().give(attributes);
}
