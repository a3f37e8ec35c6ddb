// Statement requests against the demo tables, byte for byte as the driver reads them.
#include "OdbcClient.h"

#include <text/CodePage.h>

#include <array>
#include <cstring>

namespace kesto::server::odbc {
namespace {

using testclient::Reply;

struct Column {
    std::string name;
    std::int64_t type = 0, precision = 0, scale = 0, nullable = 0;
    std::string table;
};

std::string str(const wire::Element& e) {
    if (e.type == wire::Text16) return text::utf16ToUtf8(wire::utf16Value(e));
    return std::string(e.data);
}

std::vector<Column> readColumns(wire::ListReader& r) {
    std::vector<Column> out(static_cast<std::size_t>(*wire::integerValue(r.next())));
    for (Column& c : out) {
        c.name = str(r.next());
        c.type = *wire::integerValue(r.next());
        c.precision = *wire::integerValue(r.next());
        c.scale = *wire::integerValue(r.next());
        c.nullable = *wire::integerValue(r.next());
        r.next();  // label
        c.table = str(r.next());
    }
    return out;
}

std::vector<std::array<std::int64_t, 4>> readParameters(wire::ListReader& r) {
    std::vector<std::array<std::int64_t, 4>> out(static_cast<std::size_t>(*wire::integerValue(r.next())));
    for (auto& p : out)
        for (auto& v : p) v = *wire::integerValue(r.next());
    return out;
}

// Raw bytes of every element left, for comparing cells.
std::vector<std::string> rest(wire::ListReader& r) {
    std::vector<std::string> out;
    while (auto e = r.tryNext()) out.emplace_back(e->raw);
    return out;
}

std::string sqlBody(std::u16string_view sql, std::vector<std::vector<std::string>> sets = {{}}) {
    wire::ListWriter w(1 << 20);
    w.text16(sql);
    w.integer(static_cast<std::int64_t>(sets.size()));
    for (const auto& set : sets)
        for (const auto& v : set) w.encoded(v);
    return w.take();
}

std::string t16(std::u16string_view s) { return wire::encodeText16(s); }
std::string num(std::int64_t v) { return wire::encodeInteger(v); }
std::string dec(std::int64_t mantissa, std::int8_t exponent) {
    wire::ListWriter w;
    w.decimal(mantissa, exponent);
    return w.take();
}
std::string raw(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}
const std::string kNull = raw({0x02, 0x01});
const std::string kEmpty = raw({0x03, 0x01, 0x00});

class Statements : public testclient::OdbcSessionTest {
protected:
    void SetUp() override {
        OdbcSessionTest::SetUp();
        login();
    }
    // Rows of a forward-only result, following FD/SF until the last batch.
    std::vector<std::string> drain(Reply first, wire::ListReader& r, std::uint32_t stmt, const char* more) {
        std::vector<std::string> cells = rest(r);
        for (Reply reply = first; reply.code == 0;) {
            reply = call(more, {}, stmt);
            wire::ListReader next(reply.body);
            for (auto& c : rest(next)) cells.push_back(c);
        }
        return cells;
    }
    std::string readStream(std::uint32_t stmt, const std::string& reference, std::uint32_t piece) {
        std::string all;
        std::uint32_t handle = 0;
        do {
            std::string body = num(handle) + num(piece);
            if (handle == 0) body += reference;
            const Reply r = call("RS", body, stmt);
            EXPECT_EQ(r.code, 0);
            if (r.code != 0 || r.body.size() < 8) break;
            std::memcpy(&handle, r.body.data(), 4);
            all += r.body.substr(8);
        } while (handle != 0);
        return all;
    }
};

TEST_F(Statements, QueryDescribesColumnsAndParametersAndSendsTypedCells) {
    const Reply r = call("DQ", sqlBody(u"SELECT ID, Zeichen, Betrag, Zahl, Datum, Roh FROM Typen WHERE ID = :%qpar(1)", {{t16(u"1")}}), 1);
    EXPECT_EQ(r.code, 100) << "all rows fit the first reply";
    EXPECT_EQ(r.stmt, 1u);
    wire::ListReader reader(r.body);
    const auto columns = readColumns(reader);
    ASSERT_EQ(columns.size(), 6u);
    EXPECT_EQ(columns[1].name, "Zeichen");
    EXPECT_EQ(columns[1].type, 1);
    EXPECT_EQ(columns[1].precision, 10);
    EXPECT_EQ(columns[1].table, "Typen");
    EXPECT_EQ(columns[2].type, 2);
    EXPECT_EQ(columns[2].scale, 2);
    EXPECT_EQ(columns[0].nullable, 0);
    EXPECT_EQ(columns[4].type, 9);
    const auto params = readParameters(reader);
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0][0], 4) << "compared with the INTEGER column ID";
    const auto cells = rest(reader);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0], num(1));
    EXPECT_EQ(cells[1], t16(u"ABC"));
    EXPECT_EQ(cells[2], raw({0x05, 0x06, 0xFE, 0xE2, 0x04})) << "12.50 with scale 2";
    EXPECT_EQ(cells[3], raw({0x05, 0x06, 0xFE, 0x45, 0x01})) << "3.25, shortest decimal";
    EXPECT_EQ(cells[4], wire::encodeText8("2024-03-15")) << "dates always as 8-bit text";
    EXPECT_EQ(cells[5], wire::encodeText8(std::string("\x00\xFF\x10", 3)));
}

TEST_F(Statements, EmptyStringsAndNullsKeepTheirForms) {
    const Reply r = call("DQ", sqlBody(u"SELECT Zeichen, Roh FROM Typen WHERE ID IN (2, 3) ORDER BY ID"), 1);
    wire::ListReader reader(r.body);
    readColumns(reader);
    readParameters(reader);
    EXPECT_EQ(rest(reader), (std::vector<std::string>{kEmpty, raw({0x02, 0x02}), kNull, kNull}));
}

// Rows a connection holds are capped: a static cursor past the cap is refused with a text
// naming the option, and what the refused one held is given back.
class CappedStatements : public Statements {
protected:
    CappedStatements() { options_.maxResultBytes = 64 * 1024; }
};

TEST_F(CappedStatements, StaticCursorPastTheCapIsRefusedAndTheConnectionGoesOn) {
    const char16_t* many = u"WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) SELECT x FROM n";
    Reply r = call("DX", sqlBody(many), 1);
    EXPECT_EQ(r.code, 400);
    r = call("OE", num(400), 0);
    wire::ListReader text(r.body);
    EXPECT_NE(str(text.next()).find("--max-result-mb"), std::string::npos);
    for (std::uint32_t stmt = 2; stmt < 5; ++stmt)
        EXPECT_EQ(call("DX", sqlBody(u"SELECT ID FROM Typen"), stmt).code, 0) << "small cursors still fit, each in turn";
}

class EightBitStatements : public Statements {
protected:
    EightBitStatements() { options_.unicode = false; }
};

TEST_F(EightBitStatements, StringsTravelAsLatin1) {
    wire::ListWriter w;
    w.text8("SELECT Text FROM Typen WHERE ID = :%qpar(1)");
    w.integer(1);
    w.text8("1");
    const Reply r = call("DQ", w.take(), 1);
    wire::ListReader reader(r.body);
    readColumns(reader);
    readParameters(reader);
    EXPECT_EQ(rest(reader), std::vector<std::string>{wire::encodeText8("Gr\xFC\xDF" "e")});
}

class SmallBatches : public Statements {
protected:
    SmallBatches() { options_.batchBytes = 40; }
};

TEST_F(SmallBatches, RowsComeInBatchesUntilTheLastSays100) {
    const Reply first = call("DQ", sqlBody(u"SELECT Nummer, Pos, ArtNr FROM BestellPos ORDER BY ArtNr"), 3);
    EXPECT_EQ(first.code, 0);
    wire::ListReader reader(first.body);
    readColumns(reader);
    readParameters(reader);
    const auto cells = drain(first, reader, 3, "FD");
    ASSERT_EQ(cells.size(), 36u);
    EXPECT_EQ(cells[2], t16(u"100001"));
    EXPECT_EQ(cells[35], t16(u"100012"));
    const Reply after = call("FD", {}, 3);
    EXPECT_EQ(after.code, 100);
    EXPECT_TRUE(after.body.empty());
}

TEST_F(SmallBatches, CloseDropsTheCursorWithoutAReply) {
    ASSERT_EQ(call("DQ", sqlBody(u"SELECT Nummer, ArtNr FROM BestellPos"), 3).code, 0);
    send("CC", {}, ++seq_, 3);
    send("CS", {}, ++seq_, 3);
    const Reply next = call("FD", {}, 3);
    EXPECT_EQ(next.seq, seq_) << "the stream stays in step";
    EXPECT_EQ(next.code, 100);
    EXPECT_TRUE(next.body.empty());
}

TEST_F(Statements, PreparedStatementRunsAgainAndAnUnknownIdIsNotHeld) {
    const Reply pp = call("PP", t16(u"SELECT Lieferant FROM Bestellung WHERE Nummer = :%qpar(1)"), 7);
    ASSERT_EQ(pp.code, 0);
    wire::ListReader reader(pp.body);
    EXPECT_EQ(readColumns(reader).at(0).name, "Lieferant");
    EXPECT_EQ(readParameters(reader).at(0)[0], 4);
    for (int n : {2, 5}) {
        const Reply pq = call("PQ", num(1) + num(n), 7);
        EXPECT_EQ(pq.code, 100);
        EXPECT_EQ(pq.body, t16(n == 2 ? u"700002" : u"700005"));
    }
    EXPECT_EQ(call("PQ", num(1) + num(2), 99).code, 404);
    EXPECT_EQ(call("PU", num(1) + num(2), 99).code, 404);
}

// A column whose type follows a parameter's value was described before the value was known:
// the execution that changes it is answered 404, and the text sent again is described anew.
TEST_F(Statements, AColumnTypedByAParameterIsDescribedByItsValue) {
    const std::u16string sql = u"SELECT Ganz + :%qpar(1), ID FROM Typen WHERE ID = 1";
    const Reply pp = call("PP", t16(sql), 3);
    ASSERT_EQ(pp.code, 0);
    wire::ListReader prepared(pp.body);
    EXPECT_EQ(readColumns(prepared).at(0).type, 8) << "a number of either kind before any value";
    EXPECT_EQ(call("PQ", num(1) + num(1), 3).code, 404);
    const struct {
        std::string value;
        std::int64_t type;
    } cases[] = {{num(1), -5}, {dec(5, -1), 8}};
    std::uint32_t id = 4;
    for (const auto& c : cases) {
        const Reply dq = call("DQ", sqlBody(sql, {{c.value}}), id);
        ASSERT_EQ(dq.code, 100);
        wire::ListReader reader(dq.body);
        EXPECT_EQ(readColumns(reader).at(0).type, c.type);
        // The same kind of value runs the statement as described; the other kind is refused.
        EXPECT_EQ(call("PQ", num(1) + c.value, id).code, 100);
        EXPECT_EQ(call("PQ", num(1) + cases[&c == &cases[0] ? 1 : 0].value, id).code, 404);
        ++id;
    }
    // A parameter that types no column never sends the statement back.
    ASSERT_EQ(call("PP", t16(u"SELECT ID FROM Typen WHERE Ganz > :%qpar(1)"), 9).code, 0);
    EXPECT_EQ(call("PQ", num(1) + num(1), 9).code, 100);
    EXPECT_EQ(call("PQ", num(1) + dec(5, -1), 9).code, 100);
}

TEST_F(Statements, OldStatementsAreEvictedAndAnsweredNotHeld) {
    for (std::uint32_t id = 1; id <= 257; ++id) ASSERT_EQ(call("PP", t16(u"SELECT 1 FROM Typen"), id).code, 0);
    EXPECT_EQ(call("PQ", num(1), 1).code, 404);
    EXPECT_EQ(call("PQ", num(1), 257).code, 100);
}

TEST_F(Statements, UpdatesCountRowsOverParameterSets) {
    const Reply ins = call("DU",
                           sqlBody(u"INSERT INTO Bestellung (Nummer, Lieferant, Datum) VALUES (:%qpar(1), :%qpar(2), :%qpar(3))",
                                   {{num(10), t16(u"800001"), wire::encodeText8("2025-01-01")},
                                    {num(11), t16(u"800002"), wire::encodeText8("2025-01-02")}}),
                           1);
    ASSERT_EQ(ins.code, 0);
    wire::ListReader reader(ins.body);
    const auto params = readParameters(reader);
    ASSERT_EQ(params.size(), 3u);
    EXPECT_EQ(params[1][0], 12);
    EXPECT_EQ(params[1][1], 10) << "VARCHAR(10)";
    EXPECT_EQ(params[1][3], 0) << "NOT NULL";
    EXPECT_EQ(params[2][0], 9);
    EXPECT_EQ(rest(reader), std::vector<std::string>{num(2)});

    const Reply upd = call("DU", sqlBody(u"UPDATE Bestellung SET Status = :%qpar(1) WHERE Nummer >= :%qpar(2)", {{t16(u"X"), t16(u"10")}}), 2);
    wire::ListReader updReader(upd.body);
    readParameters(updReader);
    EXPECT_EQ(rest(updReader), std::vector<std::string>{num(2)}) << "the number text compares as a number";

    const Reply del = call("DU", sqlBody(u"DELETE FROM Bestellung WHERE Status = :%qpar(1)", {{t16(u"X")}}), 3);
    wire::ListReader delReader(del.body);
    readParameters(delReader);
    EXPECT_EQ(rest(delReader), std::vector<std::string>{num(2)});
}

TEST_F(Statements, FailuresAnswerTheirCodeAndOeGivesTheText) {
    const struct {
        const char* code;
        std::u16string sql;
        std::vector<std::vector<std::string>> sets;
        std::uint16_t expected;
        const char* text;
    } cases[] = {
        {"DQ", u"SELECT * FROM Fehlt", {{}}, 30, "no such table"},
        {"DQ", u"SELECT Fehlt FROM Typen", {{}}, 31, "no such column"},
        {"DQ", u"SELECT FROM WHERE", {{}}, 1, "syntax error"},
        {"DQ", u"SELECT :name FROM Typen", {{}}, 1, "Host variables"},
        {"DU", u"INSERT INTO Typen (ID) VALUES (:%qpar(1))", {{num(1)}}, 104, "UNIQUE"},
        {"DU", u"INSERT INTO Typen (ID, Text) VALUES (:%qpar(1))", {{num(9)}}, 62, "values for"},
        {"DU", u"DELETE FROM Typen WHERE ID = :%qpar(1)", {{}}, 7001, "Wrong number of parameters"},
        {"DU", u"DROP TABLE FRX.ParPersEdv ", {{}}, 400, "not authorized"},
    };
    std::uint32_t stmt = 1;
    for (const auto& c : cases) {
        const Reply r = call(c.code, sqlBody(c.sql, c.sets), stmt++);
        EXPECT_EQ(r.code, c.expected) << text::utf16ToUtf8(c.sql);
        const Reply oe = call("OE", num(c.expected));
        wire::ListReader reader(oe.body);
        EXPECT_NE(str(reader.next()).find(c.text), std::string::npos) << text::utf16ToUtf8(c.sql);
    }
}

TEST_F(Statements, StaticCursorAnswersRowsetsByPosition) {
    const Reply dx = call("DX", sqlBody(u"SELECT Nummer FROM Bestellung ORDER BY Nummer"), 4);
    ASSERT_EQ(dx.code, 0);
    const struct {
        std::int64_t target, size, position, count;
        std::uint16_t code;
    } cases[] = {
        {1, 2, 1, 2, 0}, {4, 2, 4, 2, 100}, {0, 2, 4, 2, 100}, {-1, 2, 5, 1, 100}, {6, 2, 6, 0, 100}, {-6, 2, 0, 0, 100},
    };
    for (const auto& c : cases) {
        const Reply fx = call("FX", num(c.target) + num(c.size), 4);
        EXPECT_EQ(fx.code, c.code) << c.target;
        wire::ListReader r(fx.body);
        EXPECT_EQ(wire::integerValue(r.next()), c.position) << c.target;
        EXPECT_EQ(wire::integerValue(r.next()), c.count) << c.target;
        const auto cells = rest(r);
        ASSERT_EQ(static_cast<std::int64_t>(cells.size()), c.count);
        if (c.count) {
            EXPECT_EQ(cells[0], num(c.position));
        }
    }
}

TEST_F(Statements, LongValuesComeAsReferencesAndStreamInPieces) {
    const Reply r = call("DQ", sqlBody(u"SELECT Inhalt, Bild FROM Dokumente ORDER BY ID"), 5);
    wire::ListReader reader(r.body);
    const auto columns = readColumns(reader);
    EXPECT_EQ(columns[0].type, -1);
    EXPECT_EQ(columns[1].type, -4);
    readParameters(reader);
    const auto cells = rest(reader);
    ASSERT_EQ(cells.size(), 6u);

    const std::string text = readStream(5, cells[0], 1000);
    EXPECT_GT(text.size(), 90000u);
    EXPECT_EQ(text.substr(0, 20), "Lagerbestand pr\xFC" "fen,") << "ISO-8859-1 bytes";
    const std::string picture = readStream(5, cells[1], 4096);
    ASSERT_EQ(picture.size(), 4096u);
    EXPECT_EQ(static_cast<unsigned char>(picture[1]), 7u);

    // The first piece tells the whole length; a zero-byte piece only asks for it.
    const Reply probe = call("RS", num(0) + num(0) + cells[2], 5);
    ASSERT_EQ(probe.code, 0);
    std::uint32_t continuation = 0, length = 0;
    std::memcpy(&continuation, probe.body.data(), 4);
    std::memcpy(&length, probe.body.data() + 4, 4);
    EXPECT_NE(continuation, 0u);
    EXPECT_EQ(length, 31u);
    EXPECT_EQ(probe.body.size(), 8u);

    EXPECT_EQ(call("RS", num(0) + num(100) + cells[3], 5).code, 403) << "document 2 has no picture";
    EXPECT_EQ(call("RS", num(0) + num(100) + cells[4], 5).code, 403) << "document 3 has no text";
}

TEST_F(Statements, LongParametersArriveInChunksAndAreStored) {
    std::string chunk1 = std::string(4, '\0') + "Teil eins, ";
    const Reply first = call("SM", chunk1, 6);
    ASSERT_EQ(first.code, 0);
    const auto handle = wire::integerValue(wire::ListReader(first.body).next());
    ASSERT_TRUE(handle && *handle > 0);
    std::string chunk2(4, '\0');
    std::memcpy(chunk2.data(), &*handle, 4);
    chunk2 += "Teil zwei \xE4";
    EXPECT_EQ(call("SM", chunk2, 6).body, num(*handle));
    // The handle travels in the form only handles take: five integer bytes.
    std::string named = raw({0x07, 0x04});
    for (int i = 0; i < 4; ++i) named.push_back(static_cast<char>(*handle >> (8 * i)));
    named.push_back('\0');
    const Reply du = call("DU", sqlBody(u"UPDATE Dokumente SET Inhalt = :%qpar(1) WHERE ID = :%qpar(2)", {{named, num(2)}}), 6);
    ASSERT_EQ(du.code, 0);
    wire::ListReader reader(du.body);
    EXPECT_EQ(readParameters(reader).at(0)[0], -1);
    EXPECT_EQ(rest(reader), std::vector<std::string>{num(1)});

    const Reply q = call("DQ", sqlBody(u"SELECT Inhalt FROM Dokumente WHERE ID = 2"), 8);
    wire::ListReader qr(q.body);
    readColumns(qr);
    readParameters(qr);
    EXPECT_EQ(readStream(8, rest(qr).at(0), 5), "Teil eins, Teil zwei \xE4");
}

TEST_F(Statements, CatalogRequestsListTheSchema) {
    auto catalog = [&](const char* code, std::vector<std::u16string> args, std::uint32_t stmt) {
        std::string body = num(1);
        for (const auto& a : args) body += t16(a);
        const Reply r = call(code, body, stmt);
        EXPECT_EQ(r.code, 100) << code;
        wire::ListReader reader(r.body);
        EXPECT_EQ(wire::integerValue(reader.next()), 1);
        const auto columns = readColumns(reader);
        EXPECT_EQ(wire::integerValue(reader.next()), 0);
        std::vector<std::vector<std::string>> rows;
        const auto cells = rest(reader);
        for (std::size_t i = 0; i + columns.size() <= cells.size(); i += columns.size()) {
            std::vector<std::string> row;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                wire::ListReader one(cells[i + c]);
                const auto e = one.next();
                row.push_back(e.isNumber() ? std::to_string(*wire::integerValue(e)) : e.data.empty() ? "NULL" : str(e));
            }
            rows.push_back(row);
        }
        return rows;
    };
    const auto tables = catalog("ta", {u"%Bestell%", u"TABLE,VIEW", u"SQLUser"}, 1);
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0], (std::vector<std::string>{"NULL", "SQLUser", "BestellPos", "TABLE", "NULL"}));
    EXPECT_EQ(tables[2][2], "VBestellung");
    EXPECT_EQ(tables[2][3], "VIEW");
    EXPECT_EQ(catalog("ta", {u"%", u"VIEW", u"SQLUser"}, 2).size(), 1u);
    EXPECT_EQ(catalog("sc", {}, 3).size(), 2u);

    const auto columns = catalog("co", {u"Typen", u"B%", u"SQLUser"}, 4);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0][3], "Bit");
    EXPECT_EQ(columns[1][3], "Betrag");
    EXPECT_EQ(columns[1][4], "2");
    EXPECT_EQ(columns[1][6], "10");
    EXPECT_EQ(columns[1][8], "2");

    const auto keys = catalog("pk", {u"BestellPos", u"SQLUser"}, 5);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0][3], "Nummer");
    EXPECT_EQ(keys[1][3], "Pos");
    EXPECT_EQ(keys[1][4], "2");

    const auto unique = catalog("st", {u"Bestellung", u"SQLUser", u"0"}, 6);
    ASSERT_EQ(unique.size(), 3u) << "table row, then the two columns of the unique index";
    EXPECT_EQ(unique[0][6], "0");
    EXPECT_EQ(unique[0][10], "5");
    EXPECT_EQ(unique[1][5], "BestellungLieferantDatum");
    EXPECT_EQ(unique[2][8], "Datum");

    const auto foreign = catalog("ek", {u"Bestellung", u"SQLUser"}, 7);
    ASSERT_EQ(foreign.size(), 1u);
    EXPECT_EQ(foreign[0][6], "BestellPos");
    EXPECT_EQ(foreign[0][7], "Nummer");
    EXPECT_EQ(foreign[0][3], "Nummer") << "the parent's key column";

    EXPECT_EQ(catalog("ti", {u"4"}, 8).at(0).at(0), "INTEGER");
    EXPECT_EQ(catalog("pr", {u"%", u"%"}, 9).size(), 3u);
}

TEST_F(Statements, ProceduresAnswerFlagsOutputsAndRows) {
    const Reply rows = call("DS", sqlBody(u"SQLUser.BestellungenVon", {{t16(u"700001")}}), 1);
    EXPECT_EQ(rows.code, 100);
    wire::ListReader r1(rows.body);
    EXPECT_EQ(wire::integerValue(r1.next()), 1);
    EXPECT_EQ(readColumns(r1).size(), 3u);
    EXPECT_EQ(readParameters(r1).size(), 1u);
    const auto cells = rest(r1);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[3], num(4));

    const Reply value = call("DS", sqlBody(u"PositionenAnzahl", {{num(1)}}), 2);
    EXPECT_EQ(value.code, 0);
    wire::ListReader r2(value.body);
    EXPECT_EQ(wire::integerValue(r2.next()), 2);
    const auto params = readParameters(r2);
    ASSERT_EQ(params.size(), 2u) << "the return value first";
    EXPECT_EQ(rest(r2), (std::vector<std::string>{num(3), kNull, num(0)}));

    ASSERT_EQ(call("SP", t16(u"StatusSetzen"), 3).code, 0);
    const Reply su = call("SU", num(1) + num(5) + t16(u"G"), 3);
    EXPECT_EQ(su.body, num(1));
    EXPECT_EQ(call("DS", sqlBody(u"Fehlt", {{}}), 4).code, 400);
}

TEST_F(Statements, AutocommitOffKeepsWorkUntilRollback) {
    send("AF", {}, ++seq_);
    ASSERT_EQ(call("DU", sqlBody(u"DELETE FROM BestellPos"), 1).code, 0);
    EXPECT_EQ(call("TR", {}).code, 0);
    const Reply q = call("DQ", sqlBody(u"SELECT count(*) FROM BestellPos"), 2);
    wire::ListReader reader(q.body);
    readColumns(reader);
    readParameters(reader);
    EXPECT_EQ(rest(reader), std::vector<std::string>{num(12)});
}

}  // namespace
}  // namespace kesto::server::odbc
