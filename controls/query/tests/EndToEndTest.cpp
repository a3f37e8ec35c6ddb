// Both controls against a real stand-in server: registered with kestoregsvr into a fresh
// root and created by ProgID; then lists, lookups and their limits over the object
// library, with the dialog driven by mouse clicks.
#include <controls/list/KestoList.h>
#include <controls/list/ListModule.h>
#include <controls/query/KestoQuery.h>
#include <controls/query/QueryModule.h>

#include <activex/control/ListView.h>
#include <automation/Activation.h>
#include <automation/Dispatch.h>
#include <registry/Registry.h>
#include <services/MessageBox.h>

#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "objproto/Server.h"

#include <QtTestApp.h>

#include <gtest/gtest.h>

#include <utility>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

using namespace kesto;
using automation::Arg;
using automation::ComPtr;
using automation::Dispatch;
using automation::Variant;


int registerLibrary(const char* library, bool unregister = false) {
  const std::string command = std::string(KESTOREGSVR) + (unregister ? " -u " : " ") + library + " > /dev/null";
  return std::system(command.c_str());
}

TEST(Registration, BothControlsAreCreatedByProgIdAfterKestoregsvr) {
  controls::testing::ensureQtApplication();
  ASSERT_EQ(registerLibrary(KESTO_LIST_LIB), 0);
  ASSERT_EQ(registerLibrary(KESTO_QUERY_LIB), 0);
  const std::string clsid = automation::formatGuid(controls::kClsidKestoList);
  EXPECT_EQ(registry::getString(registry::Hive::ClassesRoot, "CLSID\\" + clsid + "\\MiscStatus\\1", ""),
            std::optional<std::string>(std::to_string(0x30191)));
  EXPECT_TRUE(registry::keyExists(registry::Hive::ClassesRoot, "KESTOQUERY.KestoQueryCtrl.1\\Insertable"));

  const Dispatch list(automation::createObject("KESTOLIST.KestoListCtrl.1"));
  EXPECT_EQ(list.get("MinToDisplay").toInt16(), 50);
  EXPECT_TRUE(static_cast<bool>(ComPtr<IDispatch>(list.object()).as<activex::IControl>()));
  const Dispatch query(automation::createObject("KESTOQUERY.KestoQueryCtrl.1"));
  EXPECT_EQ(query.get("Title").toUtf8(), "Query Lookup");

  ASSERT_EQ(registerLibrary(KESTO_LIST_LIB, true), 0);
  EXPECT_THROW(automation::createObject("KESTOLIST.KestoListCtrl.1"), automation::ComError);
}

// The object server with its demo data and the test classes on an ephemeral port; a
// connected Factory made by ProgID; the controls' code linked into this program.
class OverServer : public ::testing::Test {
 protected:
  void SetUp() override {
    controls::testing::ensureQtApplication();
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("controls-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    server::demo::prepareDataFolder(folder_, true, {"2024-03-01", ""});
    server::objproto::ServerOptions options;
    options.port = 0;
    options.dataFolder = folder_;
    options.testClasses = true;
    server_ = std::make_unique<server::objproto::ObjectServer>(options, server::commands::serverCatalog());
    server_->start();
    ASSERT_EQ(registerLibrary(KESTO_OBJECT_LIB), 0);
    factory = Dispatch::create("KestoObject.Factory");
    ASSERT_TRUE(factory.call("Connect", "cn_iptcp:127.0.0.1[" + std::to_string(server_->port()) + "]:Ferrix").toBool());
    listCookie_ = controls::registerKestoListInProcess();
    services::setMessageBoxPort(boxes);
  }
  void TearDown() override {
    services::setMessageBoxPort(nullptr);
    automation::revokeClassObject(listCookie_);
    factory = Dispatch();
    server_->stop();
    std::filesystem::remove_all(folder_);
  }
  std::vector<std::string> boxTexts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes->shown()) out.push_back(b.text);
    return out;
  }
  // A query-lookup control on this Factory, its class and query set.
  Dispatch lookup(const char* cls, const char* query) {
    auto control = controls::CKestoQueryCtrl::create();
    const Dispatch d(static_cast<IDispatch*>(control.get()));
    d.put("Factory", Arg(factory.object()));
    d.put("ClassName", Arg(cls));
    d.put("QueryName", Arg(query));
    return d;
  }

  // As if KestoList were not registered.
  void withdrawList() {
    automation::revokeClassObject(std::exchange(listCookie_, 0));
  }

  Dispatch factory;
  std::shared_ptr<services::ScriptedMessageBox> boxes = std::make_shared<services::ScriptedMessageBox>();

 private:
  std::filesystem::path folder_;
  std::unique_ptr<server::objproto::ObjectServer> server_;
  DWORD listCookie_ = 0;
};

template <class W>
W* item(QWidget& dlg, int id) {
  return dlg.findChild<W*>(QStringLiteral("item%1").arg(id));
}

// Runs `script` on the modal dialog once it is up.
void onDialog(std::function<void(QDialog&)> script) {
  QTimer::singleShot(0, [script] {
    auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    script(*dlg);
  });
}

TEST_F(OverServer, ListShowsAClassQueryUnderItsHeaders) {
  auto list = controls::CKestoListCtrl::create();
  activex::SimpleSite site(true, u"KestoList1");
  list->SetSite(&site);
  list->CreateControlWindow(1);
  const Dispatch d(static_cast<IDispatch*>(list.get()));
  // Only a Factory of the object library is taken.
  auto stranger = controls::CKestoQueryCtrl::create();
  EXPECT_THROW(d.put("Factory", Arg(static_cast<IDispatch*>(stranger.get()))), automation::DispatchException);
  EXPECT_EQ(d.get("Factory").dispatch(), nullptr);
  d.put("Factory", Arg(factory.object()));
  ASSERT_TRUE(d.call("ResultSet", "FRX.ArtHaupt1", "NachKurzbezeichnung").toBool());
  ASSERT_TRUE(d.call("Run", "1", "ZEM").toBool());
  const auto& columns = list->listView()->model().columns();
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].text.toStdString(), d.call("GetColumnHeader", std::int16_t{1}).toUtf8());
  EXPECT_EQ(d.call("GetColumnName", std::int16_t{3}).toUtf8(), "Bez1");
  const std::int32_t rows = d.call("GetIndexCount").toInt32();
  ASSERT_GT(rows, 0);
  bool found = false;
  for (std::int32_t r = 1; r <= rows; ++r) {
    EXPECT_TRUE(d.call("GetData", r, std::int16_t{3}).toUtf8().starts_with("Zement")) << r;
    found = found || d.call("GetData", r, std::int16_t{1}).toUtf8() == "1||100001";
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(d.call("GetIdColumn").toInt16(), 1);
  EXPECT_EQ(d.call("GetDataByName", std::int32_t{1}, "bez1").toUtf8(), d.call("GetData", std::int32_t{1}, std::int16_t{3}).toUtf8());

  // A large result from dynamic SQL, in order.
  ASSERT_TRUE(d.call("DynamicSQL",
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2500) "
                     "SELECT i, 'Zeile ' || i FROM n").toBool());
  d.call("Clear");
  ASSERT_TRUE(d.call("DynamicSQL",
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2500) "
                     "SELECT i, 'Zeile ' || i FROM n").toBool());
  d.call("Run");
  EXPECT_EQ(d.call("GetIndexCount").toInt32(), 2500);
  EXPECT_EQ(d.call("GetData", std::int32_t{2500}, std::int16_t{2}).toUtf8(), "Zeile 2500");
  try {
    d.call("DynamicSQL", "SELEKT nix");
    ADD_FAILURE() << "no error";
  } catch (const automation::DispatchException& e) {
    EXPECT_EQ(e.code, 201);
    EXPECT_EQ(e.description, "Failure to create Dynamic SQL");
  }
}

TEST_F(OverServer, FindIdWithoutWaitingAndAScriptedSelect) {
  const Dispatch q = lookup("FRX.ArtHaupt1", "NachKurzbezeichnung");
  q.put("WaitForUserInput", Arg(false));
  q.call("SetParam", std::int16_t{1}, "1");
  q.call("SetParam", std::int16_t{2}, "ZEM");
  std::vector<std::string> offered;
  onDialog([&](QDialog& dlg) {
    auto* box = item<QComboBox>(dlg, 205);
    for (int i = 0; i < box->count(); ++i) offered.push_back(box->itemText(i).toStdString());
    auto* view = dlg.findChild<QTreeView*>(QStringLiteral("ListView"));
    const QModelIndexList hit = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                                     QStringLiteral("1||100001"), 1, Qt::MatchExactly);
    ASSERT_EQ(hit.size(), 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(hit[0]).center());
    QTest::mouseClick(item<QPushButton>(dlg, 258), Qt::LeftButton);
  });
  EXPECT_EQ(q.call("FindId").toUtf8(), "1||100001");
  EXPECT_EQ(offered, (std::vector<std::string>{"Aktionsartikel", "NachAbteilung", "NachKurzbezeichnung"}));
  EXPECT_TRUE(boxTexts().empty());
}

TEST_F(OverServer, TwelveParametersShow203AndTheRunErrorInABox) {
  const Dispatch q = lookup("FRX.TestVieleParameter", "Zwoelf");
  int rows = 0;
  onDialog([&](QDialog& dlg) {
    for (int i = 0; i < 10; ++i) {
      auto* edit = item<QLineEdit>(dlg, 260 + i);
      rows += edit->isVisible() ? 1 : 0;
      QTest::keyClicks(edit, QString::number(i + 1));
    }
    QTest::mouseClick(item<QPushButton>(dlg, 257), Qt::LeftButton);  // Run cannot give 12
    EXPECT_TRUE(dlg.isVisible());
    QTest::mouseClick(item<QPushButton>(dlg, 2), Qt::LeftButton);
  });
  const Variant id = q.call("FindId");
  EXPECT_EQ(id.raw().bstrVal, nullptr);
  EXPECT_EQ(rows, 10);
  const auto texts = boxTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "This Query has more than 10 parameters - only 10 displayed");
  EXPECT_EQ(texts[1], "Parameter 11 missing");
}

TEST_F(OverServer, WithoutTheListControlFindIdSaysWhichAndAnswersNull) {
  withdrawList();
  const Dispatch q = lookup("FRX.ArtHaupt1", "NachKurzbezeichnung");
  EXPECT_EQ(q.call("FindId").raw().bstrVal, nullptr);
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{
                            "The list control KESTOLIST.KestoListCtrl.1 could not be created (error 0x80040154: "
                            "class not registered)"}));
}

TEST_F(OverServer, AClassWithoutQueriesGives201AndNoFactoryGives204) {
  const Dispatch q = lookup("FRX.TestOhneAbfrage", "");
  EXPECT_EQ(q.call("FindId").raw().bstrVal, nullptr);
  q.put("Factory", Arg(static_cast<IDispatch*>(nullptr)));
  EXPECT_EQ(q.call("FindId").raw().bstrVal, nullptr);
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"The Class has no queries defined for it",
                                                  "Factory is a required property"}));
}

}  // namespace
