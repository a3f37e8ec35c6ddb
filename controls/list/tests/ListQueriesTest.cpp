// The list control's queries against the scripted backend: preparing, running, reading,
// columns, the ID column and the faults F-30 to F-32.
#include "ListFixture.h"

namespace kesto::controls::testing {
namespace {

FakeQueryDef articles() {
  FakeQueryDef def;
  def.params = {u"Firma", u"Suchbegriff"};
  def.columns = {{u"ID", u""}, {u"ArtNr", u"Artikel"}, {u"Bez1", u"Bezeichnung"}, {u"VK", u"Preis"}};
  def.idColumn = 1;
  def.rows = {{Variant("1||100001"), Variant("100001"), Variant("Zement 25 kg"), Variant(7.5)},
              {Variant("1||100002"), Variant("100002"), Variant("Zementkleber"), Variant(12.25)}};
  return def;
}

class ListQueries : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    fake->addQuery(u"FRX.ArtHaupt1", u"NachKurzbezeichnung", articles());
    fake->acceptConnection(u"server");
    createWindow();
    ASSERT_TRUE(call(id::Connect, {Arg(u"server")}).toBool());
  }
  bool prepare() { return call(id::ResultSet, {Arg(u"FRX.ArtHaupt1"), Arg(u"NachKurzbezeichnung")}).toBool(); }
  std::vector<std::string> headers() {
    std::vector<std::string> out;
    for (const auto& c : view().model().columns()) out.push_back(c.text.toStdString());
    return out;
  }
  std::vector<std::string> logged(std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& l : fake->log)
      if (l.starts_with(prefix)) out.push_back(l);
    return out;
  }
};

TEST_F(ListQueries, AfterDesignModeTheHeadersComeBackWithTheQuery) {
  ASSERT_TRUE(prepare());
  for (bool user : {false, true}) {
    site.setUserMode(user);
    list->AmbientChanged();
  }
  EXPECT_EQ(headers(), (std::vector<std::string>{"ID", "Artikel", "Bezeichnung", "Preis"}));
  ASSERT_TRUE(call(id::Run, {Arg("1"), Arg("ZEM")}).toBool());
  EXPECT_EQ(data(2, 3), "Zementkleber");
  EXPECT_EQ(data(2, 4), "12,25");
}

TEST_F(ListQueries, ResultSetAddsTheHeadersAndRunListsTheRows) {
  ASSERT_TRUE(prepare());
  EXPECT_EQ(headers(), (std::vector<std::string>{"ID", "Artikel", "Bezeichnung", "Preis"}));
  EXPECT_TRUE(logged("execute").empty());  // prepared, not executed
  ASSERT_TRUE(call(id::Run, {Arg("1"), Arg("ZEM")}).toBool());
  EXPECT_EQ(logged("param:"), (std::vector<std::string>{"param:0=1", "param:1=ZEM"}));
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 2);
  EXPECT_EQ(data(1, 1), "1||100001");
  EXPECT_EQ(data(2, 3), "Zementkleber");
  EXPECT_EQ(data(1, 4), "7,5");  // automation text of a number
  EXPECT_EQ(logged("close").size(), 1u);
  EXPECT_EQ(call(id::GetIdColumn).toInt16(), 1);
  EXPECT_EQ(call(id::GetColumnCount).toInt16(), 4);
  EXPECT_EQ(call(id::GetParamCount).toInt16(), 2);
  EXPECT_EQ(call(id::GetParamName, {Arg(std::int16_t{2})}).toUtf8(), "Suchbegriff");
  EXPECT_EQ(call(id::GetColumnName, {Arg(std::int16_t{2})}).toUtf8(), "ArtNr");
  EXPECT_EQ(call(id::GetColumnHeader, {Arg(std::int16_t{2})}).toUtf8(), "Artikel");
  EXPECT_EQ(call(id::GetSelectedIndex).toInt32(), 0);
  view().selectRow(1);
  EXPECT_EQ(call(id::GetSelectedIndex).toInt32(), 2);
}

TEST_F(ListQueries, RunPassesArgumentsUpToTheFirstOmittedOne) {
  FakeQueryDef none = articles();
  none.params.clear();
  fake->addQuery(u"C", u"Q", none);
  ASSERT_TRUE(call(id::ResultSet, {Arg(u"C"), Arg(u"Q")}).toBool());
  call(id::Run);
  EXPECT_TRUE(logged("param:").empty());
  call(id::Run, {Arg("a"), Arg::missing(), Arg("c")});
  EXPECT_EQ(logged("param:"), std::vector<std::string>{"param:0=a"});
}

TEST_F(ListQueries, MaxToDisplayStopsFetchingAndClosesTheQuery) {
  fake->addQuery(u"C", u"Zehn", numberedRows(10));
  put(id::MaxToDisplay, Arg(std::int32_t{3}));
  ASSERT_TRUE(call(id::ResultSet, {Arg(u"C"), Arg(u"Zehn")}).toBool());
  call(id::Run);
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 3);
  EXPECT_EQ(logged("close").size(), 1u);
}

TEST_F(ListQueries, MinToDisplayRepaintsBeforeTheNextRow) {
  fake->addQuery(u"C", u"Zehn", numberedRows(10));
  put(id::MinToDisplay, Arg(std::int16_t{1}));
  call(id::ResultSet, {Arg(u"C"), Arg(u"Zehn")});
  call(id::Run);
  EXPECT_EQ(view().refreshCount(), 1);
  EXPECT_EQ(view().rowsAtLastRefresh(), 1u);
}

TEST_F(ListQueries, AValueWithoutTextFormShowsTheConversionText) {
  FakeQueryDef def = articles();
  def.params.clear();
  def.rows = {{Variant::null(), Variant::null(), Variant("x"), Variant(1.0)}};
  fake->addQuery(u"C", u"Null", def);
  call(id::ResultSet, {Arg(u"C"), Arg(u"Null")});
  call(id::Run);
  EXPECT_EQ(data(1, 1), "");  // the first column goes to the ListView as it is
  EXPECT_EQ(data(1, 2), "Date Conversion Failed");
  EXPECT_EQ(data(1, 3), "x");
}

TEST_F(ListQueries, AlignmentAndWidthOnlyWithinTheirRanges) {
  prepare();
  const auto& columns = view().model().columns();
  call(id::SetAlignment, {Arg(std::int32_t{1}), Arg(std::int32_t{2})});
  call(id::SetAlignment, {Arg(std::int32_t{2}), Arg(std::int32_t{3})});
  call(id::SetAlignment, {Arg(std::int32_t{5}), Arg(std::int32_t{1})});
  EXPECT_EQ(columns[0].alignment, 0);
  EXPECT_EQ(columns[1].alignment, 0);
  call(id::SetAlignment, {Arg(std::int32_t{2}), Arg(std::int32_t{1})});
  EXPECT_EQ(columns[1].alignment, 1);

  const float before = columns[0].width;
  call(id::SetColumnWidth, {Arg(std::int32_t{1}), Arg(-1.0f)});
  call(id::SetColumnWidth, {Arg(std::int32_t{0}), Arg(5.0f)});
  EXPECT_EQ(columns[0].width, before);
  call(id::SetColumnWidth, {Arg(std::int32_t{4}), Arg(33.0f)});
  EXPECT_EQ(columns[3].width, 33.0f);
}

TEST_F(ListQueries, HiddenIdColumnStaysHidden) {
  prepare();
  const auto& columns = view().model().columns();
  put(id::HideId, Arg(true));
  EXPECT_EQ(columns[0].width, 0.0f);
  call(id::AutosizeColumnByHeader, {Arg(std::int16_t{1})});
  call(id::AutosizeColumnByData, {Arg(std::int16_t{1})});
  EXPECT_EQ(columns[0].width, 0.0f);
  call(id::AutosizeColumnByHeader, {Arg(std::int16_t{3})});
  EXPECT_GT(columns[2].width, 0.0f);
  put(id::HideId, Arg(false));
  EXPECT_EQ(columns[0].width, 96.0f);  // the saved width comes back

  // On twice stores width 0 as the saved width: turning it off leaves the column at 0.
  put(id::HideId, Arg(true));
  put(id::HideId, Arg(true));
  put(id::HideId, Arg(false));
  EXPECT_EQ(columns[0].width, 0.0f);
}

TEST_F(ListQueries, GetDataByNameIgnoresCaseAndKnowsMissingColumns) {
  prepare();
  call(id::Run, {Arg("1"), Arg("ZEM")});
  EXPECT_EQ(call(id::GetDataByName, {Arg(std::int32_t{2}), Arg(u"bEZ1")}).toUtf8(), "Zementkleber");
  const Raised r = raised([&] { call(id::GetDataByName, {Arg(std::int32_t{1}), Arg(u"Bezeichnung")}); });
  EXPECT_EQ(r.code, 9000);
  EXPECT_EQ(r.description, "Column does not exist");
  EXPECT_EQ(r.helpContext, 0xFFFFFFFFu);
}

TEST_F(ListQueries, WithoutAQueryTheForwardedMembersRaise9000) {
  EXPECT_EQ(call(id::GetIdColumn).toInt16(), 0);
  for (DISPID member : {id::GetColumnCount, id::GetParamCount}) {
    const Raised r = raised([&] { call(member); });
    EXPECT_EQ(r.code, 9000) << member;
    EXPECT_EQ(r.description, "ResultSet not defined.");
    EXPECT_EQ(r.helpContext, 0xFFFFFFFFu);
  }
  EXPECT_EQ(raised([&] { call(id::Run); }).code, 9000);
  EXPECT_EQ(raised([&] { call(id::GetColumnName, {Arg(std::int16_t{1})}); }).code, 9000);
  EXPECT_EQ(raised([&] { call(id::GetDataByName, {Arg(std::int32_t{1}), Arg(u"x")}).toUtf8(); }).code, 9000);
}

TEST_F(ListQueries, InvalidDynamicSqlRaises201AndLeavesNoQuery) {
  const Raised r = raised([&] { call(id::DynamicSQL, {Arg(u"SELEKT nix")}); });
  EXPECT_EQ(r.code, 201);
  EXPECT_EQ(r.description, "Failure to create Dynamic SQL");
  EXPECT_EQ(r.helpContext, 0u);
  EXPECT_FALSE(list->hasQuery());
  fake->addSql(u"SELECT 1", numberedRows(2));
  EXPECT_TRUE(call(id::DynamicSQL, {Arg(u"SELECT 1")}).toBool());
  call(id::Run);
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 2);
}

TEST_F(ListQueries, InvalidClassQueryIsDiscardedAndGivesFalse) {  // F-31
  prepare();
  EXPECT_FALSE(call(id::ResultSet, {Arg(u"FRX.ArtHaupt1"), Arg(u"Gibtsnicht")}).toBool());
  EXPECT_FALSE(list->hasQuery());
  EXPECT_EQ(raised([&] { call(id::Run); }).code, 9000);
}

TEST_F(ListQueries, ReplacingTheDatabaseClosesAndDeletesThePreparedQuery) {  // F-30
  prepare();
  call(id::Run, {Arg("1"), Arg("ZEM")});
  auto other = FakeFactory::create();
  fake->log.clear();
  put(id::Factory, Arg(static_cast<IDispatch*>(other.get())));
  // The query goes before its database does.
  EXPECT_EQ(fake->log, (std::vector<std::string>{"wrap", "delete-query", "delete-db"}));
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 2);  // rows and headers stay
  EXPECT_EQ(headers().size(), 4u);
  EXPECT_EQ(raised([&] { call(id::Run, {Arg("1"), Arg("ZEM")}); }).code, 9000);

  prepare();
  fake->log.clear();
  call(id::Connect, {Arg(u"server")});
  EXPECT_EQ(fake->log, (std::vector<std::string>{"delete-query", "delete-db", "open:server"}));
  EXPECT_FALSE(list->hasQuery());
}

TEST_F(ListQueries, MoreRowsThanA16BitCounterListedInOrder) {  // F-32
  fake->addQuery(u"C", u"Viele", numberedRows(40000));
  call(id::ResultSet, {Arg(u"C"), Arg(u"Viele")});
  call(id::Run);
  ASSERT_EQ(call(id::GetIndexCount).toInt32(), 40000);
  EXPECT_EQ(data(1, 1), "1||1");
  EXPECT_EQ(data(32767, 1), "1||32767");
  EXPECT_EQ(data(32768, 2), "Zeile 32768");
  EXPECT_EQ(data(40000, 3), "40000");
}

TEST_F(ListQueries, ASecondRunWithoutClearDataPutsItsRowsInFront) {
  FakeQueryDef def = numberedRows(2);
  fake->addQuery(u"C", u"Zwei", def);
  call(id::ResultSet, {Arg(u"C"), Arg(u"Zwei")});
  call(id::Run);
  call(id::Run);
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 4);
  EXPECT_EQ(data(1, 1), "1||1");
  EXPECT_EQ(data(3, 1), "1||1");
  call(id::ClearData);
  EXPECT_EQ(call(id::GetIndexCount).toInt32(), 0);
  EXPECT_EQ(headers().size(), 3u);
  call(id::Clear);
  EXPECT_TRUE(headers().empty());
  EXPECT_FALSE(list->hasQuery());
}

TEST_F(ListQueries, ConnectionDialogWhenThereIsNoDatabase) {
  list->setFactory(nullptr);
  fake->setDialogAnswer(false);
  fake->log.clear();
  EXPECT_FALSE(prepare());
  EXPECT_EQ(fake->log, (std::vector<std::string>{"open:dialog"}));
  EXPECT_FALSE(call(id::Connect, {Arg(u"")}).toBool());
  EXPECT_FALSE(call(id::Connect, {Arg(u"elsewhere")}).toBool());
}

TEST_F(ListQueries, LibraryErrorsPassThroughAndKeepTheRowsListed) {
  prepare();
  const Raised r = raised([&] { call(id::Run, {Arg("1")}); });
  EXPECT_EQ(r.code, 9991);
  EXPECT_EQ(r.description, "Parameter 2 missing");
}

TEST_F(ListQueries, AutosizeOnPrepareAndRun) {
  list->setFactory(nullptr);
  site.setUserMode(false);
  put(id::Autosize, Arg(true));
  site.setUserMode(true);
  list->AmbientChanged();
  call(id::Connect, {Arg(u"server")});
  prepare();
  const float header = view().model().columns()[2].width;
  call(id::Run, {Arg("1"), Arg("ZEM")});
  EXPECT_NE(header, 96.0f);
  EXPECT_GE(view().model().columns()[2].width, header);
}

}  // namespace
}  // namespace kesto::controls::testing
