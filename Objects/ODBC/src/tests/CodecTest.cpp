// Framing and value codec: golden bytes of the request writer, the parameter encoder and the
// reply decoders.
#include "ParameterEncoder.h"
#include "ReplyReader.h"
#include "RequestWriter.h"
#include "ValueConverter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace kesto::odbc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The body a writer produced (without the 14-byte header).
Bytes bodyOf(const RequestWriter& w) { return Bytes(w.bytes().begin() + 14, w.bytes().end()); }

RequestWriter fresh() {
    RequestWriter w;
    w.begin(1, "XX", 0);
    return w;
}

TEST(Framing, RequestWithoutBodyIsTheHeaderAlone) {
    struct NullTransport : Transport {
        Bytes sent;
        int connect(Timeout) override { return 0; }
        void close() override {}
        int receive(Bytes&, std::size_t, Timeout) override { return 0; }
        int send(std::span<const std::uint8_t> b, Timeout, std::span<const std::uint8_t>) override {
            sent.assign(b.begin(), b.end());
            return 0;
        }
        bool deliversWholeMessages() const override { return false; }
    } t;
    RequestWriter w;
    w.begin(7, "DC", 0);
    ASSERT_EQ(w.send(t, Timeout::none()), 0);
    EXPECT_EQ(t.sent, (Bytes{0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0x44, 0x43}));
}

// Scripted replies, each a whole message (header + body).
struct ScriptedTransport : Transport {
    std::vector<Bytes> replies;
    bool whole = false;
    Bytes pending;
    int connect(Timeout) override { return 0; }
    void close() override {}
    int receive(Bytes& buffer, std::size_t size, Timeout) override {
        if (whole) {
            buffer = replies.front();
            replies.erase(replies.begin());
            return 0;
        }
        if (pending.empty() && !replies.empty()) {
            pending = replies.front();
            replies.erase(replies.begin());
        }
        if (pending.size() < size) return 10054;
        buffer.assign(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(size));
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(size));
        return 0;
    }
    int send(std::span<const std::uint8_t>, Timeout, std::span<const std::uint8_t>) override { return 0; }
    bool deliversWholeMessages() const override { return whole; }
};

Bytes reply(std::uint32_t seq, std::uint32_t stmt, std::uint16_t code, Bytes body, std::uint32_t announced = ~0u) {
    const std::uint32_t len = announced == ~0u ? static_cast<std::uint32_t>(body.size()) : announced;
    Bytes m;
    for (std::uint32_t v : {len, seq, stmt})
        for (int i = 0; i < 4; ++i) m.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    m.push_back(static_cast<std::uint8_t>(code));
    m.push_back(static_cast<std::uint8_t>(code >> 8));
    m.insert(m.end(), body.begin(), body.end());
    return m;
}

TEST(Framing, ReceiveChecksStatementAndSequence) {
    for (bool whole : {false, true}) {
        ScriptedTransport t;
        t.whole = whole;
        t.replies = {reply(3, 1, 100, {}), reply(2, 1, 0, {}), reply(3, 2, 0, {}), reply(3, 1, 0, {}, 300u * 1024 * 1024)};
        ReplyReader r;
        EXPECT_EQ(r.receive(t, 3, Timeout::none(), 1), 100) << "end of data, empty body";
        EXPECT_FALSE(r.atElement());
        EXPECT_EQ(r.receive(t, 3, Timeout::none(), 1), 452) << "sequence one less";
        EXPECT_EQ(r.receive(t, 3, Timeout::none(), 1), 452) << "other statement";
        EXPECT_EQ(r.receive(t, 3, Timeout::none(), 1), 413) << "announced body beyond the limit";
    }
}

struct IntegerCase {
    std::int32_t value;
    Bytes bytes;
};

TEST(ParameterEncoder, IntegersTakeTheFewestBytes) {
    const IntegerCase cases[] = {{0, {0x02, 0x04}},       {255, {0x03, 0x04, 0xFF}},   {256, {0x04, 0x04, 0x00, 0x01}},
                                 {-1, {0x03, 0x05, 0xFF}}, {-129, {0x03, 0x05, 0x7F}}, {-256, {0x03, 0x05, 0x00}}};
    for (const auto& c : cases) {
        RequestWriter w = fresh();
        ValueBinding b{SQL_C_LONG, SQL_INTEGER, 0, 0};
        ASSERT_EQ(writeParameterValue(w, &c.value, b, 4), 0);
        EXPECT_EQ(bodyOf(w), c.bytes) << c.value;
    }
    RequestWriter w = fresh();
    const SQLUINTEGER big = 2147483648u;
    ASSERT_EQ(writeParameterValue(w, &big, {SQL_C_ULONG, SQL_INTEGER, 0, 0}, 4), 0);
    EXPECT_EQ(bodyOf(w), (Bytes{0x06, 0x04, 0x00, 0x00, 0x00, 0x80}));
}

TEST(RequestWriter, NumberLiteralsAsIntegersAndDecimals) {
    const struct {
        bool decimal;
        std::int64_t mantissa;
        std::int8_t exponent;
        Bytes bytes;
    } cases[] = {
        {false, 0, 0, {0x02, 0x04}},
        {false, std::int64_t{1} << 40, 0, {0x08, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {false, -(std::int64_t{1} << 40), 0, {0x07, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {false, INT64_MIN, 0, {0x0A, 0x05, 0, 0, 0, 0, 0, 0, 0, 0x80}},
        {true, 5, -1, {0x04, 0x06, 0xFF, 0x05}},
        {true, -25, 2, {0x04, 0x07, 0x02, 0xE7}},
        {true, 0, 0, {0x03, 0x06, 0x00}},
    };
    for (const auto& c : cases) {
        RequestWriter w = fresh();
        if (c.decimal) w.writeDecimal(c.mantissa, c.exponent);
        else w.writeInteger64(c.mantissa);
        EXPECT_EQ(bodyOf(w), c.bytes) << c.mantissa << "e" << int(c.exponent);
    }
}

TEST(ParameterEncoder, NullEmptyAndLongStrings) {
    RequestWriter w = fresh();
    ASSERT_EQ(writeParameterValue(w, "x", {SQL_C_CHAR, SQL_VARCHAR, 10, 0}, SQL_NULL_DATA), 0);
    EXPECT_EQ(bodyOf(w), (Bytes{0x02, 0x01}));

    for (bool unicode : {false, true}) {
        RequestWriter e = fresh();
        e.unicode = unicode;
        ASSERT_EQ(writeParameterValue(e, "", {SQL_C_CHAR, SQL_VARCHAR, 10, 0}, SQL_NTS), 0);
        EXPECT_EQ(bodyOf(e), (Bytes{0x03, 0x01, 0x00}));
    }
    // The empty binary value is an empty UTF-16 element: 03 01 00 is the byte 00.
    for (SQLSMALLINT sqlType : {SQL_BINARY, SQL_VARBINARY, SQL_LONGVARBINARY}) {
        RequestWriter b = fresh();
        ASSERT_EQ(writeParameterValue(b, "", {SQL_C_BINARY, sqlType, 10, 0}, 0), 0);
        EXPECT_EQ(bodyOf(b), (Bytes{0x02, 0x02})) << sqlType;
    }
    const std::string long300(300, 'a');
    RequestWriter l = fresh();
    ASSERT_EQ(writeParameterValue(l, long300.data(), {SQL_C_CHAR, SQL_VARCHAR, 0, 0}, 300), 0);
    const Bytes body = bodyOf(l);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 4), (Bytes{0x00, 0x2D, 0x01, 0x01}));
    EXPECT_EQ(body.size(), 304u);
}

TEST(ParameterEncoder, CharacterValuesAreCutToTheColumnSize) {
    RequestWriter w = fresh();
    EXPECT_EQ(writeParameterValue(w, "abcdef", {SQL_C_CHAR, SQL_VARCHAR, 3, 0}, SQL_NTS), 1004);
    EXPECT_EQ(bodyOf(w), (Bytes{0x05, 0x01, 'a', 'b', 'c'}));
    // A column size of 0 means no maximum, never an empty value.
    RequestWriter z = fresh();
    EXPECT_EQ(writeParameterValue(z, "abc", {SQL_C_CHAR, SQL_VARCHAR, 0, 0}, SQL_NTS), 0);
    EXPECT_EQ(bodyOf(z), (Bytes{0x05, 0x01, 'a', 'b', 'c'}));
}

struct TextCase {
    const char* text;
    int sqlType;
    int result;
    Bytes bytes;
};

Bytes textElement(std::string_view s) {
    Bytes b{static_cast<std::uint8_t>(s.size() + 2), 1};
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

// Numbers travel as numbers (integer or mantissa x 10^exponent), so that the server compares,
// sums and stores them as numbers; a text no number element holds travels as text.
TEST(ParameterEncoder, NumericAndDateTexts) {
    const TextCase cases[] = {
        {" +007.500 ", SQL_DECIMAL, 0, {0x04, 0x06, 0xFF, 0x4B}},
        {" +007.500 ", SQL_INTEGER, 0, {0x03, 0x04, 0x07}},
        {"-0.0", SQL_DECIMAL, 0, {0x02, 0x04}},
        {"-12345678901234567890.5", SQL_NUMERIC, 0, textElement("-12345678901234567890.5")},
        {"9223372036854775807", SQL_BIGINT, 0, {0x0A, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        {"1e10", SQL_INTEGER, 22003, {}},
        {"1e-1", SQL_BIT, 0, {0x02, 0x04}},
        {"1e3", SQL_INTEGER, 0, {0x04, 0x04, 0xE8, 0x03}},
        {"12x", SQL_DECIMAL, 0, textElement("12x")},
        {"x12", SQL_DECIMAL, 22005, {}},
        {"0aFF", SQL_BINARY, 0, {0x04, 0x01, 0x0A, 0xFF}},
        {"0aF", SQL_BINARY, 22005, {}},
        {"0aZZ", SQL_BINARY, 22005, {}},
        {"{d '2003-12-31'}", SQL_DATE, 0, textElement("2003-12-31")},
        {"2003-12-31 10:00:00", SQL_DATE, 1004, textElement("2003-12-31")},
        {"2003-02-29", SQL_DATE, 22008, {}},
        {"10:11:12", SQL_TIME, 0, textElement("10:11:12")},
        {"2003-12-31 10:11:12.5", SQL_TIMESTAMP, 0, textElement("2003-12-31 10:11:12")},
        {"24:00:00", SQL_TIME, 22008, {}},
    };
    for (const auto& c : cases) {
        RequestWriter w = fresh();
        ValueBinding b{SQL_C_CHAR, static_cast<SQLSMALLINT>(c.sqlType), 0, 0};
        EXPECT_EQ(writeParameterValue(w, c.text, b, SQL_NTS), c.result) << c.text;
        EXPECT_EQ(bodyOf(w), c.result == 0 || c.result == 1004 ? c.bytes : Bytes{}) << c.text;
    }
}

TEST(ParameterEncoder, NumbersFromDoubles) {
    const struct {
        double value;
        int sqlType;
        Bytes bytes;
    } cases[] = {{1.5, SQL_DECIMAL, {0x04, 0x06, 0xFF, 0x0F}}, {1.5, SQL_INTEGER, {0x03, 0x04, 0x01}},
                 {-0.25, SQL_DOUBLE, {0x04, 0x07, 0xFE, 0xE7}}, {1e20, SQL_DOUBLE, {0x04, 0x06, 0x14, 0x01}},
                 {0.001, SQL_DOUBLE, {0x04, 0x06, 0xFD, 0x01}}};
    for (const auto& c : cases) {
        RequestWriter w = fresh();
        ASSERT_EQ(writeParameterValue(w, &c.value, {SQL_C_DOUBLE, static_cast<SQLSMALLINT>(c.sqlType), 0, 0}, 8), 0);
        EXPECT_EQ(bodyOf(w), c.bytes) << c.value;
    }
    // 64-bit integers both ways.
    RequestWriter big = fresh();
    const SQLBIGINT v = -(SQLBIGINT{1} << 40);
    ASSERT_EQ(writeParameterValue(big, &v, {SQL_C_SBIGINT, SQL_BIGINT, 0, 0}, 8), 0);
    EXPECT_EQ(bodyOf(big), (Bytes{0x07, 0x05, 0, 0, 0, 0, 0}));
    RequestWriter w = fresh();
    const double inf = HUGE_VAL;
    EXPECT_EQ(writeParameterValue(w, &inf, {SQL_C_DOUBLE, SQL_DOUBLE, 0, 0}, 8), 22003);
}

TEST(ParameterEncoder, DateStructures) {
    const struct {
        DATE_STRUCT d;
        int result;
    } cases[] = {{{1840, 12, 31}, 22008}, {{2000, 2, 29}, 0}, {{1900, 2, 29}, 22008}};
    for (const auto& c : cases) {
        RequestWriter w = fresh();
        EXPECT_EQ(writeParameterValue(w, &c.d, {SQL_C_DATE, SQL_DATE, 0, 0}, 6), c.result) << c.d.year;
    }
    RequestWriter w = fresh();
    const DATE_STRUCT d{2001, 2, 3};
    EXPECT_EQ(writeParameterValue(w, &d, {SQL_C_DATE, SQL_TIMESTAMP, 0, 0}, 6), 0);
    EXPECT_EQ(bodyOf(w), textElement("2001-02-03 00:00:00"));
    RequestWriter i = fresh();
    EXPECT_EQ(writeParameterValue(i, &d, {SQL_C_DATE, SQL_INTEGER, 0, 0}, 6), -1);
}

// Decodes one element with a C type into a small buffer.
struct Decoded {
    int result;
    SQLLEN indicator;
    char buffer[32];
};

Decoded decode(Bytes element, SQLSMALLINT cType, SQLSMALLINT sqlType = SQL_VARCHAR, SQLLEN bufferLength = 32) {
    ReplyReader r;
    r.start(std::move(element));
    Decoded d{};
    std::memset(d.buffer, 0x7E, sizeof d.buffer);
    d.indicator = -99;
    d.result = convertElement(r.current(), {cType, sqlType, d.buffer, bufferLength, &d.indicator});
    return d;
}

template <typename T>
T as(const Decoded& d) {
    T v;
    std::memcpy(&v, d.buffer, sizeof v);
    return v;
}

TEST(ValueConverter, Integers) {
    EXPECT_EQ(as<SQLSMALLINT>(decode({0x03, 0x05, 0xFF}, SQL_C_SHORT)), -1);
    EXPECT_EQ(as<SQLSMALLINT>(decode({0x02, 0x05}, SQL_C_SHORT)), -1);
    EXPECT_EQ(as<SQLSMALLINT>(decode({0x02, 0x04}, SQL_C_SHORT)), 0);
    EXPECT_EQ(decode({0x06, 0x04, 0, 0, 0, 0x80}, SQL_C_LONG).result, 22003);
    const Decoded u = decode({0x06, 0x04, 0, 0, 0, 0x80}, SQL_C_ULONG);
    EXPECT_EQ(u.result, 0);
    EXPECT_EQ(as<SQLUINTEGER>(u), 2147483648u);
    const Decoded t = decode(textElement("3.7"), SQL_C_SHORT);
    EXPECT_EQ(t.result, 1004);
    EXPECT_EQ(as<SQLSMALLINT>(t), 3);
    EXPECT_EQ(t.indicator, 2);
    EXPECT_EQ(decode(textElement("3x"), SQL_C_SHORT).result, 22005);
    EXPECT_EQ(decode(textElement("40000"), SQL_C_SHORT).result, 22003);
    EXPECT_EQ(decode({0x03, 0x04, 2}, SQL_C_BIT).result, 0);
    EXPECT_EQ(as<std::uint8_t>(decode({0x03, 0x04, 2}, SQL_C_BIT)), 1);
    EXPECT_EQ(decode({0x03, 0x04, 3}, SQL_C_BIT).result, 22003);
    const Decoded big = decode({0x07, 0x04, 0, 0, 0, 0, 1}, SQL_C_SBIGINT);
    EXPECT_EQ(big.result, 0);
    EXPECT_EQ(as<SQLBIGINT>(big), SQLBIGINT{1} << 32);
    EXPECT_EQ(big.indicator, 8);
    EXPECT_EQ(as<SQLBIGINT>(decode({0x03, 0x05, 0xFF}, SQL_C_SBIGINT)), -1);
    EXPECT_EQ(decode({0x03, 0x05, 0xFF}, SQL_C_UBIGINT).result, 22003);
}

TEST(ValueConverter, NullAndEmpty) {
    for (SQLSMALLINT c : {SQL_C_CHAR, SQL_C_LONG, SQL_C_DOUBLE, SQL_C_DATE, SQL_C_BINARY, SQL_C_BIT})
        EXPECT_EQ(decode({0x02, 0x01}, c).indicator, SQL_NULL_DATA) << c;
    EXPECT_EQ(decode({0x02, 0x02}, SQL_C_CHAR).indicator, SQL_NULL_DATA);
    const Decoded e = decode({0x03, 0x01, 0x00}, SQL_C_CHAR);
    EXPECT_EQ(e.indicator, 0);
    EXPECT_STREQ(e.buffer, "");
}

TEST(ValueConverter, DecimalsAsNumbersAndText) {
    EXPECT_DOUBLE_EQ(as<double>(decode({0x05, 0x06, 0xFE, 0x7B, 0x00}, SQL_C_DOUBLE)), 1.23);
    // The nearest double, exactly: 33 x 0.1 would be 3.3000000000000003.
    EXPECT_EQ(as<double>(decode({0x04, 0x06, 0xFF, 0x21}, SQL_C_DOUBLE)), 3.3);
    EXPECT_EQ(as<double>(decode({0x04, 0x06, 0xE0, 0x07}, SQL_C_DOUBLE)), 7e-32);
    EXPECT_STREQ(decode({0x05, 0x06, 0xFE, 0x7B, 0x00}, SQL_C_CHAR).buffer, "1.23");
    EXPECT_STREQ(decode({0x05, 0x06, 0x02, 0x7B, 0x00}, SQL_C_CHAR).buffer, "12300");
    EXPECT_STREQ(decode({0x04, 0x07, 0xFD, 0x85}, SQL_C_CHAR).buffer, "-0.123");
}

TEST(ValueConverter, TextAndBinaryCuts) {
    const Decoded cut = decode(textElement("0123456789"), SQL_C_CHAR, SQL_VARCHAR, 10);
    EXPECT_EQ(cut.result, 1004);
    EXPECT_EQ(cut.indicator, 10);
    EXPECT_STREQ(cut.buffer, "012345678");
    const Decoded hex = decode({0x04, 0x01, 0x0A, 0xFF}, SQL_C_CHAR, SQL_BINARY);
    EXPECT_STREQ(hex.buffer, "0aff");
    EXPECT_EQ(hex.indicator, 4);
    const Decoded emptyHex = decode({0x02, 0x02}, SQL_C_CHAR, SQL_VARBINARY);
    EXPECT_STREQ(emptyHex.buffer, "");
    EXPECT_EQ(emptyHex.indicator, 0);
    EXPECT_EQ(decode({0x02, 0x02}, SQL_C_BINARY, SQL_VARBINARY).indicator, 0);
    const Decoded hexCut = decode({0x04, 0x01, 0x0A, 0xFF}, SQL_C_CHAR, SQL_BINARY, 4);
    EXPECT_EQ(hexCut.result, 1004);
    EXPECT_STREQ(hexCut.buffer, "0a");
    EXPECT_EQ(decode({0x04, 0x01, 0x0A, 0xFF}, SQL_C_BINARY, SQL_BINARY, 1).result, 1004);
    EXPECT_EQ(decode({0x03, 0x04, 0x01}, SQL_C_CHAR, SQL_VARCHAR, 1).result, 22003);
    EXPECT_EQ(decode({0x03, 0x04, 0x01}, 99).result, 7006);
}

TEST(ValueConverter, DatesAndTimes) {
    const Decoded d = decode(textElement("2003-12-31 10:00:00"), SQL_C_DATE, SQL_VARCHAR);
    EXPECT_EQ(d.result, 1004);
    const auto date = as<DATE_STRUCT>(d);
    EXPECT_EQ(date.year, 2003);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 31);
    EXPECT_EQ(decode(textElement("2003-12-31 00:00:00"), SQL_C_DATE).result, 0);
    EXPECT_EQ(decode(textElement("2003-02-29"), SQL_C_DATE).result, 22008);
    EXPECT_EQ(decode(textElement("2003-12-31 1"), SQL_C_DATE).result, 22008);
    EXPECT_EQ(decode({0x03, 0x04, 0x01}, SQL_C_DATE).result, 22008);
    EXPECT_EQ(decode(textElement("2003-12-31"), SQL_C_TIME, SQL_DATE).result, -1);
    const auto ts = as<TIMESTAMP_STRUCT>(decode(textElement("2003-12-31 10:11:12"), SQL_C_TIMESTAMP, SQL_TIMESTAMP));
    EXPECT_EQ(ts.hour, 10);
    EXPECT_EQ(ts.second, 12);
    EXPECT_EQ(ts.fraction, 0u);
}

TEST(ReplyReader, MalformedElementsAreRefused) {
    const Bytes cases[] = {
        {0x05, 0x01, 'a'},             // element size past the end
        {0x00, 0x00, 0x00, 0x01},      // long header with L = 0
        {0x00, 0x10, 0x00, 0x01, 'a'}, // long element past the end
    };
    for (const auto& c : cases) {
        ReplyReader r;
        EXPECT_THROW(r.start(c), MalformedReply);
    }
    ReplyReader wide;
    wide.start({0x0B, 0x04, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_THROW(wide.readInteger(), MalformedReply);
    ReplyReader shortBody;
    shortBody.start({0x01});
    EXPECT_THROW(shortBody.rawU32(0), MalformedReply);
}

TEST(ReplyReader, StepsOverElements) {
    ReplyReader r;
    r.start({0x03, 0x04, 0x05, 0x01, 0x02, 0x04, 0x05, 0x01, 'a', 'b', 'c'});
    EXPECT_EQ(r.readInteger(), 5);
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.current().type, 0) << "absent element";
    ASSERT_TRUE(r.step(4));
    std::u16string s;
    r.readWideString(s);
    EXPECT_EQ(s, u"abc");
    EXPECT_FALSE(r.atElement());
    ASSERT_TRUE(r.step(3));
    EXPECT_EQ(r.readInteger(), 0);
}

}  // namespace
}  // namespace kesto::odbc
