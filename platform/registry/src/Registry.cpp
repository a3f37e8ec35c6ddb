#include "registry/Registry.h"

#include <map>
#include <memory>
#include <mutex>

#include "HiveFile.h"
#include "services/Paths.h"
#include "text/CodePage.h"
#include "text/Compare.h"

namespace kesto::registry {
namespace {

using detail::HiveFile;
using detail::KeyNode;

std::mutex registryMutex;

// The file of a hive below the current root folder. The root is read on every call, so
// a test that points KESTO_ROOT elsewhere gets a fresh registry.
HiveFile& hiveFile(Hive hive) {
  static std::map<std::filesystem::path, std::unique_ptr<HiveFile>> files;
  const char* name = hive == Hive::CurrentUser ? "HKEY_CURRENT_USER.json" : "HKEY_LOCAL_MACHINE.json";
  std::filesystem::path root;
  try {
    root = services::rootFolder();
  } catch (const std::exception& e) {
    throw RegistryError(std::string("no folder for the registry: ") + e.what());
  }
  const std::filesystem::path file = root / "registry" / name;
  auto& slot = files[file];
  if (!slot) slot = std::make_unique<HiveFile>(file);
  return *slot;
}

struct Location {
  HiveFile& file;
  std::vector<std::string> path;
  bool isHiveRoot;  // the path names the root the caller sees
};

Location locate(Hive hive, std::string_view keyPath) {
  std::vector<std::string> path = detail::splitPath(keyPath);
  const bool isHiveRoot = path.empty();
  if (hive == Hive::ClassesRoot) path.insert(path.begin(), {"SOFTWARE", "Classes"});
  return {hiveFile(hive), std::move(path), isHiveRoot};
}

void requireUtf8(std::string_view text, const char* what) {
  if (!text::isValidUtf8(text)) {
    throw RegistryError(std::string("registry ") + what + " is not valid UTF-8");
  }
}

const KeyNode* findForReading(const Location& at) {
  return detail::findKey(at.file.read(), at.path);
}

}  // namespace

std::optional<Value> getValue(Hive hive, std::string_view keyPath, std::string_view name) {
  std::lock_guard lock(registryMutex);
  const Location at = locate(hive, keyPath);
  const KeyNode* key = findForReading(at);
  if (!key) return std::nullopt;
  const Value* value = key->findValue(name);
  return value ? std::optional<Value>(*value) : std::nullopt;
}

std::optional<std::string> getString(Hive hive, std::string_view keyPath, std::string_view name) {
  std::optional<Value> value = getValue(hive, keyPath, name);
  if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
  return std::get<std::string>(std::move(*value));
}

void setValue(Hive hive, std::string_view keyPath, std::string_view name, const Value& value) {
  requireUtf8(keyPath, "key path");
  requireUtf8(name, "value name");
  if (const auto* text = std::get_if<std::string>(&value)) requireUtf8(*text, "text");
  std::lock_guard lock(registryMutex);
  const Location at = locate(hive, keyPath);
  at.file.modify([&](KeyNode& root) {
    bool created = false;
    KeyNode& key = detail::createKey(root, at.path, created);
    for (auto& [existingName, existing] : key.values) {
      if (text::equalsNoCaseUtf8(existingName, name)) {
        if (existing == value && !created) return false;
        existing = value;
        return true;
      }
    }
    key.values.emplace_back(std::string(name), value);
    return true;
  });
}

bool keyExists(Hive hive, std::string_view keyPath) {
  std::lock_guard lock(registryMutex);
  return findForReading(locate(hive, keyPath)) != nullptr;
}

void createKey(Hive hive, std::string_view keyPath) {
  requireUtf8(keyPath, "key path");
  std::lock_guard lock(registryMutex);
  const Location at = locate(hive, keyPath);
  at.file.modify([&](KeyNode& root) {
    bool created = false;
    detail::createKey(root, at.path, created);
    return created;
  });
}

std::vector<std::string> subkeys(Hive hive, std::string_view keyPath) {
  std::lock_guard lock(registryMutex);
  std::vector<std::string> names;
  if (const KeyNode* key = findForReading(locate(hive, keyPath))) {
    for (const KeyNode& subkey : key->subkeys) names.push_back(subkey.name);
  }
  return names;
}

std::vector<std::pair<std::string, Value>> values(Hive hive, std::string_view keyPath) {
  std::lock_guard lock(registryMutex);
  const KeyNode* key = findForReading(locate(hive, keyPath));
  return key ? key->values : std::vector<std::pair<std::string, Value>>{};
}

namespace {

// Removes the key at the end of the path; with leafOnly only when it has no subkeys.
bool removeKey(Hive hive, std::string_view keyPath, bool leafOnly) {
  std::lock_guard lock(registryMutex);
  const Location at = locate(hive, keyPath);
  if (at.isHiveRoot) return false;
  return at.file.modify([&](KeyNode& root) {
    std::vector<std::string> parentPath(at.path.begin(), at.path.end() - 1);
    KeyNode* parent = detail::findKey(root, parentPath);
    KeyNode* key = parent ? parent->findSubkey(at.path.back()) : nullptr;
    if (!key || (leafOnly && !key->subkeys.empty())) return false;
    parent->subkeys.erase(parent->subkeys.begin() + (key - parent->subkeys.data()));
    return true;
  });
}

}  // namespace

bool deleteKey(Hive hive, std::string_view keyPath) { return removeKey(hive, keyPath, true); }

bool deleteTree(Hive hive, std::string_view keyPath) { return removeKey(hive, keyPath, false); }

bool deleteValue(Hive hive, std::string_view keyPath, std::string_view name) {
  std::lock_guard lock(registryMutex);
  const Location at = locate(hive, keyPath);
  return at.file.modify([&](KeyNode& root) {
    KeyNode* key = detail::findKey(root, at.path);
    if (!key) return false;
    for (auto it = key->values.begin(); it != key->values.end(); ++it) {
      if (text::equalsNoCaseUtf8(it->first, name)) {
        key->values.erase(it);
        return true;
      }
    }
    return false;
  });
}

std::string toText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::uint32_t>(&value)) return std::to_string(*number);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string hex;
  for (const std::uint8_t byte : std::get<Binary>(value)) {
    hex += kHex[byte >> 4];
    hex += kHex[byte & 15];
  }
  return hex;
}

}  // namespace kesto::registry
