#include "ValueConverter.h"

#include "AnsiText.h"
#include "DateText.h"
#include "Errors.h"

#include <cerrno>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kesto::odbc {
namespace {

void setIndicator(const ColumnTarget& t, SQLLEN v) {
    if (t.indicator) *t.indicator = v;
}

std::u16string wideUnits(const Element& e, std::size_t limit) {
    std::u16string w;
    for (std::size_t i = 0; i + 1 < e.length && w.size() < limit; i += 2)
        w.push_back(static_cast<char16_t>(e.data[i] | e.data[i + 1] << 8));
    return w;
}

// The element's text as a number converter reads it: at most 255 bytes / 511 characters.
std::string numberText(const Element& e) {
    std::string s = e.type == 1 ? std::string(reinterpret_cast<const char*>(e.data), std::min<std::size_t>(e.length, 255))
                                : narrow(wideUnits(e, 511));
    return s.substr(0, s.find('\0'));
}

// 0, 22005 not a number, 22003 overflow.
int parseNumber(const Element& e, double& out) {
    const std::string text = numberText(e);
    if (text.empty()) return code::Assignment;
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0') return code::Assignment;
    if (errno == ERANGE && std::isinf(out)) return code::OutOfRange;
    return 0;
}

template <typename T>
void store(const ColumnTarget& t, T v) {
    if (t.buffer) std::memcpy(t.buffer, &v, sizeof v);
}

void storeInteger(const ColumnTarget& t, std::int64_t v, int size) {
    if (size == 1) store(t, static_cast<std::int8_t>(v));
    else if (size == 2) store(t, static_cast<std::int16_t>(v));
    else if (size == 4) store(t, static_cast<std::int32_t>(v));
    else store(t, v);
}

// Reads any numeric element; exact is false when a fraction may have to be dropped.
int numericValue(const Element& e, double& v, std::int64_t& whole, bool& isInteger) {
    isInteger = false;
    if (e.type == 1 || e.type == 2) return parseNumber(e, v);
    if (e.type == 4 || e.type == 5) {
        whole = integerValue(e);
        v = static_cast<double>(whole);
        isInteger = true;
        return 0;
    }
    if (e.type == 6 || e.type == 7) {
        v = decimalValue(e);
        return 0;
    }
    return -1;
}

int toInteger(const Element& e, const ColumnTarget& t, std::int64_t lo, std::int64_t hi, int size) {
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        storeInteger(t, 0, size);
        return 0;
    }
    double v = 0;
    std::int64_t whole = 0;
    bool isInteger = false;
    if (const int r = numericValue(e, v, whole, isInteger)) return r;
    if (isInteger) {
        if (whole < lo || whole > hi) return code::OutOfRange;
        setIndicator(t, size);
        storeInteger(t, whole, size);
        return 0;
    }
    const double truncated = std::trunc(v);
    // 2^63 itself is the double of INT64_MAX: the upper bound is exclusive for 64 bits.
    const bool above = size == 8 ? truncated >= 9223372036854775808.0 : truncated > static_cast<double>(hi);
    if (!(truncated >= static_cast<double>(lo)) || above) return code::OutOfRange;
    setIndicator(t, size);
    storeInteger(t, static_cast<std::int64_t>(truncated), size);
    return truncated != v ? code::Truncated : 0;
}

int toFloating(const Element& e, const ColumnTarget& t, bool single) {
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        single ? store(t, 0.0f) : store(t, 0.0);
        return 0;
    }
    setIndicator(t, single ? 4 : 8);
    double v = 0;
    std::int64_t whole = 0;
    bool isInteger = false;
    if (const int r = numericValue(e, v, whole, isInteger)) return r;
    if (single) {
        if (std::isfinite(v) && std::fabs(v) > 3.402823466e38) return code::OutOfRange;
        store(t, static_cast<float>(v));
    } else {
        store(t, v);
    }
    return 0;
}

int toBit(const Element& e, const ColumnTarget& t) {
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        store(t, std::uint8_t{0});
        return 0;
    }
    double v = 0;
    std::int64_t whole = 0;
    bool isInteger = false;
    const int r = numericValue(e, v, whole, isInteger);
    if (r == code::Assignment || r == -1) return r;
    if (r) return code::OutOfRange;
    if (!(v >= 0 && v <= 2)) return code::OutOfRange;
    setIndicator(t, 1);
    const double truncated = std::trunc(v);
    store(t, static_cast<std::uint8_t>(truncated != 0 ? 1 : 0));
    return truncated != v ? code::Truncated : 0;
}

// Copies text with its NUL; cut to the buffer with 1004. indicator = full length.
int putText(const ColumnTarget& t, const std::string& text) {
    setIndicator(t, static_cast<SQLLEN>(text.size()));
    auto* out = static_cast<char*>(t.buffer);
    if (!out || t.bufferLength <= 0) return text.empty() ? 0 : code::Truncated;
    const auto room = static_cast<std::size_t>(t.bufferLength);
    if (text.size() < room) {
        std::memcpy(out, text.data(), text.size());
        out[text.size()] = '\0';
        return 0;
    }
    std::memcpy(out, text.data(), room - 1);
    out[room - 1] = '\0';
    return code::Truncated;
}

std::string decimalDigits(const Element& e) {
    const DecimalParts parts = decimalParts(e);
    const bool negative = parts.mantissa < 0;
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(parts.mantissa) + 1 : static_cast<std::uint64_t>(parts.mantissa);
    std::string digits = std::to_string(magnitude);
    int e10 = parts.exponent;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++e10;
    }
    if (digits.empty()) {
        digits = "0";
        e10 = 0;
    }
    std::string text;
    if (e10 >= 0) {
        text = digits + std::string(static_cast<std::size_t>(e10), '0');
    } else {
        const auto k = static_cast<std::size_t>(-e10);
        if (digits.size() <= k) text = "0." + std::string(k - digits.size(), '0') + digits;
        else text = digits.substr(0, digits.size() - k) + "." + digits.substr(digits.size() - k);
    }
    return negative ? "-" + text : text;
}

int toText(const Element& e, const ColumnTarget& t) {
    if ((e.type == 1 || e.type == 2) && e.length == 0) {
        setIndicator(t, SQL_NULL_DATA);
        if (t.buffer && t.bufferLength > 0) static_cast<char*>(t.buffer)[0] = '\0';
        return 0;
    }
    if (e.type == 1 && e.length == 1 && e.data[0] == 0) return putText(t, std::string());
    if (e.type == 1) return putText(t, std::string(reinterpret_cast<const char*>(e.data), e.length));
    if (e.type == 2) return putText(t, narrow(wideUnits(e, SIZE_MAX)));
    if (e.type == 4 || e.type == 5) {
        const std::string digits = std::to_string(integerValue(e));
        if (static_cast<SQLLEN>(digits.size()) >= t.bufferLength) return code::OutOfRange;
        return putText(t, digits);
    }
    if (e.type == 6 || e.type == 7) {
        const std::string text = decimalDigits(e);
        const auto point = text.find('.');
        const std::size_t whole = point == std::string::npos ? text.size() : point;
        if (static_cast<SQLLEN>(whole) > t.bufferLength - 1) return code::OutOfRange;
        return putText(t, text);
    }
    return -1;
}

int toHexText(const Element& e, const ColumnTarget& t) {
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        if (t.buffer && t.bufferLength > 0) static_cast<char*>(t.buffer)[0] = '\0';
        return 0;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    // An empty element of another type is the empty binary value: no digits.
    std::string hex;
    for (std::size_t i = 0; i < e.length; ++i) {
        hex.push_back(kDigits[e.data[i] >> 4]);
        hex.push_back(kDigits[e.data[i] & 15]);
    }
    setIndicator(t, static_cast<SQLLEN>(hex.size()));
    auto* out = static_cast<char*>(t.buffer);
    if (!out || t.bufferLength <= 0) return code::Truncated;
    const auto room = static_cast<std::size_t>(t.bufferLength);
    if (hex.size() < room) {
        std::memcpy(out, hex.data(), hex.size() + 1);
        return 0;
    }
    const std::size_t pairs = (room - 1) / 2;  // only whole byte pairs
    std::memcpy(out, hex.data(), pairs * 2);
    out[pairs * 2] = '\0';
    return code::Truncated;
}

int toBytes(const Element& e, const ColumnTarget& t) {
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        return 0;
    }
    setIndicator(t, static_cast<SQLLEN>(e.length));
    const std::size_t room = t.bufferLength > 0 ? static_cast<std::size_t>(t.bufferLength) : 0;
    if (t.buffer && e.length) std::memcpy(t.buffer, e.data, std::min(room, e.length));
    return e.length > room ? code::Truncated : 0;
}

bool isTextColumn(int sqlType) { return sqlType == SQL_CHAR || sqlType == SQL_VARCHAR || sqlType == SQL_LONGVARCHAR; }

int toDateTime(const Element& e, const ColumnTarget& t) {
    const int c = t.cType;
    const SQLLEN size = c == SQL_C_TIMESTAMP ? 16 : 6;
    if (e.isNull()) {
        setIndicator(t, SQL_NULL_DATA);
        if (t.buffer) std::memset(t.buffer, 0, static_cast<std::size_t>(size));
        return 0;
    }
    if (e.type != 1) return code::DateTime;
    const std::string_view text(reinterpret_cast<const char*>(e.data), e.length);
    const std::size_t n = text.size();
    const int col = t.sqlType;
    DateParts d;
    TimeParts tm;
    bool haveDate = false, haveTime = false;
    int result = 0;
    auto dateAt0 = [&] { return haveDate = parseDate(text, d); };
    auto timeAt = [&](std::size_t at) { return haveTime = parseTime(text.substr(at), tm); };
    if (c == SQL_C_DATE) {
        if (!(isTextColumn(col) || col == SQL_DATE || col == SQL_TIMESTAMP)) return -1;
        if (n == 10) {
            if (!dateAt0()) return code::DateTime;
        } else if (n >= 19) {
            if (!dateAt0() || !timeAt(11)) return code::DateTime;
            if (tm.hour || tm.minute || tm.second) result = code::Truncated;
        } else {
            return code::DateTime;
        }
        const DATE_STRUCT out{static_cast<SQLSMALLINT>(d.year), static_cast<SQLUSMALLINT>(d.month),
                              static_cast<SQLUSMALLINT>(d.day)};
        store(t, out);
    } else if (c == SQL_C_TIME) {
        bool ok = false;
        if (isTextColumn(col)) ok = n >= 19 ? timeAt(11) : n >= 8 && timeAt(0);
        else if (col == SQL_TIMESTAMP) ok = n >= 19 && timeAt(11);
        else if (col == SQL_TIME) ok = n >= 8 && timeAt(0);
        else return -1;
        if (!ok) return code::DateTime;
        const TIME_STRUCT out{static_cast<SQLUSMALLINT>(tm.hour), static_cast<SQLUSMALLINT>(tm.minute),
                              static_cast<SQLUSMALLINT>(tm.second)};
        store(t, out);
    } else {
        bool ok = false;
        if (isTextColumn(col)) {
            if (n == 8) ok = timeAt(0);
            else if (n == 10) ok = dateAt0();
            else if (n >= 19) ok = dateAt0() && timeAt(11);
        } else if (col == SQL_DATE) {
            ok = n >= 10 && dateAt0();
        } else if (col == SQL_TIME) {
            ok = n >= 8 && timeAt(0);
        } else if (col == SQL_TIMESTAMP) {
            ok = n >= 19 && dateAt0() && timeAt(11);
        } else {
            return -1;
        }
        if (!ok) return code::DateTime;
        if (!haveDate) d = today();
        if (!haveTime) tm = {};
        TIMESTAMP_STRUCT out{};
        out.year = static_cast<SQLSMALLINT>(d.year);
        out.month = static_cast<SQLUSMALLINT>(d.month);
        out.day = static_cast<SQLUSMALLINT>(d.day);
        out.hour = static_cast<SQLUSMALLINT>(tm.hour);
        out.minute = static_cast<SQLUSMALLINT>(tm.minute);
        out.second = static_cast<SQLUSMALLINT>(tm.second);
        store(t, out);
    }
    setIndicator(t, size);
    return result;
}

}  // namespace

int convertElement(const Element& e, const ColumnTarget& t) {
    switch (t.cType) {
    case SQL_C_CHAR: {
        const bool binary = t.sqlType == SQL_BINARY || t.sqlType == SQL_VARBINARY || t.sqlType == SQL_LONGVARBINARY;
        return binary ? toHexText(e, t) : toText(e, t);
    }
    case SQL_C_BINARY: return toBytes(e, t);
    case SQL_C_SHORT:
    case SQL_C_SSHORT: return toInteger(e, t, -32768, 32767, 2);
    case SQL_C_USHORT: return toInteger(e, t, 0, 65535, 2);
    case SQL_C_LONG:
    case SQL_C_SLONG: return toInteger(e, t, -2147483648LL, 2147483647LL, 4);
    case SQL_C_ULONG: return toInteger(e, t, 0, 4294967295LL, 4);
    case SQL_C_TINYINT:
    case SQL_C_STINYINT: return toInteger(e, t, -128, 127, 1);
    case SQL_C_UTINYINT: return toInteger(e, t, 0, 255, 1);
    case SQL_C_SBIGINT: return toInteger(e, t, INT64_MIN, INT64_MAX, 8);
    case SQL_C_UBIGINT: return toInteger(e, t, 0, INT64_MAX, 8);
    case SQL_C_BIT: return toBit(e, t);
    case SQL_C_FLOAT: return toFloating(e, t, true);
    case SQL_C_DOUBLE: return toFloating(e, t, false);
    case SQL_C_DATE:
    case SQL_C_TIME:
    case SQL_C_TIMESTAMP: return toDateTime(e, t);
    default: return code::Restricted;
    }
}

const char* cTypeName(SQLSMALLINT cType) {
    switch (cType) {
    case SQL_C_CHAR: return "SQL_C_CHAR";
    case SQL_C_BINARY: return "SQL_C_BINARY";
    case SQL_C_SHORT: case SQL_C_SSHORT: return "SQL_C_SHORT";
    case SQL_C_USHORT: return "SQL_C_USHORT";
    case SQL_C_LONG: case SQL_C_SLONG: return "SQL_C_LONG";
    case SQL_C_ULONG: return "SQL_C_ULONG";
    case SQL_C_TINYINT: case SQL_C_STINYINT: return "SQL_C_TINYINT";
    case SQL_C_UTINYINT: return "SQL_C_UTINYINT";
    case SQL_C_SBIGINT: return "SQL_C_SBIGINT";
    case SQL_C_UBIGINT: return "SQL_C_UBIGINT";
    case SQL_C_BIT: return "SQL_C_BIT";
    case SQL_C_FLOAT: return "SQL_C_FLOAT";
    case SQL_C_DOUBLE: return "SQL_C_DOUBLE";
    case SQL_C_DATE: case SQL_C_TYPE_DATE: return "SQL_C_DATE";
    case SQL_C_TIME: case SQL_C_TYPE_TIME: return "SQL_C_TIME";
    case SQL_C_TIMESTAMP: case SQL_C_TYPE_TIMESTAMP: return "SQL_C_TIMESTAMP";
    case SQL_C_WCHAR: return "SQL_C_WCHAR";
    default: return "an unknown C type";
    }
}

std::string conversionProblem(const Element& e, SQLSMALLINT cType, int result) {
    std::string value;
    if (e.type == 4 || e.type == 5) value = std::to_string(integerValue(e));
    else if (e.type == 6 || e.type == 7) value = decimalDigits(e);
    else if (e.type == 1) value = "'" + std::string(reinterpret_cast<const char*>(e.data), std::min<std::size_t>(e.length, 40)) + "'";
    else if (e.type == 2) value = "'" + narrow(wideUnits(e, 40)) + "'";
    const std::string what = value.empty() ? "the value" : "the value " + value;
    switch (result) {
    case code::OutOfRange: return what + " does not fit " + cTypeName(cType);
    case code::Assignment: return what + " is not a number, as " + cTypeName(cType) + " needs";
    case code::DateTime: return what + " is not a valid date or time for " + cTypeName(cType);
    case code::Restricted: return std::string("a value of this column cannot be read as ") + cTypeName(cType);
    default: return what + " cannot be read as " + cTypeName(cType);
    }
}

}  // namespace kesto::odbc
