#include <kestoobject/Profile.h>

#include <connect/Connect.h>
#include <registry/Registry.h>

#include <variant>

namespace kesto::object {

using registry::Hive;

std::uint32_t ReadDebugSetting() {
  const auto value = registry::getValue(Hive::CurrentUser, kDebugKey, "");
  const std::uint32_t* number = value ? std::get_if<std::uint32_t>(&*value) : nullptr;
  const std::uint32_t debug = number ? *number : 0;
  if (debug == 0) registry::setValue(Hive::CurrentUser, kDebugKey, "", std::uint32_t{0});
  return debug;
}

std::string GetConnectionList() {
  std::string list;
  for (const connect::SavedConnection& connection : connect::savedConnections()) {
    if (!list.empty()) list += ';';
    list += connection.name;
    list += ',';
    list += connection.connectText;
  }
  return list;
}

}  // namespace kesto::object
