// The SQL text scanner and the statement preprocessor.
#include "AnsiText.h"
#include "SqlPreprocessor.h"
#include "SqlScanner.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kesto::odbc {
namespace {

using K = SqlTokenKind;

struct Tok {
    std::u16string text;
    K kind;
    bool operator==(const Tok&) const = default;
};

std::vector<Tok> scan(std::u16string_view text, bool delimited = false) {
    std::vector<Tok> out;
    std::size_t position = 0;
    while (position != kPastEnd) {
        const ScanResult r = nextSqlToken(text, position, delimited);
        if (r.tokenStart == kPastEnd) break;
        const std::size_t end = position == kPastEnd ? text.size() : position;
        out.push_back({std::u16string(text.substr(r.tokenStart, end - r.tokenStart)), r.kind});
    }
    return out;
}

std::string show(const std::vector<Tok>& tokens) {
    std::string s;
    for (const auto& t : tokens) s += "[" + narrow(t.text) + ":" + std::to_string(static_cast<int>(t.kind)) + "]";
    return s;
}

TEST(SqlScanner, Examples) {
    const struct {
        std::u16string text;
        std::vector<Tok> tokens;
    } cases[] = {
        {u"", {}},
        {u"  /* only */  ", {}},
        {u"/* a */ /* b */ x", {{u"/", K::Operator}, {u"*", K::Operator}, {u"b", K::Identifier}, {u"*", K::Operator},
                               {u"/", K::Operator}, {u"x", K::Identifier}}},
        {u"/*/ x", {{u"x", K::Identifier}}},
        {u"'it''s'", {{u"'it''s'", K::Literal}}},
        {u"'abc", {{u"'abc", K::Literal}}},
        {u"{d '2001-01-01'}", {{u"{d", K::DateTimeEscape}, {u"'2001-01-01'", K::Literal}, {u"}", K::Other}}},
        {u"{ts '2001-01-01 00:00:00'}", {{u"{ts", K::DateTimeEscape}, {u"'2001-01-01 00:00:00'", K::Literal}, {u"}", K::Other}}},
        {u"{D '1'}", {{u"{", K::Other}, {u"D", K::Identifier}, {u"'1'", K::Literal}, {u"}", K::Other}}},
        {u"{fn x}", {{u"{", K::Other}, {u"fn", K::Identifier}, {u"x", K::Identifier}, {u"}", K::Other}}},
        {u"a<>b", {{u"a", K::Identifier}, {u"<>", K::Operator}, {u"b", K::Identifier}}},
        {u"a=*b||c", {{u"a", K::Identifier}, {u"=*", K::Operator}, {u"b", K::Identifier}, {u"||", K::Operator}, {u"c", K::Identifier}}},
        {u"? :name", {{u"?", K::Marker}, {u":name", K::HostVariable}}},
        {u"%startswith %name", {{u"%startswith", K::Operator}, {u"%name", K::Identifier}}},
        {u"IS null NOT=", {{u"IS", K::IsWord}, {u"null", K::NullWord}, {u"NOT=", K::NotWord}}},
        {u"1.5e+-3x .5 .a", {{u"1.5e+-3", K::Literal}, {u"x", K::Identifier}, {u".5", K::Literal}, {u".", K::Other},
                             {u"a", K::Identifier}}},
        {u"1e", {{u"1e", K::Literal}}},
        {u"abc@def#1 caf\u00e9x", {{u"abc@def#1", K::Identifier}, {u"caf\u00e9x", K::Identifier}}},
        {u"f(a,b);", {{u"f", K::Identifier}, {u"(", K::OpenParen}, {u"a", K::Identifier}, {u",", K::Comma},
                      {u"b", K::Identifier}, {u")", K::CloseParen}, {u";", K::Other}}},
        // A fullwidth digit must still move the scanner on.
        {u"\uff11 x", {{u"\uff11", K::Identifier}, {u"x", K::Identifier}}},
    };
    for (const auto& c : cases) EXPECT_EQ(scan(c.text), c.tokens) << narrow(c.text) << " -> " << show(scan(c.text));
}

TEST(SqlScanner, DoubleQuotesFollowTheConnectionSetting) {
    EXPECT_EQ(scan(u"\"a b\"", true), (std::vector<Tok>{{u"\"a b\"", K::Identifier}}));
    EXPECT_EQ(scan(u"\"a b\"", false), (std::vector<Tok>{{u"\"a b\"", K::Literal}}));
}

TEST(SqlScanner, TokenEqualsFoldsAsciiOnly) {
    EXPECT_TRUE(tokenEquals(u"select", u"SELECT"));
    EXPECT_FALSE(tokenEquals(u"selec", u"SELECT"));
    EXPECT_FALSE(tokenEquals(u"s\u00e9lect", u"S\u00c9LECT"));
}

struct Expect {
    std::u16string text;
    StatementKind kind;
    std::uint32_t markers;
    std::vector<ParameterRecord> records;
};

constexpr auto App = GeneratedKind::Application;
constexpr auto Lit = GeneratedKind::Literal;
constexpr auto Omit = GeneratedKind::Omitted;
constexpr auto Nul = GeneratedKind::Null;

// Number literals travel as numbers: integers, and decimals (mantissa x 10^exponent) that
// the server reads as reals.
ParameterRecord num(std::u16string text, std::int64_t value) {
    ParameterRecord r{Lit, std::move(text)};
    r.literalForm = LiteralForm::Integer;
    r.mantissa = value;
    return r;
}
ParameterRecord dec(std::u16string text, std::int64_t mantissa, std::int8_t exponent) {
    ParameterRecord r{Lit, std::move(text)};
    r.literalForm = LiteralForm::Decimal;
    r.mantissa = mantissa;
    r.exponent = exponent;
    return r;
}

TEST(SqlPreprocessor, Examples) {
    const struct {
        std::u16string in;
        Expect out;
    } cases[] = {
        {u"commit", {u"commit", StatementKind::Other, 0, {}}},
        {u"select name from people where age > 30 and city = 'Lima'",
         {u"select name from people where age > :%qpar(1) and city = :%qpar(2)", StatementKind::Query, 2,
          {num(u"30", 30), {Lit, u"Lima"}}}},
        {u"set option blob_support = 1", {u"set option blob_support = 1 ", StatementKind::BlobSupportOn, 0, {}}},
        {u"SET OPTION BLOB_SUPPORT=0", {u"SET OPTION BLOB_SUPPORT = 0 ", StatementKind::BlobSupportOff, 0, {}}},
        {u"SET OPTION BLOB_SUPPORT = 2", {u"SET OPTION BLOB_SUPPORT = 2 ", StatementKind::Other, 0, {}}},
        {u"SET OPTION SYNCHRONOUS_COMMIT = 1", {u"SET OPTION SYNCHRONOUS_COMMIT = 1 ", StatementKind::SynchronousCommitOn, 0, {}}},
        {u"CREATE TABLE t (a INT DEFAULT 5)", {u"CREATE TABLE t ( a INT DEFAULT 5 ) ", StatementKind::Other, 0, {}}},
        {u"UPDATE t SET a = 5", {u"UPDATE t SET a = :%qpar(1)", StatementKind::Other, 1, {num(u"5", 5)}}},
        {u"SELECT 'x' FROM t", {u"SELECT 'x' FROM t", StatementKind::Query, 0, {}}},
        {u"SELECT a, 'x' FROM t", {u"SELECT a, :%qpar(1) FROM t", StatementKind::Query, 1, {{Lit, u"x"}}}},
        {u"SELECT a FROM t ORDER BY 1", {u"SELECT a FROM t ORDER BY 1", StatementKind::Query, 0, {}}},
        {u"SELECT a FROM t WHERE b = 2 ORDER BY 1",
         {u"SELECT a FROM t WHERE b = :%qpar(1) ORDER BY 1", StatementKind::Query, 1, {num(u"2", 2)}}},
        {u"SELECT a FROM t WHERE a IS NOT NULL", {u"SELECT a FROM t WHERE a IS NOT NULL", StatementKind::Query, 0, {}}},
        {u"UPDATE t SET a = NULL", {u"UPDATE t SET a = :%qpar(1)", StatementKind::Other, 1, {{Nul, u""}}}},
        {u"SET a = NULL", {u"SET a = NULL ", StatementKind::Other, 0, {}}},
        {u"SELECT a FROM t WHERE a = 'it''s'", {u"SELECT a FROM t WHERE a = :%qpar(1)", StatementKind::Query, 1, {{Lit, u"it's"}}}},
        {u"SELECT a FROM t WHERE x BETWEEN -5 AND -3",
         {u"SELECT a FROM t WHERE x BETWEEN :%qpar(1) AND :%qpar(2)", StatementKind::Query, 2, {num(u"-5", -5), num(u"-3", -3)}}},
        {u"SELECT a - 5 FROM t", {u"SELECT a - :%qpar(1) FROM t", StatementKind::Query, 1, {num(u"5", 5)}}},
        {u"SELECT a FROM t WHERE x = 007 OR y = 0.50 OR z = 10.0 OR w = +3",
         {u"SELECT a FROM t WHERE x = :%qpar(1) OR y = :%qpar(2) OR z = :%qpar(3) OR w = +:%qpar(4)", StatementKind::Query, 4,
          {num(u"7", 7), dec(u".5", 5, -1), dec(u"10", 1, 1), num(u"3", 3)}}},
        // Exponent literals keep their value: the shortest text that reads back the same.
        {u"SELECT a FROM t WHERE x = 1E-1 OR y = 1e3",
         {u"SELECT a FROM t WHERE x = :%qpar(1) OR y = :%qpar(2)", StatementKind::Query, 2, {dec(u".1", 1, -1), dec(u"1000", 1, 3)}}},
        // Numbers no parameter carries exactly stay in the text, where the server reads them.
        {u"SELECT a FROM t WHERE x = 1e999 OR y = 99999999999999999999 OR z = 2",
         {u"SELECT a FROM t WHERE x = 1e999 OR y = 99999999999999999999 OR z = :%qpar(1)", StatementKind::Query, 1,
          {num(u"2", 2)}}},
        {u"SELECT a FROM t WHERE x = -9223372036854775808 OR y = 0.000123400",
         {u"SELECT a FROM t WHERE x = :%qpar(1) OR y = :%qpar(2)", StatementKind::Query, 2,
          {num(u"-9223372036854775808", INT64_MIN), dec(u".0001234", 1234, -7)}}},
        // A line comment ends at its line; it never joins the tokens after it.
        {u"SELECT ID, Ganz --5\nFROM Typen -- all\r\nWHERE a = 1 -- last",
         {u"SELECT ID, Ganz --5\nFROM Typen -- all\r\nWHERE a = :%qpar(1)", StatementKind::Query, 1, {num(u"1", 1)}}},
        {u"SELECT a FROM t WHERE d = {d '2001-01-01'}",
         {u"SELECT a FROM t WHERE d = {d :%qpar(1)}", StatementKind::Query, 1, {{Lit, u"2001-01-01"}}}},
        {u"{fn now()}", {u"{fn now()}", StatementKind::Other, 0, {}}},
        // The text between tokens stays, so that expression columns keep their names.
        {u"SELECT count(*), a+1 FROM t WHERE b>2",
         {u"SELECT count(*), a+:%qpar(1) FROM t WHERE b>:%qpar(2)", StatementKind::Query, 2, {num(u"1", 1), num(u"2", 2)}}},
        // Positions, type sizes and prefixed literals are syntax, not values.
        {u"SELECT Bit, count(*) FROM t GROUP BY 1",
         {u"SELECT Bit, count(*) FROM t GROUP BY 1", StatementKind::Query, 0, {}}},
        {u"SELECT a, b, sum(c) FROM t WHERE d = 3 GROUP BY 1, 2 HAVING sum(c) > 4",
         {u"SELECT a, b, sum(c) FROM t WHERE d = :%qpar(1) GROUP BY 1, 2 HAVING sum(c) > :%qpar(2)", StatementKind::Query, 2,
          {num(u"3", 3), num(u"4", 4)}}},
        {u"SELECT a FROM t GROUP BY a + 1", {u"SELECT a FROM t GROUP BY a + :%qpar(1)", StatementKind::Query, 1, {num(u"1", 1)}}},
        {u"SELECT ID, CAST(Betrag AS DECIMAL(10,2)), CAST(x AS CHARACTER VARYING(5)) FROM t WHERE y IN (1, 2)",
         {u"SELECT ID, CAST(Betrag AS DECIMAL(10,2)), CAST(x AS CHARACTER VARYING(5)) FROM t WHERE y IN (:%qpar(1), :%qpar(2))",
          StatementKind::Query, 2, {num(u"1", 1), num(u"2", 2)}}},
        {u"SELECT ID, X'00FF', N'abc', x 'y' FROM t",
         {u"SELECT ID, X'00FF', N'abc', x :%qpar(1) FROM t", StatementKind::Query, 1, {{Lit, u"y"}}}},
        {u"{call p}", {u"p", StatementKind::Call, 0, {}}},
        {u"{?=call Sales.Total(?, 'EUR', , -2)}",
         {u"Sales.Total", StatementKind::CallWithResult, 5, {{App, u""}, {App, u""}, {Lit, u"EUR"}, {Omit, u""}, num(u"-2", -2)}}},
        {u"{call p(,5)}", {u"p", StatementKind::Call, 2, {{Omit, u""}, num(u"5", 5)}}},
        {u"{call p(1,)}", {u"p", StatementKind::Call, 2, {num(u"1", 1), {Omit, u""}}}},
        {u"{call p()}", {u"p", StatementKind::Call, 1, {{Omit, u""}}}},
    };
    for (const auto& c : cases) {
        std::vector<ParameterRecord> records;
        const PreprocessedSql out = preprocessSql(c.in, false, records);
        EXPECT_EQ(narrow(out.text), narrow(c.out.text)) << narrow(c.in);
        EXPECT_EQ(out.kind, c.out.kind) << narrow(c.in);
        EXPECT_EQ(out.markerCount, c.out.markers) << narrow(c.in);
        EXPECT_EQ(records, c.out.records) << narrow(c.in);
    }
}

TEST(SqlPreprocessor, LiteralsGoToTheirMarkersPlacesAmongBoundParameters) {
    std::vector<ParameterRecord> bound{{App, u"first"}, {App, u"second"}};
    const PreprocessedSql out = preprocessSql(u"UPDATE t SET a = ?, b = 5, c = ?", false, bound);
    EXPECT_EQ(out.text, u"UPDATE t SET a = :%qpar(1), b = :%qpar(2), c = :%qpar(3)");
    const std::vector<ParameterRecord> expected{{App, u"first"}, num(u"5", 5), {App, u"second"}};
    EXPECT_EQ(bound, expected);
}

TEST(SqlPreprocessor, MarkerAmongTheFirstTwoTokensKeepsTheOrder) {
    std::vector<ParameterRecord> bound{{App, u"p1"}};
    preprocessSql(u"SELECT ?, a FROM t WHERE b = 5", false, bound);
    const std::vector<ParameterRecord> expected{{App, u"p1"}, num(u"5", 5)};
    EXPECT_EQ(bound, expected);
}

}  // namespace
}  // namespace kesto::odbc
