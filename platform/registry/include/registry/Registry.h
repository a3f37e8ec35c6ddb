// The registry: a tree of keys with string and 32-bit values per hive, kept in files under
// rootFolder()/"registry".
//
// Key paths use "\" between names (empty names are skipped, so a trailing "\" is harmless);
// key and value names compare without regard to case (ASCII and Latin-1 letters). Strings
// are UTF-8. Every change is saved at once, atomically: a process killed while saving
// leaves the previous state readable. A change saved by one process is seen by the next
// call of any other.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kesto::registry {

enum class Hive {
  ClassesRoot,   // LocalMachine\SOFTWARE\Classes
  CurrentUser,
  LocalMachine,
};

using Binary = std::vector<std::uint8_t>;
using Value = std::variant<std::string, std::uint32_t, Binary>;  // REG_SZ, REG_DWORD, REG_BINARY

// Thrown when a hive cannot be read or saved, or a name or text is not valid UTF-8.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// name "" is the key's default value.
std::optional<Value> getValue(Hive hive, std::string_view keyPath, std::string_view name);
// Only a string value; a missing value or a number gives nullopt.
std::optional<std::string> getString(Hive hive, std::string_view keyPath, std::string_view name);
// Creates missing keys. Replacing a value keeps its place in the key's value order.
void setValue(Hive hive, std::string_view keyPath, std::string_view name, const Value& value);

bool keyExists(Hive hive, std::string_view keyPath);
// Creates the key and its missing parents; an existing key is left as it is.
void createKey(Hive hive, std::string_view keyPath);
// Names as they were created (their case kept), in the order of creation.
std::vector<std::string> subkeys(Hive hive, std::string_view keyPath);
std::vector<std::pair<std::string, Value>> values(Hive hive, std::string_view keyPath);

// Leaf keys only: false when the key is missing, has subkeys, or is a hive's root.
bool deleteKey(Hive hive, std::string_view keyPath);
// The key and everything below it; false when it is missing or a hive's root.
bool deleteTree(Hive hive, std::string_view keyPath);
bool deleteValue(Hive hive, std::string_view keyPath, std::string_view name);

// A value as text: a string as it is, a number in decimal, bytes as two hex digits each.
std::string toText(const Value& value);

}  // namespace kesto::registry
