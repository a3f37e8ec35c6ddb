// What the library keeps in the current user's registry: the "Debug" switch and the saved
// connections.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto::object {

// The library's profile root is "Software" \ "Norvane" \ the library's title.
inline constexpr std::string_view kProfileKey = "Software\\Norvane\\KestoObject";
inline constexpr std::string_view kDebugKey = "Software\\Norvane\\KestoObject\\Debug";

// The default value of the "Debug" key: nonzero turns the debug log on for each Factory
// made afterwards. A missing value (or one that is not a number) reads as 0, and 0 is
// written back so that the switch is there for the user to find.
std::uint32_t ReadDebugSetting();

// The saved connections as "name,connect text" joined by ";"; the empty text when there
// are none or the key is missing.
std::string GetConnectionList();

}  // namespace kesto::object
