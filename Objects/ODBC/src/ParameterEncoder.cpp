#include "ParameterEncoder.h"

#include "AnsiText.h"
#include "DateText.h"
#include "Errors.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kesto::odbc {
namespace {

bool isIntegerTarget(int sqlType) { return sqlType == SQL_INTEGER || sqlType == SQL_SMALLINT || sqlType == SQL_BIT; }

bool isNumericTarget(int sqlType) {
    return (sqlType >= SQL_NUMERIC && sqlType <= SQL_DOUBLE) || sqlType == SQL_BIT || sqlType == SQL_BIGINT ||
           sqlType == SQL_TINYINT;
}

bool isTextTarget(int sqlType) {
    return sqlType == SQL_CHAR || sqlType == SQL_VARCHAR || sqlType == SQL_LONGVARCHAR;
}

int writeText(RequestWriter& w, std::string_view text) {
    return w.writeElement(1, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

int writeCut(RequestWriter& w, std::uint8_t type, const std::uint8_t* data, std::size_t length, std::size_t limit) {
    const bool cut = length > limit;
    const int r = w.writeElement(type, data, cut ? limit : length);
    return r ? r : (cut ? code::Truncated : 0);
}

std::string trimSpaces(std::string_view t) {
    const auto b = t.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = t.find_last_not_of(' ');
    return std::string(t.substr(b, e - b + 1));
}

// Steps 3 and 4 of the numeric text rule on a trimmed text without exponent.
int normaliseNumber(std::string_view t, int sqlType, std::string& out) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    std::string sign;
    if (i < t.size() && t[i] == '+') ++i;
    else if (i < t.size() && t[i] == '-') { sign = "-"; ++i; }
    if (i >= t.size() || !((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) return code::Assignment;
    while (i < t.size() && t[i] == '0') ++i;
    std::string rest(t.substr(i));
    if (rest.empty()) {
        out = "0";
        return 0;
    }
    const auto dot = rest.find('.');
    if (dot != std::string::npos) {
        if (isIntegerTarget(sqlType)) {
            rest.resize(dot);
        } else {
            while (!rest.empty() && rest.back() == '0') rest.pop_back();
            if (!rest.empty() && rest.back() == '.') rest.pop_back();
        }
        if (rest.empty()) {
            out = "0";
            return 0;
        }
    }
    out = sign + rest;
    return 0;
}

// A normalised number text ("-7", ".5", "12.25") as a number element: an integer for a text
// without point, else a decimal mantissa x 10^exponent. False when the digits do not fit
// 18 (a decimal) or 64 bits (an integer): then the text travels as it is.
bool writeNumberElement(RequestWriter& w, std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') negative = true, ++i;
    std::string digits;
    int exponent = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (digits.empty() && c == '0') {
                if (point) --exponent;
                continue;
            }
            digits.push_back(c);
            if (point) --exponent;
        } else {
            return false;
        }
    }
    if (!point && digits.size() <= 19) {
        errno = 0;
        const long long v = digits.empty() ? 0 : std::strtoll(((negative ? "-" : "") + digits).c_str(), nullptr, 10);
        if (errno != ERANGE) {
            w.writeInteger64(v);
            return true;
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back(), ++exponent;
    if (digits.empty()) exponent = 0;
    if (digits.size() > 18 || exponent < -128 || exponent > 127) return false;
    const long long mantissa = digits.empty() ? 0 : std::strtoll(digits.c_str(), nullptr, 10);
    w.writeDecimal(negative ? -mantissa : mantissa, static_cast<std::int8_t>(exponent));
    return true;
}

int writeTimeText(RequestWriter& w, std::string text, bool timestamp) {
    if (!text.empty() && text[0] == '{') quotedPart(std::string(text), text);
    DateParts d;
    TimeParts t;
    if (!timestamp) {
        if (text.size() == 8 && parseTime(text, t)) return writeText(w, formatTime(t.hour, t.minute, t.second));
        if (text.size() >= 19 && parseDate(text, d) && parseTime(std::string_view(text).substr(11), t))
            return writeText(w, formatTime(t.hour, t.minute, t.second));
        return code::DateTime;
    }
    if (text.size() == 8 && parseTime(text, t)) {
        const DateParts now = today();
        return writeText(w, formatDate(now.year, now.month, now.day) + " " + formatTime(t.hour, t.minute, t.second));
    }
    if (text.size() == 10 && parseDate(text, d)) return writeText(w, formatDate(d.year, d.month, d.day) + " 00:00:00");
    if (text.size() >= 19 && parseDate(text, d) && parseTime(std::string_view(text).substr(11), t))
        return writeText(w, formatDate(d.year, d.month, d.day) + " " + formatTime(t.hour, t.minute, t.second));
    return code::DateTime;
}

}  // namespace

bool numberText(double value, std::string& out) {
    if (!std::isfinite(value)) return false;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);  // d.dddddddddddddde±x: the 15 digits of ecvt
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::string digits;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    int position = exponent + 1;
    if (value == 0) position = 1;
    std::string text;
    if (position > 0 && position < 15) {
        text = digits.substr(0, static_cast<std::size_t>(position)) + "." + digits.substr(static_cast<std::size_t>(position));
    } else if (position >= 15) {
        text = digits + std::string(static_cast<std::size_t>(position - 15), '0');
    } else {
        text = "." + std::string(static_cast<std::size_t>(-position), '0') + digits;
    }
    out = negative ? "-" + text : text;
    return true;
}

int writeNumber(RequestWriter& w, double value, int sqlType) {
    std::string text;
    if (!numberText(value, text)) return code::OutOfRange;
    return writeNumericText(w, text, sqlType);
}

int writeNumericText(RequestWriter& w, std::string_view input, int sqlType) {
    std::string text = trimSpaces(input);
    if (text.find_first_of("eE") != std::string::npos) {
        if (text.size() > 255) text.resize(255);
        errno = 0;
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        const bool consumed = end && *end == '\0' && end != text.c_str();
        if (isIntegerTarget(sqlType)) {
            if (!consumed) return code::Assignment;
            if (errno == ERANGE || v < -2147483648.0 || v > 2147483647.0 || (sqlType == SQL_BIT && v < 0))
                return code::OutOfRange;
            w.writeInteger(static_cast<std::int32_t>(std::trunc(v)));
            return 0;
        }
        if (errno == ERANGE && std::isinf(v)) return code::OutOfRange;
        if (!consumed) return code::Assignment;
        if (!numberText(v, text)) return code::OutOfRange;
    }
    std::string out;
    if (const int r = normaliseNumber(text, sqlType, out)) return r;
    // A value bound as a number is a number on the server: compared, summed and stored as one.
    if (writeNumberElement(w, out)) return 0;
    return writeText(w, out);
}

int writeDateText(RequestWriter& w, std::string_view input) {
    std::string text(input);
    if (!text.empty() && text[0] == '{') quotedPart(input, text);
    DateParts d;
    if (text.size() == 10 && parseDate(text, d)) return writeText(w, formatDate(d.year, d.month, d.day));
    TimeParts t;
    if (text.size() >= 19 && parseDate(text, d) && parseTime(std::string_view(text).substr(11), t)) {
        const int r = writeText(w, formatDate(d.year, d.month, d.day));
        if (r) return r;
        return (t.hour || t.minute || t.second) ? code::Truncated : 0;
    }
    return code::DateTime;
}

int writeString(RequestWriter& w, const void* value, SQLLEN length, StringMode mode, int sqlType, SQLLEN maximum) {
    const bool wideSource = mode == StringMode::WideToAnsi || mode == StringMode::Wide;
    if (!wideSource && length == SQL_NTS) length = value ? static_cast<SQLLEN>(std::strlen(static_cast<const char*>(value))) : 0;
    if (length < 0) return code::BadLength;
    if (length == 0 || !value) {
        // The empty binary value is an empty UTF-16 element: one NUL byte is the byte 00.
        if (sqlType == SQL_BINARY || sqlType == SQL_VARBINARY || sqlType == SQL_LONGVARBINARY)
            return w.writeElement(2, nullptr, 0);
        const std::uint8_t nul = 0;
        return w.writeElement(1, &nul, 1);
    }
    const auto count = static_cast<std::size_t>(length);
    // Numeric and date/time targets read the value as 8-bit text.
    std::string text;
    if (wideSource) {
        text = narrow(std::u16string_view(static_cast<const char16_t*>(value), count / 2));
    } else {
        text.assign(static_cast<const char*>(value), count);
    }
    if (isNumericTarget(sqlType)) return writeNumericText(w, text, sqlType);
    if (sqlType == SQL_DATE) return writeDateText(w, text);
    if (sqlType == SQL_TIME) return writeTimeText(w, text, false);
    if (sqlType == SQL_TIMESTAMP) return writeTimeText(w, text, true);

    const std::size_t limit = maximum < 0 ? SIZE_MAX : static_cast<std::size_t>(maximum);
    switch (mode) {
    case StringMode::WideToAnsi:
        return writeCut(w, 1, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), limit);
    case StringMode::Wide:
        return writeCut(w, 2, static_cast<const std::uint8_t*>(value), count & ~std::size_t{1},
                        limit == SIZE_MAX ? limit : limit * 2);
    case StringMode::AnsiToWide: {
        const std::u16string wide = widen(text);
        std::vector<std::uint8_t> bytes;
        bytes.reserve(wide.size() * 2);
        for (char16_t c : wide) {
            bytes.push_back(static_cast<std::uint8_t>(c));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        return writeCut(w, 2, bytes.data(), bytes.size(), limit == SIZE_MAX ? limit : limit * 2);
    }
    case StringMode::Bytes:
        return writeCut(w, 1, static_cast<const std::uint8_t*>(value), count, limit);
    case StringMode::Hex: {
        if (count % 2) return code::Assignment;
        std::vector<std::uint8_t> bytes;
        bytes.reserve(count / 2);
        for (std::size_t i = 0; i < count; i += 2) {
            if (!std::isxdigit(static_cast<unsigned char>(text[i])) || !std::isxdigit(static_cast<unsigned char>(text[i + 1])))
                return code::Assignment;
            bytes.push_back(static_cast<std::uint8_t>(hexDigitValue(text[i]) * 16 + hexDigitValue(text[i + 1])));
        }
        return writeCut(w, 1, bytes.data(), bytes.size(), limit);
    }
    }
    return -1;
}

int writeWide(RequestWriter& w, std::u16string_view text) {
    const StringMode mode = w.unicode ? StringMode::Wide : StringMode::WideToAnsi;
    return writeString(w, text.data(), static_cast<SQLLEN>(text.size() * 2), mode, SQL_VARCHAR, kNoMaximum);
}

int writeDate(RequestWriter& w, const DATE_STRUCT& d, int sqlType) {
    if (!isValidDate(d.year, d.month, d.day)) return code::DateTime;
    const std::string date = formatDate(d.year, d.month, d.day);
    if (isTextTarget(sqlType) || sqlType == SQL_DATE) return writeText(w, date);
    if (sqlType == SQL_TIMESTAMP) return writeText(w, date + " 00:00:00");
    return -1;
}

int writeTime(RequestWriter& w, const TIME_STRUCT& t, int sqlType) {
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return code::DateTime;
    const std::string time = formatTime(t.hour, t.minute, t.second);
    if (isTextTarget(sqlType) || sqlType == SQL_TIME) return writeText(w, time);
    if (sqlType == SQL_TIMESTAMP) {
        const DateParts now = today();
        return writeText(w, formatDate(now.year, now.month, now.day) + " " + time);
    }
    return -1;
}

int writeTimestamp(RequestWriter& w, const TIMESTAMP_STRUCT& ts, int sqlType) {
    const bool timeOk = ts.hour <= 23 && ts.minute <= 59 && ts.second <= 59;
    const bool dateOk = isValidDate(ts.year, ts.month, ts.day);
    const std::string date = formatDate(ts.year, ts.month, ts.day);
    const std::string time = formatTime(ts.hour, ts.minute, ts.second);
    if (isTextTarget(sqlType) || sqlType == SQL_TIMESTAMP) {
        if (!timeOk || !dateOk) return code::DateTime;
        return writeText(w, date + " " + time);
    }
    if (sqlType == SQL_DATE) return dateOk ? writeText(w, date) : code::DateTime;
    if (sqlType == SQL_TIME) return timeOk ? writeText(w, time) : code::DateTime;
    return -1;
}

int writeParameterValue(RequestWriter& w, const void* value, const ValueBinding& b, SQLLEN length) {
    if (length == SQL_NULL_DATA && b.suppliedLength == 0) return w.writeElement(1, nullptr, 0);
    switch (b.cType) {
    case SQL_C_CHAR: {
        SQLLEN used = length;
        SQLLEN maximum = b.columnSize ? static_cast<SQLLEN>(b.columnSize) : kNoMaximum;
        if (length != SQL_NTS && b.suppliedLength != 0) {
            used = b.suppliedLength;
            maximum = b.suppliedLength;
        }
        const bool binary = b.sqlType == SQL_BINARY || b.sqlType == SQL_VARBINARY || b.sqlType == SQL_LONGVARBINARY;
        const StringMode mode = binary ? StringMode::Hex : w.unicode ? StringMode::AnsiToWide : StringMode::Bytes;
        return writeString(w, value, used, mode, b.sqlType, maximum);
    }
    case SQL_C_LONG:
    case SQL_C_SLONG: w.writeInteger(*static_cast<const SQLINTEGER*>(value)); return 0;
    case SQL_C_SHORT:
    case SQL_C_SSHORT: w.writeInteger(*static_cast<const SQLSMALLINT*>(value)); return 0;
    case SQL_C_TINYINT:
    case SQL_C_STINYINT: w.writeInteger(*static_cast<const SQLSCHAR*>(value)); return 0;
    case SQL_C_UTINYINT: w.writeInteger(*static_cast<const SQLCHAR*>(value)); return 0;
    case SQL_C_USHORT: w.writeInteger(*static_cast<const SQLUSMALLINT*>(value)); return 0;
    case SQL_C_ULONG: w.writeUnsigned(*static_cast<const SQLUINTEGER*>(value)); return 0;
    case SQL_C_SBIGINT: w.writeInteger64(*static_cast<const SQLBIGINT*>(value)); return 0;
    case SQL_C_UBIGINT: {
        const SQLUBIGINT v = *static_cast<const SQLUBIGINT*>(value);
        if (v > static_cast<SQLUBIGINT>(INT64_MAX)) return code::OutOfRange;
        w.writeInteger64(static_cast<std::int64_t>(v));
        return 0;
    }
    case SQL_C_BIT:
        if (b.sqlType == SQL_BINARY || b.sqlType == SQL_LONGVARBINARY) return -1;
        w.writeInteger(*static_cast<const SQLCHAR*>(value));
        return 0;
    case SQL_C_FLOAT: return writeNumber(w, *static_cast<const float*>(value), b.sqlType);
    case SQL_C_DOUBLE: return writeNumber(w, *static_cast<const double*>(value), b.sqlType);
    case SQL_C_DATE: return writeDate(w, *static_cast<const DATE_STRUCT*>(value), b.sqlType);
    case SQL_C_TIME: return writeTime(w, *static_cast<const TIME_STRUCT*>(value), b.sqlType);
    case SQL_C_TIMESTAMP: return writeTimestamp(w, *static_cast<const TIMESTAMP_STRUCT*>(value), b.sqlType);
    case SQL_C_BINARY: {
        const SQLLEN used = length == SQL_NTS ? length : (b.suppliedLength ? b.suppliedLength : length);
        if (b.sqlType == SQL_BIT) {
            if (used != 1) return -1;
            w.writeInteger(*static_cast<const SQLCHAR*>(value) ? 1 : 0);
            return 0;
        }
        return writeString(w, value, used, StringMode::Bytes, b.sqlType, kNoMaximum);
    }
    default: return -1;
    }
}

}  // namespace kesto::odbc
