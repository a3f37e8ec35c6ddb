// Last error, exception records, the debug log and module end.
#include "TempRoot.h"

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>

#include <automation/DispatchException.h>
#include <automation/Interfaces.h>
#include <services/Paths.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace kesto::object;
using kesto::automation::DispatchException;

std::string bstrText(BSTR b) {
  std::string out;
  for (UINT i = 0; i < SysStringLen(b); ++i) out += static_cast<char>(b[i]);
  return out;
}

class ModuleStateTest : public TempRootTest {
 protected:
  static std::string readLog() {
    std::ifstream file(kesto::services::windowsDirectory() / "KestoObject.log");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
};

TEST_F(ModuleStateTest, StartsWithNoError) {
  EXPECT_EQ(moduleState().LastErrorCode, 9990);
  EXPECT_TRUE(moduleState().LastErrorText.empty());
}

TEST_F(ModuleStateTest, ExceptionRecordCarriesTheServerErrorOnceThenTheResetCode) {
  moduleState().LastErrorCode = kErrorServer;
  moduleState().LastErrorText = "Objekt gesperrt";
  const std::uint16_t expectedCodes[] = {9992, 9990};
  for (const std::uint16_t expected : expectedCodes) {
    EXCEPINFO record;
    FillExceptionRecord(&record);
    EXPECT_EQ(record.wCode, expected);
    EXPECT_EQ(record.scode, 0);
    EXPECT_EQ(bstrText(record.bstrSource), "Kesto ObjectSystem");
    EXPECT_EQ(bstrText(record.bstrDescription), "Objekt gesperrt");
    ClearExcepInfo(&record);
  }
  EXPECT_EQ(moduleState().LastErrorCode, 9990);
}

TEST_F(ModuleStateTest, NoRecordLeavesTheCode) {
  moduleState().LastErrorCode = kErrorServer;
  FillExceptionRecord(nullptr);
  EXPECT_EQ(moduleState().LastErrorCode, 9992);
}

TEST_F(ModuleStateTest, RaisedErrorsCarryCodeTextAndTitle) {
  moduleState().LastErrorCode = kErrorServer;
  moduleState().LastErrorText = "line 1\nline 2";
  try {
    RaiseLastError();
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 9992);
    EXPECT_EQ(e.description, "line 1\nline 2");
    EXPECT_EQ(e.source, "KestoObject");
  }
  try {
    RaiseError(0, formatText(TextId::RecursionNotAllowed, ""));
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.scode, E_FAIL);  // a record without code needs a failure code
    EXPECT_EQ(e.description, "Recursion not allowed.");
  }
}

TEST_F(ModuleStateTest, StringTableTextsAndPlaceholders) {
  EXPECT_EQ(formatText(TextId::ClassNotReleased, "FRX.Artikel"),
            "Class  FRX.Artikel  not released. \n Disconnect will not be performed!");
  EXPECT_EQ(formatText(TextId::UnsupportedVariant, 13),
            "Variant of Variant ByRef Data type 13  is not currently supported ");
  EXPECT_EQ(text(TextId::QueryAlreadyOpen), "Query already open.  Call Close() before Execute().");
  EXPECT_EQ(text(TextId::Title), "KestoObject");
}

TEST_F(ModuleStateTest, LogEntryHasTimeFactoryAndText) {
  moduleState().LastErrorText = "Factory not connected to server";
  EXPECT_TRUE(Log(1, 7, "cn_iptcp:127.0.0.1[1973]", "Failure to create FRX.Artikel."));
  EXPECT_TRUE(Log(1, 7, "cn_iptcp:127.0.0.1[1973]", ""));  // falls back to the last error
  const std::string stamp = R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\d \d\d:\d\d:\d\d \d{4}\n)";
  const std::regex entries(stamp + "Factory 7 connected to cn_iptcp:127\\.0\\.0\\.1\\[1973\\]\n"
                           "Failure to create FRX\\.Artikel\\.\n\n" +
                           stamp + "Factory 7 connected to cn_iptcp:127\\.0\\.0\\.1\\[1973\\]\n"
                           "Factory not connected to server\n\n");
  EXPECT_TRUE(std::regex_match(readLog(), entries)) << readLog();
}

TEST_F(ModuleStateTest, NoLogEntryWhenTheLogIsOff) {
  EXPECT_FALSE(Log(0, 7, "cn_iptcp:host[1973]", "text"));
  EXPECT_FALSE(std::filesystem::exists(kesto::services::windowsDirectory() / "KestoObject.log"));
}

TEST_F(ModuleStateTest, LogIsEmptiedOnceForTheModuleLife) {
  {
    std::ofstream old(kesto::services::windowsDirectory() / "KestoObject.log");
    old << "from an earlier run\n";
  }
  Log(1, 1, "a", "first");
  ResetModuleState();  // a new module life opens it afresh
  Log(1, 2, "b", "second");
  Log(1, 2, "b", "third");
  const std::string log = readLog();
  EXPECT_EQ(log.find("earlier"), std::string::npos);
  EXPECT_EQ(log.find("first"), std::string::npos);
  EXPECT_NE(log.find("second"), std::string::npos);
  EXPECT_NE(log.find("third"), std::string::npos);
}

TEST_F(ModuleStateTest, UnopenableLogDropsTheEntryAndTriesAgain) {
  const auto path = kesto::services::windowsDirectory() / "KestoObject.log";
  std::filesystem::create_directory(path);  // a folder in the way
  EXPECT_FALSE(Log(1, 1, "a", "lost"));
  std::filesystem::remove(path);
  EXPECT_TRUE(Log(1, 1, "a", "kept"));
  EXPECT_NE(readLog().find("kept"), std::string::npos);
}

// Releasing takes the Factory out of the module's list, as the real one does.
class FakeFactory : public LiveFactory {
 public:
  explicit FakeFactory(std::vector<FakeFactory*>* alsoRelease = nullptr)
      : alsoRelease_(alsoRelease) {
    AddLiveFactory(this);
  }
  void releaseFromModule() override {
    ++releases;
    RemoveLiveFactory(this);
    if (alsoRelease_)
      for (FakeFactory* other : *alsoRelease_) RemoveLiveFactory(other);
  }
  int releases = 0;

 private:
  std::vector<FakeFactory*>* alsoRelease_;
};

TEST_F(ModuleStateTest, ModuleEndReleasesEveryLiveFactoryOnce) {
  std::vector<FakeFactory*> dependents;
  FakeFactory first;
  FakeFactory owner(&dependents);
  FakeFactory dependent;
  dependents.push_back(&dependent);
  ModuleStart();
  Log(1, 1, "a", "open the log");
  ModuleEnd();
  EXPECT_EQ(first.releases, 1);
  EXPECT_EQ(owner.releases, 1);
  EXPECT_EQ(dependent.releases, 0);  // gone with its owner before its turn
  EXPECT_TRUE(moduleState().LiveFactories.empty());
  EXPECT_FALSE(moduleState().LogFile.isOpen());
}

TEST_F(ModuleStateTest, ModuleStartEmptiesTheLastErrorText) {
  moduleState().LastErrorText = "stale";
  ModuleStart();
  EXPECT_TRUE(moduleState().LastErrorText.empty());
  EXPECT_EQ(moduleState().Resources, nullptr);  // no localized resource library
  ModuleEnd();
}

}  // namespace
