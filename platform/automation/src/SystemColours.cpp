#include <automation/SystemColours.h>

#include <array>

namespace kesto::automation {

std::uint32_t GetSysColor(int index) {
  // The classic light scheme: grey faces, white windows, black text, navy highlight.
  static constexpr std::array<std::uint32_t, 31> palette{
      0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
      0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF6633, 0xC8D0D4};
  if (index < 0 || index >= static_cast<int>(palette.size())) return 0;
  return palette[static_cast<std::size_t>(index)];
}

std::uint32_t translateColour(OLE_COLOR colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFFFu));
  return colour & 0x00FFFFFFu;
}

}  // namespace kesto::automation
