#include <connect/Connect.h>

#include <registry/Registry.h>

namespace kesto::connect {

namespace {

using registry::Hive;

std::string connectionKey(std::string_view name) {
  std::string key(kConnectionsKey);
  key += '\\';
  key += name;
  return key;
}

}  // namespace

std::vector<SavedConnection> savedConnections() {
  std::vector<SavedConnection> result;
  for (std::string& name : registry::subkeys(Hive::CurrentUser, kConnectionsKey)) {
    const auto value = registry::getValue(Hive::CurrentUser, connectionKey(name), "");
    std::string text = value ? registry::toText(*value) : std::string();
    result.push_back({std::move(name), std::move(text)});
  }
  return result;
}

std::string FindConnection(std::string_view name, int /*reserved*/) {
  // A "\" would address a key below another connection, an empty name the list's own key.
  if (name.empty() || name.find('\\') != std::string_view::npos) return {};
  const auto value = registry::getValue(Hive::CurrentUser, connectionKey(name), "");
  return value ? registry::toText(*value) : std::string();
}

ResourceHandle GetLocalizedResources(std::string_view /*pattern*/, ModuleInstance /*module*/) {
  return nullptr;
}

void FreeLocalizedResources(ResourceHandle /*resources*/, ModuleInstance /*module*/) {}

}  // namespace kesto::connect
