// Colours as controls take them (OLE_COLOR): 0x00BBGGRR, or 0x80000000 | n for system
// colour n, which translateColour() resolves to the fixed palette of this system.
#pragma once

#include <cstdint>

namespace kesto::automation {

using OLE_COLOR = std::uint32_t;

inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNTEXT = 18;

constexpr OLE_COLOR systemColour(int index) { return 0x80000000u | static_cast<OLE_COLOR>(index); }

// 0x00BBGGRR of system colour `index`; black for an index the palette lacks.
std::uint32_t GetSysColor(int index);
// A plain colour as it is, a system colour through GetSysColor (palette high byte ignored).
std::uint32_t translateColour(OLE_COLOR colour);

}  // namespace kesto::automation
