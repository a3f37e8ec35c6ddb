// The Query Lookup dialog on screen (offscreen): queries, argument rows, running, choosing
// a row, errors in its handlers, and its size limits.
#include "QueryFixture.h"

#include <controls/list/KestoList.h>

#include <activex/control/ListView.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <filesystem>

namespace kesto::controls::testing {
namespace {

namespace lid = list_dispid;

class LookupDialog : public QueryTest {
 protected:
  template <class W>
  static W* item(QWidget& dlg, int id) {
    return dlg.findChild<W*>(QStringLiteral("item%1").arg(id));
  }
  static std::vector<std::string> entries(QWidget& dlg) {
    std::vector<std::string> out;
    auto* box = item<QComboBox>(dlg, 205);
    for (int i = 0; i < box->count(); ++i) out.push_back(box->itemText(i).toStdString());
    return out;
  }
  static int visibleRows(QWidget& dlg) {
    int n = 0;
    for (int i = 0; i < 10; ++i) n += item<QLineEdit>(dlg, 260 + i)->isVisibleTo(&dlg) ? 1 : 0;
    return n;
  }
  static Variant listCall(CQueryLookupDlg& dlg, DISPID id) {
    return Dispatch(dlg.list()).invoke(id, DISPATCH_METHOD, {});
  }
  static QTreeView* listView(QWidget& dlg) { return dlg.findChild<QTreeView*>(QStringLiteral("ListView")); }
  // Every shown argument row lies inside the frame of "Query Parameters", below its title.
  static void expectRowsInsideTheGroup(QWidget& dlg) {
    auto* group = item<QGroupBox>(dlg, 236);
    ASSERT_EQ(group->title().toStdString(), "Query Parameters");
    const QRect inside = group->contentsRect().translated(group->pos());
    for (int i = 0; i < 10; ++i) {
      auto* edit = item<QLineEdit>(dlg, 260 + i);
      if (!edit->isVisibleTo(&dlg)) continue;
      EXPECT_TRUE(inside.contains(edit->geometry())) << i;
      EXPECT_TRUE(inside.contains(item<QLabel>(dlg, 240 + i)->geometry())) << i;
    }
  }
};

TEST_F(LookupDialog, QueriesSortedAndTheNamedOneSelectedWithItsArgumentRows) {
  addArticleQueries();
  LookupSettings s = settings();
  s.queryName = u"nachabteilung";
  CQueryLookupDlg dlg(s);
  dlg.show();
  EXPECT_EQ(entries(dlg), (std::vector<std::string>{"Aktionsartikel", "NachAbteilung", "NachKurzbezeichnung"}));
  EXPECT_EQ(item<QComboBox>(dlg, 205)->currentText().toStdString(), "NachAbteilung");
  EXPECT_EQ(visibleRows(dlg), 2);
  EXPECT_EQ(item<QLabel>(dlg, 241)->text().toStdString(), "AbtNr");
  expectRowsInsideTheGroup(dlg);
  EXPECT_TRUE(item<QGroupBox>(dlg, 236)->isVisible());
  EXPECT_FALSE(item<QPushButton>(dlg, 258)->isEnabled());  // nothing run yet
  EXPECT_EQ(dlg.windowTitle().toStdString(), "Query Lookup");
  std::filesystem::create_directories(KESTO_SCREENSHOTS);
  dlg.grab().save(QString::fromStdString(std::string(KESTO_SCREENSHOTS) + "/query-lookup.png"));

  s.queryName = u"Gibtsnicht";
  CQueryLookupDlg first(s);
  EXPECT_EQ(item<QComboBox>(first, 205)->currentText().toStdString(), "Aktionsartikel");
}

TEST_F(LookupDialog, RunAtOnceFillsTheListWithThePresetArguments) {
  addArticleQueries();
  LookupSettings s = settings();
  s.queryName = u"NachAbteilung";
  s.runAtOnce = true;
  s.presetArguments[0] = u"1";
  s.presetArguments[1] = u"10";
  CQueryLookupDlg dlg(s);
  EXPECT_EQ(logged("param:"), (std::vector<std::string>{"param:0=FRX.ArtHaupt1", "param:0=1", "param:1=10"}));
  EXPECT_EQ(listCall(dlg, lid::GetIndexCount).toInt32(), 3);
  EXPECT_TRUE(item<QPushButton>(dlg, 258)->isEnabled());
  EXPECT_EQ(item<QLineEdit>(dlg, 261)->text().toStdString(), "10");
}

TEST_F(LookupDialog, TwelveParametersShowTenRowsAndRunsErrorIsShownInABox) {
  FakeQueryDef twelve = numberedRows(1);
  for (int i = 1; i <= 12; ++i) twelve.params.push_back(u"Wert" + QString::number(i).toStdU16String());
  fake->addQuery(u"FRX.ArtHaupt1", u"Zwoelf", twelve);
  setQueryInfo({Variant("Zwoelf")});
  CQueryLookupDlg dlg(settings());
  dlg.show();
  EXPECT_EQ(boxTexts(), std::vector<std::string>{"This Query has more than 10 parameters - only 10 displayed"});
  EXPECT_EQ(visibleRows(dlg), 10);
  EXPECT_EQ(item<QLabel>(dlg, 249)->text().toStdString(), "Wert10");
  expectRowsInsideTheGroup(dlg);
  for (int i = 0; i < 10; ++i) QTest::keyClicks(item<QLineEdit>(dlg, 260 + i), QString::number(i));
  QTest::mouseClick(item<QPushButton>(dlg, 257), Qt::LeftButton);
  EXPECT_EQ(logged("param:").size(), 11u);  // the class name, then ten arguments
  ASSERT_EQ(boxes->shown().size(), 2u);
  EXPECT_EQ(boxes->shown()[1].text, "Parameter 11 missing");
  EXPECT_TRUE(dlg.isVisible());  // still usable
  QTest::mouseClick(item<QPushButton>(dlg, 2), Qt::LeftButton);
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(LookupDialog, NoParametersHideTheGroupAndRunGetsNone) {
  FakeQueryDef none = numberedRows(2);
  fake->addQuery(u"FRX.ArtHaupt1", u"Alle", none);
  setQueryInfo({Variant("Alle")});
  CQueryLookupDlg dlg(settings());
  dlg.show();
  EXPECT_FALSE(item<QGroupBox>(dlg, 236)->isVisible());
  EXPECT_EQ(visibleRows(dlg), 0);
  QTest::mouseClick(item<QPushButton>(dlg, 257), Qt::LeftButton);
  EXPECT_EQ(logged("param:"), std::vector<std::string>{"param:0=FRX.ArtHaupt1"});
  EXPECT_EQ(listCall(dlg, lid::GetIndexCount).toInt32(), 2);
}

TEST_F(LookupDialog, AnEditedArgumentIsPassed) {
  addArticleQueries();
  LookupSettings s = settings();
  s.queryName = u"Aktionsartikel";
  s.presetArguments[0] = u"9";
  CQueryLookupDlg dlg(s);
  dlg.show();
  QLineEdit* edit = item<QLineEdit>(dlg, 260);
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("1"));
  QTest::mouseClick(item<QPushButton>(dlg, 257), Qt::LeftButton);
  EXPECT_EQ(logged("param:").back(), "param:0=1");
}

TEST_F(LookupDialog, WithoutQuerySelectionTheBoxAndItsLabelAreHidden) {
  addArticleQueries();
  LookupSettings s = settings();
  s.querySelection = false;
  s.queryName = u"NachKurzbezeichnung";
  CQueryLookupDlg dlg(s);
  dlg.show();
  EXPECT_FALSE(item<QComboBox>(dlg, 205)->isVisible());
  EXPECT_FALSE(item<QLabel>(dlg, 280)->isVisible());
  EXPECT_EQ(visibleRows(dlg), 2);
}

TEST_F(LookupDialog, TheFrameStopsAtTheLaidOutSize) {
  addArticleQueries();
  LookupSettings s = settings();
  s.queryName = u"NachAbteilung";
  CQueryLookupDlg dlg(s);
  dlg.show();
  const int height = dlg.metrics().dialogHeightFor(2);
  EXPECT_EQ(dlg.size(), QSize(460, height));
  dlg.resize(200, 100);
  EXPECT_EQ(dlg.size(), QSize(460, height));
  dlg.resize(600, height + 100);
  // Buttons keep to the right edge, the list grows with the frame.
  EXPECT_EQ(item<QPushButton>(dlg, 258)->x(), 600 - 85 - 10);
  EXPECT_EQ(dlg.findChild<QWidget*>(QStringLiteral("item270"))->size(), QSize(580, 145 + 100));
}

TEST_F(LookupDialog, NoQueriesGive201AndNamelessRowsGive202) {
  setQueryInfo({});
  {
    CQueryLookupDlg dlg(settings());
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_FALSE(dlg.chosenId());
  }
  setQueryInfo({Variant::null(), Variant("")});
  {
    CQueryLookupDlg dlg(settings());
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
  }
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{
                            "The Class has no queries defined for it",
                            "The Class has no queries defined for it that contain an object ID column"}));
}

TEST_F(LookupDialog, SelectWithoutARowEndsWithoutIdAndADoubleClickChoosesTheRow) {  // F-33
  addArticleQueries();
  LookupSettings s = settings();
  s.queryName = u"NachKurzbezeichnung";
  s.runAtOnce = true;
  s.presetArguments = {u"1", u"Z"};
  {
    CQueryLookupDlg dlg(s);
    dlg.show();
    QTest::mouseClick(item<QPushButton>(dlg, 258), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.chosenId());
    EXPECT_TRUE(boxes->shown().empty());
  }
  CQueryLookupDlg dlg(s);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  QTreeView* view = listView(dlg);
  ASSERT_NE(view, nullptr);
  const QPoint second = view->visualRect(view->model()->index(1, 1)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.chosenId(), std::optional<std::u16string>(u"1||2"));
}

TEST_F(LookupDialog, FindIdRunsTheDialogModally) {
  addArticleQueries();
  auto control = CKestoQueryCtrl::create();
  const Dispatch d(static_cast<IDispatch*>(control.get()));
  d.put("Factory", Arg(static_cast<IDispatch*>(factory.get())));
  d.put("ClassName", Arg("FRX.ArtHaupt1"));
  d.put("QueryName", Arg("Aktionsartikel"));
  d.put("WaitForUserInput", Arg(false));
  d.call("SetParam", Arg(std::int16_t{1}), Arg("1"));
  bool driven = false;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    QTreeView* view = listView(*dlg);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
    QTest::mouseClick(item<QPushButton>(*dlg, 258), Qt::LeftButton);
    driven = true;
  });
  EXPECT_EQ(d.call("FindId").toUtf8(), "1||1");
  EXPECT_TRUE(driven);
}

}  // namespace
}  // namespace kesto::controls::testing
