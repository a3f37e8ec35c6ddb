// Cells as the driver's converters read them, and parameter elements as SQLite values.
#include "Values.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kesto::server::odbc {
namespace {

using model::Value;

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

std::string encode(const Value& v, TypeInfo type, bool unicode = true) {
    wire::ListWriter out;
    const LongValueSink sink = [](const Cell&, int) { return std::string("S7"); };
    writeCell(out, cellOf(v), type, Encoding{unicode}, sink);
    return out.take();
}

TEST(Values, CellsTakeTheFormOfTheirColumnType) {
    const TypeInfo integer{sqltype::Integer, 10, 0}, money{sqltype::Numeric, 10, 2}, dbl{sqltype::Double, 15, 0},
        text{sqltype::VarChar, 40, 0}, date{sqltype::Date, 10, 0}, bin{sqltype::VarBinary, 16, 0},
        longText{sqltype::LongVarChar, 2147483647, 0};
    const struct {
        Value value;
        TypeInfo type;
        std::string expected;
    } cases[] = {
        {Value::null(), integer, bytes({0x02, 0x01})},
        {Value::integer(-1), integer, bytes({0x03, 0x05, 0xFF})},
        {Value::real(42.0), integer, bytes({0x03, 0x04, 0x2A})},
        {Value::real(-0.01), money, bytes({0x04, 0x07, 0xFE, 0xFF})},
        {Value::integer(3), money, bytes({0x05, 0x06, 0xFE, 0x2C, 0x01})},
        {Value::real(1e10), dbl, bytes({0x04, 0x06, 0x0A, 0x01})},
        {Value::real(1e-300), dbl, wire::encodeText8("1e-300")},
        {Value::text("12x"), integer, wire::encodeText16(u"12x")},
        {Value::text(""), text, bytes({0x03, 0x01, 0x00})},
        {Value::text("2024-03-15"), date, wire::encodeText8("2024-03-15")},
        // The empty binary value is an empty UTF-16 element: one NUL byte is the byte 00.
        {Value::blob(""), bin, bytes({0x02, 0x02})},
        {Value::blob(std::string(1, '\0')), bin, bytes({0x03, 0x01, 0x00})},
        {Value::null(), longText, wire::encodeText16(u"S7")},
    };
    for (const auto& c : cases) EXPECT_EQ(encode(c.value, c.type), c.expected) << c.value.toText() << " " << c.type.sqlType;
    EXPECT_EQ(encode(Value::text("Straße €"), text, false), wire::encodeText8("Stra\xDF" "e ?")) << "ISO-8859-1, '?' for the rest";
}

TEST(Values, TooLongInlineValuesAreRefused) {
    EXPECT_THROW(encode(Value::text(std::string(40000, 'x')), {sqltype::VarChar, 255, 0}), wire::CapacityError);
}

TEST(Values, ParameterElementsBecomeSqliteValues) {
    auto decode = [](const std::string& element, int sqlType) {
        wire::ListReader r(element);
        return parameterValue(r.next(), sqlType);
    };
    EXPECT_EQ(decode(bytes({0x01}), sqltype::Integer), Value::null()) << "absent";
    EXPECT_EQ(decode(bytes({0x02, 0x01}), sqltype::VarChar), Value::null());
    EXPECT_EQ(decode(bytes({0x03, 0x01, 0x00}), sqltype::VarChar), Value::text(""));
    // For binary parameters one NUL byte is the byte 00; the empty value is an empty UTF-16 element.
    EXPECT_EQ(decode(bytes({0x03, 0x01, 0x00}), sqltype::VarBinary), Value::blob(std::string(1, '\0')));
    EXPECT_EQ(decode(bytes({0x02, 0x02}), sqltype::VarBinary), Value::blob(""));
    EXPECT_EQ(decode(bytes({0x02, 0x02}), sqltype::VarChar), Value::blob(""));
    // Decimals read as their decimal text: 33 x 10^-1 is the double nearest 3.3.
    EXPECT_EQ(decode(bytes({0x04, 0x06, 0xFF, 0x21}), sqltype::Double), Value::real(3.3));
    EXPECT_EQ(decode(wire::encodeText8("Gr\xFC\xDF" "e"), sqltype::VarChar), Value::text("Grüße"));
    EXPECT_EQ(decode(wire::encodeText8(std::string("\x00\xFF", 2)), sqltype::VarBinary), Value::blob(std::string("\x00\xFF", 2)));
    EXPECT_EQ(decode(wire::encodeInteger(-129), sqltype::Integer), Value::integer(-129));
    EXPECT_EQ(decode(bytes({0x05, 0x06, 0xFE, 0xE2, 0x04}), sqltype::Numeric), Value::real(12.5));
    EXPECT_THROW(decode(bytes({0x03, 0x09, 0x00}), sqltype::Integer), wire::FormatError);
}

}  // namespace
}  // namespace kesto::server::odbc
