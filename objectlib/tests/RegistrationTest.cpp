// Registering and unregistering the type library and the served classes.
#include "TempRoot.h"

#include <kestoobject/Registration.h>

#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace kesto::object;
using kesto::registry::Hive;

const kesto::automation::ClassRegistration kClasses[] = {
    {{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0, 0, 0, 0, 0, 0x01}}, "KestoObject.Factory",
     "Factory"},
    {{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0, 0, 0, 0, 0, 0x02}}, "KestoObject.syslist",
     "syslist"},
};

std::string clsidKey(const kesto::automation::ClassRegistration& cls) {
  return "CLSID\\" + kesto::automation::formatGuid(cls.clsid);
}

using RegistrationTest = TempRootTest;

TEST_F(RegistrationTest, RoundTripWritesAndRemovesEveryTree) {
  const std::string typeLib = "TypeLib\\" + kesto::automation::formatGuid(kTypeLibraryId);
  ASSERT_EQ(RegisterServer(kClasses, root_ / "libKestoObject.so"), S_OK);
  EXPECT_TRUE(kesto::registry::keyExists(Hive::ClassesRoot, typeLib));
  for (const auto& cls : kClasses) {
    EXPECT_TRUE(kesto::registry::keyExists(Hive::ClassesRoot, cls.progId));
    EXPECT_EQ(kesto::registry::getString(Hive::ClassesRoot, clsidKey(cls) + "\\InprocServer32", ""),
              (root_ / "libKestoObject.so").string());
  }
  // A key that a registration tool added below a class goes with its tree.
  kesto::registry::createKey(Hive::LocalMachine,
                             "SOFTWARE\\Classes\\" + clsidKey(kClasses[0]) + "\\Extra\\Deeper");

  ASSERT_EQ(UnregisterServer(kClasses), S_OK);
  EXPECT_FALSE(kesto::registry::keyExists(Hive::ClassesRoot, typeLib));
  for (const auto& cls : kClasses) {
    EXPECT_FALSE(kesto::registry::keyExists(Hive::ClassesRoot, cls.progId));
    EXPECT_FALSE(kesto::registry::keyExists(Hive::ClassesRoot, clsidKey(cls)));
  }
}

}  // namespace
