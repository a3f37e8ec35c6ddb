// IStream over a global memory block that grows as it is written.
#include <automation/ComObject.h>
#include <automation/Stream.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using kesto::automation::ComObject;

// Private identifier: answered only by our streams, so a foreign stream is never cast.
constexpr IID kIID_MemoryStream{0x6b1d2f60, 0x3c41, 0x4e0a, {0x9a, 0x27, 0x51, 0x0c, 0x8e, 0x44, 0x12, 0x7d}};

// The block, shared by a stream and its clones; freed with the last of them when asked.
struct SharedBlock {
  SharedBlock(HGLOBAL b, bool owns) : block(b), owns(owns) {}
  ~SharedBlock() {
    if (owns) GlobalFree(block);
  }
  HGLOBAL block;
  bool owns;
};

class MemoryStream final : public ComObject<MemoryStream, IStream> {
 public:
  MemoryStream(std::shared_ptr<SharedBlock> shared, std::uint64_t position)
      : shared_(std::move(shared)), position_(position) {}

  HGLOBAL block() const { return shared_->block; }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const std::size_t size = GlobalSize(block());
    const std::size_t available = position_ < size ? size - position_ : 0;
    const std::size_t n = std::min<std::size_t>(count, available);
    if (n) std::memcpy(buffer, static_cast<const std::uint8_t*>(GlobalLock(block())) + position_, n);
    if (n) GlobalUnlock(block());
    position_ += n;
    if (read) *read = static_cast<ULONG>(n);
    return n == count ? S_OK : S_FALSE;
  }

  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    if (count == 0) return S_OK;
    const std::uint64_t end = position_ + count;
    if (end > GlobalSize(block()) && !GlobalReAlloc(block(), end, GMEM_MOVEABLE))
      return STG_E_MEDIUMFULL;
    std::memcpy(static_cast<std::uint8_t*>(GlobalLock(block())) + position_, buffer, count);
    GlobalUnlock(block());
    position_ = end;
    if (written) *written = count;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    std::int64_t base = 0;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(position_); break;
      case STREAM_SEEK_END: base = static_cast<std::int64_t>(GlobalSize(block())); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    const std::int64_t target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::uint64_t>(target);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
  }

  HRESULT SetSize(ULARGE_INTEGER size) override {
    return GlobalReAlloc(block(), size.QuadPart, GMEM_MOVEABLE) ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->cbSize.QuadPart = GlobalSize(block());
    return S_OK;
  }

  HRESULT Clone(IStream** copy) override {
    if (!copy) return STG_E_INVALIDPOINTER;
    *copy = MemoryStream::create(shared_, position_).detach();
    return S_OK;
  }

 protected:
  void* queryExtra(REFIID riid) override {
    if (riid == kIID_MemoryStream) return this;
    return riid == IID_ISequentialStream ? static_cast<ISequentialStream*>(this) : nullptr;
  }

 private:
  std::shared_ptr<SharedBlock> shared_;
  std::uint64_t position_;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream) {
  if (!stream) return E_POINTER;
  *stream = nullptr;
  try {
    if (!block) {
      block = GlobalAlloc(GMEM_MOVEABLE, 0);
      if (!block) return E_OUTOFMEMORY;
    }
    *stream = MemoryStream::create(std::make_shared<SharedBlock>(block, deleteOnRelease != FALSE), 0).detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block) {
  if (!stream || !block) return E_INVALIDARG;
  *block = nullptr;
  void* ours = nullptr;
  if (FAILED(stream->QueryInterface(kIID_MemoryStream, &ours))) return E_INVALIDARG;
  auto* memory = static_cast<MemoryStream*>(ours);
  *block = memory->block();
  memory->Release();
  return S_OK;
}
