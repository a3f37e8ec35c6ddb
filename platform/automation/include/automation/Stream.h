// Movable global memory blocks and IStream over a growable memory block.
#pragma once

#include <automation/Interfaces.h>

#include <cstddef>

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of bytes behind a handle. The bytes are always zero-initialised. GlobalLock
// returns its address; the address is valid until the block is resized or freed.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);  // null when out of memory
HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, UINT flags);  // same handle, or null
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);  // TRUE while still locked
std::size_t GlobalSize(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);  // null on success

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0;
constexpr DWORD STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;

struct STATSTG {
  LPOLESTR pwcsName = nullptr;  // always null here
  DWORD type = STGTY_STREAM;
  ULARGE_INTEGER cbSize;
};

struct ISequentialStream : IUnknown {
  static constexpr IID iid{0x0c733a30, 0x2a1c, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}};
  virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;

 protected:
  ~ISequentialStream() = default;
};

struct IStream : ISequentialStream {
  static constexpr IID iid{0x0000000c, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  virtual HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) = 0;
  virtual HRESULT SetSize(ULARGE_INTEGER size) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
  virtual HRESULT Clone(IStream** copy) = 0;

 protected:
  ~IStream() = default;
};

constexpr IID IID_IStream = IStream::iid;
constexpr IID IID_ISequentialStream = ISequentialStream::iid;

// A stream over `block` (null: a new empty block). Writes grow the block. With
// deleteOnRelease the block is freed with the last stream over it.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream);
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block);
