// The connection chooser window, driven with the mouse and keyboard as a user does.
#include <connect/Connect.h>
#include <connect/qt/QtConnectionChooser.h>

#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

namespace connect = kesto::connect;
using kesto::registry::Hive;

void ensureApp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "connect_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // Qt's exit handlers use it
  (void)app;
}

class QtConnectionChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApp();
    connect::qt::installQtConnectionChooser();
  }
  void TearDown() override { connect::setConnectionChooser(nullptr); }
  static void save(const std::string& name, const std::string& text) {
    kesto::registry::setValue(Hive::CurrentUser, std::string(connect::kConnectionsKey) + "\\" + name,
                              "", text);
  }
  // Runs act on the window once its event loop runs (a zero timer is one loop step).
  static void whenShown(std::function<void(connect::qt::ConnectionWindow&)> act) {
    QTimer::singleShot(0, [act] {
      auto* window = qobject_cast<connect::qt::ConnectionWindow*>(QApplication::activeModalWidget());
      ASSERT_NE(window, nullptr) << "no connection window shown";
      act(*window);
    });
  }
  static QPushButton* button(connect::qt::ConnectionWindow& w, QDialogButtonBox::StandardButton which) {
    return w.findChild<QDialogButtonBox*>()->button(which);
  }
};

TEST_F(QtConnectionChooserTest, PickingASavedConnectionHandsBackItsNameAndText) {
  save("Zentrale", "cn_iptcp:10.0.0.5[1973]:Ferrix");
  save("Filiale", "cn_iptcp:127.0.0.1[1973]:Ferrix");
  whenShown([](connect::qt::ConnectionWindow& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Server wählen"));
    auto* list = w.findChild<QListWidget*>(QStringLiteral("Verbindungen"));
    ASSERT_EQ(list->count(), 2);
    QListWidgetItem* item = list->findItems(QStringLiteral("Filiale"), Qt::MatchExactly).at(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Verbindungstext"))->text(),
              QStringLiteral("cn_iptcp:127.0.0.1[1973]:Ferrix"));
    QTest::mouseClick(button(w, QDialogButtonBox::Ok), Qt::LeftButton);
  });
  std::string text;
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, "Server wählen", 0), 1);
  EXPECT_EQ(text, "\"Filiale\":cn_iptcp:127.0.0.1[1973]:Ferrix");
}

TEST_F(QtConnectionChooserTest, ATypedTextIsHandedBackAsItStands) {
  whenShown([](connect::qt::ConnectionWindow& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Verbindung wählen"));
    EXPECT_FALSE(button(w, QDialogButtonBox::Ok)->isEnabled());  // nothing to connect to yet
    auto* field = w.findChild<QLineEdit*>(QStringLiteral("Verbindungstext"));
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, "cn_iptcp:127.0.0.1[1973]:Ferrix");
    QTest::keyClick(field, Qt::Key_Return);
  });
  std::string text;
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 1);
  EXPECT_EQ(text, "cn_iptcp:127.0.0.1[1973]:Ferrix");
}

TEST_F(QtConnectionChooserTest, CancelAndEscapeHandBackNothing) {
  save("Zentrale", "cn_iptcp:10.0.0.5[1973]:Ferrix");
  std::string text = "unverändert";
  whenShown([](connect::qt::ConnectionWindow& w) {
    QTest::mouseClick(button(w, QDialogButtonBox::Cancel), Qt::LeftButton);
  });
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
  whenShown([](connect::qt::ConnectionWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); });
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
  EXPECT_EQ(text, "unverändert");
}

TEST_F(QtConnectionChooserTest, TheWindowAsItLooks) {
  save("Filiale", "cn_iptcp:127.0.0.1[1973]:Ferrix");
  save("Zentrale", "cn_iptcp:10.0.0.5[1973]:Ferrix");
  connect::qt::ConnectionWindow window(nullptr, connect::savedConnections());
  window.show();
  QTest::qWaitForWindowExposed(&window);
  const char* shots = std::getenv("KESTO_SCREENSHOTS");
  if (shots) EXPECT_TRUE(window.grab().save(QString::fromUtf8(shots) + "/connection-chooser.png"));
  EXPECT_EQ(window.findChild<QListWidget*>()->currentRow(), 0);
  EXPECT_EQ(window.choice(), "\"Filiale\":cn_iptcp:127.0.0.1[1973]:Ferrix");
}

TEST_F(QtConnectionChooserTest, InstallingNeedsAnApplicationObjectOnlyOnce) {
  // A library's own copy of the connection code finds this program's chooser; here, in
  // the program itself, the lookup must not find itself.
  unsigned length = 0;
  char buffer[8];
  connect::setConnectionChooser(nullptr);
  EXPECT_EQ(kesto_connect_host_dialog(nullptr, buffer, sizeof buffer, &length), -1);
  std::string text;
  EXPECT_EQ(connect::ConnectionDialog(nullptr, text, nullptr, 0), 0);
}

}  // namespace

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
