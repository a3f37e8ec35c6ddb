// SQL text from the driver turned into SQLite's, and what parameters stand next to.
#include "Catalog.h"
#include "SqlText.h"

#include <gtest/gtest.h>

namespace kesto::server::odbc {
namespace {

TEST(SqlText, TranslatesMarkersOwnersAndEscapes) {
    const struct {
        const char* in;
        const char* out;
        int markers;
    } cases[] = {
        // In order, each once: plain markers, so that expression columns keep their written names.
        {"select name from t where a > :%qpar(1) and b = :%qpar(2)", "select name from t where a > ? and b = ?", 2},
        {"SELECT Ganz + :%qpar(1) FROM t", "SELECT Ganz + ? FROM t", 1},
        {"SELECT a FROM t WHERE b = :%qpar(2) AND c = :%qpar(1)", "SELECT a FROM t WHERE b = ?2 AND c = ?1", 2},
        {"SELECT ':%qpar(1)' FROM t WHERE x = :%qpar(1)", "SELECT ':%qpar(1)' FROM t WHERE x = ?", 1},
        {"SELECT N'abc', n.x FROM t n WHERE y = N'd'", "SELECT 'abc', n.x FROM t n WHERE y = 'd'", 0},
        {"SELECT * FROM SQLUser.Typen, \"SQLUser\".x", "SELECT * FROM main.Typen, \"SQLUser\".x", 0},
        {"SELECT * FROM t WHERE d = {d :%qpar(1) }", "SELECT * FROM t WHERE d =  ? ", 1},
        {"SELECT { fn UCASE ( a ) } FROM t", "SELECT   UCASE ( a )  FROM t", 0},
        {"SELECT * FROM t WHERE a LIKE :%qpar(1) {escape '\\'}", "SELECT * FROM t WHERE a LIKE ? ESCAPE '\\'", 1},
        {"SELECT * FROM t WHERE t.a %STARTSWITH :%qpar(1)", "SELECT * FROM t WHERE substr(t.a,1,length(?1)) = ?1", 1},
        {"SELECT 'it''s {' FROM t", "SELECT 'it''s {' FROM t", 0},
    };
    for (const auto& c : cases) {
        const SqlForSqlite sql = translateSql(c.in);
        EXPECT_EQ(sql.text, c.out) << c.in;
        EXPECT_EQ(sql.markers, c.markers) << c.in;
    }
}

TEST(SqlText, RefusesWhatSqliteWouldMisread) {
    for (const char* text : {"SELECT :name FROM t", "SELECT {x 1} FROM t", "SELECT { d 1 FROM t", "SELECT 1 } FROM t",
                             "SELECT * FROM t WHERE (%STARTSWITH x)", "SELECT :%qpar(0) FROM t"})
        EXPECT_THROW(translateSql(text), SqlTextError) << text;
}

TEST(SqlText, QueryIsDecidedByTheFirstToken) {
    EXPECT_TRUE(isQueryText("select a from t"));
    EXPECT_TRUE(isQueryText(" /* note */ SELECT 1"));
    EXPECT_FALSE(isQueryText("SELECT"));
    EXPECT_FALSE(isQueryText("/* a */ /* b */ SELECT 1"));
    EXPECT_FALSE(isQueryText("INSERT INTO t SELECT 1"));
}

TEST(SqlText, MarkersKnowTheirColumns) {
    const MarkerInfo update = describeMarkers("UPDATE main.Typen SET Text = ?1 WHERE ?2 < Ganz AND x + ?3 > 1", 3);
    EXPECT_EQ(update.tables, std::vector<std::string>{"main.Typen"});
    EXPECT_EQ(update.markers[0].column, "Text");
    EXPECT_EQ(update.markers[1].column, "Ganz");
    EXPECT_EQ(update.markers[2].column, "");
    const MarkerInfo insert = describeMarkers("INSERT INTO t (a, \"b\", c) VALUES (?1, ?2, upper(?3))", 3);
    EXPECT_EQ(insert.markers[0].column, "a");
    EXPECT_EQ(insert.markers[1].column, "b");
    EXPECT_EQ(insert.markers[2].column, "");
}

TEST(SqlText, SearchPatternsFollowOdbcRules) {
    const struct {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"%", "Typen", true},         {"typ%", "Typen", true},      {"T_pen", "Typen", true},
        {"T_pen", "Tpen", false},     {"Bestell\\_Pos", "Bestell_Pos", true},
        {"Bestell\\_Pos", "BestellXPos", false}, {"%%%x", "abcx", true}, {"", "a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesPattern(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

}  // namespace
}  // namespace kesto::server::odbc
