#include "KeyTree.h"

#include "text/Compare.h"

namespace kesto::registry::detail {

using nlohmann::json;

KeyNode* KeyNode::findSubkey(std::string_view subkeyName) {
  for (KeyNode& key : subkeys) {
    if (text::equalsNoCaseUtf8(key.name, subkeyName)) return &key;
  }
  return nullptr;
}

KeyNode& KeyNode::subkey(std::string_view subkeyName, bool& created) {
  if (KeyNode* existing = findSubkey(subkeyName)) return *existing;
  created = true;
  subkeys.push_back(KeyNode{std::string(subkeyName), {}, {}});
  return subkeys.back();
}

const Value* KeyNode::findValue(std::string_view valueName) const {
  for (const auto& [name, value] : values) {
    if (text::equalsNoCaseUtf8(name, valueName)) return &value;
  }
  return nullptr;
}

std::vector<std::string> splitPath(std::string_view keyPath) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= keyPath.size()) {
    std::size_t end = keyPath.find('\\', start);
    if (end == std::string_view::npos) end = keyPath.size();
    if (end > start) names.emplace_back(keyPath.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

KeyNode* findKey(KeyNode& root, const std::vector<std::string>& path) {
  KeyNode* key = &root;
  for (const std::string& name : path) {
    key = key->findSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

KeyNode& createKey(KeyNode& root, const std::vector<std::string>& path, bool& created) {
  KeyNode* key = &root;
  for (const std::string& name : path) key = &key->subkey(name, created);
  return *key;
}

namespace {

Binary bytesFromHex(const std::string& hex) {
  const auto digit = [&](char c) -> std::uint8_t {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    throw RegistryError("registry file: bad binary value \"" + hex + "\"");
  };
  if (hex.size() % 2) throw RegistryError("registry file: bad binary value \"" + hex + "\"");
  Binary bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(digit(hex[i]) << 4 | digit(hex[i + 1])));
  return bytes;
}

json keyToJson(const KeyNode& key) {
  json values = json::array();
  for (const auto& [name, value] : key.values) {
    if (const auto* text = std::get_if<std::string>(&value)) {
      values.push_back({{"name", name}, {"sz", *text}});
    } else if (const auto* number = std::get_if<std::uint32_t>(&value)) {
      values.push_back({{"name", name}, {"dword", *number}});
    } else {
      values.push_back({{"name", name}, {"binary", toText(value)}});
    }
  }
  json subkeys = json::array();
  for (const KeyNode& subkey : key.subkeys) subkeys.push_back(keyToJson(subkey));
  return {{"name", key.name}, {"values", values}, {"keys", subkeys}};
}

KeyNode keyFromJson(const json& node) {
  KeyNode key;
  key.name = node.at("name").get<std::string>();
  for (const json& value : node.at("values")) {
    std::string name = value.at("name").get<std::string>();
    if (value.contains("sz")) {
      key.values.emplace_back(std::move(name), value["sz"].get<std::string>());
    } else if (value.contains("binary")) {
      key.values.emplace_back(std::move(name), bytesFromHex(value["binary"].get<std::string>()));
    } else {
      key.values.emplace_back(std::move(name), value.at("dword").get<std::uint32_t>());
    }
  }
  for (const json& subkey : node.at("keys")) key.subkeys.push_back(keyFromJson(subkey));
  return key;
}

constexpr const char* kFormat = "kesto-registry-hive";

}  // namespace

json toJson(const KeyNode& root) {
  return {{"format", kFormat}, {"version", 1}, {"root", keyToJson(root)}};
}

KeyNode fromJson(const json& document) {
  try {
    if (document.at("format") != kFormat || document.at("version") != 1) {
      throw RegistryError("not a registry hive of a known version");
    }
    return keyFromJson(document.at("root"));
  } catch (const json::exception& e) {
    throw RegistryError(std::string("damaged registry hive: ") + e.what());
  }
}

}  // namespace kesto::registry::detail
