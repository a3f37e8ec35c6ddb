// Result sets against the stand-in server, through the Factory's dispatch interface only.
#include "ServerFixture.h"
#include "DispatchErrors.h"
#include "TempRoot.h"

#include <kestoobject/Factory.h>

#include <automation/Dispatch.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kesto::object {
namespace {

using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;
using server::objproto::ServerOptions;

constexpr char16_t kArticles[] = u"FRX.ArtHaupt1";
constexpr char16_t kByShortName[] = u"NachKurzbezeichnung";

ServerOptions batchesOf(std::size_t rows, bool unicode = true) {
  ServerOptions options;
  options.fetchBatchRows = rows;
  options.unicode = unicode;
  return options;
}

class ResultSetTest : public TempRootTest {
 protected:
  void start(ServerOptions options = batchesOf(3)) {
    server_ = std::make_unique<DemoServer>(options);
    factory_ = Dispatch(Factory::create());
    ASSERT_TRUE(factory_.call("Connect", server_->address() + ":Ferrix").toBool());
  }
  Dispatch classQuery() const {
    return Dispatch(factory_.call("ResultSet", kArticles, kByShortName).dispatch());
  }
  Dispatch statement(std::u16string_view sql) const {
    return Dispatch(factory_.call("DynamicSQL", sql).dispatch());
  }
  static std::vector<std::u16string> walk(const Dispatch& rs, short column) {
    std::vector<std::u16string> values;
    while (rs.call("Next").toBool()) values.push_back(rs.call("GetData", column).toString());
    return values;
  }

  std::unique_ptr<DemoServer> server_;
  Dispatch factory_;
};

TEST_F(ResultSetTest, ClassQueryDescribesItself) {
  start();
  const Dispatch rs = classQuery();
  EXPECT_EQ(rs.call("GetColumnCount").toInt32(), 4);
  EXPECT_EQ(rs.call("GetParamCount").toInt32(), 2);
  EXPECT_EQ(rs.call("ContainsID").toInt32(), 1);
  EXPECT_EQ(rs.call("GetParamName", short(2)).toString(), u"Suchbegriff");
  EXPECT_EQ(rs.call("GetParamName", short(3)).toString(), u"");
  EXPECT_EQ(rs.call("GetColumnName", short(0)).toString(), u"ID");  // 1 or less: the first
  EXPECT_EQ(rs.call("GetColumnName", short(5)).toString(), u"");
  EXPECT_EQ(rs.call("GetColumnHeader", short(3)).toString(), u"Bez1");  // no header: the name
}

TEST_F(ResultSetTest, ClassQueryWalksEveryBatchWithStoredParameters) {
  start(batchesOf(0));
  std::vector<std::u16string> whole;
  {
    const Dispatch rs = classQuery();
    ASSERT_TRUE(rs.call("Execute", u"1", u"").toBool());
    whole = walk(rs, 1);
  }
  ASSERT_GT(whole.size(), 7u);

  start(batchesOf(3));
  const Dispatch rs = classQuery();
  rs.call("SetParam", short(1), u"1");
  rs.call("SetParam", short(2), u"");
  rs.call("SetParam", short(0), u"ignored");
  rs.call("SetParam", short(17), u"ignored");
  ASSERT_TRUE(rs.call("Execute").toBool());
  EXPECT_FALSE(rs.get("QHandle").toBytes().empty());
  ASSERT_TRUE(rs.call("Next").toBool());
  EXPECT_EQ(rs.call("GetData", short(4)).vt(), VT_R8);
  EXPECT_EQ(rs.call("Get", u"bez1").toString(), rs.call("GetData", short(3)).toString());
  EXPECT_EQ(rs.call("GetData", short(5)).vt(), VT_EMPTY);
  std::vector<std::u16string> batched{rs.call("GetData", short(1)).toString()};
  for (const auto& id : walk(rs, 1)) batched.push_back(id);
  EXPECT_EQ(batched, whole);
  expectDispatchError([&] { rs.call("GetDataByName", u"Preis"); }, 9991, "Column does not exist");

  // At the end no further request is made: the server may be gone.
  server_.reset();
  EXPECT_FALSE(rs.call("Next").toBool());
  EXPECT_EQ(rs.call("GetData", short(1)).vt(), VT_EMPTY);
}

TEST_F(ResultSetTest, StoredParametersStopAtTheFirstUnsetOne) {
  start();
  const Dispatch rs = classQuery();
  rs.call("SetParam", short(2), u"");  // parameter 1 unset: nothing is sent
  ASSERT_TRUE(rs.call("Execute").toBool());
  EXPECT_FALSE(rs.call("Next").toBool());
}

TEST_F(ResultSetTest, StatesAndTheirErrors) {
  start();
  const Dispatch rs = classQuery();
  const std::string notOpen = "Query not open.  Run Execute.";
  expectDispatchError([&] { rs.call("Next"); }, 9991, notOpen);
  expectDispatchError([&] { rs.call("GetData", short(1)); }, 9991, notOpen);
  expectDispatchError([&] { rs.call("IsDataNull", short(1)); }, 9991, notOpen);
  EXPECT_TRUE(rs.call("Close").toBool());  // not open: nothing sent

  ASSERT_TRUE(rs.call("Execute", u"1", u"").toBool());
  expectDispatchError([&] { rs.call("Execute", u"1", u""); }, 9991,
              "Query already open.  Call Close() before Execute().");
  ASSERT_TRUE(rs.call("Next").toBool());
  EXPECT_TRUE(rs.call("Close").toBool());
  ASSERT_TRUE(rs.call("Execute", u"1", u"").toBool());
  EXPECT_TRUE(rs.call("Next").toBool());
  rs.call("Prepare", u"1", u"");  // accepted while open, and changes nothing
  EXPECT_TRUE(rs.call("Next").toBool());
}

TEST_F(ResultSetTest, DynamicStatementWithParametersInBothWidths) {
  for (const bool unicode : {true, false}) {
    SCOPED_TRACE(unicode);
    start(batchesOf(2, unicode));
    ASSERT_EQ(factory_.call("IsMultibyte").toBool(), !unicode);
    const Dispatch count = statement(u"SELECT COUNT(*) FROM FRX.ArtHaupt1 WHERE Firma = ?");
    ASSERT_TRUE(count.call("Execute", u"1").toBool());
    ASSERT_TRUE(count.call("Next").toBool());
    const long rows = std::stol(std::string(count.call("GetData", short(1)).toUtf8()));

    const Dispatch rs = statement(
        u"SELECT ArtNr, '?' AS q FROM FRX.ArtHaupt1 WHERE Firma = ? AND Bez1 <> \"?\" ORDER BY ArtNr");
    EXPECT_EQ(rs.call("GetParamCount").toInt32(), 1);
    EXPECT_EQ(rs.call("GetColumnCount").toInt32(), 2);
    ASSERT_TRUE(rs.call("Execute", u"1").toBool());
    const auto numbers = walk(rs, 1);
    EXPECT_EQ(static_cast<long>(numbers.size()), rows);
    EXPECT_GT(rows, 4);
  }
}

TEST_F(ResultSetTest, EmptyStringIsNotNull) {
  start();
  const Dispatch rs = statement(u"SELECT '' AS e, NULL AS n, 'x' AS v");
  ASSERT_TRUE(rs.call("Execute").toBool());
  ASSERT_TRUE(rs.call("Next").toBool());
  EXPECT_FALSE(rs.call("IsDataNull", short(1)).toBool());
  EXPECT_TRUE(rs.call("IsDataNull", short(2)).toBool());
  EXPECT_FALSE(rs.call("IsDataNull", short(3)).toBool());
  EXPECT_TRUE(rs.call("IsDataNull", short(4)).toBool());
  EXPECT_EQ(rs.call("GetData", short(1)).toString(), u"");
}

TEST_F(ResultSetTest, ServerErrorsRaise9990) {
  start();
  try {
    statement(u"SELECT nothing FROM nowhere");
    ADD_FAILURE() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 9990);
    EXPECT_NE(e.description.find("syntax error"), std::string::npos) << e.description;
  }
}

TEST_F(ResultSetTest, LostConnectionFailsAndCloseStillClosesTheCursor) {
  start(batchesOf(2));
  const Dispatch rs = classQuery();
  ASSERT_TRUE(rs.call("Execute", u"1", u"").toBool());
  ASSERT_TRUE(rs.call("Next").toBool());
  const std::u16string first = rs.call("GetData", short(1)).toString();
  ASSERT_TRUE(rs.call("Next").toBool());
  const std::u16string second = rs.call("GetData", short(1)).toString();
  server_.reset();
  EXPECT_THROW(rs.call("Next"), DispatchException);
  // The failed fetch kept the current row.
  EXPECT_EQ(rs.call("GetData", short(1)).toString(), second);
  EXPECT_THROW(rs.call("Close"), DispatchException);
  // Closed all the same: Execute is refused by the link, not as "already open".
  try {
    rs.call("Execute", u"1", u"");
    ADD_FAILURE() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 9990);
  }
  EXPECT_NE(first, second);
}

TEST_F(ResultSetTest, ReleasedResultSetLeavesNoProxyBehind) {
  start();
  {
    const Dispatch rs = classQuery();
    ASSERT_TRUE(rs.call("Execute", u"1", u"").toBool());
    ASSERT_TRUE(rs.call("Next").toBool());
  }  // released while open: closed on the server, class proxy released
  EXPECT_TRUE(factory_.call("Disconnect").toBool());
}

}  // namespace
}  // namespace kesto::object
