// A picture that keeps the bytes it was loaded from.
#include "PictureFormat.h"

#include <automation/DispatchTable.h>
#include <automation/Picture.h>

#include <atomic>
#include <vector>

namespace kesto::automation {

namespace {

std::atomic<OLE_HANDLE> nextHandle{1};

LONG himetric(std::uint32_t pixels) {  // 0.01 mm at 96 dots per inch
  return static_cast<LONG>((static_cast<std::int64_t>(pixels) * 2540 + 48) / 96);
}

class Picture final : public DispatchObject<Picture, IPictureDisp, IPicture> {
 public:
  Picture(std::vector<std::uint8_t> bytes, PictureFormat format, PixelSize size)
      : bytes_(std::move(bytes)), format_(format), size_(size), handle_(nextHandle++) {}

  static const DispatchTable<Picture>& dispatchTable();

  HRESULT get_Handle(OLE_HANDLE* handle) override {
    if (!handle) return E_POINTER;
    *handle = handle_;
    return S_OK;
  }
  HRESULT get_Type(SHORT* type) override {
    if (!type) return E_POINTER;
    *type = format_ == PictureFormat::Ico ? PICTYPE_ICON : PICTYPE_BITMAP;
    return S_OK;
  }
  HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override {
    if (!width) return E_POINTER;
    *width = himetric(size_.width);
    return S_OK;
  }
  HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override {
    if (!height) return E_POINTER;
    *height = himetric(size_.height);
    return S_OK;
  }
  HRESULT SaveAsFile(IStream* stream, BOOL, LONG* size) override {
    if (!stream) return E_POINTER;
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes_.data(), static_cast<ULONG>(bytes_.size()), &written);
    if (size) *size = static_cast<LONG>(written);
    return hr;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  PictureFormat format_;
  PixelSize size_;
  OLE_HANDLE handle_;
};

template <class Value, class Getter>
Member<Picture> property(std::u16string name, DISPID id, VARTYPE type, Getter getter) {
  return member<Picture>(std::move(name), id, kGet, {}, type, [getter](Picture& p, DispatchCall& c) {
    Value value{};
    if (HRESULT hr = (p.*getter)(&value); FAILED(hr)) throw ComError(hr, "picture property");
    c.result() = Variant(static_cast<std::int32_t>(value));
  });
}

const DispatchTable<Picture>& Picture::dispatchTable() {
  static const DispatchTable<Picture> table(
      "", {
              property<OLE_HANDLE>(u"Handle", 0, VT_I4, &Picture::get_Handle),
              property<OLE_XSIZE_HIMETRIC>(u"Width", 3, VT_I4, &Picture::get_Width),
              property<OLE_YSIZE_HIMETRIC>(u"Height", 4, VT_I4, &Picture::get_Height),
              property<SHORT>(u"Type", 5, VT_I2, &Picture::get_Type),
          });
  return table;
}

// Reads `size` bytes, or all that is left when size is 0.
HRESULT readAll(IStream* stream, LONG size, std::vector<std::uint8_t>& out) {
  constexpr ULONG kChunk = 64 * 1024;
  const bool bounded = size > 0;
  std::size_t left = bounded ? static_cast<std::size_t>(size) : 0;
  while (!bounded || left > 0) {
    const ULONG want = bounded ? static_cast<ULONG>(std::min<std::size_t>(left, kChunk)) : kChunk;
    const std::size_t at = out.size();
    out.resize(at + want);
    ULONG got = 0;
    const HRESULT hr = stream->Read(out.data() + at, want, &got);
    out.resize(at + got);
    if (FAILED(hr)) return hr;
    if (got == 0) break;
    left -= bounded ? got : 0;
  }
  return S_OK;
}

}  // namespace

}  // namespace kesto::automation

HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL, REFIID riid, void** object) {
  using namespace kesto::automation;
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!stream || size < 0) return E_INVALIDARG;
  try {
    std::vector<std::uint8_t> bytes;
    if (HRESULT hr = readAll(stream, size, bytes); FAILED(hr)) return hr;
    const PictureFormat format = detectPictureFormat(bytes.data(), bytes.size());
    PixelSize pixels;
    // Metafiles are recognised but cannot be shown here, so they do not load.
    if (format == PictureFormat::Wmf || format == PictureFormat::Emf ||
        !pictureSize(format, bytes.data(), bytes.size(), pixels))
      return CTL_E_INVALIDPICTURE;
    auto picture = Picture::create(std::move(bytes), format, pixels);
    return picture->QueryInterface(riid, object);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
