// The colour attributes a host may show: the index the colouring writes, the attribute's
// name and its default colours (0x8000000N is system colour N).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kesto::zentrel {

struct ColourAttribute {
  std::uint32_t id;
  const char16_t* name;
  std::uint32_t foreground;
  std::uint32_t background;
};

constexpr std::size_t kColourAttributeCount = 44;
const ColourAttribute* colourAttributes();  // kColourAttributeCount rows, id = index

}  // namespace kesto::zentrel
