#include "activex/Colour.h"

#include <array>

namespace kesto::activex {

namespace {

// Fixed system colours (index = low byte of the value), so that output is the same on
// every desktop. 0x0F and 0x16 are the ones the layouts use; the rest keep a plain
// light theme.
constexpr std::array<Rgb, 25> systemColours = {{
    {200, 200, 200},  // 0x00 scroll bar
    {0, 78, 152},     // 0x01 desktop
    {153, 180, 209},  // 0x02 active caption
    {191, 205, 219},  // 0x03 inactive caption
    {240, 240, 240},  // 0x04 menu
    {255, 255, 255},  // 0x05 window
    {100, 100, 100},  // 0x06 window frame
    {0, 0, 0},        // 0x07 menu text
    {0, 0, 0},        // 0x08 window text
    {0, 0, 0},        // 0x09 caption text
    {180, 180, 180},  // 0x0A active border
    {244, 247, 252},  // 0x0B inactive border
    {171, 171, 171},  // 0x0C application workspace
    {0, 120, 215},    // 0x0D highlight
    {255, 255, 255},  // 0x0E highlight text
    {240, 240, 240},  // 0x0F button face
    {160, 160, 160},  // 0x10 button shadow
    {109, 109, 109},  // 0x11 grey text
    {0, 0, 0},        // 0x12 button text
    {67, 78, 84},     // 0x13 inactive caption text
    {255, 255, 255},  // 0x14 button highlight
    {105, 105, 105},  // 0x15 3D dark shadow
    {227, 227, 227},  // 0x16 3D light
    {0, 0, 0},        // 0x17 tool tip text
    {255, 255, 225},  // 0x18 tool tip background
}};

} // namespace

Rgb resolveColour(Colour c)
{
    if (c & systemColourFlag) {
        const auto index = c & 0xFFu;
        if ((c & 0x7FFFFF00u) == 0 && index < systemColours.size())
            return systemColours[index];
        return {};
    }
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

} // namespace kesto::activex
