#include <gtest/gtest.h>

#include "FreshRoot.h"
#include "registry/Registry.h"
#include "registry/Settings.h"

using namespace kesto::registry;

using Settings = FreshRoot;

TEST_F(Settings, SaveAndGetWithNamesInAnyCase) {
  SaveSetting("Vovida", "Einstellungen", "Plakatart", "PLA4N");
  EXPECT_EQ(GetSetting("VOVIDA", "einstellungen", "PLAKATART"), "PLA4N");
  EXPECT_EQ(GetSetting("Vovida", "Einstellungen", "Fehlt", "1"), "1");
  EXPECT_EQ(GetSetting("Vovida", "Fehlt", "Plakatart"), "");
  EXPECT_EQ(getString(Hive::CurrentUser,
                      "Software\\VB and VBA Program Settings\\Vovida\\Einstellungen", "Plakatart"),
            "PLA4N");
}

TEST_F(Settings, NestedApplicationsAndAllSettingsInOrder) {
  SaveSetting("Vovida\\Vovida", "4711", "Preis", "9,99");
  SaveSetting("Vovida\\Vovida", "4711", "Bezeichnung1", "Fliese");
  SaveSetting("Vovida\\Vovida", "4711", "preis", "8,99");
  EXPECT_EQ(GetAllSettings("Vovida\\Vovida", "4711"),
            (std::vector<std::pair<std::string, std::string>>{{"Preis", "8,99"},
                                                              {"Bezeichnung1", "Fliese"}}));
  EXPECT_EQ(subkeys(Hive::CurrentUser, settingsKeyPath("Vovida")), std::vector<std::string>{"Vovida"});
  EXPECT_TRUE(GetAllSettings("Vovida\\Vovida", "0815").empty());
}

TEST_F(Settings, DeleteKeySectionOrApplication) {
  SaveSetting("Vovida", "Farben", "12_SchriftFarbe", "255");
  SaveSetting("Vovida", "Farben", "12_StiftFarbe", "0");
  SaveSetting("Vovida\\Eigenbau\\Plan", "Artikel", "Preis", "1");
  SaveSetting("Kesto Login", "Login", "Port", "1973");

  EXPECT_TRUE(DeleteSetting("Vovida", "Farben", "12_schriftfarbe"));
  EXPECT_FALSE(DeleteSetting("Vovida", "Farben", "12_SchriftFarbe"));
  EXPECT_EQ(GetAllSettings("Vovida", "Farben").size(), 1u);
  EXPECT_TRUE(DeleteSetting("Vovida", "Farben"));
  EXPECT_FALSE(keyExists(Hive::CurrentUser, settingsKeyPath("Vovida", "Farben")));
  EXPECT_TRUE(DeleteSetting("Vovida"));  // with the nested designs below it
  EXPECT_FALSE(keyExists(Hive::CurrentUser, settingsKeyPath("Vovida")));
  EXPECT_FALSE(DeleteSetting("Vovida"));
  EXPECT_EQ(GetSetting("Kesto Login", "Login", "Port"), "1973");
}

TEST_F(Settings, EmptyNamesAreRefused) {
  EXPECT_THROW(SaveSetting("", "S", "K", "v"), RegistryError);
  EXPECT_THROW(SaveSetting("A", "", "K", "v"), RegistryError);
  EXPECT_THROW(SaveSetting("A", "S", "", "v"), RegistryError);
  EXPECT_EQ(GetSetting("A", "S", "", "d"), "d");
  EXPECT_FALSE(DeleteSetting(""));
}
