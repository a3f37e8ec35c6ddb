// The statement layer against a scripted server: the requests it sends and how it reads the
// replies, byte for byte where the protocol fixes them.
#include "Api.h"
#include "Connection.h"
#include "ParameterEncoder.h"
#include "Statement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

namespace kesto::odbc {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Request {
    std::string code;
    std::uint32_t statement = 0;
    Bytes body;
};
using Answer = std::optional<std::pair<std::uint16_t, Bytes>>;

void putU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Answers each request through a script; requests without a reply answer nullopt.
class FakeServer : public Transport {
public:
    std::function<Answer(const Request&)> answer;
    std::vector<Request> requests;
    bool killed = false;  // requests still go out, no reply ever comes

    int connect(Timeout) override { return 0; }
    void close() override {}
    int send(std::span<const std::uint8_t> b, Timeout, std::span<const std::uint8_t>) override {
        Request r{std::string(b.begin() + 12, b.begin() + 14), 0, Bytes(b.begin() + 14, b.end())};
        std::memcpy(&r.statement, b.data() + 8, 4);
        requests.push_back(r);
        if (killed) return 0;
        Answer a = r.code == "OE" ? Answer{{0, {3, 1, 0}}} : answer ? answer(r) : Answer{};
        if (!a) return 0;
        putU32(pending_, static_cast<std::uint32_t>(a->second.size()));
        pending_.insert(pending_.end(), b.begin() + 4, b.begin() + 12);
        pending_.push_back(static_cast<std::uint8_t>(a->first));
        pending_.push_back(static_cast<std::uint8_t>(a->first >> 8));
        pending_.insert(pending_.end(), a->second.begin(), a->second.end());
        return 0;
    }
    int receive(Bytes& buffer, std::size_t size, Timeout) override {
        if (pending_.size() < size) return code::ConnectionReset;
        buffer.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
        return 0;
    }
    bool deliversWholeMessages() const override { return false; }

    std::vector<std::string> codes() const {
        std::vector<std::string> c;
        for (const auto& r : requests)
            if (r.code != "OE") c.push_back(r.code);
        return c;
    }

private:
    Bytes pending_;
};

// Builds reply bodies from list elements.
struct Body {
    RequestWriter w;
    Body() { w.begin(0, "XX", 0); }
    Body& i(std::int32_t v) {
        w.writeInteger(v);
        return *this;
    }
    Body& s(std::u16string_view t) {
        writeWide(w, t);
        return *this;
    }
    Body& null() {
        w.writeElement(1, nullptr, 0);
        return *this;
    }
    Body& column(std::u16string_view name, int type, int precision = 10) {
        return s(name).i(type).i(precision).i(0).i(1).s(name).s(u"T");
    }
    Bytes bytes() const { return Bytes(w.bytes().begin() + 14, w.bytes().end()); }
};

// The elements of a request body as integers or texts, for comparisons.
std::vector<std::string> elementsOf(const Bytes& body) {
    ReplyReader r;
    r.start(body);
    std::vector<std::string> out;
    for (; r.atElement(); r.next()) {
        const Element& e = r.current();
        if (e.type == 4 || e.type == 5) {
            out.push_back(std::to_string(r.readInteger()));
        } else if (e.type == 0) {
            out.push_back("<absent>");
        } else {
            std::u16string t;
            r.peekWideString(t);
            out.push_back(e.isNull() ? "<null>" : std::string(t.begin(), t.end()));
        }
    }
    return out;
}

// The connection's end of the fake: a dropped link destroys it, never the server.
struct Link : Transport {
    explicit Link(FakeServer& s) : server(s) {}
    FakeServer& server;
    int connect(Timeout t) override { return server.connect(t); }
    void close() override {}
    int receive(Bytes& b, std::size_t n, Timeout t) override { return server.receive(b, n, t); }
    int send(std::span<const std::uint8_t> b, Timeout t, std::span<const std::uint8_t> v) override { return server.send(b, t, v); }
    bool deliversWholeMessages() const override { return false; }
};

class StatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        server = &fake;
        dbc.transport = std::make_unique<Link>(fake);
        dbc.flags |= Connected;
        ASSERT_EQ(api::allocStmt(&dbc, &h), SQL_SUCCESS);
    }
    void TearDown() override {
        server->answer = nullptr;
        api::freeStmt(h, SQL_DROP);
    }
    SQLRETURN exec(const char* sql) { return api::execDirect(h, (SQLCHAR*)sql, SQL_NTS); }
    std::string state(SQLHSTMT s = nullptr) {
        SQLCHAR st[6] = "";
        SQLINTEGER native = 0;
        SQLCHAR msg[512];
        SQLSMALLINT len = 0;
        api::error(nullptr, nullptr, s ? s : h, st, &native, msg, sizeof msg, &len);
        return reinterpret_cast<char*>(st);
    }

    FakeServer fake;
    Connection dbc{nullptr};
    FakeServer* server = nullptr;
    SQLHSTMT h = nullptr;
};

TEST_F(StatementTest, RowsComeFromTheReplyAndTheNextBatchAtItsEnd) {
    server->answer = [](const Request& r) -> Answer {
        if (r.code == "DQ") return {{0, Body().i(2).column(u"A", SQL_INTEGER).column(u"B", SQL_VARCHAR).i(0).i(1).s(u"one").bytes()}};
        if (r.code == "FD") return {{100, Body().i(2).s(u"two").bytes()}};
        return {};
    };
    ASSERT_EQ(exec("select a, b from t"), SQL_SUCCESS);
    SQLINTEGER a = 0;
    SQLLEN aLen = 0;
    ASSERT_EQ(api::bindCol(h, 1, SQL_C_LONG, &a, 0, &aLen), SQL_SUCCESS);
    char b[16];
    SQLLEN bLen = 0;
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    EXPECT_EQ(a, 1);
    ASSERT_EQ(api::getData(h, 2, SQL_C_CHAR, b, sizeof b, &bLen), SQL_SUCCESS);
    EXPECT_STREQ(b, "one");
    EXPECT_EQ(server->codes(), (std::vector<std::string>{"DQ", "FD"})) << "the end of the reply fetches at once";
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(api::getData(h, 1, SQL_C_CHAR, b, sizeof b, &bLen), SQL_ERROR) << "bound column";
    EXPECT_EQ(state(), "S1002");
    ASSERT_EQ(api::getData(h, 2, SQL_C_CHAR, b, sizeof b, &bLen), SQL_SUCCESS);
    EXPECT_STREQ(b, "two");
    EXPECT_EQ(api::fetch(h), SQL_NO_DATA_FOUND);
    EXPECT_EQ(server->codes().size(), 2u);
    ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
    EXPECT_EQ(server->codes().size(), 2u) << "all rows read: nothing to close";
}

TEST_F(StatementTest, QueryWithoutRowsEndsWithoutARequest) {
    server->answer = [](const Request&) -> Answer { return {{100, Body().i(1).column(u"A", SQL_INTEGER).i(0).bytes()}}; };
    ASSERT_EQ(exec("select a from t where 1 = 0"), SQL_SUCCESS);
    EXPECT_EQ(api::fetch(h), SQL_NO_DATA_FOUND);
    EXPECT_EQ(server->codes(), std::vector<std::string>{"DQ"});
}

TEST_F(StatementTest, SecondRunOfATextReusesTheServerStatementAndSurvivesItsEviction) {
    bool evicted = false;
    server->answer = [&](const Request& r) -> Answer {
        if (r.code == "PQ" && evicted) return {{404, {}}};
        return {{100, Body().i(1).column(u"A", SQL_INTEGER).i(0).i(7).bytes()}};
    };
    ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
    ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
    ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
    ASSERT_EQ(server->codes(), (std::vector<std::string>{"DQ", "PQ"}));
    EXPECT_EQ(server->requests[1].statement, server->requests[0].statement);
    evicted = true;
    ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
    ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
    ASSERT_EQ(server->codes(), (std::vector<std::string>{"DQ", "PQ", "PQ", "DQ"}));
    EXPECT_NE(server->requests[3].statement, server->requests[0].statement);
    SQLINTEGER a = 0;
    ASSERT_EQ(api::getData(h, 1, SQL_C_LONG, &a, 0, nullptr), SQL_ERROR) << "no row fetched yet";
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    ASSERT_EQ(api::getData(h, 1, SQL_C_LONG, &a, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(a, 7);

    // A second statement with the same text finds the entry in use and prepares its own.
    SQLHSTMT other = nullptr;
    ASSERT_EQ(api::allocStmt(&dbc, &other), SQL_SUCCESS);
    ASSERT_EQ(api::prepare(other, (SQLCHAR*)"select a from t", SQL_NTS), SQL_SUCCESS);
    EXPECT_EQ(server->codes().back(), "PP");
    api::freeStmt(other, SQL_DROP);
}

TEST_F(StatementTest, ParameterSetsAreWrittenSetAfterSet) {
    server->answer = [](const Request&) -> Answer {
        return {{0, Body().i(2).i(SQL_INTEGER).i(10).i(0).i(1).i(SQL_INTEGER).i(10).i(0).i(1).i(3).bytes()}};
    };
    SQLINTEGER first[3] = {1, 2, 3}, second[3] = {10, 20, 30};
    SQLULEN processed = 0;
    ASSERT_EQ(api::paramOptions(h, 3, &processed), SQL_SUCCESS);
    ASSERT_EQ(api::bindParameter(h, 1, SQL_PARAM_INPUT, SQL_C_LONG, SQL_INTEGER, 0, 0, first, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(api::bindParameter(h, 2, SQL_PARAM_INPUT, SQL_C_LONG, SQL_INTEGER, 0, 0, second, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(exec("insert into t values (?, ?)"), SQL_SUCCESS);
    ASSERT_EQ(server->codes(), std::vector<std::string>{"DU"});
    const auto e = elementsOf(server->requests[0].body);
    EXPECT_EQ(std::vector<std::string>(e.begin() + 1, e.end()), (std::vector<std::string>{"3", "1", "10", "2", "20", "3", "30"}));
    EXPECT_EQ(processed, 3u);
    SQLLEN rows = 0;
    ASSERT_EQ(api::rowCount(h, &rows), SQL_SUCCESS);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(api::paramOptions(h, 65536, nullptr), SQL_ERROR);
    EXPECT_EQ(state(), "S1000");
}

TEST_F(StatementTest, GetDataReadsAValueInPieces) {
    server->answer = [](const Request&) -> Answer {
        return {{100, Body().i(1).column(u"T", SQL_VARCHAR, 30).i(0).s(u"abcdefghijklmnopqrstuvwxy").bytes()}};
    };
    ASSERT_EQ(exec("select t from x"), SQL_SUCCESS);
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    struct Piece {
        SQLRETURN result;
        SQLLEN length;
        const char* text;
    };
    const Piece pieces[] = {{1, 25, "abcdefghi"}, {1, 16, "jklmnopqr"}, {0, 7, "stuvwxy"}};
    for (const auto& p : pieces) {
        char buf[10] = "";
        SQLLEN len = 0;
        ASSERT_EQ(api::getData(h, 1, SQL_C_CHAR, buf, sizeof buf, &len), p.result) << p.text;
        EXPECT_EQ(len, p.length);
        EXPECT_STREQ(buf, p.text);
    }
    char buf[10];
    EXPECT_EQ(api::getData(h, 1, SQL_C_CHAR, buf, sizeof buf, nullptr), SQL_NO_DATA_FOUND);
}

TEST_F(StatementTest, LongColumnsComeFromStreams) {
    const std::string value(100, 'x');
    std::vector<std::vector<std::string>> rsBodies;
    server->answer = [&](const Request& r) -> Answer {
        if (r.code == "DQ") {
            return {{100, Body().i(1).column(u"L", SQL_LONGVARCHAR).i(0).s(u"ref-1").s(u"ref-null").bytes()}};
        }
        if (r.code != "RS") return {};
        rsBodies.push_back(elementsOf(r.body));
        if (rsBodies.back().size() == 3 && rsBodies.back()[2] == "ref-null") return {{403, {}}};
        // Pieces of 40 bytes; the handle is the offset reached.
        const auto at = static_cast<std::size_t>(std::stoul(rsBodies.back()[0]));
        const std::size_t n = std::min<std::size_t>(40, value.size() - at);
        Bytes b;
        putU32(b, at + n < value.size() ? static_cast<std::uint32_t>(at + n) : 0);
        putU32(b, static_cast<std::uint32_t>(value.size() - at));
        b.insert(b.end(), value.begin() + static_cast<std::ptrdiff_t>(at), value.begin() + static_cast<std::ptrdiff_t>(at + n));
        return {{0, b}};
    };
    ASSERT_EQ(exec("select l from t"), SQL_SUCCESS);
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    std::string read;
    char buf[41];
    SQLLEN len = 0;
    SQLRETURN r;
    while ((r = api::getData(h, 1, SQL_C_CHAR, buf, sizeof buf, &len)) != SQL_NO_DATA_FOUND) {
        ASSERT_TRUE(SQL_SUCCEEDED(r));
        read += buf;
        if (r == SQL_SUCCESS) break;
    }
    EXPECT_EQ(read, value);
    ASSERT_EQ(rsBodies.size(), 3u);
    EXPECT_EQ(rsBodies[0], (std::vector<std::string>{"0", "40", "ref-1"})) << "the reference goes with the first piece only";
    EXPECT_EQ(rsBodies[1], (std::vector<std::string>{"40", "40"}));
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    ASSERT_EQ(api::getData(h, 1, SQL_C_CHAR, buf, sizeof buf, &len), SQL_SUCCESS);
    EXPECT_EQ(len, SQL_NULL_DATA);
}

TEST_F(StatementTest, CloseSendsCcOnlyForAnOpenCursorAndCsForAnOpenStream) {
    server->answer = [](const Request& r) -> Answer {
        if (r.code == "DQ") return {{0, Body().i(1).column(u"L", SQL_LONGVARCHAR).i(0).s(u"r1").s(u"r2").bytes()}};
        if (r.code == "RS") {
            Bytes b;
            putU32(b, 5);
            putU32(b, 100);
            b.insert(b.end(), 4, 'x');
            return {{0, b}};
        }
        return {};
    };
    ASSERT_EQ(exec("select l from t"), SQL_SUCCESS);
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
    EXPECT_EQ(server->codes().back(), "CC") << "first of many rows read";
    server->answer = [inner = server->answer](const Request& r) -> Answer {
        if (r.code == "PQ") return {{100, Body().s(u"r1").bytes()}};
        return inner(r);
    };
    ASSERT_EQ(exec("select l from t"), SQL_SUCCESS);
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    char buf[5];
    ASSERT_EQ(api::getData(h, 1, SQL_C_CHAR, buf, sizeof buf, nullptr), SQL_SUCCESS_WITH_INFO);
    ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
    EXPECT_EQ(server->codes().back(), "CS") << "last batch in hand, stream half read";
}

TEST_F(StatementTest, ForwardOnlyRowsetsFillTheStatusArray) {
    server->answer = [](const Request&) -> Answer {
        Body b;
        b.i(1).column(u"A", SQL_INTEGER).i(0);
        for (int i = 1; i <= 6; ++i) b.i(i);
        return {{100, b.bytes()}};
    };
    ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
    ASSERT_EQ(api::setStmtOption(h, SQL_ROWSET_SIZE, 4), SQL_SUCCESS);
    SQLINTEGER a[4] = {};
    SQLLEN len[4] = {};
    ASSERT_EQ(api::bindCol(h, 1, SQL_C_LONG, a, 0, len), SQL_SUCCESS);
    SQLULEN fetched = 0;
    SQLUSMALLINT status[4];
    ASSERT_EQ(api::extendedFetch(h, SQL_FETCH_NEXT, 0, &fetched, status), SQL_SUCCESS);
    EXPECT_EQ(fetched, 4u);
    EXPECT_EQ(a[3], 4);
    ASSERT_EQ(api::extendedFetch(h, SQL_FETCH_NEXT, 0, &fetched, status), SQL_SUCCESS);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(a[1], 6);
    EXPECT_EQ(std::vector<int>(status, status + 4), (std::vector<int>{0, 0, 3, 3}));
    EXPECT_EQ(api::extendedFetch(h, SQL_FETCH_NEXT, 0, &fetched, status), SQL_NO_DATA_FOUND);
    EXPECT_EQ(api::extendedFetch(h, SQL_FETCH_PRIOR, 0, &fetched, status), SQL_ERROR);
    EXPECT_EQ(state(), "S1106");
}

TEST_F(StatementTest, StaticCursorPositionsFollowTheScrollTable) {
    dbc.staticCursors = true;
    constexpr int kRows = 50;
    server->answer = [](const Request& r) -> Answer {
        if (r.code == "DX") return {{0, Body().i(1).column(u"A", SQL_INTEGER).i(0).bytes()}};
        if (r.code == "EX") return {{0, {}}};
        if (r.code != "FX") return {};
        const auto e = elementsOf(r.body);
        const int target = std::stoi(e[0]), size = std::stoi(e[1]);
        const int start = target >= 1 ? target : target == 0 ? std::max(1, kRows - size + 1) : kRows + target + 1;
        if (start < 1 || start > kRows) return {{100, Body().i(0).i(0).bytes()}};
        const int count = std::min(size, kRows - start + 1);
        Body b;
        b.i(start).i(count);
        for (int i = 0; i < count; ++i) b.i(start + i);
        return {{static_cast<std::uint16_t>(start + count - 1 >= kRows ? 100 : 0), b.bytes()}};
    };
    struct Step {
        SQLUSMALLINT type;
        SQLLEN row;
    };
    struct Case {
        std::vector<Step> steps;
        SQLRETURN result;
        int first;
    };
    const Case cases[] = {
        {{{SQL_FETCH_ABSOLUTE, 25}, {SQL_FETCH_PRIOR, 0}}, SQL_SUCCESS, 15},
        {{{SQL_FETCH_ABSOLUTE, 5}, {SQL_FETCH_PRIOR, 0}}, SQL_SUCCESS, 1},
        {{{SQL_FETCH_ABSOLUTE, 1}, {SQL_FETCH_PRIOR, 0}}, SQL_NO_DATA_FOUND, 0},
        {{{SQL_FETCH_ABSOLUTE, 25}, {SQL_FETCH_RELATIVE, -30}}, SQL_NO_DATA_FOUND, 0},
        {{{SQL_FETCH_ABSOLUTE, 5}, {SQL_FETCH_RELATIVE, -7}}, SQL_SUCCESS, 1},
        {{{SQL_FETCH_NEXT, 0}, {SQL_FETCH_NEXT, 0}}, SQL_SUCCESS, 11},
        {{{SQL_FETCH_LAST, 0}}, SQL_SUCCESS, 41},
        {{{SQL_FETCH_ABSOLUTE, -3}}, SQL_SUCCESS, 48},
    };
    ASSERT_EQ(api::setStmtOption(h, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC), SQL_SUCCESS);
    ASSERT_EQ(api::setStmtOption(h, SQL_ROWSET_SIZE, 10), SQL_SUCCESS);
    SQLINTEGER a[10];
    ASSERT_EQ(api::bindCol(h, 1, SQL_C_LONG, a, 0, nullptr), SQL_SUCCESS);
    for (const auto& c : cases) {
        ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
        SQLRETURN r = SQL_SUCCESS;
        SQLULEN fetched = 0;
        for (const auto& s : c.steps) r = api::extendedFetch(h, s.type, s.row, &fetched, nullptr);
        EXPECT_EQ(r, c.result) << c.first;
        if (r == SQL_SUCCESS) {
            EXPECT_EQ(a[0], c.first);
        }
        ASSERT_EQ(api::freeStmt(h, SQL_CLOSE), SQL_SUCCESS);
        EXPECT_EQ(server->codes().back(), "CC");
    }
}

TEST_F(StatementTest, TablesChoosesItsRequestFromTheArguments) {
    server->answer = [](const Request& r) -> Answer {
        if (r.code == "SF") return {{100, Body().s(u"more").bytes()}};
        return {{0, Body().i(1).i(1).column(u"TABLE_NAME", SQL_VARCHAR).i(0).s(u"first").bytes()}};
    };
    struct Case {
        const char *qualifier, *owner, *table, *types;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"%", "", "", "", {"ca", "1"}},
        {"", "%", "", "", {"sc", "1"}},
        {"", "", "", "%", {"tt", "1"}},
        {"", "", "", "'TABLE'", {"ta", "1", "%", "TABLE", "%"}},
        {"", "", "Dok%", "SYSTEM TABLE,VIEW", {"ta", "1", "Dok%", "TABLE,VIEW", "%"}},
        {"", "SQLUser", "", "", {"ta", "1", "%", "TABLE,VIEW", "SQLUser"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(api::tables(h, (SQLCHAR*)c.qualifier, SQL_NTS, (SQLCHAR*)c.owner, SQL_NTS, (SQLCHAR*)c.table, SQL_NTS,
                              (SQLCHAR*)c.types, SQL_NTS),
                  SQL_SUCCESS);
        std::vector<std::string> sent{server->requests.back().code};
        for (const auto& e : elementsOf(server->requests.back().body)) sent.push_back(e);
        EXPECT_EQ(sent, c.sent);
    }
    char name[16];
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    ASSERT_EQ(api::getData(h, 1, SQL_C_CHAR, name, sizeof name, nullptr), SQL_SUCCESS);
    EXPECT_EQ(server->codes().back(), "SF") << "catalog results go on with SF";
    ASSERT_EQ(api::fetch(h), SQL_SUCCESS);
    ASSERT_EQ(api::getData(h, 1, SQL_C_CHAR, name, sizeof name, nullptr), SQL_SUCCESS);
    EXPECT_STREQ(name, "more");

    ASSERT_EQ(api::statistics(h, nullptr, 0, nullptr, 0, (SQLCHAR*)"Typen", SQL_NTS, SQL_INDEX_UNIQUE, 0), SQL_SUCCESS);
    EXPECT_EQ(elementsOf(server->requests.back().body), (std::vector<std::string>{"1", "Typen", "SQLUser", "0"}));
    EXPECT_EQ(api::primaryKeys(h, nullptr, 0, nullptr, 0, (SQLCHAR*)"", SQL_NTS), SQL_ERROR);
}

TEST_F(StatementTest, DataAtExecutionStreamsChunksAndCopiesInlineData) {
    std::uint32_t handle = 6;
    server->answer = [&](const Request& r) -> Answer {
        if (r.code == "PP") return {{0, Body().i(2).i(SQL_LONGVARCHAR).i(0).i(0).i(1).i(SQL_VARCHAR).i(0).i(0).i(1).bytes()}};
        if (r.code == "SM") return {{0, Body().i(static_cast<std::int32_t>(++handle)).bytes()}};
        if (r.code == "PU") return {{0, Body().i(1).bytes()}};
        return {};
    };
    SQLLEN atExec = SQL_DATA_AT_EXEC;
    ASSERT_EQ(api::bindParameter(h, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_LONGVARCHAR, 0, 0, (SQLPOINTER)1, 0, &atExec), SQL_SUCCESS);
    ASSERT_EQ(api::bindParameter(h, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 0, 0, (SQLPOINTER)2, 0, &atExec), SQL_SUCCESS);
    ASSERT_EQ(exec("insert into t (l, v) values (?, ?)"), SQL_NEED_DATA);
    SQLPOINTER token = nullptr;
    ASSERT_EQ(api::paramData(h, &token), SQL_NEED_DATA);
    EXPECT_EQ(token, (SQLPOINTER)1);
    for (const char* piece : {"aa", "bb", "cc"}) ASSERT_EQ(api::putData(h, (SQLPOINTER)piece, SQL_NTS), SQL_SUCCESS);
    ASSERT_EQ(api::paramData(h, &token), SQL_NEED_DATA);
    EXPECT_EQ(token, (SQLPOINTER)2);
    char buffer[8] = "first";
    ASSERT_EQ(api::putData(h, buffer, SQL_NTS), SQL_SUCCESS);
    std::strcpy(buffer, "reused");
    ASSERT_EQ(api::paramData(h, &token), SQL_SUCCESS);
    ASSERT_EQ(server->codes(), (std::vector<std::string>{"PP", "SM", "SM", "SM", "PU"}));
    std::vector<std::uint32_t> quoted;
    for (std::size_t i = 1; i <= 3; ++i) {
        std::uint32_t q = 0;
        std::memcpy(&q, server->requests[i].body.data(), 4);
        quoted.push_back(q);
    }
    EXPECT_EQ(quoted, (std::vector<std::uint32_t>{0, 7, 8})) << "each chunk quotes the handle before it";
    EXPECT_EQ(elementsOf(server->requests[4].body), (std::vector<std::string>{"1", "9", "first"}));
}

TEST_F(StatementTest, ALostServerIsACommunicationLinkFailure) {
    server->answer = [](const Request&) -> Answer { return {{0, Body().i(1).column(u"A", SQL_INTEGER).i(0).i(1).bytes()}}; };
    ASSERT_EQ(exec("select a from t"), SQL_SUCCESS);
    server->killed = true;
    SQLINTEGER a = 0;
    ASSERT_EQ(api::bindCol(h, 1, SQL_C_LONG, &a, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(api::fetch(h), SQL_ERROR);
    EXPECT_EQ(state(), "08S01");
    EXPECT_FALSE(dbc.connected());
    EXPECT_EQ(exec("select a from t"), SQL_ERROR);
    EXPECT_EQ(state(), "08S01");
}

TEST_F(StatementTest, CursorNamesAreGeneratedAndUnique) {
    SQLHSTMT other = nullptr;
    ASSERT_EQ(api::allocStmt(&dbc, &other), SQL_SUCCESS);
    char name[8];
    SQLSMALLINT len = 0;
    ASSERT_EQ(api::getCursorName(h, (SQLCHAR*)name, sizeof name, &len), SQL_SUCCESS);
    EXPECT_STREQ(name, "c1");
    ASSERT_EQ(api::getCursorName(other, (SQLCHAR*)name, 2, &len), SQL_SUCCESS_WITH_INFO);
    EXPECT_STREQ(name, "c");
    EXPECT_EQ(len, 2);
    EXPECT_EQ(api::setCursorName(other, (SQLCHAR*)"c1", SQL_NTS), SQL_ERROR);
    EXPECT_EQ(state(other), "3C000");
    api::freeStmt(other, SQL_DROP);
}

TEST_F(StatementTest, ClientOptionStatementsSendNothing) {
    ASSERT_EQ(exec("set option blob_support = 0"), SQL_SUCCESS);
    EXPECT_FALSE(dbc.blobSupport);
    ASSERT_EQ(exec("SET OPTION BLOB_SUPPORT = 1"), SQL_SUCCESS);
    EXPECT_TRUE(dbc.blobSupport);
    EXPECT_TRUE(server->codes().empty());
}

}  // namespace
}  // namespace kesto::odbc
