#include <gtest/gtest.h>

#include <fstream>

#include "FreshRoot.h"
#include "registry/Registry.h"

using namespace kesto::registry;

using Registry = FreshRoot;

TEST_F(Registry, ValuesRoundTripWithNamesInAnyCase) {
  setValue(Hive::CurrentUser, "Software\\Kesto\\Objects", "Debug", std::uint32_t{1});
  setValue(Hive::CurrentUser, "Software\\Kesto\\Objects", "", std::string("Standard"));
  setValue(Hive::CurrentUser, "SOFTWARE\\kesto\\OBJECTS", "Größe", std::string("A4 €"));

  EXPECT_EQ(getValue(Hive::CurrentUser, "software\\KESTO\\objects", "DEBUG"), Value(1u));
  EXPECT_EQ(getString(Hive::CurrentUser, "Software\\Kesto\\Objects\\", ""), "Standard");
  EXPECT_EQ(getString(Hive::CurrentUser, "Software\\Kesto\\Objects", "GRÖSSE"), std::nullopt);
  EXPECT_EQ(getString(Hive::CurrentUser, "Software\\Kesto\\Objects", "GRÖßE"), "A4 €");
  EXPECT_EQ(getString(Hive::CurrentUser, "Software\\Kesto\\Objects", "Debug"), std::nullopt);
  EXPECT_EQ(getValue(Hive::LocalMachine, "Software\\Kesto\\Objects", "Debug"), std::nullopt);
  EXPECT_EQ(subkeys(Hive::CurrentUser, "Software"), std::vector<std::string>{"Kesto"});
}

TEST_F(Registry, ReplacingAValueKeepsItsPlaceAndName) {
  setValue(Hive::CurrentUser, "K", "First", std::string("1"));
  setValue(Hive::CurrentUser, "K", "Second", std::uint32_t{2});
  setValue(Hive::CurrentUser, "K", "FIRST", std::uint32_t{3});
  const auto entries = values(Hive::CurrentUser, "K");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (std::pair<std::string, Value>{"First", 3u}));
  EXPECT_EQ(entries[1].first, "Second");
}

TEST_F(Registry, SubkeysInOrderOfCreation) {
  for (const char* name : {"b", "A", "c"}) createKey(Hive::CurrentUser, std::string("Q\\") + name);
  createKey(Hive::CurrentUser, "Q\\B");  // exists already
  EXPECT_EQ(subkeys(Hive::CurrentUser, "Q"), (std::vector<std::string>{"b", "A", "c"}));
  ASSERT_TRUE(deleteKey(Hive::CurrentUser, "Q\\A"));
  createKey(Hive::CurrentUser, "Q\\a");
  EXPECT_EQ(subkeys(Hive::CurrentUser, "Q"), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_TRUE(subkeys(Hive::CurrentUser, "Missing").empty());
}

TEST_F(Registry, DeleteKeyTakesLeavesOnly) {
  setValue(Hive::CurrentUser, "A\\B\\C", "v", std::string("x"));
  EXPECT_FALSE(deleteKey(Hive::CurrentUser, "A\\B"));      // has a subkey
  EXPECT_FALSE(deleteKey(Hive::CurrentUser, "A\\Nope"));   // missing
  EXPECT_FALSE(deleteKey(Hive::CurrentUser, ""));          // the hive's root
  EXPECT_TRUE(deleteKey(Hive::CurrentUser, "a\\b\\c"));    // a leaf with values
  EXPECT_FALSE(keyExists(Hive::CurrentUser, "A\\B\\C"));
  EXPECT_TRUE(keyExists(Hive::CurrentUser, "A\\B"));
}

TEST_F(Registry, DeleteTreeAndDeleteValue) {
  setValue(Hive::CurrentUser, "A\\B\\C", "v", std::string("x"));
  setValue(Hive::CurrentUser, "A", "w", std::string("y"));
  EXPECT_TRUE(deleteValue(Hive::CurrentUser, "A", "W"));
  EXPECT_FALSE(deleteValue(Hive::CurrentUser, "A", "w"));
  EXPECT_TRUE(deleteTree(Hive::CurrentUser, "A\\B"));
  EXPECT_FALSE(keyExists(Hive::CurrentUser, "A\\B"));
  EXPECT_TRUE(keyExists(Hive::CurrentUser, "A"));
  EXPECT_FALSE(deleteTree(Hive::CurrentUser, "A\\B"));
}

TEST_F(Registry, ClassesRootIsLocalMachineSoftwareClasses) {
  setValue(Hive::ClassesRoot, "KestoObject.Factory\\CLSID", "", std::string("{1234}"));
  EXPECT_EQ(getString(Hive::LocalMachine, "SOFTWARE\\Classes\\KestoObject.Factory\\CLSID", ""),
            "{1234}");
  EXPECT_EQ(subkeys(Hive::ClassesRoot, ""), std::vector<std::string>{"KestoObject.Factory"});
  EXPECT_FALSE(deleteTree(Hive::ClassesRoot, ""));
  EXPECT_TRUE(std::filesystem::exists(hiveFile("HKEY_LOCAL_MACHINE.json")));
}

TEST_F(Registry, RefusesTextThatIsNotUtf8) {
  EXPECT_THROW(setValue(Hive::CurrentUser, "K", "v", std::string("\xE4")), RegistryError);
  EXPECT_THROW(setValue(Hive::CurrentUser, "K\xFF", "v", std::string("x")), RegistryError);
  EXPECT_FALSE(keyExists(Hive::CurrentUser, "K"));
}

TEST_F(Registry, UnusableFolderIsAnErrorNotAnEmptyRegistry) {
  std::filesystem::create_directories(root);
  std::ofstream(root / "registry") << "a file where the folder belongs";
  EXPECT_THROW(setValue(Hive::CurrentUser, "K", "v", std::string("x")), RegistryError);
  EXPECT_THROW(getValue(Hive::CurrentUser, "K", "v"), RegistryError);
}
