// The list control in a real (offscreen) window: mouse and key events from the report view
// reach the host as the control's events; design mode paints the container's name.
#include "ListFixture.h"

#include <activex/control/PropertyPageDialog.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QImage>
#include <QTest>
#include <QTreeView>
#include <QWidget>

#include <filesystem>

namespace kesto::controls::testing {
namespace {

class ListWindow : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    host = std::make_unique<QWidget>();
    host->resize(420, 260);
    host->show();
    site.setParentWidget(host.get());
    list->SetBounds(QRect(10, 10, 400, 240));
    auto sink = automation::FunctionSink::create([this](DISPID id, std::span<VARIANT* const> args) {
      std::string line = std::to_string(id);
      for (VARIANT* a : args) line += " " + Variant(*a).changedTo(VT_I4).toUtf8();
      events.push_back(line);
    });
    list->Advise(sink.get());
  }
  void fill() {
    fake->addQuery(u"C", u"Q", numberedRows(30));
    fake->acceptConnection(u"s");
    call(id::Connect, {Arg(u"s")});
    call(id::ResultSet, {Arg(u"C"), Arg(u"Q")});
    call(id::Run);
  }
  static void save(const QImage& image, const char* name) {
    std::filesystem::create_directories(KESTO_SCREENSHOTS);
    image.save(QString::fromStdString(std::string(KESTO_SCREENSHOTS) + "/" + name));
  }

  std::unique_ptr<QWidget> host;
  std::vector<std::string> events;
};

TEST_F(ListWindow, ClicksAndKeysRaiseTheControlsEvents) {
  createWindow();
  fill();
  QTreeView* view = list->listView()->view();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
  const QPoint second = view->visualRect(view->model()->index(1, 1)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(call(id::GetSelectedIndex).toInt32(), 2);
  EXPECT_NE(std::find(events.begin(), events.end(), "-600"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "-601"), events.end());

  events.clear();
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Return);
  QTest::keyClick(view, Qt::Key_A, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
  // The modifier keys arrive as keys of their own, as on the platform.
  EXPECT_EQ(events, (std::vector<std::string>{"-602 13 0", "-604 13 0", "-602 16 1", "-602 65 1",
                                              "-604 65 1", "-604 16 0", "-602 17 2", "-602 40 2",
                                              "-604 40 2", "-604 17 0"}));
  save(host->grab().toImage(), "kestolist-report.png");
}

TEST_F(ListWindow, AHostCanSwallowAKeyThroughTheByReferenceCode) {
  createWindow();
  fill();
  auto swallow = automation::FunctionSink::create([](DISPID id, std::span<VARIANT* const> args) {
    if (id == activex::DISPID_KEYDOWN) {
      VARIANT* v = args[0];
      while (v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
      *v->piVal = 0;
    }
  });
  list->Advise(swallow.get());
  QTreeView* view = list->listView()->view();
  view->setFocus();
  view->setCurrentIndex(view->model()->index(0, 0));
  QTest::keyClick(view, Qt::Key_Down);
  EXPECT_EQ(view->currentIndex().row(), 0);  // the key never reached the list
}

TEST_F(ListWindow, DesignModePaintsTheDisplayName) {
  site.setUserMode(false);
  d.invoke(activex::DISPID_BACKCOLOR, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{0x00FFFF})});
  createWindow();
  EXPECT_EQ(list->listView(), nullptr);
  ASSERT_NE(list->Widget(), nullptr);
  const QImage image = list->Widget()->grab().toImage();
  save(image, "kestolist-design.png");
  const QColor back(255, 255, 0);
  int inked = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.pixelColor(x, y) != back) ++inked;
  EXPECT_GT(inked, 20);  // the name at the top-left corner
  EXPECT_EQ(image.pixelColor(200, 150), back);
  EXPECT_EQ(image.pixelColor(399, 239), back);
}

}  // namespace
}  // namespace kesto::controls::testing

namespace kesto::controls::testing {
namespace {

TEST_F(ListWindow, PropertyPagesWriteWhatChangedAndReportWhatIsRefused) {
  createWindow();
  activex::PropertyPageDialog pages(static_cast<IDispatch*>(list.get()), list->PropertyPages());
  pages.show();
  auto* min = pages.findChild<QLineEdit*>(QStringLiteral("item207"));
  auto* autosize = pages.findChild<QCheckBox*>(QStringLiteral("item209"));
  auto* hideId = pages.findChild<QCheckBox*>(QStringLiteral("item202"));
  ASSERT_TRUE(min && autosize && hideId);
  EXPECT_EQ(min->text().toStdString(), "50");
  min->setText(QStringLiteral("20"));
  hideId->setChecked(true);
  autosize->setChecked(true);  // cannot be set while the form runs
  EXPECT_FALSE(pages.apply());
  EXPECT_EQ(list->minToDisplay(), 20);
  EXPECT_TRUE(list->hideId());
  EXPECT_FALSE(list->autosize());
  ASSERT_EQ(boxes->shown().size(), 1u);
  EXPECT_EQ(boxes->shown()[0].text, "Autosize: Set not supported at runtime.");
  save(pages.grab().toImage(), "kestolist-pages.png");
}

}  // namespace
}  // namespace kesto::controls::testing
