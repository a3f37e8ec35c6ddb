// The per-user settings store: HKCU "Software\VB and VBA Program Settings\<app>\<section>",
// one string value per key. An application name may contain "\" to nest keys
// ("Vovida\Eigenbau"). Names compare without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::registry {

inline constexpr std::string_view kSettingsRoot = "Software\\VB and VBA Program Settings";

// The registry key path (below HKCU) of a section, or of an application with section "".
std::string settingsKeyPath(std::string_view appName, std::string_view section = {});

// The stored text, or defaultValue when the application, section or key is missing.
std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                       std::string_view defaultValue = {});

// Creates what is missing. Throws RegistryError when a name is empty or the store cannot
// be saved.
void SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                 std::string_view value);

// Deletes one key, or with key "" the whole section, or with section "" too the whole
// application, each with everything below it. False when there was nothing to delete.
bool DeleteSetting(std::string_view appName, std::string_view section = {},
                   std::string_view key = {});

// The keys and texts of a section in stored order; empty when the section is missing.
std::vector<std::pair<std::string, std::string>> GetAllSettings(std::string_view appName,
                                                                std::string_view section);

}  // namespace kesto::registry
