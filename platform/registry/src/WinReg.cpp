#include "registry/WinReg.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <new>
#include <string>

#include "registry/Registry.h"
#include "text/CodePage.h"

namespace {

using kesto::registry::Hive;
using kesto::registry::Value;

// What a handle stands for. Roots we do not keep (HKEY_USERS ...) are empty and read-only.
struct OpenKey {
  Hive hive = Hive::CurrentUser;
  std::string path;
  bool emptyRoot = false;
};

std::mutex handleMutex;
std::map<std::uintptr_t, OpenKey> handles;
std::uintptr_t nextHandle = 0x1000;

std::int32_t resolve(HKEY key, OpenKey& out) {
  const auto raw = reinterpret_cast<std::uintptr_t>(key);
  switch (raw) {
    case 0x80000000: out = {Hive::ClassesRoot, "", false}; return ERROR_SUCCESS;
    case 0x80000001: out = {Hive::CurrentUser, "", false}; return ERROR_SUCCESS;
    case 0x80000002: out = {Hive::LocalMachine, "", false}; return ERROR_SUCCESS;
    case 0x80000003:
    case 0x80000005:
    case 0x80000006: out = {Hive::CurrentUser, "", true}; return ERROR_SUCCESS;
    default: break;
  }
  std::lock_guard lock(handleMutex);
  auto it = handles.find(raw);
  if (it == handles.end()) return ERROR_INVALID_HANDLE;
  out = it->second;
  return ERROR_SUCCESS;
}

HKEY newHandle(OpenKey key) {
  std::lock_guard lock(handleMutex);
  const std::uintptr_t raw = nextHandle;
  nextHandle += 4;
  handles.emplace(raw, std::move(key));
  return reinterpret_cast<HKEY>(raw);
}

std::string childPath(const std::string& parent, const char* subKey) {
  if (!subKey || !*subKey) return parent;
  return parent.empty() ? std::string(subKey) : parent + '\\' + subKey;
}

// Runs a registry call, turning its failures into return codes.
template <typename Call>
std::int32_t guarded(std::int32_t failure, Call&& call) {
  try {
    return call();
  } catch (const kesto::registry::RegistryError&) {
    return failure;
  } catch (const std::filesystem::filesystem_error&) {
    return failure;
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// Resolves a handle that must name an existing key.
std::int32_t existingKey(HKEY key, OpenKey& out) {
  if (const std::int32_t rc = resolve(key, out); rc != ERROR_SUCCESS) return rc;
  if (out.emptyRoot || out.path.empty()) return ERROR_SUCCESS;
  return guarded(ERROR_CANTREAD, [&] {
    return kesto::registry::keyExists(out.hive, out.path) ? ERROR_SUCCESS : ERROR_KEY_DELETED;
  });
}

std::int32_t copyName(const std::string& name, char* buffer, std::uint32_t* length) {
  if (!buffer || !length) return ERROR_INVALID_PARAMETER;
  if (name.size() + 1 > *length) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *length = static_cast<std::uint32_t>(name.size());
  return ERROR_SUCCESS;
}

std::int32_t copyData(const Value& value, std::uint32_t* type, unsigned char* data,
                      std::uint32_t* dataSize) {
  std::string bytes;
  std::uint32_t kind = REG_SZ;
  if (const auto* text = std::get_if<std::string>(&value)) {
    bytes.assign(text->c_str(), text->size() + 1);
  } else if (const auto* number = std::get_if<std::uint32_t>(&value)) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(*number >> shift));
    kind = REG_DWORD;
  } else {
    const auto& binary = std::get<kesto::registry::Binary>(value);
    bytes.assign(binary.begin(), binary.end());
    kind = REG_BINARY;
  }
  if (type) *type = kind;
  if (!dataSize) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  const std::uint32_t capacity = *dataSize;
  *dataSize = static_cast<std::uint32_t>(bytes.size());
  if (!data) return ERROR_SUCCESS;
  if (bytes.size() > capacity) return ERROR_MORE_DATA;
  std::memcpy(data, bytes.data(), bytes.size());
  return ERROR_SUCCESS;
}

}  // namespace

std::int32_t RegOpenKeyEx(HKEY key, const char* subKey, std::uint32_t, std::uint32_t,
                          HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey parent;
  if (const std::int32_t rc = existingKey(key, parent); rc != ERROR_SUCCESS) return rc;
  OpenKey child{parent.hive, childPath(parent.path, subKey), parent.emptyRoot};
  if (child.emptyRoot && child.path != parent.path) return ERROR_FILE_NOT_FOUND;
  return guarded(ERROR_FILE_NOT_FOUND, [&] {
    if (!child.emptyRoot && !kesto::registry::keyExists(child.hive, child.path)) {
      return ERROR_FILE_NOT_FOUND;
    }
    *result = newHandle(std::move(child));
    return ERROR_SUCCESS;
  });
}

std::int32_t RegCreateKeyEx(HKEY key, const char* subKey, std::uint32_t, char*, std::uint32_t,
                            std::uint32_t, const void*, HKEY* result, std::uint32_t* disposition) {
  if (!result || !subKey) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey parent;
  if (const std::int32_t rc = existingKey(key, parent); rc != ERROR_SUCCESS) return rc;
  if (parent.emptyRoot) return ERROR_ACCESS_DENIED;
  if (!kesto::text::isValidUtf8(subKey)) return ERROR_INVALID_PARAMETER;
  OpenKey child{parent.hive, childPath(parent.path, subKey), false};
  return guarded(ERROR_CANTWRITE, [&] {
    const bool existed = kesto::registry::keyExists(child.hive, child.path);
    if (!existed) kesto::registry::createKey(child.hive, child.path);
    if (disposition) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = newHandle(std::move(child));
    return ERROR_SUCCESS;
  });
}

std::int32_t RegCloseKey(HKEY key) {
  const auto raw = reinterpret_cast<std::uintptr_t>(key);
  if (raw >= 0x80000000 && raw <= 0x80000006) return ERROR_SUCCESS;
  std::lock_guard lock(handleMutex);
  return handles.erase(raw) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

std::int32_t RegQueryValueEx(HKEY key, const char* name, std::uint32_t*, std::uint32_t* type,
                             unsigned char* data, std::uint32_t* dataSize) {
  OpenKey at;
  if (const std::int32_t rc = existingKey(key, at); rc != ERROR_SUCCESS) return rc;
  if (at.emptyRoot) return ERROR_FILE_NOT_FOUND;
  return guarded(ERROR_CANTREAD, [&] {
    const auto value = kesto::registry::getValue(at.hive, at.path, name ? name : "");
    return value ? copyData(*value, type, data, dataSize) : ERROR_FILE_NOT_FOUND;
  });
}

std::int32_t RegSetValueEx(HKEY key, const char* name, std::uint32_t, std::uint32_t type,
                           const unsigned char* data, std::uint32_t dataSize) {
  OpenKey at;
  if (const std::int32_t rc = existingKey(key, at); rc != ERROR_SUCCESS) return rc;
  if (at.emptyRoot) return ERROR_ACCESS_DENIED;
  if (dataSize > 0 && !data) return ERROR_INVALID_PARAMETER;
  Value value;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    const char* text = reinterpret_cast<const char*>(data);
    value = std::string(text, dataSize ? strnlen(text, dataSize) : 0);
  } else if (type == REG_BINARY) {
    value = kesto::registry::Binary(data, data + dataSize);
  } else if (type == REG_DWORD && dataSize == 4) {
    value = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16 |
            std::uint32_t{data[3]} << 24;
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  const char* valueName = name ? name : "";
  if (!kesto::text::isValidUtf8(valueName) ||
      (std::holds_alternative<std::string>(value) &&
       !kesto::text::isValidUtf8(std::get<std::string>(value)))) {
    return ERROR_INVALID_PARAMETER;
  }
  return guarded(ERROR_CANTWRITE, [&] {
    kesto::registry::setValue(at.hive, at.path, valueName, value);
    return ERROR_SUCCESS;
  });
}

std::int32_t RegEnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                          std::uint32_t*, char* keyClass, std::uint32_t* classLength, void*) {
  OpenKey at;
  if (const std::int32_t rc = existingKey(key, at); rc != ERROR_SUCCESS) return rc;
  if (at.emptyRoot) return ERROR_NO_MORE_ITEMS;
  return guarded(ERROR_CANTREAD, [&] {
    const std::vector<std::string> names = kesto::registry::subkeys(at.hive, at.path);
    if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
    if (keyClass && classLength && *classLength > 0) {
      *keyClass = '\0';
      *classLength = 0;
    }
    return copyName(names[index], name, nameLength);
  });
}

std::int32_t RegEnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                          std::uint32_t*, std::uint32_t* type, unsigned char* data,
                          std::uint32_t* dataSize) {
  OpenKey at;
  if (const std::int32_t rc = existingKey(key, at); rc != ERROR_SUCCESS) return rc;
  if (at.emptyRoot) return ERROR_NO_MORE_ITEMS;
  return guarded(ERROR_CANTREAD, [&] {
    const auto entries = kesto::registry::values(at.hive, at.path);
    if (index >= entries.size()) return ERROR_NO_MORE_ITEMS;
    if (const std::int32_t rc = copyName(entries[index].first, name, nameLength);
        rc != ERROR_SUCCESS) {
      return rc;
    }
    return copyData(entries[index].second, type, data, dataSize);
  });
}

std::int32_t RegDeleteKey(HKEY key, const char* subKey) {
  if (!subKey || !*subKey) return ERROR_INVALID_PARAMETER;
  OpenKey parent;
  if (const std::int32_t rc = existingKey(key, parent); rc != ERROR_SUCCESS) return rc;
  if (parent.emptyRoot) return ERROR_FILE_NOT_FOUND;
  const std::string path = childPath(parent.path, subKey);
  return guarded(ERROR_CANTWRITE, [&] {
    if (!kesto::registry::keyExists(parent.hive, path)) return ERROR_FILE_NOT_FOUND;
    return kesto::registry::deleteKey(parent.hive, path) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  });
}

std::int32_t RegDeleteValue(HKEY key, const char* name) {
  OpenKey at;
  if (const std::int32_t rc = existingKey(key, at); rc != ERROR_SUCCESS) return rc;
  if (at.emptyRoot) return ERROR_FILE_NOT_FOUND;
  return guarded(ERROR_CANTWRITE, [&] {
    return kesto::registry::deleteValue(at.hive, at.path, name ? name : "") ? ERROR_SUCCESS
                                                                             : ERROR_FILE_NOT_FOUND;
  });
}
