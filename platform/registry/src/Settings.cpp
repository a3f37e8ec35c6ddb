#include "registry/Settings.h"

#include "registry/Registry.h"

namespace kesto::registry {

std::string settingsKeyPath(std::string_view appName, std::string_view section) {
  std::string path(kSettingsRoot);
  path += '\\';
  path += appName;
  if (!section.empty()) {
    path += '\\';
    path += section;
  }
  return path;
}

std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  if (appName.empty() || section.empty() || key.empty()) return std::string(defaultValue);
  const std::optional<Value> value =
      getValue(Hive::CurrentUser, settingsKeyPath(appName, section), key);
  return value ? toText(*value) : std::string(defaultValue);
}

void SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                 std::string_view value) {
  if (appName.empty() || section.empty() || key.empty()) {
    throw RegistryError("SaveSetting needs an application, a section and a key name");
  }
  setValue(Hive::CurrentUser, settingsKeyPath(appName, section), key, std::string(value));
}

bool DeleteSetting(std::string_view appName, std::string_view section, std::string_view key) {
  if (appName.empty()) return false;
  if (section.empty()) return deleteTree(Hive::CurrentUser, settingsKeyPath(appName));
  const std::string path = settingsKeyPath(appName, section);
  return key.empty() ? deleteTree(Hive::CurrentUser, path)
                     : deleteValue(Hive::CurrentUser, path, key);
}

std::vector<std::pair<std::string, std::string>> GetAllSettings(std::string_view appName,
                                                                std::string_view section) {
  std::vector<std::pair<std::string, std::string>> settings;
  if (appName.empty() || section.empty()) return settings;
  for (const auto& [name, value] : values(Hive::CurrentUser, settingsKeyPath(appName, section))) {
    settings.emplace_back(name, toText(value));
  }
  return settings;
}

}  // namespace kesto::registry
