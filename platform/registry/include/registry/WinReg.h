// Windows-style calls over <registry/Registry.h>, with narrow (UTF-8) names and texts.
// Return codes are the platform's ERROR_* values.
#pragma once

#include <cstdint>

using HKEY = struct KestoRegistryKey*;

// Predefined keys, with the platform's values.
inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003});
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t{0x80000005});
inline const HKEY HKEY_DYN_DATA = reinterpret_cast<HKEY>(std::uintptr_t{0x80000006});

inline constexpr std::int32_t ERROR_SUCCESS = 0;
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::int32_t ERROR_MORE_DATA = 234;
inline constexpr std::int32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr std::int32_t ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr std::int32_t ERROR_CANTREAD = 1012;   // a hive file cannot be read
inline constexpr std::int32_t ERROR_CANTWRITE = 1013;  // a hive file cannot be saved
inline constexpr std::int32_t ERROR_KEY_DELETED = 1018;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_WRITE = 0x20006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// HKEY_USERS, HKEY_CURRENT_CONFIG and HKEY_DYN_DATA hold nothing here: opening below them
// gives ERROR_FILE_NOT_FOUND, creating ERROR_ACCESS_DENIED. Access rights are not checked.
// Every opened key must be closed with RegCloseKey; unknown handles give ERROR_INVALID_HANDLE.

std::int32_t RegOpenKeyEx(HKEY key, const char* subKey, std::uint32_t options,
                          std::uint32_t samDesired, HKEY* result);
std::int32_t RegCreateKeyEx(HKEY key, const char* subKey, std::uint32_t reserved, char* keyClass,
                            std::uint32_t options, std::uint32_t samDesired,
                            const void* securityAttributes, HKEY* result,
                            std::uint32_t* disposition);
std::int32_t RegCloseKey(HKEY key);

// A string's size counts its terminating NUL. With data null only *type and *dataSize are
// filled in; a too small buffer gives ERROR_MORE_DATA and the size needed in *dataSize.
std::int32_t RegQueryValueEx(HKEY key, const char* name, std::uint32_t* reserved,
                             std::uint32_t* type, unsigned char* data, std::uint32_t* dataSize);
// REG_SZ and REG_EXPAND_SZ (stored as REG_SZ) take text up to the first NUL within dataSize;
// REG_DWORD takes exactly 4 bytes. Other types give ERROR_INVALID_PARAMETER.
std::int32_t RegSetValueEx(HKEY key, const char* name, std::uint32_t reserved, std::uint32_t type,
                           const unsigned char* data, std::uint32_t dataSize);

// *nameLength: in, the buffer's size in characters with room for the NUL; out, the name's
// length without it. A too small buffer gives ERROR_MORE_DATA.
std::int32_t RegEnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                          std::uint32_t* reserved, char* keyClass, std::uint32_t* classLength,
                          void* lastWriteTime);
std::int32_t RegEnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                          std::uint32_t* reserved, std::uint32_t* type, unsigned char* data,
                          std::uint32_t* dataSize);

// Leaf keys only.
std::int32_t RegDeleteKey(HKEY key, const char* subKey);
std::int32_t RegDeleteValue(HKEY key, const char* name);
