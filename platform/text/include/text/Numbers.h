// Number parsing with the C runtime's rules, but without undefined behaviour on overflow.
#pragma once

#include <string_view>

namespace kesto::text {

// Skips leading blanks (space, tab, CR, LF, VT, FF), takes one optional sign and then
// decimal digits up to the first other character. No digits gives 0. A value outside
// the int range saturates at INT_MIN or INT_MAX.
int atoi(std::string_view text);
int wtoi(std::u16string_view text);

}  // namespace kesto::text
