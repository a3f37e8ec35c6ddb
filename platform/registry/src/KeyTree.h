// The in-memory tree of one hive and its JSON form.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry/Registry.h"

namespace kesto::registry::detail {

struct KeyNode {
  std::string name;
  std::vector<std::pair<std::string, Value>> values;  // in the order of creation
  std::vector<KeyNode> subkeys;                       // in the order of creation

  KeyNode* findSubkey(std::string_view subkeyName);
  // Finds or appends the subkey; sets created when it was appended.
  KeyNode& subkey(std::string_view subkeyName, bool& created);
  const Value* findValue(std::string_view valueName) const;
};

// The names of a key path; empty names (from leading, doubled or trailing "\") are skipped.
std::vector<std::string> splitPath(std::string_view keyPath);

KeyNode* findKey(KeyNode& root, const std::vector<std::string>& path);
// Creates what is missing; sets created when anything was.
KeyNode& createKey(KeyNode& root, const std::vector<std::string>& path, bool& created);

nlohmann::json toJson(const KeyNode& root);
// Throws RegistryError when the document is not a hive.
KeyNode fromJson(const nlohmann::json& document);

}  // namespace kesto::registry::detail
