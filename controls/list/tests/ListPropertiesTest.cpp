// The list control's properties, persistence, Factory, property pages and About box.
#include "ListFixture.h"

namespace kesto::controls::testing {
namespace {

TEST_F(ListTest, DefaultsOfANewControl) {
  EXPECT_EQ(get(id::MinToDisplay).toInt16(), 50);
  EXPECT_TRUE(get(id::HideSelection).toBool());
  EXPECT_FALSE(get(id::HideColumnHeaders).toBool());
  EXPECT_EQ(get(id::MaxToDisplay).toInt32(), -1);
  EXPECT_FALSE(get(id::HideId).toBool());
  EXPECT_FALSE(get(id::Autosize).toBool());
  EXPECT_EQ(get(id::Factory).dispatch(), nullptr);  // no database yet
  EXPECT_FALSE(list->IsModified());
}

TEST_F(ListTest, MinToDisplayBelowOneBecomesOne) {
  struct Case { std::int16_t given, read; } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {7, 7}};
  for (const Case& c : cases) {
    put(id::MinToDisplay, Arg(c.given));
    EXPECT_EQ(get(id::MinToDisplay).toInt16(), c.read) << c.given;
  }
  EXPECT_TRUE(list->IsModified());
}

TEST_F(ListTest, AutosizeIsSetWhileDesigningAndRefusedAtRunTime) {
  site.setUserMode(false);
  put(id::Autosize, Arg(true));
  site.setUserMode(true);
  list->AmbientChanged();
  EXPECT_TRUE(get(id::Autosize).toBool());
  const Raised r = raised([&] { put(id::Autosize, Arg(false)); });
  EXPECT_EQ(r.scode, activex::CTL_E_SETNOTSUPPORTEDATRUNTIME);
  EXPECT_TRUE(get(id::Autosize).toBool());
}

TEST_F(ListTest, HideColumnHeadersSetWhileDesigningReachesTheListViewMadeLater) {
  site.setUserMode(false);
  createWindow();
  EXPECT_EQ(list->listView(), nullptr);  // design mode: no child
  put(id::HideColumnHeaders, Arg(true));
  put(id::HideSelection, Arg(false));
  site.setUserMode(true);
  list->AmbientChanged();
  ASSERT_NE(list->listView(), nullptr);
  EXPECT_TRUE(view().hideColumnHeaders());
  EXPECT_FALSE(view().hideSelection());
  EXPECT_TRUE(view().fullRowSelect());
  EXPECT_EQ(view().viewKind(), 3);
  EXPECT_EQ(view().labelEdit(), 1);
}

TEST_F(ListTest, WithoutAWindowQueriesAreRefusedBeforeAnythingChanges) {
  fake->addQuery(u"C", u"Q", numberedRows(2));
  fake->acceptConnection(u"s");
  call(id::Connect, {Arg(u"s")});
  site.setUserMode(false);
  createWindow();  // design mode: no ListView
  const Raised r = raised([&] { call(id::ResultSet, {Arg(u"C"), Arg(u"Q")}); });
  EXPECT_EQ(r.description, "The list has no window: it lists rows only while its container runs");
  EXPECT_FALSE(list->hasQuery());
  EXPECT_EQ(std::count(fake->log.begin(), fake->log.end(), "prepare:C.Q"), 0);
}

TEST_F(ListTest, PersistenceRoundTripAndMissingKeysGiveTheDefaults) {
  put(id::MinToDisplay, Arg(std::int16_t{7}));
  put(id::MaxToDisplay, Arg(std::int32_t{3}));
  put(id::HideId, Arg(true));
  put(id::HideSelection, Arg(false));
  d.invoke(activex::DISPID_BACKCOLOR, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{0x00FF00})});
  automation::PropertyBag bag;
  list->Save(bag);
  EXPECT_EQ(bag.version(), automation::makeVersion(1, 0));

  auto other = CKestoListCtrl::create();
  other->Load(bag);
  EXPECT_EQ(other->minToDisplay(), 7);
  EXPECT_EQ(other->maxToDisplay(), 3);
  EXPECT_TRUE(other->hideId());
  EXPECT_FALSE(other->hideSelection());
  EXPECT_EQ(other->backColor(), 0x00FF00u);
  EXPECT_FALSE(other->IsModified());

  // A bag of an older version without the control's own keys.
  automation::PropertyBag old = automation::PropertyBag::fromJson(R"({"version": "0.9", "properties": {}})");
  auto fresh = CKestoListCtrl::create();
  fresh->Load(old);
  EXPECT_EQ(fresh->minToDisplay(), 50);
  EXPECT_EQ(fresh->maxToDisplay(), -1);
  EXPECT_TRUE(fresh->hideSelection());
  EXPECT_FALSE(fresh->hideColumnHeaders());
  EXPECT_FALSE(fresh->autosize());
  EXPECT_EQ(fresh->backColor(), automation::systemColour(automation::COLOR_WINDOW));
}

TEST_F(ListTest, ADamagedBagChangesNothing) {
  auto source = CKestoListCtrl::create();
  Dispatch(static_cast<IDispatch*>(source.get()))
      .invoke(id::MinToDisplay, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int16_t{7})});
  source->setBackColor(0x0000FF);
  automation::PropertyBag bag;
  source->Save(bag);
  bag.set("HideColumnHeaders", "vielleicht");

  d.invoke(activex::DISPID_BACKCOLOR, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{0x00FF00})});
  const auto fontBefore = list->stockFont().desc();
  EXPECT_THROW(list->Load(bag), std::runtime_error);
  EXPECT_EQ(list->minToDisplay(), 50);
  EXPECT_EQ(list->backColor(), 0x00FF00u);
  EXPECT_EQ(list->stockFont().desc(), fontBefore);
  EXPECT_TRUE(list->IsModified());
}

TEST_F(ListTest, FactoryIsWrappedAndAForeignObjectRefused) {
  auto factory = FakeFactory::create();
  put(id::Factory, Arg(static_cast<IDispatch*>(factory.get())));
  EXPECT_EQ(get(id::Factory).dispatch(), static_cast<IDispatch*>(factory.get()));
  EXPECT_TRUE(list->IsModified());

  // Some automation object that is not a Factory.
  auto stranger = automation::FunctionSink::create([](DISPID, std::span<VARIANT* const>) {});
  const Raised r = raised([&] { put(id::Factory, Arg(static_cast<IDispatch*>(stranger.get()))); });
  EXPECT_EQ(r.description, "The object is not a Factory of KestoObject");
  EXPECT_EQ(get(id::Factory).dispatch(), static_cast<IDispatch*>(factory.get()));  // unchanged

  put(id::Factory, Arg(static_cast<IDispatch*>(nullptr)));
  EXPECT_EQ(get(id::Factory).dispatch(), nullptr);
}

TEST_F(ListTest, PropertyPagesAndAboutBox) {
  const auto pages = list->PropertyPages();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].progId, "KESTOLIST.KestoListPropPage.1");
  EXPECT_EQ(pages[0].dialogId, 200);
  EXPECT_EQ(pages[0].caption, "General");
  std::vector<std::pair<int, std::u16string>> items;
  for (const auto& item : pages[0].items) items.emplace_back(item.id, item.property);
  EXPECT_EQ(items, (std::vector<std::pair<int, std::u16string>>{{207, u"MinToDisplay"}, {208, u"MaxToDisplay"},
                                                                {202, u"HideId"}, {204, u"HideColumnHeaders"},
                                                                {203, u"HideSelection"}, {209, u"Autosize"}}));
  EXPECT_EQ(pages[1].clsid, activex::kStockFontPage);
  EXPECT_EQ(pages[2].clsid, activex::kStockColourPage);

  call(activex::DISPID_ABOUTBOX);
  ASSERT_EQ(boxes->shown().size(), 1u);
  EXPECT_EQ(boxes->shown()[0].title, "About Kesto List Control");
}

TEST(ListStrings, TheStringTable) {
  const std::pair<ListString, const char*> table[] = {
      {ListString::Control, "KestoList Control"},     {ListString::PropPage, "KestoList Property Page"},
      {ListString::General, "General"},               {ListString::NoResultSet, "ResultSet not defined."},
      {ListString::ConversionFailed, "Date Conversion Failed"}, {ListString::NoColumn, "Column does not exist"}};
  for (const auto& [id, text] : table) EXPECT_EQ(listString(id), text);
}

TEST_F(ListTest, NamesResolveForLateBinding) {
  EXPECT_EQ(d.idOf("ResultSet"), 14);
  EXPECT_EQ(d.idOf("dynamicsql"), 27);
  EXPECT_EQ(d.idOf("GetIdColumn"), 26);
  EXPECT_EQ(d.idOf("AboutBox"), -552);
}

}  // namespace
}  // namespace kesto::controls::testing
