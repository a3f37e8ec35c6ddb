#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "FreshRoot.h"
#include "registry/Registry.h"
#include "registry/WinReg.h"

using WinReg = FreshRoot;

namespace {

HKEY create(HKEY parent, const char* path, std::uint32_t* disposition = nullptr) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
            ERROR_SUCCESS);
  return key;
}

std::int32_t setString(HKEY key, const char* name, const char* text) {
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const unsigned char*>(text),
                       static_cast<std::uint32_t>(std::strlen(text) + 1));
}

}  // namespace

TEST_F(WinReg, CreateReportsWhetherTheKeyIsNew) {
  std::uint32_t disposition = 0;
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Kesto", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  key = create(HKEY_CURRENT_USER, "software\\KESTO", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(WinReg, QueryReportsSizeAndMoreData) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Kesto");
  ASSERT_EQ(setString(key, "Server", "Hallo"), ERROR_SUCCESS);
  std::uint32_t type = 0, size = 0;
  ASSERT_EQ(RegQueryValueEx(key, "SERVER", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 6u);

  unsigned char buffer[8];
  size = 3;
  EXPECT_EQ(RegQueryValueEx(key, "Server", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(key, "Server", nullptr, &type, buffer, &size), ERROR_SUCCESS);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "Hallo");

  const unsigned char number[4] = {0x01, 0x02, 0x00, 0x80};
  ASSERT_EQ(RegSetValueEx(key, "Debug", 0, REG_DWORD, number, 4), ERROR_SUCCESS);
  std::uint32_t value = 0;
  size = 4;
  ASSERT_EQ(RegQueryValueEx(key, "Debug", nullptr, &type, reinterpret_cast<unsigned char*>(&value),
                            &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 0x80000201u);

  EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  const unsigned char bytes[] = {0x00, 0xFF, 0x7A, 0x00};
  ASSERT_EQ(RegSetValueEx(key, "Bin", 0, REG_BINARY, bytes, sizeof bytes), ERROR_SUCCESS);
  unsigned char back[8] = {};
  size = sizeof back;
  ASSERT_EQ(RegQueryValueEx(key, "Bin", nullptr, &type, back, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(std::vector<unsigned char>(back, back + size), std::vector<unsigned char>(bytes, bytes + 4));
  // Stored as hex in the hive file and read back from it.
  EXPECT_EQ(kesto::registry::toText(*kesto::registry::getValue(kesto::registry::Hive::CurrentUser, "Software\\Kesto", "Bin")),
            "00FF7A00");
  EXPECT_EQ(RegSetValueEx(key, "Short", 0, REG_DWORD, number, 2), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(WinReg, EnumeratesKeysAndValuesInOrder) {
  HKEY key = create(HKEY_CURRENT_USER, "Queue");
  for (const char* name : {"4711", "0815", "Lang-Artikelnummer"}) RegCloseKey(create(key, name));
  setString(key, "b", "2");
  setString(key, "a", "1");

  char name[8];
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t length = sizeof name;
    const std::int32_t rc = RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_MORE_DATA) {
      names.push_back("<more>");
      continue;
    }
    ASSERT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(length, std::strlen(name));
    names.emplace_back(name, length);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"4711", "0815", "<more>"}));

  std::uint32_t length = sizeof name, type = 0, size = 0;
  ASSERT_EQ(RegEnumValue(key, 0, name, &length, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_STREQ(name, "b");
  EXPECT_EQ(size, 2u);
  length = sizeof name;
  EXPECT_EQ(RegEnumValue(key, 2, name, &length, nullptr, &type, nullptr, &size), ERROR_NO_MORE_ITEMS);
  RegCloseKey(key);
}

TEST_F(WinReg, DeleteKeyOnlyLeavesAndHandlesOfDeletedKeys) {
  HKEY parent = create(HKEY_CURRENT_USER, "A");
  HKEY child = create(parent, "B\\C");
  EXPECT_EQ(RegDeleteKey(parent, "B"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(parent, "Nope"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(parent, "b\\c"), ERROR_SUCCESS);
  EXPECT_EQ(setString(child, "v", "x"), ERROR_KEY_DELETED);
  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyEx(parent, "B\\C", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "a\\b", 0, KEY_READ, &opened), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(opened, "v"), ERROR_FILE_NOT_FOUND);
  for (HKEY key : {parent, child, opened}) EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(WinReg, RootsWeDoNotKeepAreEmptyAndReadOnly) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_USERS, ".DEFAULT", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_CONFIG, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr),
            ERROR_ACCESS_DENIED);
  char name[8];
  std::uint32_t length = sizeof name;
  EXPECT_EQ(RegEnumKeyEx(HKEY_DYN_DATA, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(WinReg, ClassesRootSharesLocalMachineClasses) {
  RegCloseKey(create(HKEY_CLASSES_ROOT, "KestoObject.Factory\\CLSID"));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\KestoObject.Factory", 0, KEY_READ,
                         &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(WinReg, UnsavableRegistryGivesErrorCodesNotExceptions) {
  HKEY key = create(HKEY_CURRENT_USER, "K");
  std::filesystem::remove_all(root / "registry");
  std::ofstream(root / "registry") << "a file where the folder belongs";
  EXPECT_EQ(setString(key, "v", "x"), ERROR_CANTREAD);
  EXPECT_EQ(setString(HKEY_CURRENT_USER, "v", "x"), ERROR_CANTWRITE);
  HKEY other = nullptr;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &other,
                           nullptr),
            ERROR_CANTWRITE);
  RegCloseKey(key);
}
