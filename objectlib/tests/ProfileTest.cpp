// The "Debug" switch and the saved-connection list in the registry.
#include "TempRoot.h"

#include <kestoobject/Profile.h>

#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace kesto::object;
using kesto::registry::Hive;

const std::string kConnections = "Software\\Norvane\\Connections";

using ProfileTest = TempRootTest;

TEST_F(ProfileTest, MissingDebugIsCreatedAsZero) {
  EXPECT_EQ(ReadDebugSetting(), 0u);
  const auto value = kesto::registry::getValue(Hive::CurrentUser,
                                               "Software\\Norvane\\KestoObject\\Debug", "");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(std::get<std::uint32_t>(*value), 0u);
}

TEST_F(ProfileTest, DebugValueIsReadAndKept) {
  kesto::registry::setValue(Hive::CurrentUser, kDebugKey, "", std::uint32_t{1});
  EXPECT_EQ(ReadDebugSetting(), 1u);
  EXPECT_EQ(std::get<std::uint32_t>(*kesto::registry::getValue(Hive::CurrentUser, kDebugKey, "")),
            1u);
}

TEST_F(ProfileTest, ConnectionListJoinsNameAndTextPerConnection) {
  EXPECT_EQ(GetConnectionList(), "");  // no key at all
  kesto::registry::createKey(Hive::CurrentUser, kConnections);
  EXPECT_EQ(GetConnectionList(), "");  // key without connections
  kesto::registry::setValue(Hive::CurrentUser, kConnections + "\\Zentrale", "",
                            std::string("cn_iptcp:zentrale[1973]:Ferrix"));
  kesto::registry::setValue(Hive::CurrentUser, kConnections + "\\Filiale", "",
                            std::string("cn_iptcp:filiale[1973]"));
  EXPECT_EQ(GetConnectionList(),
            "Zentrale,cn_iptcp:zentrale[1973]:Ferrix;Filiale,cn_iptcp:filiale[1973]");
}

TEST_F(ProfileTest, ConnectionWithoutValueKeepsNameAndComma) {
  kesto::registry::createKey(Hive::CurrentUser, kConnections + "\\Leer");
  kesto::registry::setValue(Hive::CurrentUser, kConnections + "\\Test", "",
                            std::string("cn_iptcp:test[1]"));
  EXPECT_EQ(GetConnectionList(), "Leer,;Test,cn_iptcp:test[1]");
}

}  // namespace
