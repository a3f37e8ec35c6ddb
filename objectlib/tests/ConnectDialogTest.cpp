// The connection dialog of a program with windows, reached from the library as the
// program loads it (by class name) and from the exported database class.
#include "ServerFixture.h"
#include "TempRoot.h"

#include <kestoobject/KestoObject.h>

#include <automation/Dispatch.h>
#include <connect/qt/QtConnectionChooser.h>
#include <registry/Registry.h>
#include <services/MessageBox.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

using kesto::automation::Dispatch;

void ensureApp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "objectlib_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // Qt's exit handlers use it
  (void)app;
}

// Picks the saved connection "Demo" with the mouse and clicks OK, once the window shows.
void pickDemoWhenShown() {
  QTimer::singleShot(0, [] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr) << "no connection window shown";
    auto* list = window->findChild<QListWidget*>(QStringLiteral("Verbindungen"));
    QListWidgetItem* item = list->findItems(QStringLiteral("Demo"), Qt::MatchExactly).at(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QTest::mouseClick(window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
}

class ConnectDialogTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ensureApp();
    kesto::connect::qt::installQtConnectionChooser();
    kesto::registry::setValue(kesto::registry::Hive::CurrentUser,
                              std::string(kesto::connect::kConnectionsKey) + "\\Demo", "",
                              server_.address() + ":Ferrix");
  }
  void TearDown() override {
    kesto::connect::setConnectionChooser(nullptr);
    TempRootTest::TearDown();
  }
  DemoServer server_;
};

TEST_F(ConnectDialogTest, TheLibraryLoadedByClassNameShowsTheProgramsChooser) {
  const std::string command = std::string(KESTOREGSVR) + " " + KESTOOBJECT + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  Dispatch factory = Dispatch::create("KestoObject.Factory");
  pickDemoWhenShown();
  const std::string chosen = factory.call("ConnectDlg", "Server wählen").toUtf8();
  EXPECT_EQ(chosen, server_.address() + ":Ferrix");
  EXPECT_TRUE(factory.call("Connect", chosen).toBool());
  EXPECT_TRUE(factory.call("Disconnect").toBool());
}

TEST_F(ConnectDialogTest, OpenWithoutAConnectTextAsksTheChooser) {
  d_Database db;
  pickDemoWhenShown();
  EXPECT_EQ(db.Open(nullptr), 1);
  EXPECT_EQ(db.Close(), 1);
}

}  // namespace

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
