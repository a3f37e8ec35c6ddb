// The memory allocator the language service installs for parse nodes and line states:
// an arena of chunks with size-class free lists, released as a whole with the object.
#pragma once

#include "ComObject.h"

#include <kestocom/Interfaces.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace kesto::kestocom {

class ArenaAllocator final : public IAllocator, public RefCounted {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return addRef(); }
  ULONG Release() override { return release(); }

  HRESULT Init(std::uint32_t kind, std::uint32_t flags, std::uint32_t chunkSize) override;
  void* Allocate(std::size_t bytes) override;
  void Free(void* block) override;
  HRESULT Reserved4() override { return E_NOTIMPL; }
  HRESULT Statistics(std::uint32_t* inUse, std::uint32_t* peak, std::uint32_t* blocks, std::uint32_t* chunks) override;

 private:
  static constexpr std::size_t kAlign = 16;
  static constexpr std::size_t kClasses = 64;  // free lists for blocks up to 1 KiB
  struct Header {
    std::size_t size;
    std::size_t pad;
  };

  std::size_t chunkSize_ = 1 << 20;
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::vector<std::unique_ptr<std::byte[]>> large_;
  std::byte* cursor_ = nullptr;
  std::size_t left_ = 0;
  void* freeLists_[kClasses] = {};
  std::size_t inUse_ = 0, peak_ = 0, blocks_ = 0;
};

}  // namespace kesto::kestocom
