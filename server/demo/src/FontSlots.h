#pragma once
// The 72 font slots of the sign layouts: kind letter, description, value, price extras.

#include <span>

namespace kesto::server::demo {

struct FontSlot {
  char kind;              // 'E' single line, 'B' text box, 'P' price
  const char* text;       // description after the kind letter (display text)
  const char* value;      // fields 1-9 joined by "@"
  const char* extras;     // "P" slots: the ten price extras of "FONTnnn_PZ"
};

std::span<const FontSlot> fontSlots();  // slot n at index n - 1

}  // namespace kesto::server::demo
