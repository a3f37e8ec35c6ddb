#include "Values.h"

#include <text/CodePage.h>

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace kesto::server::odbc {
namespace {

using Kind = model::Value::Kind;

std::string textOf(const Cell& c) {
    switch (c.kind) {
        case Kind::Integer: return std::to_string(c.integer);
        case Kind::Real: return model::Value::real(c.real).toText();
        case Kind::Text: case Kind::Blob: return std::string(c.bytes);
        default: return {};
    }
}

// Shortest decimal that reads back as the same double: mantissa and exponent of ten.
bool shortestDecimal(double v, std::int64_t& mantissa, int& exponent) {
    if (!std::isfinite(v)) return false;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    if (r.ec != std::errc()) return false;
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = s.find('e');
    std::string digits;
    int fraction = 0;
    bool afterPoint = false;
    for (char c : s.substr(0, e)) {
        if (c == '.') afterPoint = true;
        else if (c != '-') {
            digits.push_back(c);
            if (afterPoint) ++fraction;
        }
    }
    int exp10 = std::atoi(std::string(s.substr(e + 1)).c_str()) - fraction;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exp10;
    }
    if (digits.size() > 18 || exp10 < -128 || exp10 > 127) return false;
    mantissa = std::strtoll(digits.c_str(), nullptr, 10) * (v < 0 ? -1 : 1);
    exponent = exp10;
    return true;
}

// Binary cells: an empty value is an empty UTF-16 element, since one NUL byte is the byte 00.
void writeBytes(wire::ListWriter& out, std::string_view bytes) {
    if (bytes.empty()) return out.text16(std::u16string());
    out.text8(bytes);
}

void writeNumber(wire::ListWriter& out, const Cell& c, const TypeInfo& type, const Encoding& enc) {
    if (c.kind == Kind::Text || c.kind == Kind::Blob) return writeString(out, c.bytes, enc);
    const bool exactScale = type.sqlType == sqltype::Numeric || type.sqlType == sqltype::Decimal;
    if (exactScale && type.scale > 0 && type.scale <= 18) {
        const double scaled = (c.kind == Kind::Integer ? static_cast<double>(c.integer) : c.real) * std::pow(10.0, type.scale);
        if (std::fabs(scaled) < 9.0e18) return out.decimal(std::llround(scaled), static_cast<std::int8_t>(-type.scale));
    }
    if (c.kind == Kind::Integer) return out.integer(c.integer);
    std::int64_t mantissa = 0;
    int exponent = 0;
    if (shortestDecimal(c.real, mantissa, exponent)) return out.decimal(mantissa, static_cast<std::int8_t>(exponent));
    // Beyond the element's exponent range: the shortest text that reads back the same.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, c.real);
    out.text8(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

// mantissa x 10^exponent read as the decimal text it stands for, so that the double is the
// nearest one, as SQLite reads the same number written in a statement.
std::optional<double> decimalParameter(const wire::Element& e) {
    if (e.data.empty()) return std::nullopt;
    wire::Element m;
    m.type = e.type == wire::NegDec ? wire::NegInt : wire::PosInt;
    m.data = e.data.substr(1);
    const auto mantissa = wire::integerValue(m);
    if (!mantissa) return std::nullopt;
    const std::string text = std::to_string(*mantissa) + "e" + std::to_string(static_cast<std::int8_t>(e.data[0]));
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

Cell cellOf(sqlite3_stmt* stmt, int column) {
    Cell c;
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            c.kind = Kind::Integer;
            c.integer = sqlite3_column_int64(stmt, column);
            break;
        case SQLITE_FLOAT:
            c.kind = Kind::Real;
            c.real = sqlite3_column_double(stmt, column);
            break;
        case SQLITE_TEXT: {
            c.kind = Kind::Text;
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            c.bytes = std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
            break;
        }
        case SQLITE_BLOB: {
            c.kind = Kind::Blob;
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, column));
            c.bytes = std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
            break;
        }
        default: break;
    }
    return c;
}

Cell cellOf(const model::Value& v) {
    Cell c;
    c.kind = v.kind();
    c.integer = v.asInteger();
    c.real = v.asReal();
    if (v.kind() == Kind::Text || v.kind() == Kind::Blob) c.bytes = v.bytes();
    return c;
}

void writeNull(wire::ListWriter& out) { out.text8({}); }

std::string latin1FromUtf8(std::string_view utf8) {
    std::string out;
    for (char16_t u : text::utf8ToUtf16(utf8)) out.push_back(u > 0xFF ? '?' : static_cast<char>(u));
    return out;
}

std::string utf8FromLatin1(std::string_view bytes) {
    std::u16string wide;
    for (unsigned char b : bytes) wide.push_back(b);
    return text::utf16ToUtf8(wide);
}

void writeString(wire::ListWriter& out, std::string_view utf8, const Encoding& enc) {
    // A zero-length string element reads as NULL: the empty string is one NUL byte.
    if (utf8.empty()) return out.text8(std::string_view("\0", 1));
    if (enc.unicode) return out.text16(text::utf8ToUtf16(utf8));
    out.text8(latin1FromUtf8(utf8));
}

void writeCell(wire::ListWriter& out, const Cell& c, const TypeInfo& type, const Encoding& enc,
               const LongValueSink& longValues) {
    if (isLong(type.sqlType)) return writeString(out, longValues(c, type.sqlType), enc);
    if (c.kind == Kind::Null) return writeNull(out);
    switch (type.sqlType) {
        case sqltype::Date: case sqltype::Time: case sqltype::Timestamp: {
            const std::string text = textOf(c);
            return out.text8(text.empty() ? std::string(1, '\0') : text);
        }
        case sqltype::Binary: case sqltype::VarBinary:
            if (c.kind == Kind::Text || c.kind == Kind::Blob) return writeBytes(out, c.bytes);
            return writeString(out, textOf(c), enc);
        case sqltype::Integer: case sqltype::SmallInt: case sqltype::TinyInt: case sqltype::BigInt: case sqltype::Bit:
            if (c.kind == Kind::Real && std::nearbyint(c.real) == c.real && std::fabs(c.real) < 9.0e18)
                return out.integer(static_cast<std::int64_t>(c.real));
            [[fallthrough]];
        case sqltype::Numeric: case sqltype::Decimal: case sqltype::Double: case sqltype::Float: case sqltype::Real:
            return writeNumber(out, c, type, enc);
        default:
            if (c.kind == Kind::Blob) return out.text8(c.bytes.empty() ? std::string_view("\0", 1) : c.bytes);
            return writeString(out, textOf(c), enc);
    }
}

std::string streamBytes(const Cell& c, int sqlType) {
    if (sqlType == sqltype::LongVarChar && c.kind != Kind::Blob) return latin1FromUtf8(textOf(c));
    return textOf(c);
}

model::Value parameterValue(const wire::Element& e, int sqlType) {
    if (e.undefined) return model::Value::null();
    switch (e.type) {
        case wire::Text8: {
            if (e.data.empty()) return model::Value::null();
            if (e.data.size() == 1 && e.data[0] == '\0')
                return isBinary(sqlType) ? model::Value::blob(std::string(1, '\0')) : model::Value::text({});
            if (isBinary(sqlType)) return model::Value::blob(std::string(e.data));
            return model::Value::text(utf8FromLatin1(e.data));
        }
        case wire::Text16: {
            // The driver sends the empty binary value so; NULL is an empty 8-bit element.
            if (e.data.empty()) return model::Value::blob({});
            return model::Value::text(text::utf16ToUtf8(wire::utf16Value(e)));
        }
        case wire::PosInt: case wire::NegInt:
            if (const auto v = wire::integerValue(e)) return model::Value::integer(*v);
            break;
        case wire::PosDec: case wire::NegDec:
            if (const auto v = decimalParameter(e)) return model::Value::real(*v);
            break;
        default: break;
    }
    throw wire::FormatError("parameter value of element type " + std::to_string(e.type));
}

}  // namespace kesto::server::odbc
