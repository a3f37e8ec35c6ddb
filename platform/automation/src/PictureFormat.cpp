// Picture formats by signature, and the pixel size their headers give.
#include "PictureFormat.h"

#include <cstring>

namespace kesto::automation {

namespace {

unsigned le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
unsigned be16(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }
std::uint32_t be32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool startsWith(const std::uint8_t* d, std::size_t n, const char* sig, std::size_t len) {
  return n >= len && std::memcmp(d, sig, len) == 0;
}

bool jpegSize(const std::uint8_t* d, std::size_t n, PixelSize& size) {
  std::size_t pos = 2;
  while (pos + 4 <= n) {
    if (d[pos] != 0xFF) return false;
    const std::uint8_t marker = d[pos + 1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;
      continue;
    }
    const std::size_t length = be16(d + pos + 2);
    if (length < 2) return false;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (pos + 9 > n) return false;
      size = {be16(d + pos + 7), be16(d + pos + 5)};
      return true;
    }
    pos += 2 + length;
  }
  return false;
}

}  // namespace

PictureFormat detectPictureFormat(const void* data, std::size_t n) {
  const auto* d = static_cast<const std::uint8_t*>(data);
  if (!d) return PictureFormat::Unknown;
  if (startsWith(d, n, "BM", 2)) return PictureFormat::Bmp;
  if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return PictureFormat::Jpeg;
  if (startsWith(d, n, "GIF87a", 6) || startsWith(d, n, "GIF89a", 6)) return PictureFormat::Gif;
  if (startsWith(d, n, "\x89PNG\r\n\x1a\n", 8)) return PictureFormat::Png;
  if (startsWith(d, n, "\0\0\1\0", 4)) return PictureFormat::Ico;
  if (startsWith(d, n, "\xD7\xCD\xC6\x9A", 4) || startsWith(d, n, "\1\0\x09\0", 4) ||
      startsWith(d, n, "\2\0\x09\0", 4))
    return PictureFormat::Wmf;
  if (n >= 44 && le32(d) == 1 && std::memcmp(d + 40, " EMF", 4) == 0) return PictureFormat::Emf;
  return PictureFormat::Unknown;
}

bool pictureSize(PictureFormat format, const void* data, std::size_t n, PixelSize& size) {
  const auto* d = static_cast<const std::uint8_t*>(data);
  switch (format) {
    case PictureFormat::Bmp: {
      if (n < 26) return false;
      if (le32(d + 14) == 12) {  // old core header: 16-bit sizes
        size = {le16(d + 18), le16(d + 20)};
        return true;
      }
      const auto w = static_cast<std::int32_t>(le32(d + 18));
      const auto h = static_cast<std::int32_t>(le32(d + 22));  // negative: top-down rows
      size = {static_cast<std::uint32_t>(w < 0 ? -static_cast<std::int64_t>(w) : w),
              static_cast<std::uint32_t>(h < 0 ? -static_cast<std::int64_t>(h) : h)};
      return true;
    }
    case PictureFormat::Png:
      if (n < 24 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
      size = {be32(d + 16), be32(d + 20)};
      return true;
    case PictureFormat::Gif:
      if (n < 10) return false;
      size = {le16(d + 6), le16(d + 8)};
      return true;
    case PictureFormat::Ico:
      if (n < 22 || le16(d + 4) == 0) return false;
      size = {d[6] ? d[6] : 256u, d[7] ? d[7] : 256u};
      return true;
    case PictureFormat::Jpeg:
      return jpegSize(d, n, size);
    default:
      return false;
  }
}

}  // namespace kesto::automation
