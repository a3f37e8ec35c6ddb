#include "SqlPreprocessor.h"

#include "AnsiText.h"
#include "SqlScanner.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace kesto::odbc {
namespace {

struct Token {
    SqlTokenKind kind;
    std::size_t start;   // into the statement text
    std::size_t length;
    bool marker = false; // replaced by "?"
};

class Tokens {
public:
    Tokens(std::u16string_view text, bool delimited) : text_(text) {
        std::size_t position = 0;
        while (position != kPastEnd) {
            const ScanResult r = nextSqlToken(text, position, delimited);
            if (r.tokenStart == kPastEnd) break;
            const std::size_t end = position == kPastEnd ? text.size() : position;
            list.push_back({r.kind, r.tokenStart, end - r.tokenStart});
        }
    }

    std::u16string_view text(const Token& t) const { return t.marker ? u"?" : text_.substr(t.start, t.length); }
    std::u16string_view text(std::size_t i) const { return text(list[i]); }
    bool is(std::size_t i, std::u16string_view keyword) const { return i < list.size() && tokenEquals(text(i), keyword); }
    void makeMarker(std::size_t i) {
        list[i].kind = SqlTokenKind::Marker;
        list[i].marker = true;
    }

    std::vector<Token> list;

private:
    std::u16string_view text_;
};

struct Builder {
    std::vector<ParameterRecord>& records;
    bool hasBound;
    std::uint32_t markerCounter = 0;

    // A record for the marker just counted: at the marker's own place among bound records.
    void place(ParameterRecord record) {
        if (hasBound && markerCounter - 1 < records.size())
            records.insert(records.begin() + static_cast<std::ptrdiff_t>(markerCounter - 1), std::move(record));
        else
            records.push_back(std::move(record));
    }
    void literal(std::u16string value, std::u16string_view token = {}) {
        ++markerCounter;
        ParameterRecord r{GeneratedKind::Literal, std::move(value)};
        if (!token.empty() && token[0] != u'\'' && token[0] != u'"')
            numberLiteral(token, r.literalForm, r.mantissa, r.exponent);
        place(std::move(r));
    }
    void null() {
        ++markerCounter;
        place({GeneratedKind::Null, {}});
    }
    void marker() {
        ++markerCounter;
        if (!hasBound) records.push_back({GeneratedKind::Application, {}});
    }
};

std::u16string normaliseNumber(std::u16string_view v) {
    std::size_t i = 0;
    std::u16string sign;
    if (i < v.size() && v[i] == u'+') ++i;
    else if (i < v.size() && v[i] == u'-') { sign = u"-"; ++i; }
    while (i < v.size() && v[i] == u'0') ++i;
    if (i >= v.size()) return u"0";
    std::u16string rest(v.substr(i));
    if (rest.find(u'.') != std::u16string::npos) {
        while (!rest.empty() && rest.back() == u'0') rest.pop_back();
        if (!rest.empty() && rest.back() == u'.') rest.pop_back();
        if (rest.empty()) return u"0";
    }
    return sign + rest;
}

bool startsWith(std::u16string_view t, char16_t c) { return !t.empty() && t[0] == c; }

bool isNumberToken(std::u16string_view t) {
    const std::size_t i = !t.empty() && (t[0] == u'-' || t[0] == u'+') ? 1 : 0;
    return i < t.size() && ((t[i] >= u'0' && t[i] <= u'9') || t[i] == u'.');
}

bool rewriteCallEscape(Tokens& tokens, Builder& b, PreprocessedSql& out, std::uint32_t& omitted) {
    const auto& list = tokens.list;
    std::size_t i = 0;
    if (!list.empty() && startsWith(tokens.text(0), u'{')) ++i;
    bool withResult = false;
    if (i < list.size() && list[i].kind == SqlTokenKind::Marker) {
        if (i + 2 >= list.size() || !startsWith(tokens.text(i + 1), u'=')) return false;
        withResult = true;
        i += 2;
    }
    if (!tokens.is(i, u"CALL")) return false;
    if (i + 1 >= list.size() || list[i + 1].kind != SqlTokenKind::Identifier) return false;
    std::u16string name(tokens.text(i + 1));
    i += 2;
    if (i < list.size() && startsWith(tokens.text(i), u'.')) {
        name += u'.';
        if (i + 1 < list.size() && list[i + 1].kind == SqlTokenKind::Identifier) name += tokens.text(i + 1);
        i += 2;
    }
    out.text = std::move(name);
    if (withResult) {
        b.markerCounter = 1;
        if (!b.hasBound) b.records.insert(b.records.begin(), {GeneratedKind::Application, {}});
    }
    SqlTokenKind previous = SqlTokenKind::Other;
    for (; i < list.size(); ++i) {
        const SqlTokenKind kind = list[i].kind;
        if (kind == SqlTokenKind::Literal || kind == SqlTokenKind::Identifier) {
            std::u16string value =
                kind == SqlTokenKind::Literal ? literalValue(tokens.text(i)) : std::u16string(tokens.text(i));
            std::u16string token(tokens.text(i));
            if (i > 0 && list[i - 1].kind == SqlTokenKind::Operator) {
                value = std::u16string(tokens.text(i - 1)) + value;
                token = std::u16string(tokens.text(i - 1)) + token;
            }
            b.literal(std::move(value), kind == SqlTokenKind::Literal && isNumberToken(token) ? std::u16string_view(token)
                                                                                               : std::u16string_view());
            tokens.makeMarker(i);
            previous = SqlTokenKind::Marker;
        } else if (kind == SqlTokenKind::Marker) {
            b.marker();
            previous = SqlTokenKind::Marker;
        } else {
            const bool emptySlot = (kind == SqlTokenKind::Comma || kind == SqlTokenKind::CloseParen) &&
                                   (previous == SqlTokenKind::Comma || previous == SqlTokenKind::OpenParen);
            if (emptySlot) {
                ++b.markerCounter;
                ++omitted;
                b.place({GeneratedKind::Omitted, {}});
            }
            previous = kind;
        }
    }
    out.kind = withResult ? StatementKind::CallWithResult : StatementKind::Call;
    return true;
}

}  // namespace

std::u16string literalValue(std::u16string_view token) {
    if (startsWith(token, u'\'') || startsWith(token, u'"')) {
        const char16_t q = token[0];
        const std::u16string_view inner = token.size() >= 2 ? token.substr(1, token.size() - 2) : std::u16string_view();
        std::u16string value;
        for (std::size_t i = 0; i < inner.size(); ++i) {
            value.push_back(inner[i]);
            if (inner[i] == q && i + 1 < inner.size() && inner[i + 1] == q) ++i;
        }
        return value;
    }
    if (token.find_first_of(u"eE") != std::u16string_view::npos) {
        // Shortest text that reads back as the same double, never an exponent form.
        const double v = std::strtod(narrow(token).c_str(), nullptr);
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
        return normaliseNumber(widen(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf))));
    }
    return normaliseNumber(token);
}

bool numberLiteral(std::u16string_view token, LiteralForm& form, std::int64_t& mantissa, std::int8_t& exponent) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) negative = token[i++] == u'-';
    std::string digits;
    int exp10 = 0;
    bool real = false, afterPoint = false;
    for (; i < token.size(); ++i) {
        const char16_t c = token[i];
        if (c >= u'0' && c <= u'9') {
            if (digits.empty() && c == u'0') {
                if (afterPoint) --exp10;
                continue;  // leading zeros carry no digit
            }
            digits.push_back(static_cast<char>(c));
            if (afterPoint) --exp10;
        } else if (c == u'.' && !afterPoint) {
            real = afterPoint = true;
        } else if (c == u'e' || c == u'E') {
            real = true;
            ++i;
            bool expNegative = false;
            while (i < token.size() && (token[i] == u'+' || token[i] == u'-')) expNegative ^= token[i++] == u'-';
            long e = 0;
            for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i)
                if (e < 100000) e = e * 10 + (token[i] - u'0');
            if (i != token.size()) return false;
            exp10 += static_cast<int>(expNegative ? -e : e);
            break;
        } else {
            return false;
        }
    }
    if (!real) {
        std::int64_t v = 0;
        if (!digits.empty()) {
            const std::string text = (negative ? "-" : "") + digits;
            const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
            if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;  // beyond 64 bits: a real for SQLite
        }
        form = LiteralForm::Integer;
        mantissa = v;
        exponent = 0;
        return true;
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exp10;
    }
    if (digits.empty()) exp10 = 0;
    if (digits.size() > 18 || exp10 < -128 || exp10 > 127) return false;
    form = LiteralForm::Decimal;
    mantissa = digits.empty() ? 0 : std::strtoll(digits.c_str(), nullptr, 10) * (negative ? -1 : 1);
    exponent = static_cast<std::int8_t>(exp10);
    return true;
}

PreprocessedSql preprocessSql(std::u16string_view text, bool delimitedIdentifiers, std::vector<ParameterRecord>& records) {
    PreprocessedSql out;
    Builder b{records, !records.empty()};
    Tokens tokens(text, delimitedIdentifiers);
    auto& list = tokens.list;

    if (list.size() < 2) {
        out.text = text;
        return out;
    }
    if (tokens.is(0, u"CREATE") || tokens.is(0, u"ALTER") || tokens.is(0, u"DROP") || tokens.is(0, u"SET")) {
        for (const auto& t : list) {
            out.text += tokens.text(t);
            out.text += u' ';
        }
        if (list.size() == 5 && tokens.is(0, u"SET") && tokens.is(1, u"OPTION") && tokens.is(3, u"=")) {
            const bool zero = tokens.is(4, u"0"), one = tokens.is(4, u"1");
            if (tokens.is(2, u"BLOB_SUPPORT") && (zero || one))
                out.kind = zero ? StatementKind::BlobSupportOff : StatementKind::BlobSupportOn;
            else if (tokens.is(2, u"SYNCHRONOUS_COMMIT") && (zero || one))
                out.kind = zero ? StatementKind::SynchronousCommitOff : StatementKind::SynchronousCommitOn;
        }
        return out;
    }
    if (tokens.is(0, u"SELECT")) {
        out.kind = StatementKind::Query;
    } else {
        std::uint32_t omitted = 0;
        if (rewriteCallEscape(tokens, b, out, omitted)) {
            std::uint32_t markers = 0;
            for (const auto& t : list)
                if (t.kind == SqlTokenKind::Marker) ++markers;
            out.markerCount = markers + omitted;
            return out;
        }
    }

    // A minus joined to a number after an operator is the number's sign.
    for (std::size_t i = 2; i < list.size(); ++i) {
        Token& lit = list[i];
        const Token& minus = list[i - 1];
        if (lit.kind == SqlTokenKind::Literal && lit.length && text[lit.start] >= u'0' && text[lit.start] <= u'9' &&
            minus.kind == SqlTokenKind::Operator && minus.length == 1 && text[minus.start] == u'-' &&
            minus.start + 1 == lit.start && list[i - 2].kind == SqlTokenKind::Operator) {
            lit.start -= 1;
            lit.length += 1;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i - 1));
            --i;
        }
    }

    // Markers are counted from the first token on, so that literal records land at their
    // markers' places; literals in the first two tokens and from ORDER on stay text.
    bool replacing = true;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SqlTokenKind kind = list[i].kind;
        if (i >= 2 && kind == SqlTokenKind::Identifier && tokens.is(i, u"ORDER")) replacing = false;
        if (kind == SqlTokenKind::Marker) {
            b.marker();
        } else if (i >= 2 && replacing && kind == SqlTokenKind::Literal) {
            const std::u16string_view token = tokens.text(i);
            LiteralForm form;
            std::int64_t mantissa = 0;
            std::int8_t exponent = 0;
            // A number no parameter can carry exactly keeps its place in the text.
            if (isNumberToken(token) && !numberLiteral(token, form, mantissa, exponent)) continue;
            b.literal(literalValue(token), token);
            tokens.makeMarker(i);
        } else if (i >= 2 && replacing && kind == SqlTokenKind::NullWord && list[i - 1].kind != SqlTokenKind::NotWord &&
                   list[i - 1].kind != SqlTokenKind::IsWord) {
            b.null();
            tokens.makeMarker(i);
        }
    }

    std::uint32_t n = 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) out.text += u' ';
        if (list[i].kind == SqlTokenKind::Marker) {
            ++out.markerCount;
            out.text += u":%qpar(";
            out.text += widen(std::to_string(n++));
            out.text += u')';
        } else {
            out.text += tokens.text(i);
        }
    }
    return out;
}

}  // namespace kesto::odbc
