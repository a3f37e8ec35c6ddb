// The ListView stand-in through its dispatch identifiers: collections, their errors, the
// two messages.
#include <activex/control/ListView.h>

#include <automation/Dispatch.h>

#include <gtest/gtest.h>

namespace kesto::activex {
namespace {

using automation::Arg;
using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lv = Dispatch(static_cast<IDispatch*>(control.get()));
    headers = Dispatch(lv.invoke(2, DISPATCH_PROPERTYGET, {}).dispatch());
    items = Dispatch(lv.invoke(7, DISPATCH_PROPERTYGET, {}).dispatch());
    for (const char16_t* h : {u"A", u"B", u"C"})
      headers.invoke(6, DISPATCH_METHOD, std::vector<Arg>{Arg::missing(), Arg::missing(), Arg(h)});
  }
  Dispatch add(Arg index, const char* text) {
    return Dispatch(items.invoke(2, DISPATCH_METHOD, std::vector<Arg>{std::move(index), Arg::missing(), Arg(text)}).dispatch());
  }
  Dispatch item(std::int32_t i) { return Dispatch(items.invoke(4, DISPATCH_PROPERTYGET, std::vector<Arg>{Arg(i)}).dispatch()); }
  static std::uint16_t code(const std::function<void()>& call) {
    try {
      call();
    } catch (const DispatchException& e) {
      return e.code;
    }
    return 0;
  }

  automation::ComPtr<ListViewControl> control = createListView();
  Dispatch lv, headers, items;
};

TEST_F(ListViewTest, RowsGoWhereTheirIndexSaysAndKeepTheirIdentity) {
  Dispatch second = add(Arg::missing(), "zwei");
  add(Arg(std::int16_t{1}), "eins");
  EXPECT_EQ(items.invoke(1, DISPATCH_PROPERTYGET, {}).toInt32(), 2);
  EXPECT_EQ(item(1).invoke(10, DISPATCH_PROPERTYGET, {}).toUtf8(), "eins");
  EXPECT_EQ(second.invoke(4, DISPATCH_PROPERTYGET, {}).toInt32(), 2);  // moved down by the insert
  second.invoke(13, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int16_t{2}), Arg("c")});
  EXPECT_EQ(control->model().row(1).further.at(1).toStdString(), "c");
  EXPECT_EQ(item(2).invoke(13, DISPATCH_PROPERTYGET, std::vector<Arg>{Arg(std::int16_t{1})}).toUtf8(), "");
}

TEST_F(ListViewTest, NumbersOutsideTheListAreRefused) {
  add(Arg::missing(), "eins");
  struct Case { const char* what; std::function<void()> call; std::uint16_t code; } cases[] = {
      {"row 0", [&] { item(0); }, kListViewIndexError},
      {"row 2", [&] { item(2); }, kListViewIndexError},
      {"insert at 3", [&] { add(Arg(std::int32_t{3}), "x"); }, kListViewIndexError},
      {"further column 3", [&] { item(1).invoke(13, DISPATCH_PROPERTYGET, std::vector<Arg>{Arg(std::int16_t{3})}); }, kListViewIndexError},
      {"header 4", [&] { headers.invoke(4, DISPATCH_PROPERTYGET, std::vector<Arg>{Arg(std::int32_t{4})}); }, kListViewIndexError},
      {"alignment 3", [&] {
         Dispatch(headers.invoke(4, DISPATCH_PROPERTYGET, std::vector<Arg>{Arg(std::int32_t{2})}).dispatch())
             .invoke(1, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{3})});
       }, 380},
  };
  for (const Case& c : cases) EXPECT_EQ(code(c.call), c.code) << c.what;
}

TEST_F(ListViewTest, MessagesSetFullRowSelectAndColumnWidths) {
  add(Arg::missing(), "ein recht langer Text");
  EXPECT_EQ(control->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT), 0);
  EXPECT_TRUE(control->fullRowSelect());
  const auto& columns = control->model().columns();
  EXPECT_EQ(control->SendMessage(LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE), TRUE);
  const float byData = columns[0].width;
  EXPECT_GT(byData, control->fittingWidth(1, true));  // longer than header "B"
  EXPECT_EQ(control->SendMessage(LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER), TRUE);
  EXPECT_GT(columns[1].width, 0.0f);
  EXPECT_EQ(control->SendMessage(LVM_SETCOLUMNWIDTH, 2, 40), TRUE);
  EXPECT_EQ(columns[2].width, 40.0f);
  EXPECT_EQ(control->SendMessage(LVM_SETCOLUMNWIDTH, 3, 40), FALSE);  // no such column
  EXPECT_EQ(lv.invoke(13, DISPATCH_PROPERTYGET, {}).dispatch(), nullptr);  // nothing selected
}

}  // namespace
}  // namespace kesto::activex
