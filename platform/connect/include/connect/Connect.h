// The connection library: named connections, the connection chooser and localized
// resources.
//
// Named connections live under HKCU "Software\Norvane\Connections": one subkey per
// connection, its name the connection name, its default value the connect text. Texts are
// UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kesto::connect {

inline constexpr std::string_view kConnectionsKey = "Software\\Norvane\\Connections";

struct SavedConnection {
  std::string name;
  std::string connectText;  // empty when the subkey has no default value
};

// The saved connections in enumeration order; none when the key is missing.
std::vector<SavedConnection> savedConnections();

// The connect text saved under name, or the empty text when there is none (reserved: 0).
std::string FindConnection(std::string_view name, int reserved = 0);

// Shows the connection chooser (see ConnectionChooser.h for who answers). Returns 0 when it
// was cancelled, else nonzero with the chosen text in text. title may be null; reserved and
// flags are 0.
int ConnectionDialog(void* reserved, std::string& text, const char* title, int flags);

using ModuleInstance = const void*;
using ResourceHandle = void*;

// The resource library of a module for the user's language, found by a name pattern with
// one "%s" for the language (for example "KestoObject%s.DLL"). No such libraries exist in
// this system, so the result is always null: callers keep their own resources.
ResourceHandle GetLocalizedResources(std::string_view pattern, ModuleInstance module);

// Gives back what GetLocalizedResources returned; null is accepted.
void FreeLocalizedResources(ResourceHandle resources, ModuleInstance module);

}  // namespace kesto::connect
