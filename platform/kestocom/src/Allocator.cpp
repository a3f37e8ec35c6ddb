#include "Allocator.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kesto::kestocom {
namespace {

std::uint32_t clamp32(std::size_t v) {
  return static_cast<std::uint32_t>(std::min<std::size_t>(v, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

HRESULT ArenaAllocator::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IUnknown::iid || riid == IAllocator::iid) {
    *object = static_cast<IAllocator*>(this);
    addRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT ArenaAllocator::Init(std::uint32_t, std::uint32_t, std::uint32_t chunkSize) {
  // The size is a chunk size, not a cap; keep chunks reasonable.
  chunkSize_ = std::clamp<std::size_t>(chunkSize, 4096, 1 << 22);
  return S_OK;
}

void* ArenaAllocator::Allocate(std::size_t bytes) {
  if (bytes > (std::size_t{1} << 40)) return nullptr;
  const std::size_t rounded = (std::max<std::size_t>(bytes, 1) + kAlign - 1) / kAlign * kAlign;
  const std::size_t total = rounded + sizeof(Header);
  const std::size_t cls = rounded / kAlign;
  Header* h = nullptr;
  if (cls < kClasses && freeLists_[cls]) {
    h = static_cast<Header*>(freeLists_[cls]);
    std::memcpy(&freeLists_[cls], h + 1, sizeof(void*));
  } else if (cls >= kClasses || total > chunkSize_ / 4) {
    large_.push_back(std::unique_ptr<std::byte[]>(new std::byte[total]));
    h = reinterpret_cast<Header*>(large_.back().get());
  } else {
    if (left_ < total) {
      chunks_.push_back(std::unique_ptr<std::byte[]>(new std::byte[chunkSize_]));
      cursor_ = chunks_.back().get();
      left_ = chunkSize_;
    }
    h = reinterpret_cast<Header*>(cursor_);
    cursor_ += total;
    left_ -= total;
  }
  h->size = rounded;
  inUse_ += rounded;
  peak_ = std::max(peak_, inUse_);
  ++blocks_;
  return h + 1;
}

void ArenaAllocator::Free(void* block) {
  if (!block) return;
  Header* h = static_cast<Header*>(block) - 1;
  inUse_ -= h->size;
  --blocks_;
  const std::size_t cls = h->size / kAlign;
  // Large blocks stay with the arena until it goes; small ones are reused.
  if (cls < kClasses) {
    std::memcpy(block, &freeLists_[cls], sizeof(void*));
    freeLists_[cls] = h;
  }
}

HRESULT ArenaAllocator::Statistics(std::uint32_t* inUse, std::uint32_t* peak, std::uint32_t* blocks,
                                   std::uint32_t* chunks) {
  if (inUse) *inUse = clamp32(inUse_);
  if (peak) *peak = clamp32(peak_);
  if (blocks) *blocks = clamp32(blocks_);
  if (chunks) *chunks = clamp32(chunks_.size() + large_.size());
  return S_OK;
}

}  // namespace kesto::kestocom
