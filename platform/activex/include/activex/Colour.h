#pragma once

#include <cstdint>

namespace kesto::activex {

// Colours as the layout code passes them: 0x00BBGGRR (red in the low byte), or
// 0x80000000 | index for a system colour.
using Colour = std::uint32_t;

inline constexpr Colour systemColourFlag = 0x80000000u;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// System colours come from a fixed table, so that output does not depend on the
// desktop theme; an index the table lacks gives black.
Rgb resolveColour(Colour c);

} // namespace kesto::activex
