// The query-lookup control: defaults, SetParam, persistence, pages, picture and FindId.
#include "QueryFixture.h"

#include <QImage>
#include <QWidget>

#include <filesystem>

namespace kesto::controls::testing {
namespace {

namespace id = query_dispid;

class QueryControl : public QueryTest {
 protected:
  void SetUp() override {
    QueryTest::SetUp();
    control = CKestoQueryCtrl::create();
    control->SetSite(&site);
    d = Dispatch(static_cast<IDispatch*>(control.get()));
  }
  void TearDown() override {
    d = Dispatch();
    control.reset();
    QueryTest::TearDown();
  }
  Variant get(DISPID m) { return d.invoke(m, DISPATCH_PROPERTYGET, {}); }
  void put(DISPID m, Arg v) { d.invoke(m, DISPATCH_PROPERTYPUT, std::vector<Arg>{std::move(v)}); }
  void setParam(std::int16_t i, const char* v) {
    d.invoke(id::SetParam, DISPATCH_METHOD, std::vector<Arg>{Arg(i), Arg(v)});
  }
  Variant findId() { return d.invoke(id::FindId, DISPATCH_METHOD, {}); }

  activex::SimpleSite site{true, u"KestoQuery1"};
  ComPtr<CKestoQueryCtrl> control;
  Dispatch d;
};

TEST_F(QueryControl, DefaultsOfANewControl) {
  EXPECT_TRUE(get(id::WaitForUserInput).toBool());
  EXPECT_TRUE(get(id::QuerySelection).toBool());
  EXPECT_EQ(get(id::Title).toUtf8(), "Query Lookup");
  EXPECT_EQ(get(id::MaxToDisplay).toInt32(), -1);
  EXPECT_FALSE(get(id::HideSelection).toBool());
  EXPECT_FALSE(get(id::HideId).toBool());
  EXPECT_FALSE(get(id::AutoResize).toBool());
  EXPECT_EQ(get(id::ClassName).toUtf8(), "");
  EXPECT_EQ(get(id::Factory).dispatch(), nullptr);
}

TEST_F(QueryControl, WithoutFactoryFindIdShows204AndGivesNull) {
  const Variant r = findId();
  EXPECT_EQ(r.vt(), VT_BSTR);
  EXPECT_EQ(r.raw().bstrVal, nullptr);
  ASSERT_EQ(boxes->shown().size(), 1u);
  EXPECT_EQ(boxes->shown()[0].text, "Factory is a required property");
  EXPECT_EQ(boxes->shown()[0].flags & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(QueryControl, SettingsAndParametersReachTheDialogAndParametersStay) {
  put(id::Factory, Arg(static_cast<IDispatch*>(factory.get())));
  put(id::ClassName, Arg("FRX.ArtHaupt1"));
  put(id::QueryName, Arg("NachAbteilung"));
  put(id::WaitForUserInput, Arg(false));
  put(id::MaxToDisplay, Arg(std::int32_t{7}));
  setParam(1, "1");
  setParam(3, "drei");
  setParam(0, "nie");
  setParam(11, "nie");
  std::vector<LookupSettings> seen;
  long factoryRefsDuringDialog = 0;
  CKestoQueryCtrl::setLookupRunner([&](const LookupSettings& s) -> std::optional<std::u16string> {
    seen.push_back(s);
    // F-34: the host drops its Factory while the dialog runs; the dialog's stays usable.
    put(id::Factory, Arg(static_cast<IDispatch*>(nullptr)));
    factory->AddRef();
    factoryRefsDuringDialog = static_cast<long>(factory->Release());
    return seen.size() == 1 ? std::optional<std::u16string>(u"1||100001") : std::nullopt;
  });
  EXPECT_EQ(findId().toUtf8(), "1||100001");
  EXPECT_GE(factoryRefsDuringDialog, 2);  // the test's and FindId's own
  put(id::Factory, Arg(static_cast<IDispatch*>(factory.get())));
  EXPECT_EQ(findId().raw().bstrVal, nullptr);
  ASSERT_EQ(seen.size(), 2u);
  const LookupSettings& s = seen[1];
  EXPECT_EQ(s.className, u"FRX.ArtHaupt1");
  EXPECT_EQ(s.queryName, u"NachAbteilung");
  EXPECT_TRUE(s.runAtOnce);
  EXPECT_EQ(s.maxToDisplay, 7);
  EXPECT_EQ(s.presetArguments[0], std::optional<std::u16string>(u"1"));
  EXPECT_FALSE(s.presetArguments[1]);
  EXPECT_EQ(s.presetArguments[2], std::optional<std::u16string>(u"drei"));  // still given
  EXPECT_FALSE(s.presetArguments[9]);
}

TEST_F(QueryControl, PersistenceOrderDefaultsAndPage) {
  put(id::Title, Arg("Artikel suchen"));
  put(id::HideId, Arg(true));
  automation::PropertyBag bag;
  control->Save(bag);
  auto other = CKestoQueryCtrl::create();
  other->Load(bag);
  const Dispatch o(static_cast<IDispatch*>(other.get()));
  EXPECT_EQ(o.get("Title").toUtf8(), "Artikel suchen");
  EXPECT_TRUE(o.get("HideId").toBool());

  automation::PropertyBag empty = automation::PropertyBag::fromJson(R"({"version": "1.0"})");
  auto fresh = CKestoQueryCtrl::create();
  fresh->Load(empty);
  const Dispatch f(static_cast<IDispatch*>(fresh.get()));
  EXPECT_EQ(f.get("Title").toUtf8(), "Query Lookup");
  EXPECT_TRUE(f.get("WaitForUserInput").toBool());
  EXPECT_EQ(f.get("MaxToDisplay").toInt32(), -1);

  const auto pages = control->PropertyPages();
  ASSERT_EQ(pages.size(), 1u);
  std::vector<int> ids;
  for (const auto& i : pages[0].items) ids.push_back(i.id);
  EXPECT_EQ(ids, (std::vector<int>{261, 262, 263, 260, 273, 274, 275, 276, 277}));
}

TEST(QueryStrings, TheStringTable) {
  const std::pair<QueryString, const char*> table[] = {
      {QueryString::Control, "KestoQuery Control"},
      {QueryString::PropPage, "KestoQuery Property Page"},
      {QueryString::General, "General"},
      {QueryString::NoQueries, "The Class has no queries defined for it"},
      {QueryString::NoIdQueries, "The Class has no queries defined for it that contain an object ID column"},
      {QueryString::TooManyParams, "This Query has more than 10 parameters - only 10 displayed"},
      {QueryString::NeedFactory, "Factory is a required property"}};
  for (const auto& [id, text] : table) EXPECT_EQ(queryString(id), text);
}

TEST_F(QueryControl, SetParamOutsideOneToTenChangesNothingAndAboutBox) {
  setParam(0, "x");
  setParam(11, "x");
  std::optional<LookupSettings> seen;
  put(id::Factory, Arg(static_cast<IDispatch*>(factory.get())));
  CKestoQueryCtrl::setLookupRunner([&](const LookupSettings& s) -> std::optional<std::u16string> {
    seen = s;
    return std::nullopt;
  });
  findId();
  ASSERT_TRUE(seen);
  for (const auto& a : seen->presetArguments) EXPECT_FALSE(a);
  d.invoke(activex::DISPID_ABOUTBOX, DISPATCH_METHOD, {});
  EXPECT_EQ(boxes->shown().back().title, "About KestoQuery Control");
}

TEST_F(QueryControl, AlwaysA32By32Picture) {
  QWidget host;
  host.resize(200, 200);
  site.setParentWidget(&host);
  control->SetBounds(QRect(5, 5, 120, 80));
  control->CreateControlWindow(1);
  host.show();
  EXPECT_EQ(control->Bounds(), QRect(5, 5, 32, 32));
  control->SetBounds(QRect(5, 5, 64, 10));
  EXPECT_EQ(control->Bounds().size(), QSize(32, 32));
  ASSERT_NE(control->Widget(), nullptr);
  const QImage shown = control->Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(shown.size(), QSize(32, 32));
  EXPECT_EQ(shown, queryPicture());
  std::filesystem::create_directories(KESTO_SCREENSHOTS);
  shown.scaled(128, 128).save(QString::fromStdString(std::string(KESTO_SCREENSHOTS) + "/kestoquery.png"));
}

}  // namespace
}  // namespace kesto::controls::testing
