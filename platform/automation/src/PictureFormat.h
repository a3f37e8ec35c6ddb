#pragma once

#include <automation/Picture.h>

#include <cstdint>

namespace kesto::automation {

struct PixelSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Size from the header of a loadable format; false when the header is cut short.
bool pictureSize(PictureFormat format, const void* data, std::size_t size, PixelSize& out);

}  // namespace kesto::automation
