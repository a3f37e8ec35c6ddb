// Picture objects that keep the bytes they were loaded from. BMP, JPEG, GIF, PNG and ICO
// are recognised by their signature; anything else (metafiles included) does not load.
#pragma once

#include <automation/Stream.h>

using OLE_HANDLE = UINT;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;

constexpr SHORT PICTYPE_UNINITIALIZED = -1;
constexpr SHORT PICTYPE_NONE = 0;
constexpr SHORT PICTYPE_BITMAP = 1;
constexpr SHORT PICTYPE_METAFILE = 2;
constexpr SHORT PICTYPE_ICON = 3;
constexpr SHORT PICTYPE_ENHMETAFILE = 4;

struct IPicture : IUnknown {
  static constexpr IID iid{0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
  virtual HRESULT get_Handle(OLE_HANDLE* handle) = 0;
  virtual HRESULT get_Type(SHORT* type) = 0;
  virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;    // 0.01 mm, at 96 dpi
  virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
  // Writes the kept bytes to `stream`; `size` receives their count.
  virtual HRESULT SaveAsFile(IStream* stream, BOOL saveMemCopy, LONG* size) = 0;

 protected:
  ~IPicture() = default;
};

// IDispatch of a picture: read-only properties Handle (0), Type (5), Width (3), Height (4).
struct IPictureDisp : IDispatch {
  static constexpr IID iid{0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

 protected:
  ~IPictureDisp() = default;
};

constexpr IID IID_IPicture = IPicture::iid;
constexpr IID IID_IPictureDisp = IPictureDisp::iid;

// Reads `size` bytes (0: to the end) from `stream` and makes a picture of them;
// CTL_E_INVALIDPICTURE when the bytes are no picture that loads.
HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL runMode, REFIID riid, void** object);

namespace kesto::automation {
enum class PictureFormat { Bmp, Jpeg, Gif, Png, Ico, Wmf, Emf, Unknown };
// By the first bytes of `data`.
PictureFormat detectPictureFormat(const void* data, std::size_t size);
}  // namespace kesto::automation
