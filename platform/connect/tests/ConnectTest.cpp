#include <connect/Connect.h>
#include <connect/ConnectionChooser.h>

#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

using kesto::registry::Hive;
namespace connect = kesto::connect;

// Each test gets its own registry under a fresh root folder.
class ConnectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("kesto-connect-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    ::setenv("KESTO_ROOT", root_.c_str(), 1);
  }
  void TearDown() override {
    connect::setConnectionChooser(nullptr);
    std::filesystem::remove_all(root_);
  }

  static void save(const std::string& name, const std::string& text) {
    kesto::registry::setValue(Hive::CurrentUser,
                              std::string(connect::kConnectionsKey) + "\\" + name, "", text);
  }

  std::filesystem::path root_;
};

TEST_F(ConnectTest, FindConnectionReadsTheSavedText) {
  save("Zentrale", "cn_iptcp:127.0.0.1[1973]:Ferrix");
  EXPECT_EQ(connect::FindConnection("Zentrale"), "cn_iptcp:127.0.0.1[1973]:Ferrix");
  EXPECT_EQ(connect::FindConnection("zentrale"), "cn_iptcp:127.0.0.1[1973]:Ferrix");
}

TEST_F(ConnectTest, FindConnectionGivesEmptyTextForUnknownOrUnsafeNames) {
  save("A", "outer");
  save("A\\B", "inner");
  kesto::registry::setValue(Hive::CurrentUser, connect::kConnectionsKey, "", "list key");
  EXPECT_EQ(connect::FindConnection("Nowhere"), "");
  EXPECT_EQ(connect::FindConnection(""), "");
  EXPECT_EQ(connect::FindConnection("A\\B"), "");
}

TEST_F(ConnectTest, SavedConnectionsKeepEnumerationOrderAndMissingValues) {
  EXPECT_TRUE(connect::savedConnections().empty());
  save("Filiale", "cn_iptcp:filiale[1973]");
  kesto::registry::createKey(Hive::CurrentUser,
                             std::string(connect::kConnectionsKey) + "\\Leer");
  save("Zentrale", "cn_iptcp:zentrale[1973]:Ferrix");
  const auto saved = connect::savedConnections();
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].name, "Filiale");
  EXPECT_EQ(saved[1].name, "Leer");
  EXPECT_EQ(saved[1].connectText, "");
  EXPECT_EQ(saved[2].connectText, "cn_iptcp:zentrale[1973]:Ferrix");
}

TEST_F(ConnectTest, DialogCancelsWithoutAChooser) {
  std::string text = "unchanged";
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, "Verbindung", 0), 0);
  EXPECT_EQ(text, "unchanged");
}

TEST_F(ConnectTest, ScriptedChooserAnswersInTurnAndRecordsTitles) {
  save("Zentrale", "cn_iptcp:zentrale[1973]:Ferrix");
  auto chooser = std::make_shared<connect::ScriptedConnectionChooser>();
  chooser->pickSaved("ZENTRALE");
  chooser->answer("cn_iptcp:host[1973]");
  chooser->pickSaved("Unbekannt");
  chooser->cancel();
  connect::setConnectionChooser(chooser);

  std::string text;
  EXPECT_NE(connect::ConnectionDialog(nullptr, text, "Anmelden", 0), 0);
  EXPECT_EQ(text, "\"Zentrale\":cn_iptcp:zentrale[1973]:Ferrix");
  EXPECT_NE(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
  EXPECT_EQ(text, "cn_iptcp:host[1973]");
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);  // script used up
  EXPECT_EQ(text, "cn_iptcp:host[1973]");
  EXPECT_EQ(chooser->titles(),
            (std::vector<std::string>{"Anmelden", "", "", "", ""}));
}

TEST_F(ConnectTest, NoLocalizedResourceLibrary) {
  int module = 0;
  connect::ResourceHandle handle = connect::GetLocalizedResources("KestoObject%s.DLL", &module);
  EXPECT_EQ(handle, nullptr);
  connect::FreeLocalizedResources(handle, &module);
}

}  // namespace
