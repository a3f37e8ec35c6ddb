#include "SampleObject.h"

#include <automation/Activation.h>
#include <automation/Dispatch.h>

#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace kesto::automation;
namespace reg = kesto::registry;

namespace {

int runTool(const std::string& args) {
  const std::string command = std::string(KESTOREGSVR) + " " + args + " >/dev/null";
  return std::system(command.c_str());
}

}  // namespace

TEST(Activation, RegisterCreateCallUnregisterWithTheTool) {
  ASSERT_EQ(runTool(TEST_SERVER), 0);
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot, "KestoTest.Sample\\CLSID", ""),
            formatGuid(sample::kClsid));
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot,
                           "CLSID\\" + formatGuid(sample::kClsid) + "\\InprocServer32", ""),
            std::string(TEST_SERVER));

  {
    Dispatch obj = Dispatch::create("KestoTest.Sample");
    EXPECT_EQ(obj.call("Add", 2, 3).toInt32(), 5);
    obj.put("Name", "x");
    EXPECT_EQ(obj.get("Name").toUtf8(), "x");
  }
  CoFreeUnusedLibraries();  // the object is gone, so the library may go too

  ASSERT_EQ(runTool(std::string("-u ") + TEST_SERVER), 0);
  EXPECT_FALSE(reg::keyExists(reg::Hive::ClassesRoot, "KestoTest.Sample"));
  ComPtr<IDispatch> none;
  EXPECT_EQ(createObject("KestoTest.Sample", IID_IDispatch, none.putVoid()), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(sample::kClsid, nullptr, CLSCTX_ALL, IID_IDispatch, none.putVoid()),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(runTool("-u"), 2 << 8);  // usage error
}

TEST(Activation, HelpersAndFailures) {
  const ClassRegistration broken{{0x11111111, 1, 2, {3}}, "KestoTest.Broken", "broken"};
  ASSERT_EQ(registerInprocServer(broken, "/nonexistent/libnothing.so"), S_OK);
  CLSID clsid;
  EXPECT_EQ(CLSIDFromProgID(u"KestoTest.Broken", &clsid), S_OK);
  EXPECT_EQ(clsid, broken.clsid);
  LPOLESTR progId = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(broken.clsid, &progId), S_OK);
  EXPECT_EQ(std::u16string_view(progId), u"KestoTest.Broken");
  CoTaskMemFree(progId);
  ComPtr<IDispatch> none;
  EXPECT_EQ(createObject("KestoTest.Broken", IID_IDispatch, none.putVoid()), CO_E_DLLNOTFOUND);
  EXPECT_EQ(unregisterInprocServer(broken), S_OK);
  EXPECT_EQ(unregisterInprocServer(broken), S_OK);  // already gone is fine
  EXPECT_EQ(CLSIDFromProgID(u"KestoTest.Broken", &clsid), REGDB_E_CLASSNOTREG);
  EXPECT_THROW(createObject("KestoTest.Broken"), ComError);
}

TEST(Activation, ClassObjectsOfTheProcessComeFirst) {
  const long locks = moduleLockCount();
  const DWORD cookie = registerClassObject(sample::kClsid,
                                           ComPtr<IClassFactory>::attach(sample::newSampleFactory()));
  {
    ComPtr<IDispatch> obj;
    ASSERT_EQ(CoCreateInstance(sample::kClsid, nullptr, CLSCTX_ALL, IID_IDispatch, obj.putVoid()), S_OK);
    EXPECT_EQ(Dispatch(obj).call("Add", 1).toInt32(), 11);
    ComPtr<IUnknown> outer = obj.as<IUnknown>();
    ComPtr<IDispatch> aggregated;
    EXPECT_EQ(CoCreateInstance(sample::kClsid, outer.get(), CLSCTX_ALL, IID_IDispatch,
                               aggregated.putVoid()),
              CLASS_E_NOAGGREGATION);
  }
  EXPECT_TRUE(revokeClassObject(cookie));
  EXPECT_FALSE(revokeClassObject(cookie));
  EXPECT_EQ(moduleLockCount(), locks);
}

TEST(Activation, GuidText) {
  const GUID g = sample::kClsid;
  EXPECT_EQ(formatGuid(g), "{5D6A1E20-7B3C-4F11-A2B4-0C9E8F7A6B51}");
  EXPECT_EQ(parseGuid("{5d6a1e20-7b3c-4f11-a2b4-0c9e8f7a6b51}"), g);
  EXPECT_EQ(parseGuid("5D6A1E20-7B3C-4F11-A2B4-0C9E8F7A6B51"), g);
  for (const char* bad : {"", "{5D6A1E20-7B3C-4F11-A2B4-0C9E8F7A6B5}", "{5D6A1E20-7B3C-4F11-A2B40C9E8F7A6B51}",
                          "{5D6A1E20-7B3C-4F11-A2B4-0C9E8F7A6B5X}"})
    EXPECT_FALSE(parseGuid(bad).has_value()) << bad;
}
